// The mapping between the pixels of a picture and the complex plane.
#pragma once

// The edges of a picture in the complex plane; the imaginary part grows downwards.
struct PlaneEdges {
    double left;
    double right;
    double top;
    double bottom;
};

// The edges of a picture of width x height pixels centred on the given point.
PlaneEdges planeEdges(double centerReal, double centerImag, double halfHeight, int width, int height);

// The real part at column x and the imaginary part at row y of that picture.
double columnToReal(const PlaneEdges& edges, int x, int width);
double rowToImag(const PlaneEdges& edges, int y, int height);

// The half-height after zooming to a box of boxHalfHeight pixels in a view of
// clientHeight pixels; clientHeight / 2 must not be 0.
double boxZoomHalfHeight(int boxHalfHeight, double halfHeight, int clientHeight);

// Whether a view stays within the range of a double at a picture size of
// width x height pixels: its half-height is a positive normal number, its
// edges (and so its half-width) are finite, and every pixel maps to a finite
// point. A picture without pixels is judged as one of a single pixel.
bool viewInRange(double centerReal, double centerImag, double halfHeight, int width, int height);
