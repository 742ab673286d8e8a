#include "common/dpi_scale.h"

#include <gtest/gtest.h>

TEST(ScaleForDpi, LeavesEverySizeAsItIsAt96Dpi)
{
    for (int pixels : {-150, -1, 0, 1, 5, 15, 127, 150, 500, 100000})
        EXPECT_EQ(scaleForDpi(pixels, 96), pixels) << pixels;
}

TEST(ScaleForDpi, RoundsToTheNearestPixelWithHalvesAwayFromZero)
{
    // 150 %: halves round up, and down on the negative side alike.
    EXPECT_EQ(scaleForDpi(1, 144), 2);
    EXPECT_EQ(scaleForDpi(5, 144), 8);
    EXPECT_EQ(scaleForDpi(15, 144), 23);
    EXPECT_EQ(scaleForDpi(150, 144), 225);
    EXPECT_EQ(scaleForDpi(-1, 144), -2);
    EXPECT_EQ(scaleForDpi(-5, 144), -8);
    // 125 %: a quarter rounds down, three quarters up.
    EXPECT_EQ(scaleForDpi(1, 120), 1);
    EXPECT_EQ(scaleForDpi(15, 120), 19);
    EXPECT_EQ(scaleForDpi(4, 120), 5);
    // 200 % doubles; 175 % of 10 is 17.5.
    EXPECT_EQ(scaleForDpi(113, 192), 226);
    EXPECT_EQ(scaleForDpi(10, 168), 18);
}

TEST(ScaleForDpi, TakesAnUnknownDpiAs96AndDoesNotOverflowOnLargeSizes)
{
    EXPECT_EQ(scaleForDpi(150, 0), 150);
    EXPECT_EQ(scaleForDpi(150, -144), 150);
    // The product needs more than 32 bits.
    EXPECT_EQ(scaleForDpi(1000000000, 192), 2000000000);
}

TEST(PictureDpi, IsTheLargestDrawnScaleNotAboveTheDpi)
{
    const int cases[][2] = {{0, 96},    {72, 96},   {96, 96},   {119, 96},  {120, 120},
                            {143, 120}, {144, 144}, {168, 144}, {191, 144}, {192, 192},
                            {288, 192}};
    for (const auto& c : cases)
        EXPECT_EQ(pictureDpiFor(c[0]), c[1]) << c[0];
}

TEST(PictureDpi, NamesEachScalesResourceByItsPercentage)
{
    EXPECT_EQ(scalePercent(96), 100);
    EXPECT_EQ(scalePercent(120), 125);
    EXPECT_EQ(scalePercent(144), 150);
    EXPECT_EQ(scalePercent(192), 200);
    EXPECT_EQ(scaledResourceName("toolbar", 96), "toolbar");
    EXPECT_EQ(scaledResourceName("toolbar", 120), "toolbar125");
    EXPECT_EQ(scaledResourceName("smallmandel", 144), "smallmandel150");
    EXPECT_EQ(scaledResourceName("smallmandel", 192), "smallmandel200");
}
