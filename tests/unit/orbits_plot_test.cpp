#include "orbits/orbit_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>

namespace {

const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double twoTo32 = 4294967296.0;
const double twoTo63 = 9223372036854775808.0;

} // namespace

TEST(OrbitPlaneMapping, PlacesTheExamplePointsOfThePicture)
{
    EXPECT_EQ(realToColumn(-2.5), 0);
    EXPECT_EQ(imagToRow(-1.5), 0);
    EXPECT_EQ(realToColumn(0.0), 80);
    EXPECT_EQ(imagToRow(0.0), 48);
    EXPECT_EQ(realToColumn(-0.5), 64);
    EXPECT_EQ(realToColumn(-1.0), 48);
    EXPECT_EQ(realToColumn(1.5), 128);
    EXPECT_EQ(imagToRow(1.5), 96);
    // Just inside the right and bottom edges.
    EXPECT_EQ(realToColumn(1.49), 127);
    EXPECT_EQ(imagToRow(1.49), 95);
    // The imaginary part grows downwards.
    EXPECT_EQ(imagToRow(-1.0), 16);
    EXPECT_EQ(imagToRow(1.0), 80);
}

TEST(OrbitPlaneMapping, TruncatesTowardZeroNotDownwards)
{
    // -0.32 pixels truncates to column 0, not -1.
    EXPECT_EQ(realToColumn(-2.51), 0);
    EXPECT_EQ(imagToRow(-1.51), 0);
    // -3.2 pixels.
    EXPECT_EQ(realToColumn(-2.6), -3);
    EXPECT_EQ(scaledToCoordinate(3.99), 3);
    EXPECT_EQ(scaledToCoordinate(-3.99), -3);
    EXPECT_EQ(scaledToCoordinate(-0.7), 0);
}

TEST(OrbitPlaneMapping, KeepsTheLowThirtyTwoBitsOfLargeValues)
{
    EXPECT_EQ(scaledToCoordinate(twoTo32 + 5.0), 5);
    EXPECT_EQ(scaledToCoordinate(twoTo32 * 3 + 7.5), 7);
    EXPECT_EQ(scaledToCoordinate(-twoTo32 - 1.0), -1);
    EXPECT_EQ(scaledToCoordinate(2147483647.0), 2147483647);
    EXPECT_EQ(scaledToCoordinate(2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(scaledToCoordinate(-2147483649.0), 2147483647);
    EXPECT_EQ(scaledToCoordinate(twoTo32 - 1.0), -1);
    // Whole multiples of 2^32 lose every bit.
    EXPECT_EQ(scaledToCoordinate(std::ldexp(1.0, 62)), 0);
    // The largest double below 2^63 is 2^63 - 1024, whose low 32 bits are 2^32 - 1024.
    EXPECT_EQ(scaledToCoordinate(std::nextafter(twoTo63, 0.0)), -1024);
    EXPECT_EQ(scaledToCoordinate(-std::nextafter(twoTo63, 0.0)), 1024);
    // A real part of 2^27 lies 2^32 + 80 pixels right of the left edge.
    EXPECT_EQ(realToColumn(134217728.0), 80);
}

TEST(OrbitPlaneMapping, GivesZeroForValuesNoIntegerHolds)
{
    EXPECT_EQ(scaledToCoordinate(twoTo63), 0);
    EXPECT_EQ(scaledToCoordinate(-twoTo63), 0);
    EXPECT_EQ(scaledToCoordinate(1e300), 0);
    EXPECT_EQ(scaledToCoordinate(-1e300), 0);
    EXPECT_EQ(scaledToCoordinate(infinity), 0);
    EXPECT_EQ(scaledToCoordinate(-infinity), 0);
    EXPECT_EQ(scaledToCoordinate(notANumber), 0);
    EXPECT_EQ(scaledToCoordinate(-notANumber), 0);
    EXPECT_EQ(realToColumn(infinity), 0);
    EXPECT_EQ(imagToRow(notANumber), 0);
}

TEST(OrbitDotColours, FallFromBlackThenBrightGreenInStepsOfTwo)
{
    EXPECT_EQ(iterateGreenLevel(0), 0);
    EXPECT_EQ(iterateGreenLevel(1), 254);
    EXPECT_EQ(iterateGreenLevel(2), 252);
    EXPECT_EQ(iterateGreenLevel(62), 132);
    EXPECT_EQ(iterateGreenLevel(63), 130);
    EXPECT_EQ(iterateColor(0), 0x00000000u);
    EXPECT_EQ(iterateColor(1), 0x0000FE00u);
    EXPECT_EQ(iterateColor(62), 0x00008400u);
    EXPECT_EQ(iterateColor(63), 0x00008200u);
    EXPECT_EQ(orbitStartColor, 0x0000FF00u);
    for (int k = 1; k < orbitIterateCount; ++k) {
        EXPECT_EQ(iterateColor(k) & 0xFFFF00FFu, 0u) << "only green at k = " << k;
        EXPECT_EQ(iterateGreenLevel(k), iterateGreenLevel(k - 1) == 0 ? 254 : iterateGreenLevel(k - 1) - 2);
    }
}

TEST(OrbitPlot, ZeroStaysAtTheOrigin)
{
    const OrbitPlot plot = plotOrbit(0.0, 0.0);
    EXPECT_EQ(plot.start, (PlotPoint{80, 48}));
    for (int k = 0; k < orbitIterateCount; ++k)
        EXPECT_EQ(plot.iterates[k], (PlotPoint{80, 48})) << "k = " << k;
}

TEST(OrbitPlot, MinusOneAlternatesWithZero)
{
    const OrbitPlot plot = plotOrbit(-1.0, 0.0);
    EXPECT_EQ(plot.start, (PlotPoint{48, 48}));
    // z1 = -1 + 1 = 0, z2 = -1 + 0 = -1, ...
    for (int k = 0; k < orbitIterateCount; ++k) {
        const PlotPoint expected = k % 2 == 0 ? PlotPoint{80, 48} : PlotPoint{48, 48};
        EXPECT_EQ(plot.iterates[k], expected) << "k = " << k;
    }
}

TEST(OrbitPlot, ImaginaryUnitCyclesBetweenMinusOnePlusIAndMinusI)
{
    // z1 = i^2 + i = -1 + i, z2 = (-1 + i)^2 + i = -i, z3 = (-i)^2 + i = -1 + i.
    const OrbitPlot plot = plotOrbit(0.0, 1.0);
    EXPECT_EQ(plot.start, (PlotPoint{80, 80}));
    for (int k = 0; k < orbitIterateCount; ++k) {
        const PlotPoint expected = k % 2 == 0 ? PlotPoint{48, 80} : PlotPoint{80, 16};
        EXPECT_EQ(plot.iterates[k], expected) << "k = " << k;
    }
}

TEST(OrbitPlot, FollowsTheQuadraticMapAtAnOrdinaryPoint)
{
    const std::complex<double> c(-0.4, 0.55);
    std::complex<double> z = c;
    const OrbitPlot plot = plotOrbit(c.real(), c.imag());
    EXPECT_EQ(plot.start, (PlotPoint{67, 65}));
    for (int k = 0; k < orbitIterateCount; ++k) {
        z = z * z + c;
        const PlotPoint expected = {static_cast<std::int32_t>(std::trunc((z.real() + 2.5) * 32)),
                                    static_cast<std::int32_t>(std::trunc((z.imag() + 1.5) * 32))};
        ASSERT_EQ(plot.iterates[k], expected) << "k = " << k;
    }
}

TEST(OrbitPlot, EscapingOrbitsEndAtTheCornerWithoutEscapeTest)
{
    // 2 + 2i leaves the picture at once, overflows and turns to NaN; every
    // iterate still has a pixel, and the last ones are the corner (0, 0).
    const OrbitPlot far = plotOrbit(2.0, 2.0);
    EXPECT_EQ(far.start, (PlotPoint{144, 112}));
    // z1 = 2 + 2i + (4 - 4) + 8i = 2 + 10i.
    EXPECT_EQ(far.iterates[0], (PlotPoint{144, 368}));
    EXPECT_EQ(far.iterates[63], (PlotPoint{0, 0}));

    const OrbitPlot huge = plotOrbit(1e300, 0.0);
    EXPECT_EQ(huge.start, (PlotPoint{0, 48}));
    EXPECT_EQ(huge.iterates[63], (PlotPoint{0, 0}));

    const OrbitPlot infinite = plotOrbit(-infinity, notANumber);
    EXPECT_EQ(infinite.start, (PlotPoint{0, 0}));
    for (const PlotPoint& point : infinite.iterates)
        EXPECT_EQ(point, (PlotPoint{0, 0}));
}
