// The tests' own account of how a pixel of the fractal view becomes a complex
// number: from the view's edges in the plane, the imaginary part growing
// downwards. It is written here, apart from the program's mapping, so that a
// fault there shows.
#pragma once

// A view's place in the plane; by default the start-up view, centred on
// -0.5 + 0i with a half-height of 1.3.
struct ViewPlace {
    double centerReal = -0.5;
    double centerImag = 0.0;
    double halfHeight = 1.3;
};

// The real part at client column x and the imaginary part at client row y of
// a view of width x height pixels.
inline double columnReal(const ViewPlace& view, int x, int width, int height)
{
    const double halfWidth = width * view.halfHeight / height;
    const double left = view.centerReal - halfWidth;
    const double right = halfWidth + view.centerReal;
    return left + (right - left) * x / width;
}

inline double rowImag(const ViewPlace& view, int y, int, int height)
{
    const double top = view.centerImag - view.halfHeight;
    const double bottom = view.halfHeight + view.centerImag;
    return top + (bottom - top) * y / height;
}
