// The wheel's zoom about the point under the cursor: that point stays where
// it is, by the mapping while shallow and exactly by the deep offsets, and
// the range rule keeps the view. And the return to a place left before.
#include "engine/deep_view.h"
#include "engine/plane_mapping.h"
#include "engine/view_area.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int width = 400;
constexpr int height = 300;

struct PlanePoint {
    double real;
    double imag;
};

// The point of pixel (x, y) by the double mapping of a shallow view.
PlanePoint mappedPoint(const ViewArea& area, int x, int y)
{
    const PlaneEdges edges = planeEdges(area.centerReal, area.centerImag, area.halfHeight, width, height);
    return {columnToReal(edges, x, width), rowToImag(edges, y, height)};
}

// The point of pixel (x, y) as the deep kernel takes it.
PreciseReal deepReal(const ViewArea& area, int x)
{
    return area.preciseReal + deepColumnOffset(x, width, area.halfHeight, height);
}

PreciseReal deepImag(const ViewArea& area, int y)
{
    return area.preciseImag + deepRowOffset(y, area.halfHeight, height);
}

} // namespace

TEST(WheelZoom, AShallowViewKeepsThePointUnderTheCursor)
{
    // Pixels at the corners, the edges and inside; in and out by several notches.
    const int pixels[][2] = {{0, 0}, {399, 299}, {200, 150}, {17, 280}, {390, 3}, {123, 45}};
    // Eighteen halvings in all: the view stays shallow.
    const int notches[] = {1, 2, -1, -2, 3};
    ViewArea area = areaOf(Location{}, height);
    for (const auto& pixel : pixels) {
        for (int n : notches) {
            const int x = pixel[0];
            const int y = pixel[1];
            const PlanePoint before = mappedPoint(area, x, y);
            const ViewArea zoomed = areaZoomedAbout(area, x, y, std::ldexp(area.halfHeight, -n), width, height);
            EXPECT_EQ(zoomed.halfHeight, std::ldexp(area.halfHeight, -n));
            const PlanePoint after = mappedPoint(zoomed, x, y);
            // Within a thousandth of a pixel of the new view.
            const double tolerance = pixelSpacing(zoomed.halfHeight, height) / 1000;
            EXPECT_NEAR(after.real, before.real, tolerance) << x << ", " << y << " by " << n;
            EXPECT_NEAR(after.imag, before.imag, tolerance) << x << ", " << y << " by " << n;
            EXPECT_EQ(zoomed.preciseReal, PreciseReal(zoomed.centerReal));
            EXPECT_EQ(zoomed.preciseImag, PreciseReal(zoomed.centerImag));
            area = zoomed;
        }
    }
}

TEST(WheelZoom, ADeepViewKeepsThePointUnderTheCursorExactly)
{
    // From a shallow view a notch above deep, forty notches down and back.
    Location location;
    location.centerReal = PreciseReal("-0.7436438870371587");
    location.centerImag = PreciseReal("0.1318259042053120");
    location.halfHeight = 6e-11;
    ViewArea area = areaOf(location, height);
    ASSERT_FALSE(isDeepView(area.halfHeight, height));
    for (int step = 0; step < 80; ++step) {
        const int x = 100 + step * 3;
        const int y = 250 - step * 2;
        const int n = step < 40 ? 1 : -1;
        const ViewArea zoomed = areaZoomedAbout(area, x, y, std::ldexp(area.halfHeight, -n), width, height);
        if (isDeepView(area.halfHeight, height) && isDeepView(zoomed.halfHeight, height)) {
            EXPECT_EQ(deepReal(zoomed, x), deepReal(area, x)) << step;
            EXPECT_EQ(deepImag(zoomed, y), deepImag(area, y)) << step;
        }
        // Turning shallow, the view takes the double nearest its precise centre.
        if (!isDeepView(zoomed.halfHeight, height)) {
            EXPECT_EQ(zoomed.preciseReal, PreciseReal(zoomed.centerReal)) << step;
            if (isDeepView(area.halfHeight, height)) {
                const PreciseReal nearest = deepReal(area, x) - deepColumnOffset(x, width, zoomed.halfHeight, height);
                EXPECT_EQ(zoomed.centerReal, static_cast<double>(nearest)) << step;
            }
        }
        area = zoomed;
    }
    EXPECT_EQ(area.halfHeight, location.halfHeight);
    EXPECT_FALSE(isDeepView(area.halfHeight, height));
}

TEST(WheelZoom, ZoomsOutOfRangeKeepTheView)
{
    Location deepest;
    deepest.centerReal = PreciseReal("-0.1011");
    deepest.halfHeight = deepestHalfHeight * 1.5;
    const ViewArea deep = areaOf(deepest, height);
    const ViewArea refused = areaZoomedAbout(deep, 10, 20, deep.halfHeight / 2, width, height);
    EXPECT_EQ(refused.halfHeight, deep.halfHeight);
    EXPECT_EQ(refused.preciseReal, deep.preciseReal);
    EXPECT_EQ(refused.centerReal, deep.centerReal);

    Location widest;
    widest.halfHeight = 1e307;
    const ViewArea wide = areaOf(widest, height);
    EXPECT_EQ(areaZoomedAbout(wide, 10, 20, wide.halfHeight * 64, width, height).halfHeight, wide.halfHeight);
    EXPECT_EQ(areaZoomedAbout(wide, 10, 20, HUGE_VAL, width, height).halfHeight, wide.halfHeight);
    EXPECT_EQ(areaZoomedAbout(wide, 10, 20, 0, width, height).halfHeight, wide.halfHeight);
}

TEST(ViewAreaReturn, ADeepPlaceComesBackWithTheDoubleCentreItHad)
{
    Location location;
    location.centerReal = PreciseReal("-0.74364388703715870475219150611477");
    location.centerImag = PreciseReal("0.13182590420531197049313205638361");
    location.halfHeight = 1e-11;
    // Zoomed to by the wheel, a deep view's double centre only comes near
    // its precise centre.
    ViewArea left = areaOf(location, height);
    for (int zoom = 0; zoom < 30; ++zoom)
        left = areaZoomedAbout(left, 3 + 37 * zoom % 397, 7 + 23 * zoom % 293, left.halfHeight / 2, width, height);
    ASSERT_TRUE(isDeepView(left.halfHeight, height));
    ASSERT_TRUE(left.centerReal != static_cast<double>(left.preciseReal) ||
                left.centerImag != static_cast<double>(left.preciseImag));
    Location place = location;
    place.centerReal = left.preciseReal;
    place.centerImag = left.preciseImag;
    place.halfHeight = left.halfHeight;

    const ViewArea back = areaReturnedTo(place, left.centerReal, left.centerImag, height);
    EXPECT_EQ(back.centerReal, left.centerReal);
    EXPECT_EQ(back.centerImag, left.centerImag);
    EXPECT_EQ(back.preciseReal, left.preciseReal);
    EXPECT_EQ(back.preciseImag, left.preciseImag);
    EXPECT_EQ(back.halfHeight, left.halfHeight);

    // A place as wide as the first, in a picture of ten rows, is shallow: it
    // takes the double nearest its precise centre, and keeps its precise
    // centre on it.
    place.halfHeight = location.halfHeight;
    ASSERT_TRUE(isDeepView(place.halfHeight, height));
    ASSERT_FALSE(isDeepView(place.halfHeight, 10));
    const ViewArea shallow = areaReturnedTo(place, left.centerReal, left.centerImag, 10);
    EXPECT_EQ(shallow.centerReal, static_cast<double>(left.preciseReal));
    EXPECT_EQ(shallow.centerImag, static_cast<double>(left.preciseImag));
    EXPECT_EQ(shallow.preciseReal, PreciseReal(shallow.centerReal));
    EXPECT_EQ(shallow.halfHeight, place.halfHeight);
}
