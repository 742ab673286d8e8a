#include "engine/decimal_text.h"

#include "engine/number_text.h"
#include "engine/plain_text.h"

#include <cmath>
#include <ios>
#include <limits>

namespace {

// Exponents beyond this are held at it: far past any number's range, and
// still far from overflowing when digit counts are added to them.
constexpr long long exponentCeiling = 1000000000000000LL;

// A decimal taken apart: its value is 0.digits x 10^exponent.
struct Decimal {
    bool negative = false;
    // The significant digits without leading zeros, at most `kept` of them,
    // then a 1 when a dropped digit was not 0; empty for zero.
    std::string digits;
    long long exponent = 0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Splits text into a Decimal, keeping `kept` significant digits; false when
// it is not a decimal.
bool scanDecimal(std::string_view text, std::size_t kept, Decimal& decimal)
{
    text = trimmed(text);
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        decimal.negative = text[at] == '-';
        ++at;
    }
    bool anyDigit = false;
    bool afterPoint = false;
    bool droppedNonzero = false;
    // The place of the first significant digit: digits before the point
    // raise it, zeros after the point before any significant digit lower it.
    long long place = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c))
            break;
        anyDigit = true;
        const bool significant = !decimal.digits.empty() || c != '0';
        if (!afterPoint && significant)
            ++place;
        else if (afterPoint && !significant)
            --place;
        if (!significant)
            continue;
        if (decimal.digits.size() < kept)
            decimal.digits += c;
        else if (c != '0')
            droppedNonzero = true;
    }
    if (!anyDigit)
        return false;

    long long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        const std::size_t exponentStart = at;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            if (exponent < exponentCeiling)
                exponent = exponent * 10 + (text[at] - '0');
        }
        if (at == exponentStart)
            return false;
        if (exponent > exponentCeiling)
            exponent = exponentCeiling;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (at != text.size())
        return false;

    if (droppedNonzero) {
        decimal.digits += '1';
    } else {
        while (!decimal.digits.empty() && decimal.digits.back() == '0')
            decimal.digits.pop_back();
    }
    decimal.exponent = decimal.digits.empty() ? 0 : place + exponent;
    return true;
}

// The digits as a whole number with an exponent, in the C locale's form:
// "-123e-5" for -0.123 x 10^-2.
std::string integerForm(const Decimal& decimal, long long exponent)
{
    std::string text = decimal.negative ? "-" : "";
    text += decimal.digits;
    text += 'e';
    text += std::to_string(exponent - static_cast<long long>(decimal.digits.size()));
    return text;
}

// Drops the trailing zeros of a decimal fraction, and its point when no
// decimal is left: "-0.500" gives "-0.5", "2.000" gives "2".
void dropTrailingZeros(std::string& text)
{
    if (text.find('.') == std::string::npos)
        return;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
}

// "-0" of a value that rounds to zero shows as "0".
void dropSignOfZero(std::string& text)
{
    if (text == "-0")
        text = "0";
}

} // namespace

DecimalReading readDecimal(std::string_view text, PreciseReal& value)
{
    Decimal decimal;
    if (!scanDecimal(text, preciseDecimalDigits, decimal))
        return DecimalReading::notADecimal;
    if (decimal.digits.empty()) {
        value = 0;
        return DecimalReading::number;
    }
    // The magnitude lies from 10^(exponent - 1) to below 10^exponent.
    if (decimal.exponent - 1 < -preciseDecimalRange || decimal.exponent > preciseDecimalRange)
        return DecimalReading::outOfRange;
    value = PreciseReal(integerForm(decimal, decimal.exponent).c_str());
    return DecimalReading::number;
}

DecimalReading readDecimal(std::string_view text, double& value)
{
    // Every decimal digit of a number halfway between two doubles lies within
    // the first 767 significant digits, so 800 of them and the stand-in for
    // the rest round as the whole text does.
    constexpr std::size_t doubleDigits = 800;
    // Beyond this a double is 0 or infinite whatever the digits are.
    constexpr long long doubleExponentLimit = 100000;
    Decimal decimal;
    if (!scanDecimal(text, doubleDigits, decimal))
        return DecimalReading::notADecimal;
    long long exponent = decimal.exponent;
    if (exponent > doubleExponentLimit)
        exponent = doubleExponentLimit;
    if (exponent < -doubleExponentLimit)
        exponent = -doubleExponentLimit;
    const double reading = decimal.digits.empty() ? 0.0 : parseReal(integerForm(decimal, exponent).c_str());
    if (!std::isfinite(reading))
        return DecimalReading::outOfRange;
    value = reading;
    return DecimalReading::number;
}

DecimalReading readWholeNumber(std::string_view text, int& value)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return DecimalReading::notADecimal;
    long long number = 0;
    bool tooLarge = false;
    for (const char c : text) {
        if (!isDigit(c))
            return DecimalReading::notADecimal;
        number = number * 10 + (c - '0');
        if (number > std::numeric_limits<int>::max()) {
            tooLarge = true;
            number = std::numeric_limits<int>::max();
        }
    }
    if (tooLarge)
        return DecimalReading::outOfRange;
    value = static_cast<int>(number);
    return DecimalReading::number;
}

std::string exactText(const PreciseReal& value)
{
    if (value == 0)
        return "0";
    // The fewest significant digits that read back to the value: found by
    // halving, since more digits never read back worse. max_digits10 digits
    // read back for any 1152-bit number.
    int fewest = 1;
    int most = std::numeric_limits<PreciseReal>::max_digits10;
    while (fewest < most) {
        const int middle = (fewest + most) / 2;
        PreciseReal reading;
        if (readDecimal(value.str(middle, std::ios::scientific), reading) == DecimalReading::number &&
            reading == value)
            most = middle;
        else
            fewest = middle + 1;
    }
    // "-1.2345e-07": the mantissa and the exponent.
    const std::string text = value.str(most, std::ios::scientific);
    const std::size_t e = text.find('e');
    const long long exponent = std::stoll(text.substr(e + 1));
    std::string mantissa = text.substr(0, e);
    dropTrailingZeros(mantissa);
    // Plain notation where it is no longer: -0.000123 but 1.23e-5.
    if (exponent < -4 || exponent > 20)
        return mantissa + "e" + std::to_string(exponent);
    const bool negative = mantissa.front() == '-';
    std::string digits;
    for (const char c : mantissa) {
        if (isDigit(c))
            digits += c;
    }
    std::string plain;
    if (exponent < 0) {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < integerDigits)
            digits.append(integerDigits - digits.size(), '0');
        plain = digits.substr(0, integerDigits);
        if (digits.size() > integerDigits)
            plain += "." + digits.substr(integerDigits);
    }
    return negative ? "-" + plain : plain;
}

std::string placedText(const PreciseReal& value, double spacing)
{
    // Rounding to d decimals moves the value by at most half of 10^-d, which
    // must not exceed a tenth of the spacing: spacing x 10^d >= 5. The
    // products are exact in 1152 bits, so every build counts alike.
    int decimals = 1;
    for (PreciseReal scaled = PreciseReal(spacing) * 10; scaled < 5; scaled *= 10)
        ++decimals;
    std::string text = value.str(decimals, std::ios::fixed);
    dropTrailingZeros(text);
    dropSignOfZero(text);
    return text;
}
