// The number texts of the orbit file, made here rather than by the C library
// so that the bytes are the same with every C runtime and in every locale.
#pragma once

#include <cstddef>
#include <string>

// Length of every exponent text: sign, digit, full stop, six decimals, "e",
// the exponent's sign and three exponent digits.
constexpr std::size_t exponentTextLength = 14;

// A finite value as a sign, one digit, a full stop, six decimals and a signed
// three-digit exponent: +1.500000e+000, -2.500000e-001. The value is rounded
// exactly, to the nearest of its decimal neighbours.
std::string exponentText(double value);

// The same text written into out, which must hold exponentTextLength chars;
// nothing else is written.
void putExponentText(double value, char* out);

// A finite value with an optional minus sign, all its integer digits, a full
// stop and six decimals: 0.333333, -0.750000.
std::string decimalText(double value);
