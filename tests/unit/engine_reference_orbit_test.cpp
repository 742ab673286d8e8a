#include "engine/reference_orbit.h"

#include "engine/deep_view.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <complex>

namespace {

ReferenceRequest request(const char* re, const char* im, double halfHeight, int limit)
{
    return ReferenceRequest{PreciseReal(re), PreciseReal(im), halfHeight, 1000, 800, limit};
}

std::shared_ptr<const ReferenceOrbit> compute(const ReferenceRequest& request)
{
    const std::atomic<bool> stop{false};
    return computeReferenceOrbit(request, stop);
}

} // namespace

TEST(ReferenceOrbit, PrecisionGrowsWithTheDepth)
{
    EXPECT_EQ(referencePrecisionBits(0x1p-42, 0.9), 128);
    EXPECT_EQ(referencePrecisionBits(0x1p-64, 0.9), 128);
    EXPECT_EQ(referencePrecisionBits(0x1p-65, 0.9), 256);
    EXPECT_EQ(referencePrecisionBits(0x1p-192, 0.9), 256);
    EXPECT_EQ(referencePrecisionBits(0x1p-193, 0.9), 512);
    EXPECT_EQ(referencePrecisionBits(0x1p-448, 0.9), 512);
    EXPECT_EQ(referencePrecisionBits(0x1p-449, 0.9), 1152);
    EXPECT_EQ(referencePrecisionBits(pixelSpacing(deepestHalfHeight, 65535), 2.0), 1152);
    // A centre of modulus 1 or more needs a bit more for each doubling.
    EXPECT_EQ(referencePrecisionBits(0x1p-64, 1.0), 128);
    EXPECT_EQ(referencePrecisionBits(0x1p-64, 1.5), 256);
    EXPECT_EQ(referencePrecisionBits(0x1p-62, 3.5), 128);
}

TEST(ReferenceOrbit, HoldsTheOrbitOfTheCentreRounded)
{
    // -0.75 + 0.1i lingers in the seahorse valley for about 30 steps and then
    // escapes; long doubles follow it closely enough over its first steps.
    const auto orbit = compute(request("-0.75", "0.1", 1e-20, 1000));
    ASSERT_TRUE(orbit);
    EXPECT_TRUE(orbit->escaped);
    EXPECT_EQ(orbit->loopLength, 0);
    EXPECT_EQ(orbit->re[0], 0.0);
    EXPECT_EQ(orbit->im[0], 0.0);
    EXPECT_EQ(orbit->re[1], -0.75);
    EXPECT_EQ(orbit->im[1], 0.1);
    std::complex<long double> z = 0;
    const std::complex<long double> c(-0.75L, 0.1L);
    for (std::int64_t k = 1; k <= std::min<std::int64_t>(orbit->end, 20); ++k) {
        z = z * z + c;
        EXPECT_NEAR(orbit->re[std::size_t(k)], double(z.real()), 1e-15) << k;
        EXPECT_NEAR(orbit->im[std::size_t(k)], double(z.imag()), 1e-15) << k;
    }
    // It ends at the first point beyond 2, with a zero after it.
    const auto modulus = [&orbit](std::int64_t k) { return std::hypot(orbit->re[std::size_t(k)], orbit->im[std::size_t(k)]); };
    EXPECT_GT(modulus(orbit->end), 2.0);
    EXPECT_LE(modulus(orbit->end - 1), 2.0);
    ASSERT_EQ(orbit->re.size(), std::size_t(orbit->end + 2));
    EXPECT_EQ(orbit->re.back(), 0.0);
}

TEST(ReferenceOrbit, EndsAtTheLimitWhenItNeitherEscapesNorLoops)
{
    // Near the cusp at 0.25 the orbit creeps towards 1/2 for a long time.
    const auto orbit = compute(request("0.25", "0.0", 1e-20, 1000));
    ASSERT_TRUE(orbit);
    EXPECT_FALSE(orbit->escaped);
    EXPECT_EQ(orbit->loopLength, 0);
    EXPECT_EQ(orbit->end, referenceEndFor(1000));
    EXPECT_EQ(referenceEndFor(1000), 1002);
    EXPECT_EQ(referenceEndFor(2147483647), maxReferenceEnd);
}

TEST(ReferenceOrbit, AnOrbitThatSettlesOnACycleEndsInALoop)
{
    // -1 cycles through 0 and -1 at once; -0.1 + 0.1i settles on a fixed point.
    const auto period2 = compute(request("-1", "0", 1e-20, 2147483647));
    ASSERT_TRUE(period2);
    EXPECT_FALSE(period2->escaped);
    EXPECT_EQ(period2->loopLength, 2);
    EXPECT_EQ(period2->loopEnd, 3);
    EXPECT_LT(period2->end, 10000);
    const auto fixed = compute(request("-0.1", "0.1", 1e-20, 2147483647));
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->loopLength, 1);
    const std::size_t last = std::size_t(fixed->end);
    EXPECT_EQ(fixed->re[last], fixed->re[std::size_t(fixed->loopEnd - 1)]);
    EXPECT_EQ(fixed->im[last], fixed->im[std::size_t(fixed->loopEnd - 1)]);
}

TEST(ReferenceOrbit, AStopGivesNothing)
{
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(computeReferenceOrbit(request("0.25", "0.0", 1e-20, 1000000), stop));
}

TEST(ReferenceOrbit, ServesViewsOfTheSameCentreWithinItsPrecisionRadiusAndLimit)
{
    const ReferenceRequest made = request("0.25", "0.0", 1e-20, 1000);
    const auto orbit = compute(made);
    ASSERT_TRUE(orbit);
    ReferenceRequest next = made;
    EXPECT_TRUE(referenceServes(*orbit, next));
    next.halfHeight = made.halfHeight / 2; // Zoom In
    EXPECT_TRUE(referenceServes(*orbit, next));
    next.halfHeight = made.halfHeight / 1e40; // beyond its precision
    EXPECT_FALSE(referenceServes(*orbit, next));
    next = made;
    next.halfHeight = made.halfHeight * 2; // Zoom Out: offsets beyond the table's radii
    EXPECT_FALSE(referenceServes(*orbit, next));
    next = made;
    next.width = 500; // a narrower picture of the same height
    EXPECT_TRUE(referenceServes(*orbit, next));
    next = made;
    next.maxIterations = 999;
    EXPECT_TRUE(referenceServes(*orbit, next));
    next.maxIterations = 1001;
    EXPECT_FALSE(referenceServes(*orbit, next));
    next = made;
    next.centerReal += PreciseReal(1e-300);
    EXPECT_FALSE(referenceServes(*orbit, next));
    // An orbit that escaped or loops serves every limit.
    const auto escaped = compute(request("-0.75", "0.1", 1e-20, 1000));
    next = request("-0.75", "0.1", 1e-20, 2147483647);
    EXPECT_TRUE(referenceServes(*escaped, next));
    const auto looping = compute(request("-1", "0", 1e-20, 1000000));
    next = request("-1", "0", 1e-20, 2147483647);
    EXPECT_TRUE(referenceServes(*looping, next));
}
