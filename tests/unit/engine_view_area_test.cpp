// Where zooms take a view: shallow views exactly as the double mapping has
// it, deep views by their precise centre, and the deepest half-height kept.
#include "engine/view_area.h"

#include "engine/deep_view.h"
#include "engine/plane_mapping.h"

#include <gtest/gtest.h>

namespace {

constexpr int width = 400;
constexpr int height = 300;

ViewArea startArea()
{
    return areaOf(Location{}, height);
}

void expectShallowAndSettled(const ViewArea& area)
{
    EXPECT_FALSE(isDeepView(area.halfHeight, height));
    EXPECT_EQ(area.preciseReal, PreciseReal(area.centerReal));
    EXPECT_EQ(area.preciseImag, PreciseReal(area.centerImag));
}

} // namespace

TEST(ViewArea, ShallowZoomsFollowTheDoubleMappingExactly)
{
    ViewArea area = startArea();
    for (int zoom = 0; zoom < 12; ++zoom) {
        const int x = 37 + 23 * zoom;
        const int y = 290 - 21 * zoom;
        const PlaneEdges edges = planeEdges(area.centerReal, area.centerImag, area.halfHeight, width, height);
        const double expectedReal = columnToReal(edges, x, width);
        const double expectedImag = rowToImag(edges, y, height);
        const double expectedHalfHeight = boxZoomHalfHeight(25, area.halfHeight, height);
        area = areaZoomedToBox(area, x, y, 25, width, height);
        EXPECT_EQ(area.centerReal, expectedReal) << zoom;
        EXPECT_EQ(area.centerImag, expectedImag) << zoom;
        EXPECT_EQ(area.halfHeight, expectedHalfHeight) << zoom;
        expectShallowAndSettled(area);
    }
    const ViewArea halved = areaWithHalfHeight(area, area.halfHeight * 0.5, width, height);
    EXPECT_EQ(halved.centerReal, area.centerReal);
    EXPECT_EQ(halved.halfHeight, area.halfHeight * 0.5);
    expectShallowAndSettled(halved);
}

TEST(ViewArea, DeepZoomsMoveThePreciseCentreByTheBoxOffsetExactly)
{
    // A shallow view a step from deep: its next box zoom is deep.
    Location location;
    location.centerReal = PreciseReal("-0.7436438870371587");
    location.centerImag = PreciseReal("0.1318259042053120");
    location.halfHeight = 4e-11;
    ViewArea area = areaOf(location, height);
    expectShallowAndSettled(area);
    for (int zoom = 0; zoom < 30; ++zoom) {
        const int x = 150 + zoom % 7;
        const int y = 120 + zoom % 5;
        const PreciseReal expectedReal = area.preciseReal + deepColumnOffset(x, width, area.halfHeight, height);
        const PreciseReal expectedImag = area.preciseImag + deepRowOffset(y, area.halfHeight, height);
        area = areaZoomedToBox(area, x, y, 30, width, height);
        ASSERT_TRUE(isDeepView(area.halfHeight, height)) << zoom;
        EXPECT_EQ(area.preciseReal, expectedReal) << zoom;
        EXPECT_EQ(area.preciseImag, expectedImag) << zoom;
    }
    // Some digits far below a double's resolution tell the places apart.
    EXPECT_NE(area.preciseReal, PreciseReal(area.centerReal));
}

TEST(ViewArea, ADeepViewThatTurnsShallowTakesTheNearestDouble)
{
    Location location;
    location.centerReal = PreciseReal("-0.74364388703715870475219150611477");
    location.centerImag = PreciseReal("0.13182590420531197049313205638361");
    location.halfHeight = 1e-14;
    ViewArea area = areaOf(location, height);
    ASSERT_TRUE(isDeepView(area.halfHeight, height));
    EXPECT_EQ(area.preciseReal, location.centerReal);
    while (isDeepView(area.halfHeight, height))
        area = areaWithHalfHeight(area, area.halfHeight * 2, width, height);
    EXPECT_EQ(area.centerReal, static_cast<double>(location.centerReal));
    EXPECT_EQ(area.centerImag, static_cast<double>(location.centerImag));
    expectShallowAndSettled(area);

    // A box zoom out of a deep view, by a box larger than the view.
    area = areaOf(location, height);
    const ViewArea boxed = areaZoomedToBox(area, 200, 150, 150 * 4096, width, height);
    ASSERT_FALSE(isDeepView(boxed.halfHeight, height));
    EXPECT_EQ(boxed.centerReal,
              static_cast<double>(location.centerReal + deepColumnOffset(200, width, area.halfHeight, height)));
    expectShallowAndSettled(boxed);
}

TEST(ViewArea, ZoomsBeyondTheDeepestHalfHeightKeepThePlace)
{
    Location location;
    location.centerReal = PreciseReal("-0.1011");
    location.halfHeight = deepestHalfHeight * 1.5;
    const ViewArea area = areaOf(location, height);
    const ViewArea halved = areaWithHalfHeight(area, area.halfHeight * 0.5, width, height);
    EXPECT_EQ(halved.halfHeight, area.halfHeight);
    EXPECT_EQ(halved.preciseReal, area.preciseReal);
    const ViewArea boxed = areaZoomedToBox(area, 10, 10, 3, width, height);
    EXPECT_EQ(boxed.halfHeight, area.halfHeight);
    EXPECT_EQ(boxed.preciseReal, area.preciseReal);
    // Just above it, the zoom is made.
    const ViewArea deepest = areaWithHalfHeight(area, deepestHalfHeight, width, height);
    EXPECT_EQ(deepest.halfHeight, deepestHalfHeight);
}
