// What the explorer's picture should show: the colour of a pixel of the view
// for given view values, worked out here from the tests' own plane mapping.
#pragma once

#include "tests/support/view_plane.h"

#include <cstdint>
#include <vector>

// The view's place in the plane and its parameters, at their start-up values.
struct ViewValues : ViewPlace {
    int maxIterations = 32;
    double threshold = 15.0;
    bool binaryColoring = false;
};

struct ClientPoint {
    int x;
    int y;
};

// The colour reference 0x00BBGGRR of the pixel (x, y).
std::uint32_t expectedColor(const ViewValues& view, int x, int y, int width, int height);

// A spread of client points of a view width x height that lie well away from
// the orbit line between its start handles (10, height - 10) and
// (width - 10, 10), and outside the rectangle hidden (left, top, right,
// bottom, in client pixels).
std::vector<ClientPoint> probePoints(int width, int height, int hiddenLeft, int hiddenTop, int hiddenRight,
                                     int hiddenBottom);
