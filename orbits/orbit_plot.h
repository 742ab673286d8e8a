// The pixels at which an orbit is drawn on the Orbits window's picture of
// the plane.
#pragma once

#include "orbits/orbit_plane.h"

#include <array>
#include <cstdint>

// The number of iterates drawn after the point itself.
constexpr int orbitIterateCount = 64;

// The colour reference (0x00BBGGRR) of the dot at the point itself: bright green.
constexpr std::uint32_t orbitStartColor = 0x0000FF00u;

// The pixel coordinate of a value already scaled to pixels: truncated toward
// zero to 64 bits and cut to the low 32 bits; 0 for NaN, infinities and
// magnitudes of 2^63 or more, which no integer type can hold.
std::int32_t scaledToCoordinate(double scaled);

// The column of a real part and the row of an imaginary part, on the picture
// of 32 or the given number of pixels per unit.
std::int32_t realToColumn(double re, double pixelsPerUnit = orbitPixelsPerUnit);
std::int32_t imagToRow(double im, double pixelsPerUnit = orbitPixelsPerUnit);

// The green level of the dot of iterate k (0 to 63): (256 - 2k) mod 256.
int iterateGreenLevel(int k);

// The colour reference of the dot of iterate k: green level only.
std::uint32_t iterateColor(int k);

struct PlotPoint {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const PlotPoint& other) const { return x == other.x && y == other.y; }
};

// The pixels of the orbit of c: the point itself, then its 64 iterates under
// z -> z^2 + c starting from z = c. There is no escape test: an orbit that
// leaves the picture keeps its 64 iterates, at whatever pixels they map to.
// The pixels are those of the picture of 32 or the given number of pixels
// per unit.
struct OrbitPlot {
    PlotPoint start;
    std::array<PlotPoint, orbitIterateCount> iterates;
};

OrbitPlot plotOrbit(double cRe, double cIm, double pixelsPerUnit = orbitPixelsPerUnit);
