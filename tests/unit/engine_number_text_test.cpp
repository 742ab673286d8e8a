#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

TEST(ParseInteger, TakesTheLeadingDigits)
{
    EXPECT_EQ(parseInteger("32"), 32);
    EXPECT_EQ(parseInteger("12abc"), 12);
    EXPECT_EQ(parseInteger("2.5"), 2);
    EXPECT_EQ(parseInteger(" 7"), 7);
    EXPECT_EQ(parseInteger("\t\n\v\f\r 8 9"), 8);
    EXPECT_EQ(parseInteger("+5"), 5);
    EXPECT_EQ(parseInteger("-1"), -1);
    EXPECT_EQ(parseInteger("0000000000000000000042"), 42);
    EXPECT_EQ(parseInteger("1e3"), 1);
}

TEST(ParseInteger, TextWithoutDigitsIsZero)
{
    EXPECT_EQ(parseInteger("abc"), 0);
    EXPECT_EQ(parseInteger(""), 0);
    EXPECT_EQ(parseInteger("   "), 0);
    EXPECT_EQ(parseInteger("-"), 0);
    EXPECT_EQ(parseInteger("- 5"), 0);
    EXPECT_EQ(parseInteger("+-5"), 0);
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger("x12"), 0);
}

TEST(ParseInteger, ClampsBeyondThirtyTwoBits)
{
    EXPECT_EQ(parseInteger("2147483647"), INT_MAX);
    EXPECT_EQ(parseInteger("2147483648"), INT_MAX);
    EXPECT_EQ(parseInteger("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(parseInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(parseInteger("-2147483649"), INT_MIN);
    EXPECT_EQ(parseInteger("-99999999999999999999999999"), INT_MIN);
    EXPECT_EQ(parseInteger("2147483646"), INT_MAX - 1);
    EXPECT_EQ(parseInteger("-2147483647"), INT_MIN + 1);
    EXPECT_EQ(parseInteger("4294967296x"), INT_MAX);
}

TEST(ParseReal, TakesTheLongestLeadingNumber)
{
    EXPECT_EQ(parseReal("15.000000"), 15.0);
    EXPECT_EQ(parseReal("1e3"), 1000.0);
    EXPECT_EQ(parseReal("0.5x"), 0.5);
    EXPECT_EQ(parseReal(" 2.5"), 2.5);
    EXPECT_EQ(parseReal("-3"), -3.0);
    EXPECT_EQ(parseReal("+.25"), 0.25);
    EXPECT_EQ(parseReal("12abc"), 12.0);
    EXPECT_EQ(parseReal("4e"), 4.0);
    EXPECT_EQ(parseReal("2.5e-1z"), 0.25);
    EXPECT_EQ(parseReal("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(parseReal("0.1"), 0.1);
}

TEST(ParseReal, TextWithoutANumberIsZero)
{
    EXPECT_EQ(parseReal("abc"), 0.0);
    EXPECT_EQ(parseReal(""), 0.0);
    EXPECT_EQ(parseReal("."), 0.0);
    EXPECT_EQ(parseReal("-"), 0.0);
    EXPECT_EQ(parseReal("e5"), 0.0);
}

TEST(FormatNumbers, UseTheCLibraryFormats)
{
    EXPECT_EQ(formatInteger(32), "32");
    EXPECT_EQ(formatInteger(-7), "-7");
    EXPECT_EQ(formatInteger(INT_MIN), "-2147483648");
    EXPECT_EQ(formatInteger(INT_MAX), "2147483647");
    EXPECT_EQ(formatReal(15.0), "15.000000");
    EXPECT_EQ(formatReal(0.5), "0.500000");
    EXPECT_EQ(formatReal(-1.25), "-1.250000");
    EXPECT_EQ(formatReal(1000.0), "1000.000000");
    EXPECT_EQ(formatReal(1e-9), "0.000000");
    EXPECT_EQ(formatReal(1e20), "100000000000000000000.000000");
}

TEST(FormatNumbers, TheLargestRealFitsWhole)
{
    // DBL_MAX has 309 digits before the point.
    const std::string text = formatReal(-DBL_MAX);
    EXPECT_EQ(text.size(), 1u + 309u + 7u);
    EXPECT_EQ(text.substr(0, 6), "-17976");
    EXPECT_EQ(text.substr(text.size() - 7), ".000000");
}

TEST(FormatNumbers, RoundTripThroughTheParsers)
{
    EXPECT_EQ(parseInteger(formatInteger(-123456).c_str()), -123456);
    EXPECT_EQ(parseReal(formatReal(15.0).c_str()), 15.0);
    EXPECT_EQ(parseReal(formatReal(2.75).c_str()), 2.75);
}

namespace {

// The parameters dialog reads back at most this many characters.
constexpr std::size_t readLimit = 255;

// The value the dialog reads back from a text it showed.
double readBack(const std::string& text)
{
    return parseReal(text.substr(0, readLimit).c_str());
}

} // namespace

TEST(FormatPositiveReal, KeepsTheFixedTextWhereItReadsBackAsPositive)
{
    EXPECT_EQ(formatPositiveReal(15.0, readLimit), "15.000000");
    EXPECT_EQ(formatPositiveReal(0.1, readLimit), "0.100000");
    EXPECT_EQ(formatPositiveReal(1e-6, readLimit), "0.000001");
    // Rounded to six decimals, but still positive: shown as before.
    EXPECT_EQ(formatPositiveReal(1.5e-6, readLimit), "0.000002");
    // 2^823 has 248 digits: with ".000000" exactly the characters read back.
    const double longest = std::ldexp(1.0, 823);
    const std::string text = formatPositiveReal(longest, readLimit);
    EXPECT_EQ(text.size(), readLimit);
    EXPECT_EQ(text, formatReal(longest));
    EXPECT_EQ(readBack(text), longest);
}

TEST(FormatPositiveReal, WritesTheShortestExactTextWhereTheFixedOneFails)
{
    // "%f" gives "0.000000" for these, which reads back as 0.
    EXPECT_EQ(formatPositiveReal(1e-7, readLimit), "1e-07");
    EXPECT_EQ(formatPositiveReal(5e-7, readLimit), "5e-07");
    EXPECT_EQ(formatPositiveReal(1e-320, readLimit), "1e-320");
    EXPECT_EQ(formatPositiveReal(DBL_MIN, readLimit), "2.2250738585072014e-308");
    EXPECT_EQ(formatPositiveReal(std::ldexp(1.0, -1074), readLimit), "5e-324");
    // "%f" gives more characters than are read back for these.
    EXPECT_EQ(formatPositiveReal(std::ldexp(1.0, 824), readLimit), "1.1187071843154282e+248");
    EXPECT_EQ(formatPositiveReal(1e249, readLimit), "1e+249");
    EXPECT_EQ(formatPositiveReal(1e300, readLimit), "1e+300");
    EXPECT_EQ(formatPositiveReal(DBL_MAX, readLimit), "1.7976931348623157e+308");
}

TEST(FormatPositiveReal, EveryThresholdOfTheTableReadsBackUnchanged)
{
    for (double value : {1e-7, 5e-7, 1e-320, 1e249, 1e300, DBL_MAX, 15.0, 0.1, std::ldexp(1.0, 823),
                         std::ldexp(1.0, 824), std::ldexp(1.0, -1074)})
        EXPECT_EQ(readBack(formatPositiveReal(value, readLimit)), value) << formatPositiveReal(value, readLimit);
}
