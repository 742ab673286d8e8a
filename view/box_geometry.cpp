#include "view/box_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr int smallestInt = std::numeric_limits<int>::min();
constexpr int largestInt = std::numeric_limits<int>::max();

// Truncation toward zero that stays defined for values beyond the integer
// range, which a box around a far-off centre can reach.
int truncateToPixel(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(smallestInt))
        return smallestInt;
    if (value >= double(largestInt))
        return largestInt;
    return static_cast<int>(value);
}

int clampToInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, smallestInt, largestInt));
}

} // namespace

float boxAspect(int clientWidth, int clientHeight)
{
    if (clientHeight <= 0)
        return 1.0f;
    return float(double(clientWidth) / double(clientHeight));
}

BoxEdges boxEdges(int centerX, int centerY, int halfHeight, float aspect)
{
    const double halfWidth = double(halfHeight) * double(aspect);
    BoxEdges edges;
    edges.left = truncateToPixel(double(centerX) - halfWidth);
    edges.right = truncateToPixel(double(centerX) + halfWidth);
    edges.top = clampToInt(std::int64_t(centerY) - halfHeight);
    edges.bottom = clampToInt(std::int64_t(centerY) + halfHeight);
    return edges;
}

int mouseHalfHeight(int centerX, int centerY, int x, int y)
{
    // The differences of 32-bit coordinates need 33 bits and their squares up
    // to 64; 32-bit squares would already overflow for points 46341 pixels
    // apart, well within the 16-bit positions of mouse messages.
    const std::uint64_t dx = std::uint64_t(std::llabs(std::int64_t(centerX) - x));
    const std::uint64_t dy = std::uint64_t(std::llabs(std::int64_t(centerY) - y));
    const std::uint64_t dx2 = dx * dx;
    const std::uint64_t dy2 = dy * dy;
    const std::uint64_t sum = dx2 > std::numeric_limits<std::uint64_t>::max() - dy2
                                  ? std::numeric_limits<std::uint64_t>::max()
                                  : dx2 + dy2;
    return truncateToPixel(std::sqrt(double(sum)));
}

BoxEdges boxUnion(const BoxEdges& a, const BoxEdges& b)
{
    return BoxEdges{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
}

BoxEdges growBox(const BoxEdges& box, int margin)
{
    return BoxEdges{clampToInt(std::int64_t(box.left) - margin), clampToInt(std::int64_t(box.top) - margin),
                    clampToInt(std::int64_t(box.right) + margin), clampToInt(std::int64_t(box.bottom) + margin)};
}
