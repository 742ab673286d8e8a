#include "engine/plane_mapping.h"

#include <algorithm>
#include <cmath>

PlaneEdges planeEdges(double centerReal, double centerImag, double halfHeight, int width, int height)
{
    const double halfWidth = width * halfHeight / height;
    return PlaneEdges{centerReal - halfWidth, halfWidth + centerReal, centerImag - halfHeight,
                      halfHeight + centerImag};
}

double columnToReal(const PlaneEdges& edges, int x, int width)
{
    return edges.left + (edges.right - edges.left) * x / width;
}

double rowToImag(const PlaneEdges& edges, int y, int height)
{
    return edges.top + (edges.bottom - edges.top) * y / height;
}

double boxZoomHalfHeight(int boxHalfHeight, double halfHeight, int clientHeight)
{
    return boxHalfHeight * halfHeight / (clientHeight / 2);
}

bool viewInRange(double centerReal, double centerImag, double halfHeight, int width, int height)
{
    if (!std::isnormal(halfHeight) || halfHeight < 0)
        return false;
    const int w = std::max(width, 1);
    const int h = std::max(height, 1);
    const PlaneEdges edges = planeEdges(centerReal, centerImag, halfHeight, w, h);
    // The mapping grows with the pixel, so the left and top edges and the
    // points of column w and row h bound every pixel in between.
    return std::isfinite(edges.left) && std::isfinite(edges.right) && std::isfinite(edges.top) &&
           std::isfinite(edges.bottom) && std::isfinite(columnToReal(edges, w, w)) &&
           std::isfinite(rowToImag(edges, h, h));
}
