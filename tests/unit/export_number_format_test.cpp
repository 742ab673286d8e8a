#include "export/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The C library's "%+.6e" with its exponent widened to three digits: the
// expected text, made independently of the code under test.
std::string libraryExponentText(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%+.6e", value);
    std::string result(text);
    const std::size_t mark = result.find('e');
    std::string digits = result.substr(mark + 2);
    while (digits.size() < 3)
        digits.insert(0, "0");
    return result.substr(0, mark + 2) + digits;
}

double fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

TEST(ExponentText, WritesSignSixDecimalsAndThreeExponentDigits)
{
    EXPECT_EQ(exponentText(1.5), "+1.500000e+000");
    EXPECT_EQ(exponentText(-0.25), "-2.500000e-001");
    EXPECT_EQ(exponentText(9999999.0), "+9.999999e+006");
    EXPECT_EQ(exponentText(123456789.0), "+1.234568e+008");
    EXPECT_EQ(exponentText(0.00001), "+1.000000e-005");
    EXPECT_EQ(exponentText(1e100), "+1.000000e+100");
    EXPECT_EQ(exponentText(-3.0e-42), "-3.000000e-042");
}

TEST(ExponentText, ZeroesKeepTheirSign)
{
    EXPECT_EQ(exponentText(0.0), "+0.000000e+000");
    EXPECT_EQ(exponentText(-0.0), "-0.000000e+000");
}

TEST(ExponentText, RoundsToTheNearestAndCarriesIntoTheExponent)
{
    // 9.99999951 lies above the halfway point between 9.999999 and 10.
    EXPECT_EQ(exponentText(9.99999951), "+1.000000e+001");
    EXPECT_EQ(exponentText(-99999.9951), "-1.000000e+005");
    // The double nearest to 9.9999995 is 9.99999949999999948..., below the
    // halfway point, so there is no carry.
    EXPECT_EQ(exponentText(9.9999995), "+9.999999e+000");
    // Exact ties go to the even last digit.
    EXPECT_EQ(exponentText(1234567.5), "+1.234568e+006");
    EXPECT_EQ(exponentText(1234568.5), "+1.234568e+006");
}

TEST(ExponentText, ReachesTheEndsOfTheDoubleRange)
{
    EXPECT_EQ(exponentText(1e-308), "+1.000000e-308");
    EXPECT_EQ(exponentText(DBL_MIN), "+2.225074e-308");
    EXPECT_EQ(exponentText(fromBits(1)), "+4.940656e-324");
    EXPECT_EQ(exponentText(-DBL_MAX), "-1.797693e+308");
    EXPECT_EQ(exponentText(1.437822e181), "+1.437822e+181");
}

TEST(ExponentText, AgreesWithTheLibraryOverManyValues)
{
    // Bit patterns from a fixed linear congruential sequence, all finite.
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    int compared = 0;
    while (compared < 20000) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double value = fromBits(state);
        if (value != value || value - value != 0)
            continue;
        ASSERT_EQ(exponentText(value), libraryExponentText(value)) << "bits " << state;
        ++compared;
    }
}

TEST(ExponentText, EveryTextHasTheSameLength)
{
    const double values[] = {0.0, -1.0, 1e-320, 7.0e300, -DBL_MAX, 5.0};
    for (double value : values)
        EXPECT_EQ(exponentText(value).size(), exponentTextLength) << value;
}

TEST(PutExponentText, WritesOnlyItsOwnBytes)
{
    char out[exponentTextLength + 2];
    std::memset(out, '#', sizeof out);
    putExponentText(-2.5, out);
    EXPECT_EQ(std::string(out, sizeof out), "-2.500000e+000##");
}

TEST(DecimalText, WritesSixDecimalsWithoutPlusSign)
{
    EXPECT_EQ(decimalText(1.0 / 3.0), "0.333333");
    EXPECT_EQ(decimalText(-0.75), "-0.750000");
    EXPECT_EQ(decimalText(0.0), "0.000000");
    EXPECT_EQ(decimalText(-0.0), "-0.000000");
    EXPECT_EQ(decimalText(9999999.0), "9999999.000000");
    EXPECT_EQ(decimalText(-2.45), "-2.450000");
    EXPECT_EQ(decimalText(0.9999996), "1.000000");
    EXPECT_EQ(decimalText(1e20), "100000000000000000000.000000");
}

TEST(DecimalText, TiesGoToTheEvenDigitAndHugeValuesKeepAllDigits)
{
    EXPECT_EQ(decimalText(0.0078125), "0.007812");
    EXPECT_EQ(decimalText(0.0234375), "0.023438");
    const std::string largest = decimalText(DBL_MAX);
    EXPECT_EQ(largest.size(), 309u + 7u);
    EXPECT_EQ(largest.substr(0, 8), "17976931");
    EXPECT_EQ(largest.substr(largest.size() - 7), ".000000");
}
