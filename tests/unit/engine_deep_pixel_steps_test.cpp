#include "engine/deep_pixel_steps.h"

#include "engine/deep_view.h"
#include "tests/support/deep_places.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>

namespace {

// The neck of the small copy of period 713 at half-height 2e-53, limit 1e6:
// its reference passes close to 0 at every multiple of 713 for 2.2e5 steps,
// and every pixel with it.
constexpr double neckHalfHeight = 2e-53;
constexpr int neckWidth = 9;
constexpr int neckHeight = 8;
constexpr std::int64_t neckLastStep = 1000001;

const ReferenceOrbit& neckReference()
{
    static const std::shared_ptr<const ReferenceOrbit> orbit = [] {
        const std::atomic<bool> stop{false};
        return computeReferenceOrbit(ReferenceRequest{PreciseReal(neck713.centerReal), PreciseReal(neck713.centerImag),
                                                      neckHalfHeight, neckWidth, neckHeight, 1000000},
                                     stop);
    }();
    return *orbit;
}

// A pixel of the neck's view away from its centre.
constexpr int neckColumn = 2;
constexpr int neckRow = 6;
const double neckCr = deepColumnOffset(neckColumn, neckWidth, neckHalfHeight, neckHeight);
const double neckCi = deepRowOffset(neckRow, neckHalfHeight, neckHeight);

// Takes n perturbed steps without rebasing or maps.
DeepPixel singleSteps(const ReferenceOrbit& reference, DeepPixel pixel, double cr, double ci, int n)
{
    for (int k = 0; k < n; ++k) {
        const double zr = reference.re[std::size_t(pixel.m)];
        const double zi = reference.im[std::size_t(pixel.m)];
        const double ar = (zr + zr) + pixel.dr;
        const double ai = (zi + zi) + pixel.di;
        const double nr = (ar * pixel.dr - ai * pixel.di) + cr;
        pixel.di = (ar * pixel.di + ai * pixel.dr) + ci;
        pixel.dr = nr;
        ++pixel.m;
        ++pixel.steps;
    }
    return pixel;
}

} // namespace

TEST(DeepPixelSteps, APixelCrossesEachPeriodOfTheNeckInOneMapAndOneStep)
{
    // The table's segments are the periods, up to the points close to 0.
    const ReferenceOrbit& reference = neckReference();
    const BlaTable& table = reference.bla;
    ASSERT_GE(table.segments().size(), 300u);
    for (std::size_t k = 0; k < 300; ++k) {
        const BlaSegment& segment = table.segments()[k];
        EXPECT_EQ(segment.start, std::int64_t(713 * k + 1)) << k;
        EXPECT_EQ(table.prefixes()[std::size_t(segment.first + segment.count - 1)].landing, std::int64_t(713 * (k + 1)))
            << k;
    }
    DeepPixel pixel = startDeepPixel(reference, neckCr, neckCi);
    ASSERT_EQ(pixel.m, 1);
    ASSERT_TRUE(readyForMaps(reference, pixel));
    std::int64_t skipped = 0;
    const std::atomic<bool> stop{false};
    EXPECT_EQ(followBlaMaps(reference, pixel, neckCr, neckCi, escapeSquareBound(2.0), neckLastStep, skipped, stop),
              MapRunEnd::goOn);
    // 256 maps of the 712 steps up to a point close to 0, each but the last
    // followed by the single step from there.
    EXPECT_EQ(skipped, 256 * 712);
    EXPECT_EQ(pixel.m, 256 * 713);
    EXPECT_EQ(pixel.steps, 256 * 713 - 1);
}

TEST(DeepPixelSteps, TheMapOfAPeriodAgreesWithItsSteps)
{
    const ReferenceOrbit& reference = neckReference();
    const DeepPixel start = singleSteps(reference, startDeepPixel(reference, neckCr, neckCi), neckCr, neckCi, 713);
    ASSERT_EQ(start.m, 714);
    const BlaSegment& segment = reference.bla.segments()[1];
    ASSERT_EQ(segment.start, 714);
    const BlaPrefix& whole = reference.bla.prefixes()[std::size_t(segment.first + segment.count - 1)];
    const double size = std::fabs(start.dr) + std::fabs(start.di);
    ASSERT_LT(size, whole.map.radius);
    const DeepPixel stepped = singleSteps(reference, start, neckCr, neckCi, 712);
    const BlaMap& map = whole.map;
    const double mappedR = (map.ar * start.dr - map.ai * start.di) + (map.br * neckCr - map.bi * neckCi);
    const double mappedI = (map.ar * start.di + map.ai * start.dr) + (map.br * neckCi + map.bi * neckCr);
    // The steps round 712 times, and so did the map's merges.
    const double scale = std::hypot(stepped.dr, stepped.di);
    EXPECT_LT(std::hypot(mappedR - stepped.dr, mappedI - stepped.di), 1e-12 * scale);
    // The same, once the pixel follows the maps.
    DeepPixel pixel = start;
    std::int64_t skipped = 0;
    const std::atomic<bool> stop{false};
    followBlaMaps(reference, pixel, neckCr, neckCi, escapeSquareBound(2.0), start.steps + 712, skipped, stop);
    EXPECT_EQ(skipped, 712);
    EXPECT_EQ(pixel.m, 1426);
    EXPECT_EQ(pixel.dr, mappedR);
    EXPECT_EQ(pixel.di, mappedI);
}

TEST(DeepPixelSteps, AStopIsSeenWithin2To16StepsMapsCounting)
{
    const ReferenceOrbit& reference = neckReference();
    DeepPixel pixel = startDeepPixel(reference, neckCr, neckCi);
    std::int64_t skipped = 0;
    const std::atomic<bool> stop{true};
    EXPECT_EQ(followBlaMaps(reference, pixel, neckCr, neckCi, escapeSquareBound(2.0), neckLastStep, skipped, stop),
              MapRunEnd::stopped);
    EXPECT_GE(pixel.steps, std::int64_t{1} << 16);
    EXPECT_LT(pixel.steps, (std::int64_t{1} << 16) + 713);
}

TEST(DeepPixelSteps, APixelRebasedAtTheEndOfASegmentTakesTheFirstAgain)
{
    // A made orbit: Z_k = 1/2 (each step d := d + d^2 + c) but for points
    // close to 0 at indices 40 and 80, which end the first two segments. A
    // pixel with c = -1e-30 / 40 comes to d = 40 c = -1e-30 at both. At 40,
    // where Z = -1e-30, it steps on to index 41 with d = c again; at 80,
    // where Z = 1e-30, it stands at about 0, rebases to index 0 and steps to
    // index 1 with d = c. Each round of 80 steps is two maps of 39 steps and
    // two single steps.
    ReferenceOrbit reference{};
    reference.re.assign(202, 0.5);
    reference.im.assign(202, 0.0);
    reference.re[0] = reference.re[201] = 0.0;
    reference.re[40] = -1e-30;
    reference.re[80] = 1e-30;
    reference.end = 200;
    reference.escaped = false;
    reference.loopLength = 0;
    reference.loopEnd = reference.end;
    const std::atomic<bool> stop{false};
    const double cr = -1e-30 / 40;
    reference.bla = *BlaTable::build(reference.re.data(), reference.im.data(), reference.end, -cr, stop);
    ASSERT_GE(reference.bla.segments().size(), 2u);
    ASSERT_EQ(reference.bla.segments()[0].start, 1);
    ASSERT_EQ(reference.bla.segments()[1].start, 41);

    DeepPixel pixel = startDeepPixel(reference, cr, 0.0);
    std::int64_t skipped = 0;
    EXPECT_EQ(followBlaMaps(reference, pixel, cr, 0.0, escapeSquareBound(2.0), 100000, skipped, stop), MapRunEnd::goOn);
    EXPECT_EQ(skipped, 256 * 39);
    EXPECT_EQ(pixel.steps, 128 * 80 - 1);
    EXPECT_EQ(pixel.m, 0);
}
