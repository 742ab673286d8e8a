#include "resources/resource_ids.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// Reads the fields of a DIALOG template (not DIALOGEX) in their order.
class TemplateReader {
public:
    explicit TemplateReader(const void* data) : at_(static_cast<const WORD*>(data)) {}

    WORD word() { return *at_++; }

    DWORD dword()
    {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }

    short number() { return static_cast<short>(word()); }

    // A string field: the text, or "#n" for an ordinal.
    std::string text()
    {
        if (*at_ == 0xFFFF) {
            ++at_;
            return "#" + std::to_string(word());
        }
        std::string result;
        while (WORD c = word())
            result += static_cast<char>(c);
        return result;
    }

    void alignToDword()
    {
        if (reinterpret_cast<ULONG_PTR>(at_) % 4 != 0)
            ++at_;
    }

private:
    const WORD* at_;
};

struct Item {
    DWORD style;
    DWORD extendedStyle;
    short x, y, width, height;
    WORD id;
    std::string className;
    std::string title;
};

} // namespace

TEST(ExportTemplate, IsTheDialogOfTheExport)
{
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), "export", MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    TemplateReader reader(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));

    EXPECT_EQ(reader.dword(), static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(reader.dword(), 0u) << "extended style";
    const WORD count = reader.word();
    EXPECT_EQ(reader.number(), 0);
    EXPECT_EQ(reader.number(), 0);
    EXPECT_EQ(reader.number(), 117);
    EXPECT_EQ(reader.number(), 95);
    EXPECT_EQ(reader.text(), "") << "menu";
    EXPECT_EQ(reader.text(), "") << "class";
    EXPECT_EQ(reader.text(), "Export Properties");
    EXPECT_EQ(reader.word(), 8) << "point size";
    EXPECT_EQ(reader.text(), "MS Sans Serif");
    ASSERT_EQ(count, 6);

    std::vector<Item> items;
    for (int i = 0; i < count; ++i) {
        reader.alignToDword();
        Item item;
        item.style = reader.dword();
        item.extendedStyle = reader.dword();
        item.x = reader.number();
        item.y = reader.number();
        item.width = reader.number();
        item.height = reader.number();
        item.id = reader.word();
        item.className = reader.text();
        item.title = reader.text();
        EXPECT_EQ(reader.word(), 0) << "creation data of item " << i;
        items.push_back(item);
    }

    // Class ordinals: 0x80 a button, 0x81 an edit box.
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    const Item expected[] = {
        {shown | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 60, 75, 50, 14, IDOK, "#128", "OK"},
        {shown | WS_TABSTOP | BS_PUSHBUTTON, 0, 5, 75, 50, 14, IDCANCEL, "#128", "Cancel"},
        {shown | BS_GROUPBOX, 0, 5, 5, 105, 30, 0xFFFF, "#128", "Number of points"},
        {shown | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 10, 15, 95, 14, IDC_EXPORT_POINTS, "#129", ""},
        {shown | BS_GROUPBOX, 0, 5, 40, 105, 30, 0xFFFF, "#128", "Number of Iterations"},
        {shown | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 10, 50, 95, 14, IDC_EXPORT_ITERATIONS, "#129", ""},
    };
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(items[i].style, expected[i].style);
        EXPECT_EQ(items[i].extendedStyle, expected[i].extendedStyle);
        EXPECT_EQ(items[i].x, expected[i].x);
        EXPECT_EQ(items[i].y, expected[i].y);
        EXPECT_EQ(items[i].width, expected[i].width);
        EXPECT_EQ(items[i].height, expected[i].height);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].className, expected[i].className);
        EXPECT_EQ(items[i].title, expected[i].title);
    }
}
