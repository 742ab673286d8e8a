// The text of the orbit file: a POV-Ray include file of #declare statements
// holding the orbits of points along the orbit line.
#pragma once

#include "export/byte_sink.h"

#include <cstdint>

// The number written in place of any value that is not finite.
constexpr double nonFiniteSubstitute = 9999999.0;

// The bytes that writeOrbitText writes for these counts when its first point
// is firstReal + firstImag·i and its last lastReal + lastImag·i; the largest
// value of the type when the size is beyond it.
std::uint64_t orbitTextSize(int iterations, int points, double firstReal, double firstImag, double lastReal,
                            double lastImag);

// Writes the whole file text into sink: the header comment, the counts, the
// first and the last point, and the X and Y arrays of the orbits of the
// points reals[p] + imags[p]·i, each orbit starting at the point itself and
// giving `iterations` values. Lines end in CR LF. Each orbit is computed again
// for the Y array, so the memory used does not grow with the counts. Stops
// at the first write that fails and returns false. Both counts must be at
// least 1, and both arrays hold `points` values.
bool writeOrbitText(ByteSink& sink, int iterations, int points, const double* reals, const double* imags);
