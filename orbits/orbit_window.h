// The "Orbits" tool window: the orbit of the point under the cursor on a fixed
// 128 x 96 picture of the plane.
#pragma once

#include <windows.h>

struct OrbitWindow {
    HWND window;
    HWND owner;
    HDC guideDC;
    HDC scratchDC;
    HBITMAP scratchBitmap;
    double pointRe;
    double pointIm;
    unsigned char showGuide;
    unsigned char drawLines;
    unsigned char showCrosshairs;
    HMENU contextMenu;

    void createOrbitWindow(HWND orbitWindow, HINSTANCE instance);
    void placeOrbitWindow();
    void setOrbitPoint(double re, double im);
    void paintOrbit(HDC dc);
    void showOrbitMenu(int x, int y);
    void applyOrbitCommand(int id);
};

// The one orbit window object; null until the frame creates it.
extern OrbitWindow* theOrbitWindow;

LRESULT CALLBACK orbitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "ORBITSCLASS"; 0 on failure.
ATOM registerOrbitWindowClass(HINSTANCE instance);
