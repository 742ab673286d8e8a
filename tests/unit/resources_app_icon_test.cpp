#include "resources/tools/app_icon.h"

#include <gtest/gtest.h>

namespace {

// The icon's pixel over a point of the plane.
Rgba pixelAt(const IconImage& icon, double re, double im)
{
    const double pixelsPerUnit = icon.size / (2 * appIconHalfSide);
    return icon.at(int((re - appIconCenterReal) * pixelsPerUnit + icon.size / 2.0),
                   int(im * pixelsPerUnit + icon.size / 2.0));
}

bool bluish(const Rgba& c)
{
    return c.blue > c.red && c.blue > 100;
}

} // namespace

TEST(AppIcon, IsDrawnAtEverySizeOnATileWithTransparentCorners)
{
    for (int size : appIconSizes) {
        const IconImage icon = makeAppIcon(size);
        ASSERT_EQ(icon.size, size);
        ASSERT_EQ(icon.pixels.size(), std::size_t(size) * size);
        // Outside the rounded corners nothing is drawn.
        EXPECT_EQ(icon.at(0, 0).alpha, 0) << size;
        EXPECT_EQ(icon.at(size - 1, 0).alpha, 0) << size;
        EXPECT_EQ(icon.at(0, size - 1).alpha, 0) << size;
        EXPECT_EQ(icon.at(size - 1, size - 1).alpha, 0) << size;
        // The tile starts a sixteenth of the side in, where the middle of
        // each edge is drawn; the middle of the icon lies well inside it.
        const int margin = size / 16;
        EXPECT_EQ(icon.at(size / 2, margin - 1).alpha, 0) << size;
        EXPECT_GT(icon.at(size / 2, margin).alpha, 0) << size;
        EXPECT_GT(icon.at(margin, size / 2).alpha, 0) << size;
        EXPECT_EQ(icon.at(size / 2, size / 2).alpha, 255) << size;
    }
}

TEST(AppIcon, TheTilesEdgeIsSmoothedWithPartlyCoveredPixels)
{
    const IconImage icon = makeAppIcon(48);
    int partial = 0;
    for (const Rgba& pixel : icon.pixels)
        partial += pixel.alpha > 0 && pixel.alpha < 255;
    // Along the rounded corners at least.
    EXPECT_GT(partial, 8);
}

TEST(AppIcon, ShowsTheSetInBlackOnBlue)
{
    for (int size : {32, 256}) {
        const IconImage icon = makeAppIcon(size);
        // The main cardioid and the period-2 disc.
        EXPECT_EQ(pixelAt(icon, -0.2, 0.0), appIconSet) << size;
        EXPECT_EQ(pixelAt(icon, -1.0, 0.0), appIconSet) << size;
        // Far from the set, on the tile.
        EXPECT_TRUE(bluish(pixelAt(icon, 0.5, 0.0))) << size;
        EXPECT_TRUE(bluish(pixelAt(icon, -1.6, 0.9))) << size;
    }
}

TEST(AppIcon, IsSymmetricAboutItsMiddleRowLikeTheSet)
{
    const IconImage icon = makeAppIcon(48);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(icon.at(x, y), icon.at(x, 47 - y)) << x << "," << y;
}
