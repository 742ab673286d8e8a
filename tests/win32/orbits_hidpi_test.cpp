// The Orbits window on a screen at 150 % (144 DPI): the same part of the
// plane on a picture of 192 x 144 pixels, at 48 pixels per unit.
#include "tests/support/screen_dpi.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/orbits_test_window.h"

namespace {

class OrbitWindowAt144Dpi : public OrbitWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(screenAt144Dpi());
        OrbitWindowTest::SetUp();
    }
};

} // namespace

TEST_F(OrbitWindowAt144Dpi, IsSizedAndPlacedForTheScale)
{
    EXPECT_EQ(orbit.dpi, 144);
    expectPlacedAndSized(225, {191, 144}, {192, 144});
    // The guide's border and the set where it lies on the plane.
    EXPECT_EQ(windowPixel(10, 0), guideBorderColor);
    EXPECT_EQ(windowPixel(0, 143), guideCornerColor);
}

TEST_F(OrbitWindowAt144Dpi, DrawsTheOrbitAtFortyEightPixelsPerUnitWithWiderStrokes)
{
    // -1 + 0i is a 2-cycle between -1 and 0: at 48 pixels per unit the
    // pixels (72, 72) and (120, 72). Each dot is a 2 x 2 square centred as
    // a two-pixel line is, the last iterates' greens on top: 130 at -1
    // (iterate 63), 132 at 0 (iterate 62).
    orbit.showCrosshairs = 0;
    showPoint(-1.0, 0.0);
    for (int dy = -1; dy <= 0; ++dy) {
        for (int dx = -1; dx <= 0; ++dx) {
            EXPECT_EQ(picturePixel(72 + dx, 72 + dy), RGB(0, 130, 0)) << dx << "," << dy;
            EXPECT_EQ(picturePixel(120 + dx, 72 + dy), RGB(0, 132, 0)) << dx << "," << dy;
        }
    }
    EXPECT_NE(picturePixel(73, 72), RGB(0, 130, 0));
    EXPECT_NE(picturePixel(72, 70), RGB(0, 130, 0));

    // Lines: two pixels wide from (72, 72) to (120, 72) and back.
    orbit.drawLines = 1;
    showPoint(-1.0, 0.0);
    for (int x = 74; x < 118; ++x) {
        EXPECT_EQ(picturePixel(x, 71), whiteColor) << x;
        EXPECT_EQ(picturePixel(x, 72), whiteColor) << x;
        EXPECT_NE(picturePixel(x, 73), whiteColor) << x;
    }

    // Crosshairs: dotted, two pixels wide, across the whole picture.
    orbit.showCrosshairs = 1;
    showPoint(-0.5, 0.0);
    int whiteColumns = 0;
    for (int y = 0; y < 144; ++y)
        whiteColumns += windowPixel(95, y) == whiteColor && windowPixel(96, y) == whiteColor;
    EXPECT_GT(whiteColumns, 40);
}
