// The straight line with a draggable handle at each end that lies over the
// fractal view; the export samples the orbits along it.
#pragma once

#include <windows.h>

struct OrbitLine {
    HWND window;
    int handleX[2];
    int handleY[2];
    HBRUSH handleBrush;

    // The line and its handles, as wide and as large as the window's DPI
    // makes them.
    void drawOrbitLine(HDC dc) const;
    bool isOverHandle(int x, int y) const;
    // 1 or 2 for the handle whose hit box, at the window's DPI, holds (x, y),
    // else 0.
    int handleAt(int x, int y) const;
    // index is 1 or 2.
    void moveHandle(int index, int x, int y);
    // The first n of n + 1 equally spaced points from handle 1 to handle 2.
    void samplePoints(double* xs, double* ys, int n) const;
};

extern OrbitLine* theOrbitLine;

// Null when the record cannot be allocated.
OrbitLine* createOrbitLine(HWND window);
