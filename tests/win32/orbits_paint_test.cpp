#include "tests/win32/orbits_test_window.h"

#include "resources/resource_ids.h"
#include "tests/support/win32_test_support.h"

#include <limits>

namespace {

// How a window procedure's WM_ERASEBKGND calls are counted.
WNDPROC realOrbitProc = nullptr;
int erasures = 0;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        ++erasures;
    return CallWindowProcA(realOrbitProc, window, message, wParam, lParam);
}

} // namespace

using OrbitDots = OrbitWindowTest;

TEST_F(OrbitDots, ZeroEndsInTheGreenOfTheLastIterate)
{
    orbit.showCrosshairs = 0;
    showPoint(0.0, 0.0);
    EXPECT_EQ(picturePixel(80, 48), 0x00008200u);
    EXPECT_EQ(windowPixel(80, 48), 0x00008200u);
    // Nothing else is drawn: everywhere else the guide shows.
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 128; ++x) {
            if (x != 80 || y != 48) {
                ASSERT_EQ(picturePixel(x, y), GetPixel(orbit.guideDC, x, y)) << "at " << x << ", " << y;
            }
        }
    }
}

TEST_F(OrbitDots, MinusOneLeavesTheLastTwoGreens)
{
    orbit.showCrosshairs = 0;
    showPoint(-1.0, 0.0);
    EXPECT_EQ(windowPixel(48, 48), 0x00008200u);
    EXPECT_EQ(windowPixel(80, 48), 0x00008400u);
}

TEST_F(OrbitDots, PointOfAnEscapingOrbitIsBrightGreenAndItsFirstIterateBlack)
{
    orbit.showCrosshairs = 0;
    orbit.showGuide = 0;
    // c = -1.25 + 0.5i lies at (40, 64); z1 = -1.25 + (1.5625 - 0.25) + (-1.25 * 0.5 * 2 + 0.5)i
    // = 0.0625 - 0.75i, at (82, 24). The orbit escapes from there.
    showPoint(-1.25, 0.5);
    EXPECT_EQ(windowPixel(40, 64), 0x0000FF00u);
    EXPECT_EQ(windowPixel(82, 24), blackColor);
    // The later iterates far away end at (0, 0) as NaN, in the last green.
    EXPECT_EQ(windowPixel(0, 0), 0x00008200u);
}

using OrbitCrosshairs = OrbitWindowTest;

TEST_F(OrbitCrosshairs, CrossAtTheStartCentreDottedOverOpaqueBlack)
{
    // The point before any move is the view's start-up centre, -0.5 at (64, 48).
    EXPECT_EQ(orbit.pointRe, -0.5);
    EXPECT_EQ(orbit.pointIm, 0.0);
    showPoint(-0.5, 0.0);
    int whiteAlongRow = 0;
    int blackAlongRow = 0;
    for (int x = 0; x < 127; ++x) {
        const COLORREF pixel = windowPixel(x, 48);
        ASSERT_TRUE(pixel == whiteColor || pixel == blackColor) << "x = " << x << ": " << std::hex << pixel;
        whiteAlongRow += pixel == whiteColor;
        blackAlongRow += pixel == blackColor;
    }
    int whiteAlongColumn = 0;
    int blackAlongColumn = 0;
    for (int y = 0; y < 96; ++y) {
        const COLORREF pixel = windowPixel(64, y);
        ASSERT_TRUE(pixel == whiteColor || pixel == blackColor) << "y = " << y << ": " << std::hex << pixel;
        whiteAlongColumn += pixel == whiteColor;
        blackAlongColumn += pixel == blackColor;
    }
    // Dotted: about as many dots as gaps on each line.
    EXPECT_GT(whiteAlongRow, 127 / 3);
    EXPECT_GT(blackAlongRow, 127 / 3);
    EXPECT_GT(whiteAlongColumn, 96 / 3);
    EXPECT_GT(blackAlongColumn, 96 / 3);
    // Beside the lines the guide shows through.
    EXPECT_EQ(windowPixel(63, 47), blackColor) << "inside the set";
    EXPECT_EQ(windowPixel(10, 10), guideBackgroundColor);
    EXPECT_EQ(windowPixel(63, 0), guideBorderColor);
    EXPECT_EQ(windowPixel(0, 47), guideBorderColor);
}

TEST_F(OrbitCrosshairs, CoverTheDotsOnTheirLines)
{
    // The iterates of -0.5 lie on the real axis, on the horizontal crosshair;
    // z1 = -0.25 would be the black dot at (72, 48), z2 = -0.4375 green at (66, 48).
    showPoint(-0.5, 0.0);
    for (int x = 60; x < 80; ++x) {
        const COLORREF pixel = windowPixel(x, 48);
        EXPECT_TRUE(pixel == whiteColor || pixel == blackColor) << "x = " << x << ": " << std::hex << pixel;
    }
    orbit.showCrosshairs = 0;
    showPoint(-0.5, 0.0);
    EXPECT_EQ(windowPixel(64, 48), 0x0000FF00u);
    EXPECT_EQ(windowPixel(79, 48) & 0xFF00FFu, 0u) << "only green dots on the axis";
    EXPECT_EQ(windowPixel(10, 48), guideBackgroundColor);
}

TEST_F(OrbitCrosshairs, LeaveTheDottedPenDeselected)
{
    showPoint(0.25, -0.25);
    EXPECT_EQ(GetCurrentObject(orbit.scratchDC, OBJ_PEN), GetStockObject(BLACK_PEN));
    orbit.drawLines = 1;
    showPoint(0.25, -0.25);
    EXPECT_EQ(GetCurrentObject(orbit.scratchDC, OBJ_PEN), GetStockObject(WHITE_PEN));
}

TEST_F(OrbitCrosshairs, PointOutsideThePictureShowsNeitherDotNorLines)
{
    // 1.5 + 1.5i maps to (128, 96), just outside the picture: no dot and no
    // crosshair. Its orbit escapes; once its iterates are NaN they all land on
    // (0, 0), the last in the green of k = 63.
    showPoint(1.5, 1.5);
    EXPECT_EQ(picturePixel(0, 0), 0x00008200u);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 128; ++x) {
            if (x != 0 || y != 0) {
                ASSERT_EQ(picturePixel(x, y), GetPixel(orbit.guideDC, x, y)) << "at " << x << ", " << y;
            }
        }
    }
}

using OrbitLines = OrbitWindowTest;

TEST_F(OrbitLines, MinusOneJoinsItsTwoPointsWithWhite)
{
    orbit.drawLines = 1;
    orbit.showCrosshairs = 0;
    orbit.showGuide = 0;
    showPoint(-1.0, 0.0);
    for (int x = 48; x <= 80; ++x)
        EXPECT_EQ(windowPixel(x, 48), whiteColor) << "x = " << x;
    EXPECT_EQ(windowPixel(47, 48), blackColor);
    EXPECT_EQ(windowPixel(81, 48), blackColor);
    EXPECT_EQ(windowPixel(64, 47), blackColor);
    EXPECT_EQ(windowPixel(64, 49), blackColor);
}

TEST_F(OrbitLines, ImaginaryUnitDrawsItsTriangle)
{
    // i at (80, 80) goes to -1 + i at (48, 80), then to -i at (80, 16) and back.
    orbit.drawLines = 1;
    orbit.showCrosshairs = 0;
    showPoint(0.0, 1.0);
    EXPECT_EQ(windowPixel(64, 80), whiteColor) << "the first segment";
    EXPECT_EQ(windowPixel(64, 48), whiteColor) << "the middle of the diagonal";
    EXPECT_EQ(windowPixel(80, 16), whiteColor) << "the far end of the diagonal";
    EXPECT_EQ(windowPixel(80, 48), blackColor) << "inside the set, off the lines";
    EXPECT_EQ(windowPixel(100, 48), guideBackgroundColor);
}

using OrbitBackground = OrbitWindowTest;

TEST_F(OrbitBackground, IsTheGuideOrBlack)
{
    orbit.showCrosshairs = 0;
    showPoint(0.0, 0.0);
    EXPECT_EQ(windowPixel(0, 0), guideCornerColor);
    EXPECT_EQ(windowPixel(40, 0), guideBorderColor);
    EXPECT_EQ(windowPixel(20, 20), guideBackgroundColor);
    EXPECT_EQ(windowPixel(64, 48), blackColor);

    SendMessageA(window, WM_COMMAND, CMD_GUIDE, 0);
    showPoint(0.0, 0.0);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(picturePixel(x, y), x == 80 && y == 48 ? 0x00008200u : blackColor) << "at " << x << ", " << y;
    EXPECT_EQ(windowPixel(0, 0), blackColor);
    EXPECT_EQ(windowPixel(20, 20), blackColor);

    SendMessageA(window, WM_COMMAND, CMD_GUIDE, 0);
    showPoint(0.0, 0.0);
    EXPECT_EQ(windowPixel(0, 0), guideCornerColor);
    EXPECT_EQ(windowPixel(20, 20), guideBackgroundColor);
}

TEST_F(OrbitBackground, WindowShowsTheWholeComposedPicture)
{
    orbit.drawLines = 1;
    showPoint(-0.75, 0.1);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 127; ++x)
            ASSERT_EQ(windowPixel(x, y), picturePixel(x, y)) << "at " << x << ", " << y;
}

TEST_F(OrbitBackground, NewPointRepaintsWithoutErasing)
{
    realOrbitProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingProc)));
    erasures = 0;
    orbit.showCrosshairs = 0;
    orbit.setOrbitPoint(0.0, 0.0);
    RECT update = {};
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 127);
    EXPECT_EQ(update.bottom, 96);
    // The repaint comes through the message loop.
    EXPECT_TRUE(pumpUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }));
    EXPECT_EQ(erasures, 0);
    EXPECT_EQ(windowPixel(80, 48), 0x00008200u);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(realOrbitProc));
}

using OrbitEscaping = OrbitWindowTest;

TEST_F(OrbitEscaping, FarPointsPaintWholeInBothModes)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const double points[][2] = {{2.0, 2.0}, {1e300, 0.0}, {-1e300, 1e300}, {infinity, -infinity},
                                {std::numeric_limits<double>::quiet_NaN(), 0.5}, {134217728.0, 0.0}};
    for (unsigned char lines = 0; lines < 2; ++lines) {
        for (const auto& point : points) {
            orbit.drawLines = lines;
            orbit.showGuide = 1;
            showPoint(point[0], point[1]);
            // The paint ran to its end: its last step copied the picture.
            for (int y = 0; y < 96; y += 5)
                for (int x = 0; x < 127; x += 7)
                    ASSERT_EQ(windowPixel(x, y), picturePixel(x, y))
                        << point[0] << ", " << point[1] << " lines " << int(lines) << " at " << x << ", " << y;
            EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
        }
    }
}

TEST_F(OrbitEscaping, HugePointDotsAtTheLeftEdgeAndTheCorner)
{
    // 1e300 maps to column 0; z1 = 1e300 + 1e600 is infinite, also column 0,
    // drawn black; z2 has a NaN imaginary part, and every later iterate lands
    // on (0, 0).
    orbit.showCrosshairs = 0;
    showPoint(1e300, 0.0);
    EXPECT_EQ(windowPixel(0, 48), blackColor);
    EXPECT_EQ(windowPixel(0, 0), 0x00008200u);
    EXPECT_EQ(windowPixel(1, 1), guideBackgroundColor);
}

TEST_F(OrbitEscaping, LinesFollowTheOrbitUntilItLeaves)
{
    // -1.25 + 0.5i at (40, 64) goes to (82, 24), then (22, 61), then escapes.
    orbit.showCrosshairs = 0;
    orbit.showGuide = 0;
    orbit.drawLines = 1;
    showPoint(-1.25, 0.5);
    EXPECT_EQ(windowPixel(40, 64), whiteColor);
    EXPECT_EQ(windowPixel(61, 44), whiteColor) << "the middle of the first segment";
    EXPECT_EQ(windowPixel(72, 30), whiteColor) << "a sixth along the second segment, y = 30.17";
    EXPECT_EQ(windowPixel(30, 30), blackColor);
}

TEST_F(OrbitEscaping, LinesFarOutsideAreClippedAway)
{
    // The segments of 2 + 2i run from (144, 112) through (144, 368),
    // (-2928, 1392), (226448, -252560) and wrapped coordinates to (0, 0),
    // all of them outside the picture.
    orbit.showCrosshairs = 0;
    orbit.showGuide = 0;
    orbit.drawLines = 1;
    showPoint(2.0, 2.0);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(picturePixel(x, y), blackColor) << "at " << x << ", " << y;
}
