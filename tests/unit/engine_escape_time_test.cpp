#include "engine/escape_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double startThreshold = 15.0;

// A colour reference 0x00BBGGRR from its three components.
constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (b << 16) | (g << 8) | r;
}

} // namespace

TEST(EscapeSteps, PointsInsideTheSetRunOneStepPastTheLimit)
{
    EXPECT_EQ(escapeSteps(0.0, 0.0, 32, startThreshold), 33);
    EXPECT_EQ(escapeSteps(-0.5, 0.0, 32, startThreshold), 33);
    // c = -1 cycles between 0 and -1.
    EXPECT_EQ(escapeSteps(-1.0, 0.0, 1, startThreshold), 2);
    EXPECT_EQ(escapeSteps(-1.0, 0.0, 2, startThreshold), 3);
    EXPECT_EQ(escapeSteps(-1.0, 0.0, 255, startThreshold), 256);
    // c = i cycles between -1 + i and -i.
    EXPECT_EQ(escapeSteps(0.0, 1.0, 1000, startThreshold), 1001);
}

TEST(EscapeSteps, CountsTheStepInWhichThePointEscapes)
{
    // The iterates start at z = c: for c = 20 the first step gives 420.
    EXPECT_EQ(escapeSteps(20.0, 0.0, 32, startThreshold), 1);
    EXPECT_EQ(escapeSteps(20.0, 0.0, 1000, startThreshold), 1);
    EXPECT_EQ(escapeSteps(0.0, 20.0, 32, startThreshold), 1);
    // 2 -> 6 -> 38.
    EXPECT_EQ(escapeSteps(2.0, 0.0, 32, startThreshold), 2);
    // 1 -> 2 -> 5 -> 26.
    EXPECT_EQ(escapeSteps(1.0, 0.0, 32, startThreshold), 3);
    // 0.5 -> 0.75 -> 1.0625 -> 1.6289 -> 3.1533 -> 10.4437 -> 109.57.
    EXPECT_EQ(escapeSteps(0.5, 0.0, 32, startThreshold), 6);
    EXPECT_EQ(escapeSteps(0.3, 0.0, 32, startThreshold), 13);
    EXPECT_EQ(escapeSteps(0.26, 0.0, 32, startThreshold), 30);
    // The top left corner of the start-up view: 1.8625 + 5.07i, then -24.69 + 17.59i.
    EXPECT_EQ(escapeSteps(-2.45, -1.3, 32, startThreshold), 2);
    // Just outside the neck between the cardioid and the period-2 disc.
    EXPECT_EQ(escapeSteps(-0.75, 0.1, 100, startThreshold), 34);
}

TEST(EscapeSteps, TheStepAfterTheLimitIsTheLastOne)
{
    // c = 1 escapes in step 3.
    EXPECT_EQ(escapeSteps(1.0, 0.0, 1, startThreshold), 2);
    EXPECT_EQ(escapeSteps(1.0, 0.0, 2, startThreshold), 3);
    EXPECT_EQ(escapeSteps(1.0, 0.0, 3, startThreshold), 3);
    EXPECT_EQ(escapeSteps(1.0, 0.0, 4, startThreshold), 3);
    // c = 0.5 escapes in step 6: below that limit the count ends at L + 1.
    EXPECT_EQ(escapeSteps(0.5, 0.0, 4, startThreshold), 5);
    EXPECT_EQ(escapeSteps(0.5, 0.0, 5, startThreshold), 6);
    EXPECT_EQ(escapeSteps(0.5, 0.0, 6, startThreshold), 6);
    // c = 0.26 escapes in step 30.
    EXPECT_EQ(escapeSteps(0.26, 0.0, 28, startThreshold), 29);
    EXPECT_EQ(escapeSteps(0.26, 0.0, 29, startThreshold), 30);
}

TEST(EscapeSteps, ADistanceEqualToTheThresholdHasNotEscaped)
{
    // c = 2: the first step reaches 6 exactly, the second 38.
    EXPECT_EQ(escapeSteps(2.0, 0.0, 32, 6.0), 2);
    EXPECT_EQ(escapeSteps(2.0, 0.0, 32, 5.999), 1);
    // c = 20: the first step reaches 420 exactly.
    EXPECT_EQ(escapeSteps(20.0, 0.0, 32, 420.0), 2);
    EXPECT_EQ(escapeSteps(20.0, 0.0, 32, 419.0), 1);
    // 3 + 4i: |z| of the first step, -4 + 28i, is 20 * sqrt(2) > 28.
    EXPECT_EQ(escapeSteps(3.0, 4.0, 32, 28.0), 1);
}

TEST(EscapeSteps, ANotANumberDistanceCountsAsNotEscaped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(escapeSteps(nan, 0.0, 32, startThreshold), 33);
    EXPECT_EQ(escapeSteps(0.0, nan, 10, startThreshold), 11);
    // The first step of an infinite c gives an imaginary part of inf * 0.
    EXPECT_EQ(escapeSteps(infinity, 0.0, 32, startThreshold), 33);
    // A finite c whose square overflows has an infinite distance: escaped.
    EXPECT_EQ(escapeSteps(1e200, 0.0, 32, startThreshold), 1);
    EXPECT_EQ(escapeSteps(0.0, 0.0, 7, nan), 8);
}

TEST(EscapeSteps, TheLargestLimitGivesACountThatFits)
{
    // c = -2 stays at 2 for ever, and every one of its steps is cheap.
    EXPECT_EQ(escapeSteps(-2.0, 0.0, INT_MAX, startThreshold), INT_MAX);
    EXPECT_EQ(stepColor(INT_MAX, INT_MAX, false), 0u);
}

TEST(StepColor, ReachingTheLimitIsBlackInBothColourings)
{
    EXPECT_EQ(stepColor(33, 32, false), 0u);
    EXPECT_EQ(stepColor(32, 32, false), 0u);
    EXPECT_EQ(stepColor(33, 32, true), 0u);
    EXPECT_EQ(stepColor(32, 32, true), 0u);
    EXPECT_EQ(stepColor(256, 255, false), 0u);
}

TEST(StepColor, BinaryColouringIsWhiteBelowTheLimit)
{
    EXPECT_EQ(stepColor(1, 32, true), rgb(255, 255, 255));
    EXPECT_EQ(stepColor(31, 32, true), rgb(255, 255, 255));
    EXPECT_EQ(stepColor(1, 2, true), rgb(255, 255, 255));
    // A point that escapes in step L - 1 is white, one that escapes in step L black.
    EXPECT_EQ(stepColor(escapeSteps(0.26, 0.0, 31, startThreshold), 31, true), rgb(255, 255, 255));
    EXPECT_EQ(stepColor(escapeSteps(0.26, 0.0, 30, startThreshold), 30, true), 0u);
}

TEST(StepColor, GradientTellingValues)
{
    // With L = 256 the divisor is 255, so the gradient value v equals n.
    EXPECT_EQ(stepColor(1, 256, false), rgb(0, 0, 2));
    EXPECT_EQ(stepColor(64, 256, false), rgb(0, 0, 128));
    EXPECT_EQ(stepColor(127, 256, false), rgb(0, 0, 254));
    EXPECT_EQ(stepColor(128, 256, false), rgb(0, 0, 255));
    EXPECT_EQ(stepColor(192, 256, false), rgb(128, 128, 255));
    EXPECT_EQ(stepColor(255, 256, false), rgb(254, 254, 255));
    EXPECT_EQ(stepColor(0, 256, false), rgb(0, 0, 0));
}

TEST(StepColor, GradientValueDropsTheRemainder)
{
    // L = 32: v = n * 255 / 31.
    EXPECT_EQ(stepColor(1, 32, false), rgb(0, 0, 16));    // v = 8
    EXPECT_EQ(stepColor(2, 32, false), rgb(0, 0, 32));    // v = 16
    EXPECT_EQ(stepColor(15, 32, false), rgb(0, 0, 246));  // v = 123
    EXPECT_EQ(stepColor(16, 32, false), rgb(6, 6, 255));  // v = 131
    EXPECT_EQ(stepColor(31, 32, false), rgb(254, 254, 255));
    // L = 255: v = n * 255 / 254; n = 2 gives 2.
    EXPECT_EQ(stepColor(2, 255, false), rgb(0, 0, 4));
    // With a large limit the points that escape early are black.
    EXPECT_EQ(stepColor(3, 1000, false), rgb(0, 0, 0));
}

TEST(StepColor, LimitOfTwoShowsOnlyFirstStepEscapes)
{
    EXPECT_EQ(stepColor(1, 2, false), rgb(254, 254, 255));
    EXPECT_EQ(stepColor(2, 2, false), 0u);
    EXPECT_EQ(stepColor(3, 2, false), 0u);
    EXPECT_EQ(stepColor(escapeSteps(20.0, 0.0, 2, startThreshold), 2, false), rgb(254, 254, 255));
    EXPECT_EQ(stepColor(escapeSteps(2.0, 0.0, 2, startThreshold), 2, false), 0u);
}

TEST(StepColor, LimitOfOneIsBlackEverywhere)
{
    const double points[][2] = {{20.0, 0.0}, {2.0, 0.0}, {0.0, 0.0}, {-2.45, -1.3}};
    for (const auto& c : points) {
        const int steps = escapeSteps(c[0], c[1], 1, startThreshold);
        EXPECT_TRUE(steps == 1 || steps == 2) << c[0];
        EXPECT_EQ(stepColor(steps, 1, false), 0u) << c[0];
        EXPECT_EQ(stepColor(steps, 1, true), 0u) << c[0];
    }
}

TEST(StepColor, LargeCountsDoNotOverflowTheGradient)
{
    // n * 255 is beyond 32 bits here. The divisor is 2147483646; v first
    // reaches 128 at n = 1077952576.
    EXPECT_EQ(stepColor(INT_MAX - 1, INT_MAX, false), rgb(254, 254, 255));
    EXPECT_EQ(stepColor(1073741823, INT_MAX, false), rgb(0, 0, 254));
    EXPECT_EQ(stepColor(1077952575, INT_MAX, false), rgb(0, 0, 254));
    EXPECT_EQ(stepColor(1077952576, INT_MAX, false), rgb(0, 0, 255));
}

TEST(ColorToPixel, SwapsRedAndBlue)
{
    EXPECT_EQ(colorToPixel(rgb(0x12, 0x34, 0x56)), 0x00123456u);
    EXPECT_EQ(colorToPixel(rgb(254, 254, 255)), 0x00FEFEFFu);
    EXPECT_EQ(pixelToColor(0x00123456u), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(pixelToColor(0x000000FFu), rgb(0, 0, 255));
}
