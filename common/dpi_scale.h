// Sizes in pixels at a screen's scale. A size given for the platform's
// default of 96 DPI (100 %) is scaled to the DPI of the monitor a window is
// on; at 96 DPI every size stays exactly as it is.
#pragma once

#include <string>

constexpr int defaultDpi = 96;

// pixels x dpi / 96, rounded to the nearest whole pixel, halves away from
// zero (1 pixel is 2 at 144 DPI). A DPI of 0 or less, which the platform
// gives for a window it does not know, counts as 96.
int scaleForDpi(int pixels, int dpi);

// The build draws its pictures (the toolbar's buttons, the Orbits window's
// guide) for four scales: 100, 125, 150 and 200 %.
constexpr int pictureDpis[] = {96, 120, 144, 192};

// The largest of the drawn scales that is not larger than dpi, so that a
// picture never grows past the room made for it; 96 below 96 DPI.
int pictureDpiFor(int dpi);

// The scale of a DPI in percent, rounded down: 100, 125, 150 or 200 for
// the drawn scales.
int scalePercent(int dpi);

// The name of a resource drawn for one of the drawn scales' DPIs: the base
// name at 96 DPI, else the base name and the scale (TOOLBAR150 at 144 DPI).
std::string scaledResourceName(const std::string& base, int pictureDpi);
