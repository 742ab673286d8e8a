#include "engine/number_text.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>

int parseInteger(const char* text)
{
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + (*p - '0');
        if (value >= limit) {
            value = limit;
            break;
        }
        ++p;
    }
    return static_cast<int>(negative ? -value : value);
}

double parseReal(const char* text)
{
    return std::strtod(text, nullptr);
}

std::string formatInteger(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string formatReal(double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

std::string formatShortestReal(double value)
{
    // The longest shortest text of a double, "-2.2250738585072014e-308", has 24 characters.
    char buffer[32];
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end.ptr);
}

std::string formatPositiveReal(double value, std::size_t maxLength)
{
    std::string text = formatReal(value);
    if (text.size() <= maxLength && parseReal(text.c_str()) > 0)
        return text;
    return formatShortestReal(value);
}
