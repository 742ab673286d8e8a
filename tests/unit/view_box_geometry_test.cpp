#include "view/box_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

void expectEdges(const BoxEdges& box, int left, int top, int right, int bottom)
{
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.right, right);
    EXPECT_EQ(box.bottom, bottom);
}

} // namespace

TEST(ZoomBoxAspect, IsTheClientWidthOverHeightAsA32BitFloat)
{
    const float aspect = boxAspect(400, 300);
    EXPECT_EQ(aspect, 1.33333337f);
    EXPECT_EQ(double(aspect), 1.3333333730697632);
    EXPECT_EQ(boxAspect(500, 250), 2.0f);
    EXPECT_EQ(boxAspect(0, 300), 0.0f);
}

TEST(ZoomBoxAspect, AClientAreaWithoutHeightKeepsTheBoxFinite)
{
    const float aspect = boxAspect(400, 0);
    EXPECT_TRUE(std::isfinite(aspect));
    EXPECT_EQ(aspect, 1.0f);
    expectEdges(boxEdges(10, 0, 7, aspect), 3, -7, 17, 7);
}

TEST(ZoomBoxTracking, AMoveSideways50PixelsGivesTheTruncatedBoxOfHalfHeight50)
{
    const float aspect = boxAspect(400, 300);
    const int h = mouseHalfHeight(200, 150, 250, 150);
    EXPECT_EQ(h, 50);
    // 200 -/+ 66.67: both edges truncated.
    const BoxEdges box = boxEdges(200, 150, h, aspect);
    expectEdges(box, 133, 100, 266, 200);
    // The old box had zero size at the centre, so the repaint is the new box.
    const BoxEdges start = boxEdges(200, 150, 0, aspect);
    expectEdges(start, 200, 150, 200, 150);
    expectEdges(boxUnion(start, box), 133, 100, 266, 200);
}

TEST(ZoomBoxTracking, TheHalfHeightIsTheTruncatedDistanceInAnyDirection)
{
    EXPECT_EQ(mouseHalfHeight(200, 150, 230, 190), 50);
    EXPECT_EQ(mouseHalfHeight(200, 150, 170, 110), 50);
    EXPECT_EQ(mouseHalfHeight(200, 150, 201, 151), 1);
    EXPECT_EQ(mouseHalfHeight(200, 150, 200, 150), 0);
    EXPECT_EQ(mouseHalfHeight(200, 150, 150, 150), 50);
    EXPECT_EQ(mouseHalfHeight(200, 150, 200, 100), 50);
    // sqrt(8) = 2.83 truncates to 2, sqrt(98) = 9.90 to 9.
    EXPECT_EQ(mouseHalfHeight(0, 0, 2, 2), 2);
    EXPECT_EQ(mouseHalfHeight(0, 0, 7, 7), 9);
}

TEST(ZoomBoxTracking, DistancesAcrossTheWholeMouseRangeDoNotOverflow)
{
    // 65535 squared is past the 32-bit range.
    EXPECT_EQ(mouseHalfHeight(0, 0, 65535, 0), 65535);
    EXPECT_EQ(mouseHalfHeight(65535, 65535, 0, 0), 92680);
    EXPECT_EQ(mouseHalfHeight(0, 65535, 65535, 0), 92680);
    EXPECT_EQ(mouseHalfHeight(INT_MIN, INT_MIN, INT_MAX, INT_MAX), INT_MAX);
}

TEST(ZoomBoxTracking, AShrinkingBoxRepaintsTheLargerOldBox)
{
    const float aspect = boxAspect(400, 300);
    const BoxEdges old = boxEdges(200, 150, 50, aspect);
    const BoxEdges shrunk = boxEdges(200, 150, mouseHalfHeight(200, 150, 200, 170), aspect);
    expectEdges(shrunk, 173, 130, 226, 170);
    expectEdges(boxUnion(old, shrunk), 133, 100, 266, 200);
    expectEdges(boxUnion(shrunk, old), 133, 100, 266, 200);
}

TEST(ZoomBoxEdges, EdgesLeftOfTheClientAreaTruncateTowardZero)
{
    // 2 x 1.85f is 3.70000005: left -3.7 becomes -3, not -4.
    expectEdges(boxEdges(0, 1, 2, 1.85f), -3, -1, 3, 3);
    const float aspect = boxAspect(400, 300);
    // 5 - 66.67 = -61.67 becomes -61.
    expectEdges(boxEdges(5, 20, 50, aspect), -61, -30, 71, 70);
}

TEST(ZoomBoxEdges, BoxesBeyondTheIntegerRangeStopAtItsEnds)
{
    expectEdges(boxEdges(0, 0, INT_MAX, 1000.0f), INT_MIN, -INT_MAX, INT_MAX, INT_MAX);
    expectEdges(boxEdges(INT_MIN, INT_MIN, 10, 1.0f), INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10);
}
