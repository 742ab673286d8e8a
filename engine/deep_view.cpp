#include "engine/deep_view.h"

#include <algorithm>
#include <cmath>

double pixelSpacing(double halfHeight, int height)
{
    return 2.0 * halfHeight / std::max(height, 1);
}

bool isDeepView(double halfHeight, int height)
{
    return pixelSpacing(halfHeight, height) < deepSpacing;
}

double deepColumnOffset(int x, int width, double halfHeight, int height)
{
    const double halfWidth = width * halfHeight / height;
    return (2.0 * x / width - 1.0) * halfWidth;
}

double deepRowOffset(int y, double halfHeight, int height)
{
    return (2.0 * y / height - 1.0) * halfHeight;
}

double deepOffsetRadius(double halfHeight, int width, int height)
{
    const double halfWidth = std::max(width, 1) * halfHeight / std::max(height, 1);
    return std::hypot(halfWidth, halfHeight);
}
