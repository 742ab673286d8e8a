// The orbit line's handles and the zoom box's repaint area on a screen of a
// larger scale: the sizes given for 96 DPI, scaled by the caller.
#include "view/box_geometry.h"
#include "view/line_geometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ScaledHandles, StartTheGivenInsetInFromTheCorners)
{
    int hx[2] = {};
    int hy[2] = {};
    placeStartHandles(0, 0, 750, 450, hx, hy, 15);
    EXPECT_EQ(hx[0], 15);
    EXPECT_EQ(hy[0], 435);
    EXPECT_EQ(hx[1], 735);
    EXPECT_EQ(hy[1], 15);
}

TEST(ScaledHandles, AHitBoxReachesTheGivenDistanceBothBoundsIncluded)
{
    const int hx[2] = {15, 735};
    const int hy[2] = {435, 15};
    // Reach 8 at 150 %: 17 x 17 pixels.
    EXPECT_EQ(handleHitAt(hx, hy, 15 - 8, 435 + 8, 8), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 15 + 8, 435 - 8, 8), 1);
    EXPECT_EQ(handleHitAt(hx, hy, 15 + 9, 435, 8), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 15, 435 - 9, 8), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 735 + 8, 15 + 8, 8), 2);
    // The same point is outside the default reach of 5.
    EXPECT_EQ(handleHitAt(hx, hy, 15 + 8, 435, 5), 0);
    EXPECT_EQ(handleHitAt(hx, hy, 15 + 5, 435), 1);
}

TEST(GrowBox, GrowsEverySideAndStaysWithinTheIntegerRange)
{
    const BoxEdges box = {133, 100, 266, 200};
    const BoxEdges same = growBox(box, 0);
    EXPECT_EQ(same.left, 133);
    EXPECT_EQ(same.top, 100);
    EXPECT_EQ(same.right, 266);
    EXPECT_EQ(same.bottom, 200);
    const BoxEdges grown = growBox(box, 1);
    EXPECT_EQ(grown.left, 132);
    EXPECT_EQ(grown.top, 99);
    EXPECT_EQ(grown.right, 267);
    EXPECT_EQ(grown.bottom, 201);

    const BoxEdges far = growBox(BoxEdges{INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1}, 2);
    EXPECT_EQ(far.left, INT_MIN);
    EXPECT_EQ(far.top, INT_MIN);
    EXPECT_EQ(far.right, INT_MAX);
    EXPECT_EQ(far.bottom, INT_MAX);
}
