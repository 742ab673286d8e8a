#include "tests/e2e/expected_picture.h"

#include "engine/escape_time.h"

#include <cmath>

std::uint32_t expectedColor(const ViewValues& view, int x, int y, int width, int height)
{
    const int steps = escapeSteps(columnReal(view, x, width, height), rowImag(view, y, width, height),
                                  view.maxIterations, view.threshold);
    return stepColor(steps, view.maxIterations, view.binaryColoring);
}

std::vector<ClientPoint> probePoints(int width, int height, int hiddenLeft, int hiddenTop, int hiddenRight,
                                     int hiddenBottom)
{
    // Distance of a point from the line through the two handles.
    const double ax = 10, ay = height - 10, bx = width - 10, by = 10;
    const double length = std::hypot(bx - ax, by - ay);
    std::vector<ClientPoint> points;
    const int columns = 11;
    const int rows = 9;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int x = 3 + (width - 7) * column / (columns - 1);
            const int y = 3 + (height - 7) * row / (rows - 1);
            const double distance = std::fabs((bx - ax) * (ay - y) - (ax - x) * (by - ay)) / length;
            const bool nearLine = distance < 9;
            const bool hidden = x >= hiddenLeft - 2 && x < hiddenRight + 2 && y >= hiddenTop - 2 && y < hiddenBottom + 2;
            if (!nearLine && !hidden)
                points.push_back({x, y});
        }
    }
    return points;
}
