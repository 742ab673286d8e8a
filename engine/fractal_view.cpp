#include "engine/fractal_view.h"

#include "engine/calculation_report.h"
#include "engine/plane_mapping.h"
#include "engine/render_worker.h"

#include <cmath>
#include <new>

RenderJob renderJob = {};
FractalView* theFractalView = nullptr;

namespace {

// The reset view is taller than the start-up view.
constexpr double resetHalfHeight = 1.5;

void showStatus(const char* text)
{
    if (theCalculationReport)
        theCalculationReport->showStatus(text);
}

SIZE clientSize(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// A top-down 32-bit DIB section: the worker writes its pixels straight into
// memory, so the worker and the user-interface thread never share a device
// context.
HBITMAP createPictureBitmap(int width, int height, std::uint32_t** pixels)
{
    *pixels = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        *pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

} // namespace

FractalView* createFractalView(HWND window, const Location& start)
{
    FractalView* view = new (std::nothrow) FractalView;
    if (!view)
        return nullptr;
    view->window = window;
    view->takeArea(areaOf(start, clientSize(window).cy));
    view->bitmap = nullptr;
    view->bitmapWidth = 0;
    view->bitmapHeight = 0;
    view->takeParameters(start);
    view->busy = false;
    view->memoryDC = nullptr;
    view->calculation = 0;
    view->finishedCalculation = 0;
    view->startCalculation();
    return view;
}

// A calculation that runs keeps the record to itself: nothing may change the
// view under it, and a second calculation would write into a picture the
// first is still drawing.
bool FractalView::refusedWhileBusy()
{
    if (!busy)
        return false;
    requestStop();
    return true;
}

void FractalView::startCalculation()
{
    if (refusedWhileBusy())
        return;
    busy = true;
    ++calculation;
    InvalidateRect(window, nullptr, TRUE);
    showStatus("Calculating...");

    if (memoryDC)
        DeleteDC(memoryDC);
    memoryDC = CreateCompatibleDC(nullptr);

    const SIZE size = clientSize(window);
    bitmapWidth = size.cx;
    bitmapHeight = size.cy;

    std::uint32_t* pixels = nullptr;
    HBITMAP newBitmap = createPictureBitmap(bitmapWidth, bitmapHeight, &pixels);
    if (newBitmap)
        SelectObject(memoryDC, newBitmap);
    // Stays selected: the worker draws its scan line under each row with it.
    SelectObject(memoryDC, GetStockObject(WHITE_PEN));

    renderJob.view = this;
    renderJob.newBitmap = newBitmap;
    renderJob.newPixels = pixels;
    renderJob.calculation = calculation;
    renderJob.location = location();
    renderJob.centerReal = centerReal;
    renderJob.centerImag = centerImag;
    stopRequested = false;

    // Without a render thread nobody would ever clear the flag.
    if (!renderWorker(&renderJob)) {
        showStatus("Start failed");
        busy = false;
    }
}

ViewArea FractalView::area() const
{
    return ViewArea{centerReal, centerImag, halfHeight, preciseReal, preciseImag};
}

void FractalView::takeArea(const ViewArea& newArea)
{
    centerReal = newArea.centerReal;
    centerImag = newArea.centerImag;
    halfHeight = newArea.halfHeight;
    preciseReal = newArea.preciseReal;
    preciseImag = newArea.preciseImag;
}

void FractalView::zoomIn()
{
    if (refusedWhileBusy())
        return;
    const SIZE size = clientSize(window);
    takeArea(areaWithHalfHeight(area(), halfHeight * 0.5, size.cx, size.cy));
    startCalculation();
}

void FractalView::zoomOut()
{
    if (refusedWhileBusy())
        return;
    const SIZE size = clientSize(window);
    takeArea(areaWithHalfHeight(area(), halfHeight * 2, size.cx, size.cy));
    startCalculation();
}

void FractalView::resetView()
{
    if (refusedWhileBusy())
        return;
    // Centred where the start-up view is.
    Location reset;
    reset.halfHeight = resetHalfHeight;
    takeArea(areaOf(reset, clientSize(window).cy));
    startCalculation();
}

void FractalView::zoomToBox(int x, int y, int boxHalfHeight)
{
    if (boxHalfHeight < 3 || refusedWhileBusy())
        return;
    const SIZE size = clientSize(window);
    // Half of a client height below 2 is 0: there is no scale to zoom by.
    if (size.cy / 2 == 0)
        return;
    takeArea(areaZoomedToBox(area(), x, y, boxHalfHeight, size.cx, size.cy));
    startCalculation();
}

void FractalView::takeParameters(const Location& location)
{
    maxIterations = location.iterationLimit;
    threshold = location.escapeThreshold;
    binaryColoring = location.binaryColoring;
}

void FractalView::zoomAbout(int x, int y, int notches)
{
    if (refusedWhileBusy())
        return;
    const SIZE size = clientSize(window);
    takeArea(areaZoomedAbout(area(), x, y, std::ldexp(halfHeight, -notches), size.cx, size.cy));
    startCalculation();
}

void FractalView::moveTo(const Location& target)
{
    if (refusedWhileBusy())
        return;
    // The location keeps no double centre: a deep view that stays where it
    // is keeps its own.
    if (target.centerReal != preciseReal || target.centerImag != preciseImag || target.halfHeight != halfHeight)
        takeArea(areaOf(target, clientSize(window).cy));
    takeParameters(target);
    startCalculation();
}

void FractalView::returnTo(const VisitedView& place)
{
    if (refusedWhileBusy())
        return;
    takeArea(areaReturnedTo(place.location, place.centerReal, place.centerImag, clientSize(window).cy));
    takeParameters(place.location);
    startCalculation();
}

Location FractalView::location() const
{
    return Location{preciseReal, preciseImag, halfHeight, maxIterations, threshold, binaryColoring};
}

const std::uint32_t* FractalView::finishedPicture(int width, int height) const
{
    const bool finished = !busy && finishedCalculation == calculation && renderJob.calculation == calculation;
    if (!finished || width != bitmapWidth || height != bitmapHeight || renderJob.location != location() ||
        renderJob.centerReal != centerReal || renderJob.centerImag != centerImag)
        return nullptr;
    return renderJob.newPixels;
}

VisitedView FractalView::visitedView() const
{
    return VisitedView{location(), centerReal, centerImag};
}

double FractalView::pixelToReal(int x) const
{
    const SIZE size = clientSize(window);
    return columnToReal(planeEdges(centerReal, centerImag, halfHeight, size.cx, size.cy), x, size.cx);
}

double FractalView::pixelToImag(int y) const
{
    const SIZE size = clientSize(window);
    return rowToImag(planeEdges(centerReal, centerImag, halfHeight, size.cx, size.cy), y, size.cy);
}

void FractalView::paintFractal(HDC dc) const
{
    const SIZE size = clientSize(window);
    if (size.cx != bitmapWidth || size.cy != bitmapHeight) {
        StretchBlt(dc, 0, 0, size.cx, size.cy, memoryDC, 0, 0, bitmapWidth, bitmapHeight, SRCCOPY);
        return;
    }
    // One to one, only the part that is being painted needs copying: that
    // gives the same pixels as the whole picture clipped to that part.
    RECT paint = {};
    GetClipBox(dc, &paint);
    BitBlt(dc, paint.left, paint.top, paint.right - paint.left, paint.bottom - paint.top, memoryDC, paint.left,
           paint.top, SRCCOPY);
}
