// What the explorer's picture should show: the colour of a pixel of the view
// for given view values, worked out here from the plane mapping.
#pragma once

#include <cstdint>
#include <vector>

struct ViewValues {
    double centerReal = -0.5;
    double centerImag = 0.0;
    double halfHeight = 1.3;
    int maxIterations = 32;
    double threshold = 15.0;
    bool binaryColoring = false;
};

struct ClientPoint {
    int x;
    int y;
};

// The complex point of client column x and row y of a view width x height.
double columnReal(const ViewValues& view, int x, int width, int height);
double rowImag(const ViewValues& view, int y, int width, int height);

// The colour reference 0x00BBGGRR of the pixel (x, y).
std::uint32_t expectedColor(const ViewValues& view, int x, int y, int width, int height);

// A spread of client points of a view width x height that lie well away from
// the orbit line between its start handles (10, height - 10) and
// (width - 10, 10), and outside the rectangle hidden (left, top, right,
// bottom, in client pixels).
std::vector<ClientPoint> probePoints(int width, int height, int hiddenLeft, int hiddenTop, int hiddenRight,
                                     int hiddenBottom);
