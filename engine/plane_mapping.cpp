#include "engine/plane_mapping.h"

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
