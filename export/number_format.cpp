#include "export/number_format.h"

#include <charconv>
#include <cstring>

namespace {

constexpr int decimals = 6;

// The longest decimal text of a finite double: 309 integer digits, a sign,
// a full stop and the decimals.
constexpr std::size_t longestDecimalText = 320;

} // namespace

void putExponentText(double value, char* out)
{
    // The shortest exponent of std::to_chars has two digits, and a positive
    // value has no sign: "1.500000e+00". The sign and the third exponent
    // digit are added here.
    char digits[32];
    const std::to_chars_result result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, decimals);
    const char* mantissa = digits;
    char* next = out;
    if (*mantissa == '-') {
        *next++ = '-';
        ++mantissa;
    } else {
        *next++ = '+';
    }
    const char* exponentMark = static_cast<const char*>(std::memchr(mantissa, 'e', result.ptr - mantissa));
    std::memcpy(next, mantissa, exponentMark - mantissa);
    next += exponentMark - mantissa;
    *next++ = 'e';
    *next++ = exponentMark[1];
    const char* exponentDigits = exponentMark + 2;
    for (std::ptrdiff_t width = result.ptr - exponentDigits; width < 3; ++width)
        *next++ = '0';
    std::memcpy(next, exponentDigits, result.ptr - exponentDigits);
}

std::string exponentText(double value)
{
    char text[exponentTextLength];
    putExponentText(value, text);
    return std::string(text, exponentTextLength);
}

std::string decimalText(double value)
{
    char text[longestDecimalText];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}
