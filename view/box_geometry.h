// The geometry of the zoom box: its proportions, its edges for a half-height,
// the half-height the mouse gives it and the area a change of it repaints.
#pragma once

// A rectangle in client pixels; right and bottom lie just outside it.
struct BoxEdges {
    int left;
    int top;
    int right;
    int bottom;
};

// zoomToBox leaves a box of a smaller half-height alone.
constexpr int smallestZoomHalfHeight = 3;

// The client width divided by the client height, rounded to a 32-bit float.
// A client area without height gives 1, so the box stays square and finite.
float boxAspect(int clientWidth, int clientHeight);

// The box of half-height h around (centerX, centerY): left and right lie
// h x aspect from the centre, computed in double precision and truncated
// toward zero; top and bottom lie h above and below it.
BoxEdges boxEdges(int centerX, int centerY, int halfHeight, float aspect);

// The distance from the centre to (x, y), truncated toward zero.
int mouseHalfHeight(int centerX, int centerY, int x, int y);

// The smallest rectangle that holds both boxes.
BoxEdges boxUnion(const BoxEdges& a, const BoxEdges& b);

// The box grown by margin pixels on every side, its edges held within the
// integer range.
BoxEdges growBox(const BoxEdges& box, int margin);
