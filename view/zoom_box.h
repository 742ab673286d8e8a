// The rubber-band box with the view's proportions that the user drags out
// from a point to zoom into it.
#pragma once

#include <windows.h>

struct ZoomBox {
    HWND window;
    int centerX;
    int centerY;
    int halfHeight;
    float aspect;

    void trackZoomBox(int x, int y);
    void drawZoomBox(HDC dc) const;
};

// Null when the record cannot be allocated.
ZoomBox* createZoomBox(HWND window, int x, int y);
