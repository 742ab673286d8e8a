// The picture strip of the toolbar: seven 16 x 15 button pictures side by
// side, image n starting at x = 16 n, and one spare column at the right.
// The build makes the strip for each of the drawn scales (common/dpi_scale.h)
// from the same pixel maps, each picture enlarged pixel by pixel.
#pragma once

#include "common/dpi_scale.h"
#include "resources/tools/pixel_map.h"

constexpr int toolbarImageWidth = 16;
constexpr int toolbarImageHeight = 15;
constexpr int toolbarImageCount = 7;
constexpr int toolbarStripWidth = 113;

constexpr Rgb toolbarBackground = {192, 192, 192};

// The size of one button picture at a DPI: 16 x 15 at 96, 20 x 19 at 120,
// 24 x 23 at 144 and 32 x 30 at 192.
int toolbarImageWidthFor(int dpi);
int toolbarImageHeightFor(int dpi);

// Lays the pictures of the map side by side in their order, the spare column
// in the background colour, each picture at its size for dpi. False, with
// the reason in error, unless the map holds exactly seven pictures of 16 x 15
// pixels in colours of the standard 16-colour palette.
bool makeToolbarPicture(const PixelMap& map, Picture& strip, std::string& error, int dpi = defaultDpi);

// True when every pixel of the picture is a colour of the palette.
bool usesOnlyPalette(const Picture& picture, const std::vector<Rgb>& palette);

// The picture enlarged or reduced to width x height without new colours:
// every pixel takes the colour of the source pixel under its centre, so
// that a picture doubled in size shows each of its pixels as a 2 x 2 square.
Picture scaleSharply(const Picture& picture, int width, int height);
