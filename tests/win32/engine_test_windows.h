// The windows the engine's tests run in: a host with the status panel, and a
// picture window whose paint handler shows the fractal view, which is
// theFractalView (tests/support/view_idle.h waits for it). Also a picture
// of the view computed here, pixel by pixel, to compare the engine's with.
#pragma once

#include "engine/fractal_view.h"
#include "shell/status_panel.h"
#include "tests/support/view_idle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The part of the complex plane a picture shows and how it is coloured.
struct ExpectedView {
    double centerReal;
    double centerImag;
    double halfHeight;
    int width;
    int height;
    int limit;
    double threshold;
    bool binary;
};

// The view a finished calculation of `view` has drawn.
ExpectedView expectedViewOf(const FractalView& view);

// The colour of pixel (x, y) of that view, as a colour reference.
COLORREF expectedPixel(const ExpectedView& view, int x, int y);

// Checks the progress a run showed against what a person may see: it starts
// at 0, never goes back, ends with `last` and is then cleared to 0.
void expectProgressFromZeroTo(const std::vector<int>& log, int last);

// A colour reference from the components, spelt out for the tests' tables.
constexpr COLORREF colour(int r, int g, int b)
{
    return RGB(r, g, b);
}

class EngineWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the picture window of the given client size; the fractal view
    // is not made yet.
    HWND openPicture(int width, int height);

    // Makes the fractal view of the picture window, which starts the first
    // calculation.
    FractalView* startView();

    // Starts a calculation and waits for its end.
    bool calculate();

    std::string statusText() const;
    std::string percentText() const;
    int progressPosition() const;

    // The picture of the last calculation as colour references, row by row,
    // read back through GetDIBits.
    std::vector<COLORREF> readPicture() const;

    // A pixel of the memory surface, read through the memory DC.
    COLORREF surfacePixel(int x, int y) const;

    // A pixel of the picture window as painted on the screen.
    COLORREF screenPicturePixel(int x, int y);

    // The positions the progress bar was given, in order.
    const std::vector<int>& progressLog() const;
    void clearProgressLog();

    // Paces the worker's reports by a clock that advances one frame at every
    // rowsPerFrame-th reading. The worker reads it once per row, so with 1
    // every row is reported, with 10 the first row and every tenth after it.
    void useFrameClock(int rowsPerFrame = 1);

    HWND host = nullptr;
    StatusPanel panel = {};
    HWND picture = nullptr;
    FractalView* view = nullptr;
};
