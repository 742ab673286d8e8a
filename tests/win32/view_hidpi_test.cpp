// The fractal view on a screen at 150 % (144 DPI): the orbit line, its
// handles and the zoom box's outline are half as large again.
#include "engine/fractal_view.h"
#include "tests/support/screen_dpi.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/view_test_host.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF handleGreen = RGB(64, 155, 64);
constexpr COLORREF white = RGB(255, 255, 255);

class FractalViewAt144Dpi : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(screenAt144Dpi()); }
    void TearDown() override { window.close(); }

    // The view's pixels of row y from x = 0 to width - 1, as on the screen.
    std::vector<COLORREF> row(int y, int width) const
    {
        std::vector<COLORREF> pixels;
        for (int x = 0; x < width; ++x)
            pixels.push_back(screenPixel(window.view, x, y));
        return pixels;
    }

    ViewTestHost window;
};

RECT updateRect(HWND window)
{
    RECT area = {};
    GetUpdateRect(window, &area, FALSE);
    return area;
}

} // namespace

TEST_F(FractalViewAt144Dpi, TheHandlesAreLargerAndTheLineWider)
{
    window.open(500, 300);
    EXPECT_EQ(theOrbitLine->handleX[0], 15);
    EXPECT_EQ(theOrbitLine->handleY[0], 285);
    EXPECT_EQ(theOrbitLine->handleX[1], 485);
    EXPECT_EQ(theOrbitLine->handleY[1], 15);
    UpdateWindow(window.view);

    // A handle reaches 8 pixels to each side: its green shows 5 pixels from
    // its point, where a handle at 96 DPI has its outline or nothing.
    for (int n = 0; n < 2; ++n) {
        const int x = theOrbitLine->handleX[n];
        const int y = theOrbitLine->handleY[n];
        EXPECT_EQ(screenPixel(window.view, x - 5, y), handleGreen) << n;
        EXPECT_EQ(screenPixel(window.view, x + 5, y), handleGreen) << n;
        EXPECT_EQ(screenPixel(window.view, x, y - 5), handleGreen) << n;
        EXPECT_EQ(screenPixel(window.view, x, y + 5), handleGreen) << n;
        EXPECT_NE(screenPixel(window.view, x + 9, y), handleGreen) << n;
        EXPECT_NE(screenPixel(window.view, x - 10, y), handleGreen) << n;
    }

    // The line, two pixels wide, crosses the middle row of the view (inside
    // the set, black) over at least three pixels; a line one pixel wide at
    // this slope covers at most two.
    const std::vector<COLORREF> middle = row(150, 500);
    int whites = 0;
    for (int x = 240; x < 260; ++x)
        whites += middle[x] == white;
    EXPECT_GE(whites, 3);
}

TEST_F(FractalViewAt144Dpi, TheZoomBoxOutlineIsTwoPixelsWideAndRepaintedWhole)
{
    window.open(400, 300);
    const std::vector<std::vector<COLORREF>> before = {row(98, 400), row(99, 400), row(100, 400), row(101, 400)};
    window.press(200, 150);
    pumpUntil([&] { return !GetUpdateRect(window.view, nullptr, FALSE); });
    window.move(250, 150);
    ASSERT_EQ(theZoomBox->halfHeight, 50);
    // The box is 133 to 266 by 100 to 200; its outline reaches a pixel past it.
    const RECT area = updateRect(window.view);
    EXPECT_EQ(area.left, 132);
    EXPECT_EQ(area.top, 99);
    EXPECT_EQ(area.right, 267);
    EXPECT_EQ(area.bottom, 201);
    UpdateWindow(window.view);

    // The top edge's dots lie on rows 99 and 100, centred on the box's edge;
    // the rows beside them keep the picture.
    int changed[4] = {};
    for (int r = 0; r < 4; ++r) {
        const std::vector<COLORREF> now = row(98 + r, 400);
        for (int x = 140; x < 260; ++x)
            changed[r] += now[x] != before[r][x] && now[x] == white;
    }
    EXPECT_EQ(changed[0], 0);
    EXPECT_GT(changed[1], 20);
    EXPECT_GT(changed[2], 20);
    EXPECT_EQ(changed[3], 0);
    window.release(250, 150);
    window.waitUntilPainted();
}
