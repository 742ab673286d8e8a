// The part of the plane that the Orbits window shows: a picture of 128 x 96
// pixels whose pixel (0, 0) lies at -2.5 - 1.5i, at 32 pixels per unit, so
// that it spans real parts -2.5 to 1.5 and imaginary parts -1.5 to 1.5. The
// guide picture and the orbit plot both lie on it.
//
// On a screen of a larger scale the window shows the same part of the plane
// on a picture drawn for one of the drawn scales (common/dpi_scale.h): 160 x
// 120 pixels at 40 per unit at 120 DPI, 192 x 144 at 48 at 144 DPI and
// 256 x 192 at 64 at 192 DPI.
#pragma once

#include "common/dpi_scale.h"

constexpr int orbitPictureWidth = 128;
constexpr int orbitPictureHeight = 96;

constexpr double orbitPlaneLeft = -2.5;
constexpr double orbitPlaneTop = -1.5;
constexpr double orbitPixelsPerUnit = 32.0;

inline int orbitPictureWidthFor(int dpi)
{
    return scaleForDpi(orbitPictureWidth, dpi);
}

inline int orbitPictureHeightFor(int dpi)
{
    return scaleForDpi(orbitPictureHeight, dpi);
}

// Exactly 32 at 96 DPI.
inline double orbitPixelsPerUnitFor(int dpi)
{
    return orbitPixelsPerUnit * dpi / defaultDpi;
}
