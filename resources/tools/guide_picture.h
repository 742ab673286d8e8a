// The guide picture under the orbits: the Mandelbrot set over the Orbits
// window's plane, real parts -2.5 to 1.5 and imaginary parts -1.5 to 1.5.
#pragma once

#include "orbits/orbit_plane.h"
#include "resources/bitmap_file.h"

constexpr Rgb guideSetColor = {0, 0, 0};
constexpr Rgb guideBackground = {64, 64, 64};
constexpr Rgb guideBorder = {75, 75, 75};
constexpr Rgb guideCorner = {86, 86, 86};

// The picture for one of the drawn scales' DPIs (orbits/orbit_plane.h), made
// with the escape-time iteration of the fractal view at the centre of every
// pixel, inside a one-pixel border.
Picture makeGuidePicture(int dpi = defaultDpi);
