// A real Orbits window, owned by a test host, whose object is the one its
// window procedure reaches. The two windows are made once and shared by the
// tests, since destroying a captioned window under Wine without a window
// manager waits two seconds for it to be withdrawn; every test builds a
// fresh object on the window and puts the host back where it started.
#pragma once

#include "orbits/orbit_window.h"

#include <gtest/gtest.h>

class OrbitWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Hands the point to the window as the fractal view does and has the
    // window paint at once.
    void showPoint(double re, double im);

    // A pixel of the picture composed by the last paint, and of the window.
    COLORREF picturePixel(int x, int y) const;
    COLORREF windowPixel(int x, int y) const;

    // Checks that the window lies cornerOffset pixels left of and above the
    // owner's bottom right corner, with a client area of client, and that
    // its scratch and guide pictures are of picture's size.
    void expectPlacedAndSized(int cornerOffset, SIZE client, SIZE picture) const;

    HWND host = nullptr;
    HWND window = nullptr;
    OrbitWindow orbit = {};
};

// The window's colours as colour references.
constexpr COLORREF guideBackgroundColor = RGB(64, 64, 64);
constexpr COLORREF guideBorderColor = RGB(75, 75, 75);
constexpr COLORREF guideCornerColor = RGB(86, 86, 86);
constexpr COLORREF whiteColor = RGB(255, 255, 255);
constexpr COLORREF blackColor = RGB(0, 0, 0);
