#include "view/line_geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Arrays that show which elements a sampling left alone.
constexpr double untouched = -12345.5;

struct Samples {
    double xs[8];
    double ys[8];
    Samples()
    {
        for (int i = 0; i < 8; ++i)
            xs[i] = ys[i] = untouched;
    }
};

} // namespace

TEST(OrbitLineStart, HandlesSitTenPixelsInFromTheLowerLeftAndUpperRightCorners)
{
    int hx[2] = {};
    int hy[2] = {};
    placeStartHandles(0, 0, 500, 300, hx, hy);
    EXPECT_EQ(hx[0], 10);
    EXPECT_EQ(hy[0], 290);
    EXPECT_EQ(hx[1], 490);
    EXPECT_EQ(hy[1], 10);
}

TEST(OrbitLineSampling, FourPointsFromTheStartHandlesStopOneStepShortOfHandleTwo)
{
    const int hx[2] = {10, 490};
    const int hy[2] = {290, 10};
    Samples s;
    sampleLinePoints(hx, hy, s.xs, s.ys, 4);
    const double expectedX[4] = {10, 130, 250, 370};
    const double expectedY[4] = {290, 220, 150, 80};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.xs[i], expectedX[i]) << i;
        EXPECT_EQ(s.ys[i], expectedY[i]) << i;
    }
    EXPECT_EQ(s.xs[4], untouched);
    EXPECT_EQ(s.ys[4], untouched);
}

TEST(OrbitLineSampling, OnePointIsHandleOneAndNoneOrFewerWritesNothing)
{
    const int hx[2] = {10, 490};
    const int hy[2] = {290, 10};
    Samples one;
    sampleLinePoints(hx, hy, one.xs, one.ys, 1);
    EXPECT_EQ(one.xs[0], 10.0);
    EXPECT_EQ(one.ys[0], 290.0);
    EXPECT_EQ(one.xs[1], untouched);

    for (int n : {0, -1, INT_MIN}) {
        Samples none;
        sampleLinePoints(hx, hy, none.xs, none.ys, n);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(none.xs[i], untouched) << n;
            EXPECT_EQ(none.ys[i], untouched) << n;
        }
    }
}

TEST(OrbitLineSampling, HandlesOnOnePointGiveCopiesOfIt)
{
    const int hx[2] = {77, 77};
    const int hy[2] = {-4, -4};
    Samples s;
    sampleLinePoints(hx, hy, s.xs, s.ys, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.xs[i], 77.0);
        EXPECT_EQ(s.ys[i], -4.0);
    }
}

TEST(OrbitLineSampling, AnUnevenStepGivesFractionalPositions)
{
    const int hx[2] = {0, 10};
    const int hy[2] = {10, 0};
    Samples s;
    sampleLinePoints(hx, hy, s.xs, s.ys, 3);
    EXPECT_EQ(s.xs[0], 0.0);
    EXPECT_DOUBLE_EQ(s.xs[1], 3.3333333333333335);
    EXPECT_DOUBLE_EQ(s.xs[2], 6.666666666666667);
    EXPECT_EQ(s.ys[0], 10.0);
    EXPECT_DOUBLE_EQ(s.ys[1], 6.666666666666667);
    EXPECT_DOUBLE_EQ(s.ys[2], 3.3333333333333335);
}

TEST(OrbitLineSampling, HandlesFurtherApartThanAThirtyTwoBitDifferenceStillSampleTheLine)
{
    const int hx[2] = {-2000000000, 2000000000};
    const int hy[2] = {2000000000, -2000000000};
    Samples s;
    sampleLinePoints(hx, hy, s.xs, s.ys, 4);
    EXPECT_EQ(s.xs[1], -1000000000.0);
    EXPECT_EQ(s.xs[2], 0.0);
    EXPECT_EQ(s.ys[3], -1000000000.0);
}

TEST(OrbitLineHitTest, TheHitBoxReachesFivePixelsEachWayWithBothBoundsIncluded)
{
    const int hx[2] = {100, 400};
    const int hy[2] = {200, 50};
    EXPECT_EQ(handleHitAt(hx, hy, 100, 200), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 105, 205), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 95, 195), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 106, 200), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 100, 206), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 94, 200), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 100, 194), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 405, 55), 2);
    EXPECT_EQ(handleHitAt(hx, hy, 406, 55), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 250, 125), 0);
}

TEST(OrbitLineHitTest, HandleOneWinsWhereBothBoxesHoldThePoint)
{
    const int hx[2] = {100, 108};
    const int hy[2] = {100, 104};
    EXPECT_EQ(handleHitAt(hx, hy, 104, 102), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 105, 105), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 110, 104), 2);
    EXPECT_EQ(handleHitAt(hx, hy, 103, 109), 2);
}

TEST(OrbitLineHitTest, HandlesAtTheEndsOfTheIntegerRangeCompareWithoutOverflow)
{
    const int hx[2] = {INT_MAX, INT_MIN};
    const int hy[2] = {INT_MIN, INT_MAX};
    EXPECT_EQ(handleHitAt(hx, hy, INT_MAX - 5, INT_MIN + 5), 1);
    EXPECT_EQ(handleHitAt(hx, hy, INT_MAX - 6, INT_MIN), 0);
    EXPECT_EQ(handleHitAt(hx, hy, INT_MIN + 5, INT_MAX), 2);
    EXPECT_EQ(handleHitAt(hx, hy, INT_MAX, INT_MAX), 0);
}
