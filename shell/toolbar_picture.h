// The picture strip of the toolbar: seven 16 x 15 button pictures side by
// side, image n starting at x = 16 n, and one spare column at the right.
#pragma once

#include "shell/pixel_map.h"

constexpr int toolbarImageWidth = 16;
constexpr int toolbarImageHeight = 15;
constexpr int toolbarImageCount = 7;
constexpr int toolbarStripWidth = 113;

constexpr Rgb toolbarBackground = {192, 192, 192};

// Lays the pictures of the map side by side in their order, the spare column
// in the background colour. False, with the reason in error, unless the map
// holds exactly seven pictures of 16 x 15 pixels in colours of the standard
// 16-colour palette.
bool makeToolbarPicture(const PixelMap& map, Picture& strip, std::string& error);

// True when every pixel of the picture is a colour of the palette.
bool usesOnlyPalette(const Picture& picture, const std::vector<Rgb>& palette);
