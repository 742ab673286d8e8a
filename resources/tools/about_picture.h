// The picture of the About dialog: a tall slice of the Mandelbrot set around
// the neck between the main cardioid and the bulb to its left, in blue and
// white bands, inside a one-pixel black frame.
#pragma once

#include "resources/bitmap_file.h"

constexpr int aboutPictureWidth = 42;
constexpr int aboutPictureHeight = 85;

constexpr Rgb aboutFrameColor = {0, 0, 0};
constexpr Rgb aboutBlue = {0, 0, 255};
constexpr Rgb aboutWhite = {255, 255, 255};

// Plane of the slice: its centre and the half-height of the framed inside.
constexpr double aboutCenterReal = -0.75;
constexpr double aboutCenterImag = 0.0;
constexpr double aboutHalfHeight = 1.2;
constexpr int aboutIterations = 40;
constexpr double aboutThreshold = 2.0;

// Points of the set are blue; the others are white when they escape after an
// odd number of steps and blue after an even one.
Picture makeAboutPicture();
