// The "Orbits" tool window: the orbit of the point under the cursor on a fixed
// 128 x 96 picture of the plane, or on a larger one drawn for the scale of
// the monitor the window is on (orbits/orbit_plane.h).
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
    // The DPI of the window's monitor.
    int dpi;

    void createOrbitWindow(HWND orbitWindow, HINSTANCE instance);
    // Sizes the window for its DPI and puts it at the owner's lower right.
    void placeOrbitWindow();
    // Takes the pictures and the size for a new DPI, once the window has
    // moved to a monitor of another scale.
    void fitToDpi(int newDpi);
    void setOrbitPoint(double re, double im);
    void paintOrbit(HDC dc);
    void showOrbitMenu(int x, int y);
    void applyOrbitCommand(int id);

private:
    HBITMAP loadGuide(HINSTANCE instance) const;
    HBITMAP makeScratchBitmap() const;
};

// The one orbit window object; null until the frame creates it.
extern OrbitWindow* theOrbitWindow;

LRESULT CALLBACK orbitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "ORBITSCLASS"; 0 on failure.
ATOM registerOrbitWindowClass(HINSTANCE instance);
