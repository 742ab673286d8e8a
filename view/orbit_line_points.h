// The points of the plane along the orbit line over the fractal view, from
// which the orbit export takes its orbits.
#pragma once

#include <functional>

// Puts `points` points into reals and imags: the first `points` of
// `points` + 1 evenly spaced samples from handle 1 of theOrbitLine towards
// handle 2, each a fractional pixel position truncated toward zero to its
// pixel and replaced by that pixel's point in the plane of theFractalView,
// as the line and the view are when it is called. Empty when the line or the
// view is missing.
std::function<void(double* reals, double* imags, int points)> orbitLinePlanePoints();
