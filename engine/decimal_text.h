// Decimal numbers as the user types them into the Location dialog and as the
// location file holds them: read strictly, and written so that they read
// back to exactly the same number.
//
// A decimal is an optional sign, digits with at most one point among them
// (at least one digit in all), and an optional exponent: "e" or "E", an
// optional sign and at least one digit. Blanks (spaces and tabs) may stand
// before and after it, nothing else: no NaN, no infinity, no hexadecimal,
// no thousands separators, no trailing text.
//
// It may have any number of digits. Only the first preciseDecimalDigits
// significant digits are converted, with every later digit standing for one
// more digit 1 when any of them is not 0: 400 digits place a 1152-bit number
// to within 1e-52 of a unit in its last bit, so later digits can only ever
// change how that last bit is rounded. Reading stays linear in the length of the text:
// a number of 100,000 digits takes a fraction of a millisecond.
#pragma once

#include "engine/precise_real.h"

#include <string>
#include <string_view>

constexpr std::size_t preciseDecimalDigits = 400;

// A nonzero precise decimal's magnitude lies from 10^-preciseDecimalRange to
// below 10^preciseDecimalRange.
constexpr long long preciseDecimalRange = 1000000;

enum class DecimalReading {
    number,
    // The text is not a decimal as described above.
    notADecimal,
    // A decimal, but its value lies beyond the range of the result.
    outOfRange,
};

// Reads a decimal into a 1152-bit number, rounded to nearest; zero is read
// without a sign. outOfRange beyond preciseDecimalRange; value is set only
// for a number.
DecimalReading readDecimal(std::string_view text, PreciseReal& value);

// Reads a decimal into a double as parseReal (engine/number_text.h) reads the
// same text, which is how the parameters dialog reads its values; the
// shortest text that reads back exactly is formatShortestReal's. outOfRange
// when that reading is not finite; one too small for a double reads as 0.
DecimalReading readDecimal(std::string_view text, double& value);

// Reads a whole number: blanks, an optional "+", then digits only.
// outOfRange beyond 2147483647.
DecimalReading readWholeNumber(std::string_view text, int& value);

// The text with the fewest significant digits that reads back to exactly
// value (finite, within preciseDecimalRange): "-0.5", "0", "0.1",
// "-1.7490000000000000000000000000000000001", "2.5e-30". It takes up to
// 349 digits, as many as a 1152-bit number can need.
std::string exactText(const PreciseReal& value);

// value in fixed notation with just enough decimals to place it within a
// tenth of spacing (positive and finite), trailing zeros dropped: with a
// pixel spacing of 0.01, -0.7436438 shows as "-0.744" and -0.5 as "-0.5".
std::string placedText(const PreciseReal& value, double spacing);
