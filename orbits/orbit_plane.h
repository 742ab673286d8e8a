// The part of the plane that the Orbits window shows: a picture of 128 x 96
// pixels whose pixel (0, 0) lies at -2.5 - 1.5i, at 32 pixels per unit, so
// that it spans real parts -2.5 to 1.5 and imaginary parts -1.5 to 1.5. The
// guide picture and the orbit plot both lie on it.
#pragma once

constexpr int orbitPictureWidth = 128;
constexpr int orbitPictureHeight = 96;

constexpr double orbitPlaneLeft = -2.5;
constexpr double orbitPlaneTop = -1.5;
constexpr double orbitPixelsPerUnit = 32.0;
