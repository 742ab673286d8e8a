#include "view/line_geometry.h"

#include <cstdint>

namespace {

// Compared in 64 bits so that a handle near the ends of the integer range
// cannot overflow its bounds.
bool withinReach(int handle, int point, int reach)
{
    const std::int64_t offset = std::int64_t(point) - handle;
    return offset >= -reach && offset <= reach;
}

// One coordinate of sample i: the step (end - start) / n, times i, plus the
// start, in that order. The difference is exact; a 32-bit one would wrap for
// handles more than 2^31 pixels apart.
double sampleCoordinate(int start, int end, int n, int i)
{
    const double difference = double(std::int64_t(end) - start);
    return difference / n * i + start;
}

} // namespace

void placeStartHandles(int left, int top, int right, int bottom, int handleX[2], int handleY[2], int inset)
{
    handleX[0] = left + inset;
    handleY[0] = bottom - inset;
    handleX[1] = right - inset;
    handleY[1] = top + inset;
}

int handleHitAt(const int handleX[2], const int handleY[2], int x, int y, int reach)
{
    for (int n = 0; n < 2; ++n) {
        if (withinReach(handleX[n], x, reach) && withinReach(handleY[n], y, reach))
            return n + 1;
    }
    return 0;
}

void sampleLinePoints(const int handleX[2], const int handleY[2], double* xs, double* ys, int n)
{
    for (int i = 0; i < n; ++i) {
        xs[i] = sampleCoordinate(handleX[0], handleX[1], n, i);
        ys[i] = sampleCoordinate(handleY[0], handleY[1], n, i);
    }
}
