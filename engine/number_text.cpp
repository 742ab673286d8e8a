#include "engine/number_text.h"

#include <cctype>
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
