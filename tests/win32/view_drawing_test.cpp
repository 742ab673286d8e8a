#include "engine/fractal_view.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/view_test_host.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF handleGreen = RGB(64, 155, 64);

// Row y of the view from x = first up to, not including, x = last, as on screen.
std::vector<COLORREF> screenRow(HWND window, int y, int first, int last)
{
    std::vector<COLORREF> row;
    for (int x = first; x < last; ++x)
        row.push_back(screenPixel(window, x, y));
    return row;
}

bool repainted(HWND window)
{
    return pumpUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); });
}

class FractalViewDrawing : public testing::Test {
protected:
    ViewTestHost window;

    void TearDown() override { window.close(); }
};

} // namespace

// The finished picture holds no pure white: the gradient stops at
// (254, 254, 255). White on screen is therefore the line or the box.
TEST_F(FractalViewDrawing, TheLineIsWhiteAndTheHandlesAreGreenSquaresWithAWhiteOutline)
{
    window.open(500, 300);
    ASSERT_TRUE(repainted(window.view));
    // Halfway between (10, 290) and (490, 10).
    EXPECT_EQ(screenPixel(window.view, 250, 150), white);
    for (int n = 0; n < 2; ++n) {
        const int x = theOrbitLine->handleX[n];
        const int y = theOrbitLine->handleY[n];
        EXPECT_EQ(screenPixel(window.view, x, y), handleGreen) << n;
        EXPECT_EQ(screenPixel(window.view, x - 3, y + 3), handleGreen) << n;
        EXPECT_EQ(screenPixel(window.view, x - 5, y), white) << n;
        EXPECT_EQ(screenPixel(window.view, x + 4, y), white) << n;
        EXPECT_EQ(screenPixel(window.view, x, y - 5), white) << n;
        EXPECT_EQ(screenPixel(window.view, x, y + 4), white) << n;
    }
}

TEST_F(FractalViewDrawing, ADraggedHandleIsDrawnAtItsNewPlaceAndGoneFromTheOld)
{
    window.open(500, 300);
    ASSERT_TRUE(repainted(window.view));
    ASSERT_EQ(screenPixel(window.view, 490, 10), handleGreen);
    const COLORREF pictureAtTarget = screenPixel(window.view, 300, 60);
    ASSERT_NE(pictureAtTarget, handleGreen);

    window.press(490, 10);
    window.move(300, 60);
    ASSERT_TRUE(pumpUntil([&] { return screenPixel(window.view, 300, 60) == handleGreen; }));
    EXPECT_EQ(screenPixel(window.view, 297, 63), handleGreen);
    EXPECT_EQ(screenPixel(window.view, 295, 60), white);
    ASSERT_TRUE(repainted(window.view));
    EXPECT_NE(screenPixel(window.view, 490, 10), handleGreen);
    EXPECT_NE(screenPixel(window.view, 490, 10), white);
    window.release(300, 60);
}

TEST_F(FractalViewDrawing, TheZoomBoxIsADottedWhiteOutlineOverTheUnfilledPicture)
{
    window.open(400, 300);
    ASSERT_TRUE(repainted(window.view));
    // The top edge of the box of half-height 50 around (200, 150) is row 100,
    // from column 133 to 265; columns 140 to 259 lie away from the line.
    const std::vector<COLORREF> pictureTop = screenRow(window.view, 100, 140, 260);
    const std::vector<COLORREF> pictureInside = screenRow(window.view, 130, 140, 260);
    const COLORREF pictureOutside = screenPixel(window.view, 132, 150);

    window.press(200, 150);
    window.move(250, 150);
    ASSERT_TRUE(repainted(window.view));

    const std::vector<COLORREF> top = screenRow(window.view, 100, 140, 260);
    int dots = 0;
    for (std::size_t i = 0; i < top.size(); ++i) {
        if (top[i] == white)
            ++dots;
        else
            EXPECT_EQ(top[i], pictureTop[i]) << "a gap shows the picture at column " << 140 + i;
    }
    EXPECT_GT(dots, int(top.size()) / 5);
    EXPECT_LT(dots, int(top.size()) * 4 / 5);
    EXPECT_EQ(screenRow(window.view, 130, 140, 260), pictureInside);
    // The left edge is column 133, the bottom edge row 199 (the platform
    // leaves out the right and bottom edge of a rectangle).
    int leftDots = 0;
    int bottomDots = 0;
    for (int i = 110; i < 190; ++i)
        leftDots += screenPixel(window.view, 133, i) == white;
    for (int x = 150; x < 250; ++x)
        bottomDots += screenPixel(window.view, x, 199) == white;
    EXPECT_GT(leftDots, 10);
    EXPECT_GT(bottomDots, 10);
    EXPECT_EQ(screenPixel(window.view, 132, 150), pictureOutside);
}

TEST_F(FractalViewDrawing, ShrinkingTheBoxWipesTheOldOutline)
{
    window.open(400, 300);
    ASSERT_TRUE(repainted(window.view));
    const std::vector<COLORREF> pictureTop = screenRow(window.view, 100, 140, 260);
    window.press(200, 150);
    window.move(250, 150);
    ASSERT_TRUE(repainted(window.view));
    ASSERT_NE(screenRow(window.view, 100, 140, 260), pictureTop);

    window.move(220, 150);
    ASSERT_EQ(theZoomBox->halfHeight, 20);
    ASSERT_TRUE(repainted(window.view));
    EXPECT_EQ(screenRow(window.view, 100, 140, 260), pictureTop);
    // The new, smaller outline: its top edge is row 130.
    int dots = 0;
    for (int x = 180; x < 220; ++x)
        dots += screenPixel(window.view, x, 130) == white;
    EXPECT_GT(dots, 5);
    window.move(200, 150);
    window.release(200, 150);
}
