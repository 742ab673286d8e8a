// The toolbar on a screen at 150 % (144 DPI) shows the pictures the build
// drew for that scale.
#include "common/app_instance.h"
#include "shell/main_toolbar.h"
#include "tests/support/screen_dpi.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The pixels of a bitmap resource as colour references, row 0 at the top.
std::vector<COLORREF> bitmapPixels(const char* name, int& width, int& height)
{
    std::vector<COLORREF> pixels;
    HBITMAP bitmap = LoadBitmapA(appInstance, name);
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return pixels;
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> rows(std::size_t(width) * height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, rows.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (DWORD pixel : rows)
        pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    return pixels;
}

} // namespace

TEST(ToolbarAt144Dpi, ShowsThePicturesDrawnFor150Percent)
{
    ASSERT_TRUE(screenAt144Dpi());
    HWND host = createTestHost(600, 120);
    MainToolbar toolbar = {};
    toolbar.createMainToolbar(host, appInstance);
    pumpPending();

    int width = 0;
    int height = 0;
    ImageList_GetIconSize(toolbar.imageList, &width, &height);
    EXPECT_EQ(width, 24);
    EXPECT_EQ(height, 23);
    ASSERT_EQ(ImageList_GetImageCount(toolbar.imageList), 7);

    int stripWidth = 0;
    int stripHeight = 0;
    const std::vector<COLORREF> strip = bitmapPixels("TOOLBAR150", stripWidth, stripHeight);
    ASSERT_EQ(stripWidth, 7 * 24 + 1);
    ASSERT_EQ(stripHeight, 23);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 24, 23);
    HGDIOBJ old = SelectObject(memory, canvas);
    for (int n = 0; n < 7; ++n) {
        ASSERT_TRUE(ImageList_Draw(toolbar.imageList, n, memory, 0, 0, ILD_NORMAL));
        int differences = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 24; ++x)
                differences += GetPixel(memory, x, y) != strip[std::size_t(y) * stripWidth + 24 * n + x];
        EXPECT_EQ(differences, 0) << "image " << n;
    }
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    // The buttons hold the larger pictures, all in one row.
    RECT first = {};
    RECT last = {};
    SendMessageA(toolbar.toolbarWindow, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(toolbar.toolbarWindow, TB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&last));
    EXPECT_GT(first.right - first.left, 24);
    EXPECT_GT(first.bottom - first.top, 23);
    EXPECT_EQ(last.top, first.top);
    DestroyWindow(host);
}
