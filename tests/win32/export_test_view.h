// The fractal view of the export tests: a real FRACTALCLASS window, whose
// creation makes theFractalView and theOrbitLine.
#pragma once

#include "tests/support/orbit_file_example.h"

#include <windows.h>

#include <string>

// Client size of the view window.
constexpr int exportViewWidth = 400;
constexpr int exportViewHeight = 200;

// The top-level window holding the view, made on first use; it owns the
// export dialog in the tests.
HWND exportTestHost();

// Shows the plane around this centre with this half-height and puts the
// line's handles at (x1, y1) and (x2, y2), once any calculation has ended.
void placeExportLine(double centerReal, double centerImag, double halfHeight, int x1, int y1, int x2, int y2);

// The point of the plane at a client pixel of the view, computed here from
// the view's centre and half-height as the mapping is defined: the product
// with the pixel comes before the division.
double expectedReal(int x);
double expectedImag(int y);

// "%+6e" with a three-digit exponent, made with the C library's "%+.6e".
std::string referenceExponentText(double value);

// The array line of the orbit of c: its real parts or its imaginary parts,
// each value that is not finite written as 9999999.0.
std::string referenceOrbitLine(double cr, double ci, int iterations, bool imaginaryParts, bool last);

// The lines 1 to 22 of the file of three iterations of the points -1 and i.
