// The escape-time iteration of z -> z^2 + c and the colours of its step counts.
#pragma once

#include <cstdint>

// The number of steps the iteration takes for the point c, starting at z = c:
// the step in which |z| first exceeds threshold, or maxIterations + 1 when it
// never does within that many steps. With the largest limit, INT_MAX, the
// count of a point that reaches it is INT_MAX, since INT_MAX + 1 does not fit.
int escapeSteps(double cRe, double cIm, int maxIterations, double threshold);

// The colour of a step count as a colour reference 0x00BBGGRR.
std::uint32_t stepColor(int steps, int maxIterations, bool binaryColoring);

// A colour reference 0x00BBGGRR as a 32-bit DIB pixel 0x00RRGGBB, and back.
constexpr std::uint32_t colorToPixel(std::uint32_t color)
{
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr std::uint32_t pixelToColor(std::uint32_t pixel) { return colorToPixel(pixel); }
