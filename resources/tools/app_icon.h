// The program's icon: the Mandelbrot set in black on a rounded blue tile
// that brightens towards the set's edge, drawn with several samples per
// pixel so that its outline stays smooth at every size.
#pragma once

#include "resources/tools/icon_file.h"

// The sizes the program's icon is drawn at: small icons, the taskbar, the
// large icon of Alt+Tab and Explorer's biggest view.
constexpr int appIconSizes[] = {16, 24, 32, 48, 256};

// The part of the plane on the icon: a square around the set, centred on
// the real axis, so that the icon is symmetric about its middle row.
constexpr double appIconCenterReal = -0.62;
constexpr double appIconHalfSide = 1.42;

// The tile: its margin to the icon's edge and its corner radius, as parts
// of the icon's side.
constexpr double appIconMargin = 1.0 / 16;
constexpr double appIconCornerRadius = 0.2;

// Colours of the tile from afar, at the set's edge, and of the set.
constexpr Rgba appIconFar = {18, 46, 140, 255};
constexpr Rgba appIconEdge = {235, 245, 255, 255};
constexpr Rgba appIconSet = {0, 0, 0, 255};

// The icon at size x size pixels; transparent outside the tile.
IconImage makeAppIcon(int size);
