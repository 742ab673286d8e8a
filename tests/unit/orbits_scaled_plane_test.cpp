// The Orbits window's plane on the pictures for the larger scales: the same
// part of the plane, more pixels per unit.
#include "orbits/orbit_plot.h"
#include "resources/tools/guide_picture.h"

#include <gtest/gtest.h>

namespace {

const Rgb black = {0, 0, 0};
const Rgb background = {64, 64, 64};
const Rgb border = {75, 75, 75};
const Rgb corner = {86, 86, 86};

} // namespace

TEST(ScaledOrbitPlane, GrowsExactlyWithEachDrawnScale)
{
    const int sizes[][4] = {{96, 128, 96, 32}, {120, 160, 120, 40}, {144, 192, 144, 48}, {192, 256, 192, 64}};
    for (const auto& size : sizes) {
        EXPECT_EQ(orbitPictureWidthFor(size[0]), size[1]) << size[0];
        EXPECT_EQ(orbitPictureHeightFor(size[0]), size[2]) << size[0];
        EXPECT_EQ(orbitPixelsPerUnitFor(size[0]), size[3]) << size[0];
    }
}

TEST(ScaledOrbitPlane, TheGuideKeepsItsBorderAndTheSetItsPlaceAtEveryScale)
{
    for (int dpi : {120, 144, 192}) {
        const Picture guide = makeGuidePicture(dpi);
        const int width = orbitPictureWidthFor(dpi);
        const int height = orbitPictureHeightFor(dpi);
        ASSERT_EQ(guide.width, width) << dpi;
        ASSERT_EQ(guide.height, height) << dpi;
        EXPECT_EQ(guide.at(0, 0), corner) << dpi;
        EXPECT_EQ(guide.at(width - 1, height - 1), corner) << dpi;
        EXPECT_EQ(guide.at(width / 2, 0), border) << dpi;
        EXPECT_EQ(guide.at(width - 1, height / 2), border) << dpi;
        EXPECT_EQ(guide.at(1, 1), background) << dpi;

        // Points of the main cardioid and of the period-2 disc are black;
        // points far outside the set are background.
        const double ppu = orbitPixelsPerUnitFor(dpi);
        const auto colourAt = [&](double re, double im) { return guide.at(realToColumn(re, ppu), imagToRow(im, ppu)); };
        EXPECT_EQ(colourAt(-0.5, 0.0), black) << dpi;
        EXPECT_EQ(colourAt(-1.0, 0.0), black) << dpi;
        EXPECT_EQ(colourAt(0.0, 0.5), black) << dpi;
        EXPECT_EQ(colourAt(1.2, 1.2), background) << dpi;
        EXPECT_EQ(colourAt(-2.3, -1.3), background) << dpi;
    }
}

TEST(ScaledOrbitPlane, AnOrbitLiesOnThePixelsOfTheLargerPicture)
{
    // -1 + 0i is a 2-cycle: -1, 0, -1, 0, ... At 32 pixels per unit -1 is
    // column 48 and 0 column 80, at 64 per unit twice that; the row of 0i is
    // 48 and 96.
    const OrbitPlot plain = plotOrbit(-1.0, 0.0);
    const OrbitPlot doubled = plotOrbit(-1.0, 0.0, 64.0);
    EXPECT_EQ(plain.start, (PlotPoint{48, 48}));
    EXPECT_EQ(doubled.start, (PlotPoint{96, 96}));
    for (int k = 0; k < orbitIterateCount; ++k) {
        EXPECT_EQ(doubled.iterates[k].x, 2 * plain.iterates[k].x) << k;
        EXPECT_EQ(doubled.iterates[k].y, 2 * plain.iterates[k].y) << k;
    }
    EXPECT_EQ(doubled.iterates[0].x, 160);
    EXPECT_EQ(doubled.iterates[1].x, 96);

    // At 48 per unit a point between two pixel edges falls in the pixel
    // that holds it: -0.5 is 2 units from the left edge, column 96.
    EXPECT_EQ(realToColumn(-0.5, 48.0), 96);
    EXPECT_EQ(imagToRow(0.25, 48.0), 84);
}
