// Numbers read from and written into the text of edit boxes.
#pragma once

#include <cstddef>
#include <string>

// atoi's meaning: leading white space, an optional sign, then the digits up to
// the first other character; 0 without digits. A value beyond the 32-bit
// range gives the nearest 32-bit value instead of overflowing.
int parseInteger(const char* text);

// atof's meaning: the longest leading number, 0 without one.
double parseReal(const char* text);

// "%d" and "%f" of the C library.
std::string formatInteger(int value);
std::string formatReal(double value);

// The shortest text that reads back to exactly value, such as "1.3", "15",
// "1e-07" or "1e+300".
std::string formatShortestReal(double value);

// "%f" of a positive value, unless that text would not read back as a
// positive number or would be longer than the maxLength characters that are
// read back; then the shortest text that reads back to exactly the value.
std::string formatPositiveReal(double value, std::size_t maxLength);
