#include "engine/escape_time.h"

#include <climits>
#include <cmath>

int escapeSteps(double cRe, double cIm, int maxIterations, double threshold)
{
    double x = cRe;
    double y = cIm;
    double x2 = x * x;
    double y2 = y * y;
    int n = 0;
    for (;;) {
        const double newX = x2 - y2 + cRe;
        const double newY = 2 * x * y + cIm;
        x = newX;
        y = newY;
        x2 = x * x;
        y2 = y * y;
        // A NaN compares false, so it counts as not escaped.
        const bool escaped = std::sqrt(x2 + y2) > threshold;
        const bool over = escaped || n >= maxIterations;
        // With the largest limit the L + 1 steps do not fit: the count stays
        // at the limit, which colours the point the same.
        if (over)
            return n < INT_MAX ? n + 1 : n;
        ++n;
    }
}

std::uint32_t stepColor(int steps, int maxIterations, bool binaryColoring)
{
    if (steps >= maxIterations)
        return 0x000000;
    if (binaryColoring)
        return 0xFFFFFF;
    // Here 1 <= steps <= maxIterations - 1, so the divisor is at least 1.
    const std::int64_t v = std::int64_t{steps} * 255 / (maxIterations - 1);
    if (v < 128)
        return static_cast<std::uint32_t>(2 * v) << 16;
    const std::uint32_t t = static_cast<std::uint32_t>(2 * (v - 128));
    return 0xFF0000u | (t << 8) | t;
}
