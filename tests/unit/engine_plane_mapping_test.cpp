#include "engine/plane_mapping.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

// The start-up view over a picture of 600 x 400 pixels.
PlaneEdges startEdges()
{
    return planeEdges(-0.5, 0.0, 1.3, 600, 400);
}

} // namespace

TEST(PlaneEdges, FollowTheAspectRatioOfThePicture)
{
    const PlaneEdges edges = startEdges();
    // Half-width 600 * 1.3 / 400 = 1.95.
    EXPECT_DOUBLE_EQ(edges.left, -2.45);
    EXPECT_DOUBLE_EQ(edges.right, 1.45);
    EXPECT_DOUBLE_EQ(edges.top, -1.3);
    EXPECT_DOUBLE_EQ(edges.bottom, 1.3);
    EXPECT_DOUBLE_EQ((edges.right - edges.left) / 2, 1.95);

    const PlaneEdges square = planeEdges(1.0, 2.0, 0.5, 300, 300);
    EXPECT_EQ(square.left, 0.5);
    EXPECT_EQ(square.right, 1.5);
    EXPECT_EQ(square.top, 1.5);
    EXPECT_EQ(square.bottom, 2.5);

    const PlaneEdges tall = planeEdges(0.0, 0.0, 1.0, 100, 400);
    EXPECT_EQ(tall.left, -0.25);
    EXPECT_EQ(tall.right, 0.25);
}

TEST(PlaneMapping, StartUpViewExamples)
{
    const PlaneEdges edges = startEdges();
    EXPECT_DOUBLE_EQ(columnToReal(edges, 0, 600), -2.45);
    EXPECT_DOUBLE_EQ(columnToReal(edges, 300, 600), -0.5);
    EXPECT_DOUBLE_EQ(rowToImag(edges, 0, 400), -1.3);
    EXPECT_NEAR(rowToImag(edges, 200, 400), 0.0, 1e-15);
    // Column W and row H would be the right and bottom edges.
    EXPECT_DOUBLE_EQ(columnToReal(edges, 600, 600), 1.45);
    EXPECT_DOUBLE_EQ(rowToImag(edges, 400, 400), 1.3);
    // The imaginary part grows downwards.
    EXPECT_LT(rowToImag(edges, 10, 400), rowToImag(edges, 11, 400));
}

TEST(PlaneMapping, TakesTheProductBeforeTheDivision)
{
    // Bit-exact values of left + (right - left) * x / W; dividing first, or
    // dividing the width first, rounds these differently.
    const PlaneEdges edges = startEdges();
    EXPECT_EQ(columnToReal(edges, 100, 600), -1.8);
    EXPECT_EQ(columnToReal(edges, 94, 600), -1.8390000000000002);
    EXPECT_EQ(columnToReal(edges, 300, 600), -0.5000000000000002);
    EXPECT_EQ(rowToImag(edges, 43, 400), -1.0205000000000002);
    EXPECT_EQ(rowToImag(edges, 56, 400), -0.936);
}

TEST(BoxZoomHalfHeight, ScalesByTheBoxAgainstHalfTheClientHeight)
{
    EXPECT_DOUBLE_EQ(boxZoomHalfHeight(3, 1.3, 400), 0.0195);
    EXPECT_EQ(boxZoomHalfHeight(100, 1.3, 400), 0.65);
    EXPECT_DOUBLE_EQ(boxZoomHalfHeight(200, 1.3, 400), 1.3);
    // Half of 401 is 200 in integer division.
    EXPECT_DOUBLE_EQ(boxZoomHalfHeight(200, 1.3, 401), 1.3);
    EXPECT_EQ(boxZoomHalfHeight(7, 1.0, 3), 7.0);
    EXPECT_EQ(boxZoomHalfHeight(5, 2.0, 11), 2.0);
    // A box larger than the view zooms out.
    EXPECT_EQ(boxZoomHalfHeight(400, 1.5, 400), 3.0);
}

TEST(ViewInRange, HoldsForOrdinaryViewsAndPictureSizes)
{
    EXPECT_TRUE(viewInRange(-0.5, 0.0, 1.3, 600, 400));
    EXPECT_TRUE(viewInRange(-0.5, 0.0, 1.5, 32767, 1));
    EXPECT_TRUE(viewInRange(1e300, -1e300, 1e-300, 600, 400));
    // A picture without pixels is judged as a single pixel.
    EXPECT_TRUE(viewInRange(-0.5, 0.0, 1.3, 0, 0));
    EXPECT_TRUE(viewInRange(-0.5, 0.0, 1.3, 600, 0));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, DBL_MAX, 0, 0));
}

TEST(ViewInRange, NeedsAPositiveNormalHalfHeight)
{
    EXPECT_TRUE(viewInRange(-0.5, 0.0, DBL_MIN, 600, 400));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, DBL_MIN / 2, 600, 400));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, std::numeric_limits<double>::denorm_min(), 600, 400));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, 0.0, 600, 400));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, -1.3, 600, 400));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, std::numeric_limits<double>::infinity(), 600, 400));
    EXPECT_FALSE(viewInRange(-0.5, 0.0, std::nan(""), 600, 400));
}

TEST(ViewInRange, NeedsFiniteEdgesAndAFinitePointAtEveryPixel)
{
    // The half-width 600 * h / 400 overflows in its product before h does.
    EXPECT_FALSE(viewInRange(0.0, 0.0, DBL_MAX / 100, 600, 400));
    // Finite half-height and half-width, but an edge beyond the range.
    EXPECT_FALSE(viewInRange(DBL_MAX, 0.0, 1e300, 600, 400));
    EXPECT_FALSE(viewInRange(0.0, -DBL_MAX, 1e300, 600, 400));
    EXPECT_FALSE(viewInRange(std::numeric_limits<double>::infinity(), 0.0, 1.0, 600, 400));
    EXPECT_FALSE(viewInRange(0.0, std::nan(""), 1.0, 600, 400));
    // Edges of +-1e305 are finite, but the width 2e305 times 1000 columns
    // is not: the mapping would give infinite points.
    const PlaneEdges wide = planeEdges(0.0, 0.0, 1e305, 1000, 1000);
    ASSERT_TRUE(std::isfinite(wide.left) && std::isfinite(wide.right));
    EXPECT_FALSE(viewInRange(0.0, 0.0, 1e305, 1000, 1000));
    EXPECT_TRUE(viewInRange(0.0, 0.0, 1e304, 1000, 1000));
    // Tall pictures: the rows bound the range.
    EXPECT_FALSE(viewInRange(0.0, 0.0, 1e305, 1, 1000));
    EXPECT_TRUE(viewInRange(0.0, 0.0, 1e304, 1, 1000));
}

TEST(ViewInRange, DoublingAndHalvingTheStartViewStopAtBothEnds)
{
    // Zoom Out doubles until the next view would leave the range; Zoom In
    // then halves back to exactly the start.
    double halfHeight = 1.3;
    int outs = 0;
    while (viewInRange(-0.5, 0.0, halfHeight * 2, 600, 400)) {
        halfHeight *= 2;
        ++outs;
    }
    // The width times 600 columns, 1800 h, stays below 2^1024 up to
    // h = 1.3 * 2^1012.
    EXPECT_EQ(outs, 1012);
    for (int i = 0; i < outs; ++i)
        halfHeight *= 0.5;
    EXPECT_EQ(halfHeight, 1.3);

    int ins = 0;
    while (viewInRange(-0.5, 0.0, halfHeight * 0.5, 600, 400)) {
        halfHeight *= 0.5;
        ++ins;
    }
    EXPECT_TRUE(std::isnormal(halfHeight));
    EXPECT_LT(halfHeight * 0.5, DBL_MIN);
    EXPECT_EQ(ins, 1022);
    for (int i = 0; i < ins; ++i)
        halfHeight *= 2;
    EXPECT_EQ(halfHeight, 1.3);
}
