#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

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
