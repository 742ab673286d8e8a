#include "common/app_instance.h"
#include "resources/resource_ids.h"
#include "shell/main_toolbar.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Command> commands;

// The host's procedure: records the commands that reach it.
LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        commands.push_back({wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

struct ExpectedButton {
    int image;
    int command;
    BYTE style;
};

const ExpectedButton expectedButtons[12] = {
    {0, CMD_RECALCULATE, TBSTYLE_BUTTON},
    {0, 0, TBSTYLE_SEP},
    {1, CMD_ZOOM_RESET, TBSTYLE_BUTTON},
    {0, 0, TBSTYLE_SEP},
    {2, CMD_ZOOM_IN, TBSTYLE_BUTTON},
    {3, CMD_ZOOM_OUT, TBSTYLE_BUTTON},
    {0, 0, TBSTYLE_SEP},
    {4, CMD_CHANGE_PARAMETERS, TBSTYLE_BUTTON},
    {0, 0, TBSTYLE_SEP},
    {5, CMD_STOP, TBSTYLE_BUTTON},
    {0, 0, TBSTYLE_SEP},
    {6, CMD_EXPORT, TBSTYLE_BUTTON},
};

class Toolbar : public testing::Test {
protected:
    void SetUp() override
    {
        host = createTestHost(400, 120);
        SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingProc));
        commands.clear();
        toolbar.createMainToolbar(host, appInstance);
        pumpPending();
    }
    void TearDown() override { DestroyWindow(host); }

    HWND host = nullptr;
    MainToolbar toolbar = {};
};

// The colours of the TOOLBAR bitmap resource, read from its bytes: width,
// height, bits per pixel and each pixel's colour as 0x00BBGGRR.
struct ResourceStrip {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<COLORREF> pixels;
};

ResourceStrip readToolbarResource()
{
    ResourceStrip strip;
    HRSRC found = FindResourceA(appInstance, "TOOLBAR", MAKEINTRESOURCEA(2));
    if (!found)
        return strip;
    const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(appInstance, found)));
    strip.width = info->biWidth;
    strip.height = info->biHeight;
    strip.bits = info->biBitCount;
    if (strip.bits != 4 || info->biCompression != BI_RGB)
        return strip;
    const auto* palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + info->biSize);
    const int colours = info->biClrUsed ? int(info->biClrUsed) : 16;
    const BYTE* rows = reinterpret_cast<const BYTE*>(palette + colours);
    const int stride = ((strip.width * 4 + 31) / 32) * 4;
    for (int y = 0; y < strip.height; ++y) {
        const BYTE* row = rows + std::size_t(strip.height - 1 - y) * stride;
        for (int x = 0; x < strip.width; ++x) {
            const int index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0xF;
            strip.pixels.push_back(RGB(palette[index].rgbRed, palette[index].rgbGreen, palette[index].rgbBlue));
        }
    }
    return strip;
}

} // namespace

TEST_F(Toolbar, IsAFlatToolbarAlongTheTopWithoutTooltips)
{
    char className[64] = "";
    GetClassNameA(toolbar.toolbarWindow, className, sizeof className);
    EXPECT_STREQ(className, "ToolbarWindow32");
    EXPECT_EQ(GetParent(toolbar.toolbarWindow), host);
    const LONG style = GetWindowLongA(toolbar.toolbarWindow, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & TBSTYLE_FLAT);
    EXPECT_FALSE(style & TBSTYLE_TOOLTIPS);
    EXPECT_EQ(SendMessageA(toolbar.toolbarWindow, TB_GETTOOLTIPS, 0, 0), 0);

    RECT place = {};
    GetWindowRect(toolbar.toolbarWindow, &place);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.right, 400);
    EXPECT_GT(place.bottom, 15);
    EXPECT_LT(place.bottom, 60);

    // The frame re-fits the toolbar with an empty WM_SIZE after a resize.
    SetWindowPos(host, nullptr, 0, 0, 700, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT client = {};
    GetClientRect(host, &client);
    SendMessageA(toolbar.toolbarWindow, WM_SIZE, 0, 0);
    GetWindowRect(toolbar.toolbarWindow, &place);
    EXPECT_EQ(place.right - place.left, client.right);
    // All twelve stay in one row: the last button is level with the first.
    RECT first = {};
    RECT last = {};
    SendMessageA(toolbar.toolbarWindow, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(toolbar.toolbarWindow, TB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(last.top, first.top);
    EXPECT_GT(last.left, first.left);
}

TEST_F(Toolbar, HoldsTwelveRecordsInFiveGroups)
{
    ASSERT_EQ(SendMessageA(toolbar.toolbarWindow, TB_BUTTONCOUNT, 0, 0), 12);
    for (int position = 0; position < 12; ++position) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(toolbar.toolbarWindow, TB_GETBUTTON, position, reinterpret_cast<LPARAM>(&button)));
        const ExpectedButton& expected = expectedButtons[position];
        EXPECT_EQ(button.fsStyle, expected.style) << position;
        EXPECT_EQ(button.idCommand, expected.command) << position;
        // The control keeps no picture and no text for a separator.
        if (expected.style == TBSTYLE_BUTTON) {
            EXPECT_EQ(button.iBitmap, expected.image) << position;
            EXPECT_EQ(button.iString, 0) << position;
        }
        EXPECT_EQ(button.fsState, TBSTATE_ENABLED) << position;
        EXPECT_EQ(button.dwData, 0u) << position;
    }
}

TEST_F(Toolbar, AClickOnAButtonSendsItsCommandToTheParent)
{
    for (int position = 0; position < 12; ++position) {
        RECT item = {};
        ASSERT_TRUE(SendMessageA(toolbar.toolbarWindow, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&item)));
        const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        commands.clear();
        SendMessageA(toolbar.toolbarWindow, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(toolbar.toolbarWindow, WM_LBUTTONUP, 0, point);
        pumpPending();
        const int command = expectedButtons[position].command;
        if (command == 0) {
            EXPECT_TRUE(commands.empty()) << "separator " << position << " sent a command";
            continue;
        }
        ASSERT_EQ(commands.size(), 1u) << position;
        EXPECT_EQ(LOWORD(commands[0].wParam), command) << position;
        EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(toolbar.toolbarWindow)) << position;
    }
}

TEST_F(Toolbar, ImageListCutsTheStripIntoSevenPictures)
{
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar.toolbarWindow, TB_GETIMAGELIST, 0, 0)),
              toolbar.imageList);
    EXPECT_EQ(ImageList_GetImageCount(toolbar.imageList), 7);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(toolbar.imageList, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 15);

    // Image n, drawn as the toolbar draws it, is columns 16 n to 16 n + 15 of
    // the bitmap resource.
    const ResourceStrip strip = readToolbarResource();
    ASSERT_EQ(strip.pixels.size(), std::size_t(113 * 15));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 15);
    HGDIOBJ old = SelectObject(memory, canvas);
    for (int n = 0; n < 7; ++n) {
        ASSERT_TRUE(ImageList_Draw(toolbar.imageList, n, memory, 0, 0, ILD_NORMAL));
        int differences = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                differences += GetPixel(memory, x, y) != strip.pixels[std::size_t(y) * 113 + 16 * n + x];
        EXPECT_EQ(differences, 0) << "image " << n;
    }
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(ToolbarBitmap, IsA113By15StripOfFourBitsOnLightGrey)
{
    const ResourceStrip strip = readToolbarResource();
    EXPECT_EQ(strip.width, 113);
    EXPECT_EQ(strip.height, 15);
    EXPECT_EQ(strip.bits, 4);
    ASSERT_EQ(strip.pixels.size(), std::size_t(113 * 15));
    for (int y = 0; y < 15; ++y)
        EXPECT_EQ(strip.pixels[std::size_t(y) * 113 + 112], RGB(192, 192, 192)) << y;
    // The Stop picture, image 5: red with a black cross.
    EXPECT_EQ(strip.pixels[std::size_t(2) * 113 + 80 + 7], RGB(255, 0, 0));
    EXPECT_EQ(strip.pixels[std::size_t(7) * 113 + 80 + 7], RGB(0, 0, 0));

    HBITMAP loaded = LoadBitmapA(appInstance, "toolbar");
    ASSERT_NE(loaded, nullptr);
    BITMAP info = {};
    GetObjectA(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 113);
    EXPECT_EQ(info.bmHeight, 15);
    DeleteObject(loaded);
}

TEST_F(Toolbar, ButtonsShowTheirPicturesOnScreen)
{
    // The Stop button's face, on screen, has the red of its picture.
    RECT item = {};
    SendMessageA(toolbar.toolbarWindow, TB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(toolbar.toolbarWindow);
    int reds = 0;
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.left; x < item.right; ++x)
            reds += screenPixel(toolbar.toolbarWindow, x, y) == RGB(255, 0, 0);
    EXPECT_GT(reds, 60);
}
