#include "engine/deep_view.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DeepView, DeepOnceThePixelsLieCloserThanTwoToTheMinus42)
{
    // At 800 rows the edge lies at a half-height of 400 x 2^-42.
    const double edge = 400 * 0x1p-42;
    EXPECT_FALSE(isDeepView(edge, 800));
    EXPECT_TRUE(isDeepView(std::nextafter(edge, 0.0), 800));
    EXPECT_FALSE(isDeepView(std::nextafter(edge, 1.0), 800));
    // The same half-height is deep in a taller picture and shallow in a
    // shorter one.
    EXPECT_TRUE(isDeepView(edge, 801));
    EXPECT_FALSE(isDeepView(edge, 799));
    EXPECT_FALSE(isDeepView(1.3, 800));
    EXPECT_FALSE(isDeepView(1e-10, 800));
    EXPECT_TRUE(isDeepView(1e-12, 800));
    EXPECT_TRUE(isDeepView(1e-14, 100));
    EXPECT_TRUE(isDeepView(deepestHalfHeight, 65535));
    // A picture without rows is judged as one of a single row.
    EXPECT_FALSE(isDeepView(1e-12, 0));
    EXPECT_TRUE(isDeepView(1e-13, 0));
}

TEST(DeepView, OffsetsRunFromMinusToPlusTheHalfExtents)
{
    const double halfHeight = 1e-100;
    // Column x lies (2x/W - 1) x halfWidth from the centre, with halfWidth =
    // W x halfHeight / H, and the middle column of an even width on it.
    EXPECT_EQ(deepColumnOffset(0, 1000, halfHeight, 800), -(1000 * halfHeight / 800));
    EXPECT_EQ(deepColumnOffset(500, 1000, halfHeight, 800), 0.0);
    EXPECT_EQ(deepColumnOffset(750, 1000, halfHeight, 800), 0.5 * (1000 * halfHeight / 800));
    EXPECT_EQ(deepColumnOffset(1000, 1000, halfHeight, 800), 1000 * halfHeight / 800);
    // Rows grow downwards from -halfHeight.
    EXPECT_EQ(deepRowOffset(0, halfHeight, 800), -halfHeight);
    EXPECT_EQ(deepRowOffset(400, halfHeight, 800), 0.0);
    EXPECT_EQ(deepRowOffset(200, halfHeight, 800), -0.5 * halfHeight);
    // Odd sizes keep the order of operations: (2x / W - 1) x halfWidth.
    EXPECT_EQ(deepColumnOffset(3, 7, halfHeight, 5), (2.0 * 3 / 7 - 1.0) * (7 * halfHeight / 5));
    EXPECT_EQ(deepRowOffset(3, halfHeight, 5), (2.0 * 3 / 5 - 1.0) * halfHeight);
}

TEST(DeepView, OffsetsStayNormalDoublesAtTheDeepestHalfHeight)
{
    for (const int height : {1, 2, 800, 65535}) {
        const double spacing = deepRowOffset(1, deepestHalfHeight, height) - deepRowOffset(0, deepestHalfHeight, height);
        EXPECT_TRUE(std::isnormal(spacing)) << height;
        EXPECT_NEAR(spacing / pixelSpacing(deepestHalfHeight, height), 1.0, 1e-10) << height;
    }
}

TEST(DeepView, TheOffsetRadiusBoundsEveryPixel)
{
    const double radius = deepOffsetRadius(1e-50, 1000, 800);
    EXPECT_DOUBLE_EQ(radius, std::hypot(1.25e-50, 1e-50));
    for (const int x : {0, 999, 1000})
        for (const int y : {0, 799, 800})
            EXPECT_LE(std::hypot(deepColumnOffset(x, 1000, 1e-50, 800), deepRowOffset(y, 1e-50, 800)), radius);
}
