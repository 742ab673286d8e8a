#include "engine/bla_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// An orbit Z_0 = 0, Z_1 .. Z_end made by hand.
struct HandOrbit {
    std::vector<double> re{0.0};
    std::vector<double> im{0.0};
    void add(double r, double i)
    {
        re.push_back(r);
        im.push_back(i);
    }
    std::int64_t end() const { return std::int64_t(re.size()) - 1; }
    BlaTable table(double cmax) const
    {
        const std::atomic<bool> stop{false};
        return *BlaTable::build(re.data(), im.data(), end(), cmax, stop);
    }
};

BlaMap single(double zr, double zi)
{
    return BlaMap{2 * zr, 2 * zi, 1.0, 0.0, blaStepRadius(zr, zi)};
}

void expectSameMap(const BlaMap& got, const BlaMap& want)
{
    EXPECT_EQ(got.ar, want.ar);
    EXPECT_EQ(got.ai, want.ai);
    EXPECT_EQ(got.br, want.br);
    EXPECT_EQ(got.bi, want.bi);
    EXPECT_EQ(got.radius, want.radius);
}

} // namespace

TEST(BlaTable, TheSingleStepRadiusIsTwoToTheMinus52TimesTheLargerPart)
{
    EXPECT_EQ(blaStepRadius(0.5, -0.25), 0x1p-53);
    EXPECT_EQ(blaStepRadius(-0.1, 3.0), 3 * 0x1p-52);
    EXPECT_EQ(blaStepRadius(0.0, 0.0), 0.0);
    // Never above 2^-53 |2 Z|.
    EXPECT_LE(blaStepRadius(0.6, 0.8), 0x1p-53 * 2.0);
}

TEST(BlaTable, MergingComposesTheMapsAndBoundsTheRadius)
{
    const BlaMap x{2.0, 1.0, 1.0, 0.5, 1e-16};
    const BlaMap y{0.5, -1.0, 3.0, 0.0, 4e-16};
    const BlaMap merged = mergeBlaMaps(x, y, 1e-17);
    // A = A_y A_x, B = A_y B_x + B_y.
    EXPECT_EQ(merged.ar, 0.5 * 2.0 - (-1.0) * 1.0);
    EXPECT_EQ(merged.ai, 0.5 * 1.0 + (-1.0) * 2.0);
    EXPECT_EQ(merged.br, (0.5 * 1.0 - (-1.0) * 0.5) + 3.0);
    EXPECT_EQ(merged.bi, (0.5 * 0.5 + (-1.0) * 1.0) + 0.0);
    // (R_y - |B_x| cmax) / |A_x| = (4e-16 - 1.118e-17) / 2.236 is above R_x.
    EXPECT_EQ(merged.radius, 1e-16);
    // A larger first map makes the second one's radius the bound.
    const BlaMap steep{40.0, 0.0, 1.0, 0.0, 1e-16};
    EXPECT_DOUBLE_EQ(mergeBlaMaps(steep, y, 1e-17).radius, (4e-16 - 1e-17) / 40.0);
    // Offsets that alone reach the second radius leave no valid map.
    EXPECT_EQ(mergeBlaMaps(x, y, 1e-15).radius, 0.0);
}

TEST(BlaTable, MapsThatCannotHoldHaveRadiusZero)
{
    const BlaMap y{0.5, 0.0, 1.0, 0.0, 1e-16};
    // A reference point at 0: its step has radius 0, and so has every merge
    // that starts with it, though |A_x| is 0.
    EXPECT_EQ(mergeBlaMaps(single(0.0, 0.0), y, 0.0).radius, 0.0);
    EXPECT_EQ(mergeBlaMaps(single(0.0, 0.0), y, 1e-20).radius, 0.0);
    // Coefficients that overflowed.
    const double huge = std::numeric_limits<double>::infinity();
    EXPECT_EQ(mergeBlaMaps(BlaMap{huge, 0.0, huge, 0.0, 1e-16}, y, 1e-20).radius, 0.0);
    EXPECT_EQ(mergeBlaMaps(BlaMap{huge, huge, 0.0, 0.0, 1e-16}, y, 0.0).radius, 0.0);
}

TEST(BlaTable, LevelsMergePairsFromIndexOne)
{
    // Six steps, from Z_1 to Z_6.
    HandOrbit orbit;
    const double points[][2] = {{-0.5, 0.25}, {0.75, -0.5}, {0.3, 0.9}, {-1.2, 0.1}, {0.4, 0.4}, {1.1, -0.7}, {-0.2, 0.0}};
    for (const auto& p : points)
        orbit.add(p[0], p[1]);
    const double cmax = 1e-20;
    const BlaTable table = orbit.table(cmax);
    ASSERT_EQ(table.topLevel(), 3);
    ASSERT_EQ(table.mapCount(1), 3);
    ASSERT_EQ(table.mapCount(2), 2);
    ASSERT_EQ(table.mapCount(3), 1);
    std::vector<BlaMap> steps;
    for (int k = 1; k <= 6; ++k)
        steps.push_back(single(points[k - 1][0], points[k - 1][1]));
    const BlaMap pair0 = mergeBlaMaps(steps[0], steps[1], cmax);
    const BlaMap pair1 = mergeBlaMaps(steps[2], steps[3], cmax);
    const BlaMap pair2 = mergeBlaMaps(steps[4], steps[5], cmax);
    expectSameMap(table.map(1, 0), pair0);
    expectSameMap(table.map(1, 1), pair1);
    expectSameMap(table.map(1, 2), pair2);
    expectSameMap(table.map(2, 0), mergeBlaMaps(pair0, pair1, cmax));
    // The last map of level 2 covers the last two steps only.
    expectSameMap(table.map(2, 1), pair2);
    expectSameMap(table.map(3, 0), mergeBlaMaps(mergeBlaMaps(pair0, pair1, cmax), pair2, cmax));
}

TEST(BlaTable, TheLastStepsOfAShortOrbit)
{
    HandOrbit one;
    one.add(0.3, 0.1);
    EXPECT_EQ(one.table(0.0).topLevel(), 0); // no step from Z_1 on
    one.add(0.2, -0.4);
    EXPECT_EQ(one.table(0.0).topLevel(), 0); // a single step needs no map
    one.add(-0.7, 0.2);
    const BlaTable two = one.table(0.0);
    ASSERT_EQ(two.topLevel(), 1);
    expectSameMap(two.map(1, 0), mergeBlaMaps(single(0.3, 0.1), single(0.2, -0.4), 0.0));
    one.add(0.5, 0.5);
    const BlaTable three = one.table(0.0);
    ASSERT_EQ(three.topLevel(), 2);
    ASSERT_EQ(three.mapCount(1), 2);
    // The second map of level 1 is the single step from Z_3.
    expectSameMap(three.map(1, 1), single(-0.7, 0.2));
}

TEST(BlaTable, ALongOrbitOfOneRepeatedPointMultipliesOut)
{
    // Z_k = 0.5 for every k >= 1: A of 2^j steps is 1, B is 2^j, the radius
    // 2^-53 less the offsets' share. 1025 points make 1024 steps.
    HandOrbit orbit;
    for (int k = 0; k < 1025; ++k)
        orbit.add(0.5, 0.0);
    const BlaTable table = orbit.table(1e-30);
    ASSERT_EQ(table.topLevel(), 10);
    for (int level = 1; level <= 10; ++level) {
        const BlaMap& map = table.map(level, 0);
        EXPECT_EQ(map.ar, 1.0) << level;
        EXPECT_EQ(map.ai, 0.0) << level;
        EXPECT_EQ(map.br, double(1 << level)) << level;
        EXPECT_GT(map.radius, 0x1p-53 - 1024 * 1e-30) << level;
        EXPECT_LE(map.radius, 0x1p-53) << level;
    }
    // The top map covers the whole orbit from the start; offsets beyond the
    // radii let no map open it.
    EXPECT_EQ(table.openingSteps(), 1024);
    EXPECT_EQ(orbit.table(1e-10).openingSteps(), 0);
}

TEST(BlaTable, TheOpeningEndsWhereTheDifferenceOutgrowsTheRadii)
{
    // Z_k = 2 doubles the difference at every step (A = 4 per step), so the
    // maps from index 1 hold while 4^l cmax stays below 2^-51.
    HandOrbit orbit;
    for (int k = 0; k < 1025; ++k)
        orbit.add(2.0, 0.0);
    const std::int64_t opening = orbit.table(1e-20).openingSteps();
    EXPECT_GT(opening, 0);
    EXPECT_LT(opening, 20);
    EXPECT_GT(orbit.table(1e-40).openingSteps(), opening);
}

TEST(BlaTable, AStopGivesNoTable)
{
    HandOrbit orbit;
    for (int k = 0; k < (1 << 18); ++k)
        orbit.add(0.5, 0.0);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(BlaTable::build(orbit.re.data(), orbit.im.data(), orbit.end(), 0.0, stop));
}

namespace {

// The map of the steps first .. last of the orbit, merged one step at a time.
BlaMap stepsMergedByHand(const HandOrbit& orbit, std::int64_t first, std::int64_t last, double cmax)
{
    BlaMap merged = single(orbit.re[std::size_t(first)], orbit.im[std::size_t(first)]);
    for (std::int64_t k = first + 1; k <= last; ++k)
        merged = mergeBlaMaps(merged, single(orbit.re[std::size_t(k)], orbit.im[std::size_t(k)]), cmax);
    return merged;
}

// The landings of a segment's prefix maps.
std::vector<std::int64_t> landingsOf(const BlaTable& table, const BlaSegment& segment)
{
    std::vector<std::int64_t> landings;
    for (std::int64_t k = 0; k < segment.count; ++k)
        landings.push_back(table.prefixes()[std::size_t(segment.first + k)].landing);
    return landings;
}

} // namespace

TEST(BlaTable, ASegmentKeepsTheMapsFromItsStartToEveryEighthIndexAndToItsEnd)
{
    // 99 steps of points near 1 in size, none close to 0: one segment from
    // index 1 to the orbit's last step, 99.
    HandOrbit orbit;
    for (int k = 1; k <= 100; ++k)
        orbit.add(0.9 * std::cos(0.7 * k), 0.6 * std::sin(1.3 * k));
    const double cmax = 1e-60;
    const BlaTable table = orbit.table(cmax);
    ASSERT_EQ(table.segments().size(), 1u);
    const BlaSegment& segment = table.segments()[0];
    EXPECT_EQ(segment.start, 1);
    const std::vector<std::int64_t> landings = landingsOf(table, segment);
    const std::vector<std::int64_t> expected = {9, 17, 25, 33, 41, 49, 57, 65, 73, 81, 89, 97, 100};
    EXPECT_EQ(landings, expected);
    double radius = 1.0;
    for (std::int64_t k = 0; k < segment.count; ++k) {
        const BlaPrefix& prefix = table.prefixes()[std::size_t(segment.first + k)];
        expectSameMap(prefix.map, stepsMergedByHand(orbit, 1, prefix.landing - 1, cmax));
        EXPECT_GT(prefix.map.radius, 0.0);
        EXPECT_LE(prefix.map.radius, radius);
        radius = prefix.map.radius;
    }
}

TEST(BlaTable, ADifferenceTakesTheLongestPrefixMapWhoseRadiusExceedsIt)
{
    // Z_k = 2: each step multiplies the difference by 4, and the radii of
    // the prefix maps fall with their length.
    HandOrbit orbit;
    for (int k = 0; k <= 40; ++k)
        orbit.add(2.0, 0.0);
    const BlaTable table = orbit.table(1e-40);
    ASSERT_EQ(table.segments().size(), 1u);
    const BlaSegment& segment = table.segments()[0];
    ASSERT_GE(segment.count, 3);
    const BlaPrefix* prefixes = table.prefixes().data() + segment.first;
    EXPECT_EQ(table.longestPrefix(segment, 0.0), prefixes + segment.count - 1);
    EXPECT_EQ(table.longestPrefix(segment, prefixes[0].map.radius), nullptr);
    for (std::int64_t k = 0; k + 1 < segment.count; ++k) {
        ASSERT_LT(prefixes[k + 1].map.radius, prefixes[k].map.radius);
        // Just within the radius of map k, and just outside that of k + 1.
        EXPECT_EQ(table.longestPrefix(segment, std::nextafter(prefixes[k].map.radius, 0.0)), prefixes + k) << k;
        EXPECT_EQ(table.longestPrefix(segment, prefixes[k + 1].map.radius), prefixes + k) << k;
    }
}

TEST(BlaTable, ASegmentEndsAtTheStepNoPixelCanTakeLinearly)
{
    // Points near 0.4 in size, but close to 0 at index 20, 0 at 61 and 62:
    // there the difference of a pixel with an offset of 1e-20 can never lie
    // within the step's radius. The next segment begins after that step,
    // and one from a point at 0 after it. The first segment, of 19 steps,
    // is too short to keep maps.
    HandOrbit orbit;
    for (int k = 1; k <= 120; ++k) {
        if (k == 20)
            orbit.add(1e-30, -2e-30);
        else if (k == 61 || k == 62)
            orbit.add(0.0, 0.0);
        else
            orbit.add(0.3 + 0.15 * std::cos(0.3 * k), 0.15 * std::sin(0.9 * k));
    }
    const double cmax = 1e-20;
    const BlaTable table = orbit.table(cmax);
    ASSERT_EQ(table.segments().size(), 2u);
    const BlaSegment& second = table.segments()[0];
    EXPECT_EQ(second.start, 21);
    EXPECT_EQ(landingsOf(table, second), (std::vector<std::int64_t>{25, 33, 41, 49, 57, 61}));
    expectSameMap(table.prefixes()[std::size_t(second.first + second.count - 1)].map,
                  stepsMergedByHand(orbit, 21, 60, cmax));
    const BlaSegment& last = table.segments()[1];
    EXPECT_EQ(last.start, 63);
    EXPECT_EQ(landingsOf(table, last).back(), 120);
    expectSameMap(table.prefixes()[std::size_t(last.first + last.count - 1)].map, stepsMergedByHand(orbit, 63, 119, cmax));
    // Merging the step close to 0 would have left no radius.
    EXPECT_EQ(mergeBlaMaps(stepsMergedByHand(orbit, 1, 19, cmax), single(1e-30, -2e-30), cmax).radius, 0.0);
}

TEST(BlaTable, SegmentsOf32StepsAndMoreKeepMaps)
{
    for (const int steps : {31, 32}) {
        HandOrbit orbit;
        for (int k = 0; k <= steps; ++k)
            orbit.add(0.5, 0.25);
        const BlaTable table = orbit.table(1e-30);
        ASSERT_EQ(table.segments().size(), steps == 32 ? 1u : 0u) << steps;
        if (steps == 32) { // the last steps' map lands on the end, the 33rd point
            EXPECT_EQ(landingsOf(table, table.segments()[0]), (std::vector<std::int64_t>{9, 17, 25, 33}));
        }
    }
}

TEST(BlaTable, TheTableHoldsLessThan49BytesAStep)
{
    // At most: a segment every 33 steps, the shortest that keeps maps.
    HandOrbit orbit;
    const int steps = 1 << 16;
    for (int k = 1; k <= steps + 1; ++k) {
        if (k % 33 == 0)
            orbit.add(0.0, 0.0);
        else
            orbit.add(0.7, -0.2);
    }
    const BlaTable table = orbit.table(1e-30);
    EXPECT_EQ(table.segments().size(), std::size_t(steps / 33));
    EXPECT_LT(table.bytes(), std::size_t(49) * std::size_t(steps));
    EXPECT_GT(table.bytes(), std::size_t(40) * std::size_t(steps));
}
