// The state of the fractal view: which part of the complex plane it shows, the
// iteration parameters, the picture of the current calculation and whether a
// calculation runs.
#pragma once

#include "engine/location.h"
#include "engine/precise_real.h"
#include "engine/view_area.h"
#include "engine/view_history.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

struct FractalView {
    HWND window;
    double centerReal;
    double centerImag;
    double halfHeight;
    HBITMAP bitmap;
    int bitmapWidth;
    int bitmapHeight;
    int maxIterations;
    double threshold;
    std::atomic<bool> busy;
    HDC memoryDC;
    bool binaryColoring;
    // Counts the calculations started, so that the end of one can be told
    // from the end of another.
    unsigned calculation;
    // The centre in high precision, from which deep views are computed;
    // see ViewArea for how it and the double centre keep together.
    PreciseReal preciseReal;
    PreciseReal preciseImag;
    // The number of the last calculation that ended "Done", with its
    // picture whole; 0 before any. Set by the render threads before busy
    // falls.
    unsigned finishedCalculation;
    // The places the view has left, for Back and Forward.
    ViewHistory history;

    // None of these starts a calculation while one runs: each then only
    // asks the running one to stop and changes nothing. A zoom that would
    // take the view beyond the deepest half-height, or out of the range of
    // a double, keeps the view and only calculates it anew.
    void startCalculation();
    void zoomIn();
    void zoomOut();
    void resetView();
    void zoomToBox(int x, int y, int boxHalfHeight);
    // Zooms about pixel (x, y), whose point stays where it is, halving the
    // half-height for each notch (doubling it for each negative one).
    void zoomAbout(int x, int y, int notches);
    // Shows the location, which must be valid, and calculates it. A move to
    // where the view already is only calculates it anew.
    void moveTo(const Location& location);
    // Shows a place the view has shown before, as it was there.
    void returnTo(const VisitedView& place);

    // Where the view is: its precise centre, half-height and parameters.
    Location location() const;
    // Where the view is, with the double centre of its formulas.
    VisitedView visitedView() const;

    // The pixels of the view's picture (RenderJob's newPixels) when they are
    // the whole picture of the view as it is now at width x height: no
    // calculation runs, the last one ended "Done" at that size, and the view
    // has not moved since. Null otherwise.
    const std::uint32_t* finishedPicture(int width, int height) const;

    double pixelToReal(int x) const;
    double pixelToImag(int y) const;
    // Shows the picture in dc over the whole client area: copied one to one
    // within dc's clipping box when the picture has the client area's size,
    // else stretched.
    void paintFractal(HDC dc) const;

private:
    friend FractalView* createFractalView(HWND window, const Location& start);

    bool refusedWhileBusy();
    ViewArea area() const;
    void takeArea(const ViewArea& newArea);
    void takeParameters(const Location& location);
};

// Hands one calculation to its worker thread.
struct RenderJob {
    FractalView* view;
    HBITMAP newBitmap;
    // The pixels of newBitmap: bitmapHeight top-down rows of bitmapWidth
    // 32-bit values 0x00RRGGBB; null when the bitmap could not be made.
    std::uint32_t* newPixels;
    // The number of the calculation.
    unsigned calculation;
    // What it computes: the view's location and double centre at its start.
    Location location;
    double centerReal;
    double centerImag;
};

extern RenderJob renderJob;

// The one fractal view of the process; null until its window is created.
extern FractalView* theFractalView;

// Makes the view of the given window at the location given, by default the
// start-up view, and starts the first calculation. Returns null when the
// record cannot be allocated.
FractalView* createFractalView(HWND window, const Location& start = Location{});
