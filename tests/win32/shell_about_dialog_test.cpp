#include "common/app_instance.h"
#include "resources/resource_ids.h"
#include "shell/about_dialog.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

namespace {

class AboutDialog : public testing::Test {
protected:
    void SetUp() override { host = createTestHost(300, 200); }
    void TearDown() override { DestroyWindow(host); }

    void openWith(const std::function<void(HWND)>& script)
    {
        driveModalDialog("About", [&] { showAboutDialog(host); }, script);
    }

    HWND host = nullptr;
};

RECT placeInDialog(HWND dialog, HWND control)
{
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Dialog units to pixels; a rectangle given as x, y, width, height stays so.
RECT unitsToPixels(HWND dialog, RECT units)
{
    MapDialogRect(dialog, &units);
    return units;
}

} // namespace

TEST_F(AboutDialog, ShowsTheNameTheAuthorsTheYearAndThePicture)
{
    openWith([&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), host);
        const LONG style = GetWindowLongA(dialog, GWL_STYLE);
        for (LONG bit : {LONG(WS_POPUP), LONG(WS_CAPTION), LONG(WS_SYSMENU), LONG(DS_MODALFRAME)})
            EXPECT_EQ(style & bit, bit) << std::hex << bit;
        RECT client = {};
        GetClientRect(dialog, &client);
        const RECT size = unitsToPixels(dialog, {0, 0, 95, 66});
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        HWND ok = GetDlgItem(dialog, IDOK);
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(windowText(ok), "OK");
        EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        const RECT okPlace = unitsToPixels(dialog, {38, 45, 50, 14});
        const RECT okActual = placeInDialog(dialog, ok);
        EXPECT_EQ(okActual.left, okPlace.left);
        EXPECT_EQ(okActual.top, okPlace.top);
        EXPECT_EQ(okActual.right - okActual.left, okPlace.right);
        EXPECT_EQ(okActual.bottom - okActual.top, okPlace.bottom);

        HWND text = GetDlgItem(dialog, IDC_ABOUT_TEXT);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(windowText(text), "Zelvar 2\nThe Zelvar authors\n2026");
        EXPECT_EQ(GetWindowLongA(text, GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
        const RECT textPlace = unitsToPixels(dialog, {37, 7, 51, 34});
        const RECT textActual = placeInDialog(dialog, text);
        EXPECT_EQ(textActual.left, textPlace.left);
        EXPECT_EQ(textActual.top, textPlace.top);
        EXPECT_EQ(textActual.right - textActual.left, textPlace.right);
        EXPECT_EQ(textActual.bottom - textActual.top, textPlace.bottom);

        // The picture control: the first child after the button.
        HWND picture = GetWindow(ok, GW_HWNDNEXT);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
        const RECT picturePlace = unitsToPixels(dialog, {7, 7, 28, 52});
        const RECT pictureActual = placeInDialog(dialog, picture);
        EXPECT_EQ(pictureActual.left, picturePlace.left);
        EXPECT_EQ(pictureActual.top, picturePlace.top);
        HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(shown, nullptr);
        BITMAP info = {};
        GetObjectA(shown, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 42);
        EXPECT_EQ(info.bmHeight, 85);
        clickButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_TRUE(IsWindowEnabled(host));
}

TEST_F(AboutDialog, CancelAndTheCloseBoxEndItToo)
{
    for (UINT command : {UINT(IDCANCEL), UINT(SC_CLOSE)}) {
        bool closed = false;
        openWith([&](HWND dialog) {
            if (command == IDCANCEL)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            else
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            closed = waitUntilClosed(dialog);
        });
        EXPECT_TRUE(closed) << command;
    }
}

TEST(AboutPictureResource, IsA42By85FourBitBitmapInABlackFrame)
{
    HRSRC found = FindResourceA(appInstance, MAKEINTRESOURCEA(IDB_ABOUT_PICTURE), MAKEINTRESOURCEA(2));
    ASSERT_NE(found, nullptr);
    const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(appInstance, found)));
    EXPECT_EQ(info->biWidth, 42);
    EXPECT_EQ(info->biHeight, 85);
    EXPECT_EQ(info->biBitCount, 4);
    EXPECT_EQ(info->biCompression, DWORD(BI_RGB));

    HBITMAP loaded = LoadBitmapA(appInstance, MAKEINTRESOURCEA(IDB_ABOUT_PICTURE));
    ASSERT_NE(loaded, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, loaded);
    int blues = 0;
    int whites = 0;
    for (int y = 0; y < 85; ++y) {
        for (int x = 0; x < 42; ++x) {
            const COLORREF colour = GetPixel(memory, x, y);
            if (x == 0 || y == 0 || x == 41 || y == 84) {
                EXPECT_EQ(colour, RGB(0, 0, 0)) << x << "," << y;
            } else {
                blues += colour == RGB(0, 0, 255);
                whites += colour == RGB(255, 255, 255);
            }
        }
    }
    EXPECT_EQ(blues + whites, 40 * 83);
    EXPECT_GT(blues, 0);
    EXPECT_GT(whites, 0);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(loaded);
}
