#include "engine/decimal_text.h"

#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <string>

namespace {

PreciseReal precise(const char* text)
{
    PreciseReal value;
    EXPECT_EQ(readDecimal(text, value), DecimalReading::number) << text;
    return value;
}

DecimalReading preciseReading(const std::string& text)
{
    PreciseReal value;
    return readDecimal(text, value);
}

DecimalReading doubleReading(const std::string& text)
{
    double value = 0;
    return readDecimal(text, value);
}

double readDouble(const std::string& text)
{
    double value = -1;
    EXPECT_EQ(readDecimal(text, value), DecimalReading::number) << text.substr(0, 60);
    return value;
}

// A 1152-bit number with random bits at a random binary exponent.
PreciseReal randomPrecise(std::mt19937_64& random, int lowestExponent, int highestExponent)
{
    PreciseReal value = 0;
    for (int word = 0; word < 18; ++word)
        value = ldexp(value, 64) + PreciseReal(random());
    const int exponent = std::uniform_int_distribution<int>(lowestExponent, highestExponent)(random);
    value = ldexp(value, exponent - 1152);
    return random() & 1 ? -value : value;
}

} // namespace

TEST(ReadDecimal, TakesSignPointAndExponent)
{
    EXPECT_EQ(precise("-0.5"), PreciseReal(-0.5));
    EXPECT_EQ(precise("+.25"), PreciseReal(0.25));
    EXPECT_EQ(precise("3."), PreciseReal(3));
    EXPECT_EQ(precise("1e3"), PreciseReal(1000));
    EXPECT_EQ(precise("1E+3"), PreciseReal(1000));
    EXPECT_EQ(precise("125e-3"), PreciseReal(0.125));
    EXPECT_EQ(precise("0.000125E3"), PreciseReal(0.125));
    EXPECT_EQ(precise("-00012.5000e-1"), PreciseReal(-1.25));
    EXPECT_EQ(precise(" \t7 \t"), PreciseReal(7));
    EXPECT_EQ(precise("0e999999999999999999999"), PreciseReal(0));
    EXPECT_FALSE(signbit(precise("-0")));
    EXPECT_FALSE(signbit(precise("-0.000e-5")));
    // Rounded to the nearest 1152-bit number, as Boost reads the same text.
    EXPECT_EQ(precise("0.1"), PreciseReal("0.1"));
    EXPECT_EQ(precise("-1.74995"), PreciseReal("-1.74995"));
}

TEST(ReadDecimal, RefusesAnythingButOneDecimal)
{
    for (const char* text : {"", " ", "+", "-", ".", "-.", "e5", ".e5", "1e", "1e+", "1e-", "1.2.3", "1,5", "1 2",
                             "--1", "+-1", "1e5x", "1e5.0", "x1", "nan", "NaN", "inf", "-inf", "Infinity", "0x1p3",
                             "0x10", "1\n", "\n1", "1\r", "1_000", "\xEF\xBB\xBF" "1", "\xC2\xA0" "1"}) {
        EXPECT_EQ(preciseReading(text), DecimalReading::notADecimal) << '"' << text << '"';
        EXPECT_EQ(doubleReading(text), DecimalReading::notADecimal) << '"' << text << '"';
    }
    EXPECT_EQ(preciseReading(std::string("1\0", 2)), DecimalReading::notADecimal);
}

TEST(ReadDecimal, KeepsThePreciseRange)
{
    EXPECT_EQ(precise("9.99e999999"), PreciseReal("9.99e999999"));
    EXPECT_EQ(precise("-1e-1000000"), PreciseReal("-1e-1000000"));
    EXPECT_EQ(precise("0.0001e-999996"), PreciseReal("1e-1000000"));
    for (const char* text : {"1e1000000", "-10e999999", "9e-1000001", "0.01e-999999", "1e99999999999999999999999",
                             "-1e-99999999999999999999999"})
        EXPECT_EQ(preciseReading(text), DecimalReading::outOfRange) << text;
    // Hundreds of thousands of digits before the point make a number too large.
    EXPECT_EQ(preciseReading(std::string(1000001, '7')), DecimalReading::outOfRange);
    EXPECT_EQ(preciseReading("0." + std::string(1000000, '0') + "1"), DecimalReading::outOfRange);
    PreciseReal value = 42;
    EXPECT_EQ(readDecimal("1e2000000", value), DecimalReading::outOfRange);
    EXPECT_EQ(value, 42) << "a refused text leaves the value as it was";
}

TEST(ReadDecimal, DigitsBeyondThePreciseOnesCountOnlyAsNotZero)
{
    // 100,000 digits: the first 400 count, the rest only as "not all 0".
    std::string digits = "0.1" + std::string(99998, '0');
    EXPECT_EQ(precise(digits.c_str()), PreciseReal("0.1"));
    EXPECT_EQ(precise((digits + "1").c_str()), PreciseReal("0.1"));
    EXPECT_EQ(precise(("1" + std::string(100000, '0') + "e-100000").c_str()), PreciseReal(1));
    EXPECT_EQ(precise(("-" + std::string(100000, '0') + "2.5").c_str()), PreciseReal(-2.5));

    // The same digits as 400 significant ones and a 1 for the rest.
    std::mt19937_64 random(7);
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += static_cast<char>('0' + random() % 10);
    many[0] = '3';
    const std::string kept = "0." + many.substr(0, preciseDecimalDigits) + "1e5";
    EXPECT_EQ(precise(("0." + many + "e5").c_str()), precise(kept.c_str()));
}

TEST(ReadDecimal, DoublesReadAsParseRealReadsThem)
{
    EXPECT_EQ(readDouble("15"), 15.0);
    EXPECT_EQ(readDouble(" 1.3 "), 1.3);
    EXPECT_EQ(readDouble("1e-300"), 1e-300);
    EXPECT_EQ(readDouble("-2.5E+2"), -250.0);
    EXPECT_EQ(readDouble("1e-400"), 0.0);
    EXPECT_EQ(readDouble("4.9406564584124654e-324"), std::ldexp(1.0, -1074));
    EXPECT_EQ(readDouble("1.7976931348623157e308"), 1.7976931348623157e308);
    EXPECT_EQ(doubleReading("1.8e308"), DecimalReading::outOfRange);
    EXPECT_EQ(doubleReading("-1e99999999999999999999"), DecimalReading::outOfRange);

    std::mt19937_64 random(11);
    for (int i = 0; i < 2000; ++i) {
        const double value = std::ldexp(std::uniform_real_distribution<double>(0.5, 1.0)(random),
                                        std::uniform_int_distribution<int>(-1070, 1020)(random));
        char text[64];
        std::snprintf(text, sizeof text, "%.*e", static_cast<int>(random() % 20), value);
        EXPECT_EQ(readDouble(text), parseReal(text)) << text;
        EXPECT_EQ(readDouble(formatShortestReal(value)), value);
    }
}

TEST(ReadDecimal, DoublesRoundLongTextsCorrectly)
{
    // 2^53 + 1 lies halfway between two doubles and rounds to the even one;
    // a 1 far beyond the first 800 digits tips it to the upper one.
    const std::string halfway = "9007199254740993";
    EXPECT_EQ(readDouble(halfway), 9007199254740992.0);
    EXPECT_EQ(readDouble(halfway + "." + std::string(2000, '0')), 9007199254740992.0);
    EXPECT_EQ(readDouble(halfway + "." + std::string(2000, '0') + "1"), 9007199254740994.0);
    EXPECT_EQ(readDouble("0." + std::string(100000, '0') + "5e100001"), 5.0);
}

TEST(ReadWholeNumber, TakesDigitsOnly)
{
    int value = 0;
    EXPECT_EQ(readWholeNumber(" 32 ", value), DecimalReading::number);
    EXPECT_EQ(value, 32);
    EXPECT_EQ(readWholeNumber("+2147483647", value), DecimalReading::number);
    EXPECT_EQ(value, INT_MAX);
    EXPECT_EQ(readWholeNumber(std::string(100000, '0') + "7", value), DecimalReading::number);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(readWholeNumber("2147483648", value), DecimalReading::outOfRange);
    EXPECT_EQ(readWholeNumber(std::string(100000, '9'), value), DecimalReading::outOfRange);
    for (const char* text : {"", "+", "-1", "1e3", "3.0", "1 2", "0x10", "++1", "12a"})
        EXPECT_EQ(readWholeNumber(text, value), DecimalReading::notADecimal) << text;
    EXPECT_EQ(value, 7) << "a refused text leaves the value as it was";
}

TEST(ExactText, WritesPlainDigitsWhereTheyAreShortAndNoTrailingZeros)
{
    EXPECT_EQ(exactText(PreciseReal(-0.5)), "-0.5");
    EXPECT_EQ(exactText(PreciseReal(0)), "0");
    EXPECT_EQ(exactText(-PreciseReal(0)), "0");
    EXPECT_EQ(exactText(PreciseReal(1000)), "1000");
    EXPECT_EQ(exactText(precise("0.00125")), "0.00125");
    EXPECT_EQ(exactText(precise("-0.1")), "-0.1");
    // A double's value in full.
    EXPECT_EQ(exactText(PreciseReal(0.1)), "0.1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(exactText(precise("1.5e-30")), "1.5e-30");
    EXPECT_EQ(exactText(precise("-2.5e21")), "-2.5e21");
    EXPECT_EQ(exactText(precise("123456789012345678901")), "123456789012345678901");
    EXPECT_EQ(exactText(precise("0.0001")), "0.0001");
    EXPECT_EQ(exactText(precise("0.00001")), "1e-5");
    // A third needs every digit that the precision can tell apart.
    const std::string third = exactText(PreciseReal(1) / 3);
    EXPECT_EQ(third.substr(0, 6), "0.3333");
    EXPECT_GE(third.size(), 2u + 346u);
}

TEST(ExactText, ReadsBackBitForBit)
{
    std::mt19937_64 random(3);
    for (int i = 0; i < 300; ++i) {
        // Shallow and deep places, and numbers far beyond any view.
        const int spread = i % 3 == 0 ? 4 : i % 3 == 1 ? 1100 : 3000000;
        const PreciseReal value = randomPrecise(random, -spread, spread > 4 ? spread : 2);
        const std::string text = exactText(value);
        EXPECT_EQ(precise(text.c_str()), value) << text;
    }
}

TEST(PlacedText, HasJustEnoughDecimalsForATenthOfASpacing)
{
    EXPECT_EQ(placedText(precise("-0.7436438"), 0.01), "-0.744");
    EXPECT_EQ(placedText(PreciseReal(-0.5), 1.3 / 300), "-0.5");
    EXPECT_EQ(placedText(PreciseReal(0), 1e-300), "0");
    EXPECT_EQ(placedText(precise("-1e-320"), 1e-300), "0");
    EXPECT_EQ(placedText(PreciseReal(1) / 3, 1e-10), "0.33333333333");
    EXPECT_EQ(placedText(PreciseReal(2) / 3, 10.0), "0.7");
    EXPECT_EQ(placedText(PreciseReal(12345.678), 1000.0), "12345.7");
    // A spacing of 0.05 allows 0.005 either way: two decimals.
    EXPECT_EQ(placedText(precise("0.123456"), 0.05), "0.12");
}

TEST(PlacedText, PlacesDeepCentresWithinATenthOfAPixel)
{
    std::mt19937_64 random(5);
    for (int i = 0; i < 200; ++i) {
        const PreciseReal value = randomPrecise(random, -3, 2);
        const double spacing = std::ldexp(1.0, -std::uniform_int_distribution<int>(1, 1000)(random));
        const std::string text = placedText(value, spacing);
        const PreciseReal error = abs(precise(text.c_str()) - value);
        EXPECT_LE(error, PreciseReal(spacing) / 10) << text;
        // One decimal fewer could be more than a tenth off.
        const std::size_t point = text.find('.');
        const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
        EXPECT_GT(std::pow(10.0, 1.0 - static_cast<double>(decimals)) / 2, spacing / 10) << text;
    }
}
