#include "view/fractal_view_window.h"

#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "engine/view_navigation.h"
#include "engine/view_requests.h"
#include "orbits/orbit_window.h"
#include "view/box_geometry.h"
#include "view/orbit_line.h"
#include "view/wheel_turns.h"

#include <windowsx.h>

ZoomBox* theZoomBox = nullptr;
int dragHandle = 0;

namespace {

// The turns of the wheel not yet zoomed, the client point the cursor was at
// when the last of them came, and whether a zoom by them waits its turn.
WheelTurns wheelTurns;
POINT wheelPoint = {};
bool wheelZoomWaits = false;

// The view never captures the mouse, not even while a box or a handle is
// dragged: that is how the explorer has always behaved. A drag follows the
// mouse only over the view, and a release elsewhere is not seen; coming back,
// the box or the handle follows the mouse again until the button is released
// over the view. Without the capture the platform gives the view only
// positions inside its client area, so each of the low and high words of
// lParam is taken as an unsigned 16-bit value, as the explorer always took it.
int mouseX(LPARAM lParam)
{
    return int(LOWORD(lParam));
}

int mouseY(LPARAM lParam)
{
    return int(HIWORD(lParam));
}

void destroyZoomBox()
{
    delete theZoomBox;
    theZoomBox = nullptr;
}

// The records are process-wide and each may be missing if it could not be
// allocated; every handler below copes without them. The view starts at the
// location given to CreateWindowEx, or at the start-up view.
void onCreate(HWND window, const CREATESTRUCTA& creation)
{
    const auto* start = static_cast<const Location*>(creation.lpCreateParams);
    theFractalView = createFractalView(window, start ? *start : Location{});
    theOrbitLine = createOrbitLine(window);
    wheelTurns.clear();
    wheelZoomWaits = false;
}

void onPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (theFractalView)
        theFractalView->paintFractal(dc);
    if (theOrbitLine)
        theOrbitLine->drawOrbitLine(dc);
    if (theZoomBox)
        theZoomBox->drawZoomBox(dc);
    EndPaint(window, &paint);
}

void onMouseMove(int x, int y)
{
    if (dragHandle != 0) {
        if (theOrbitLine)
            theOrbitLine->moveHandle(dragHandle, x, y);
    } else if (theZoomBox) {
        theZoomBox->trackZoomBox(x, y);
    }
    if (theFractalView && theOrbitWindow)
        theOrbitWindow->setOrbitPoint(theFractalView->pixelToReal(x), theFractalView->pixelToImag(y));
    const bool overHandle = theOrbitLine && theOrbitLine->isOverHandle(x, y);
    SetCursor(LoadCursorA(nullptr, overHandle ? IDC_ARROW : IDC_CROSS));
}

// A press away from the handles starts a zoom box. While a calculation runs
// it asks the calculation to stop first and waits, with any requests given
// before it, for the calculation's end; then the box starts at the point of
// the press.
void startZoomBox(HWND window, int x, int y)
{
    destroyZoomBox();
    theZoomBox = createZoomBox(window, x, y);
    InvalidateRect(window, nullptr, FALSE);
}

void onButtonDown(HWND window, LPARAM lParam)
{
    const int x = mouseX(lParam);
    const int y = mouseY(lParam);
    dragHandle = theOrbitLine ? theOrbitLine->handleAt(x, y) : 0;
    if (dragHandle != 0)
        return;
    // Without a view there is nothing to zoom.
    if (!theFractalView)
        return;
    viewRequests().submit([window, x, y] { startZoomBox(window, x, y); });
}

// Zooms by the box that is there when the request runs, and ends it.
void zoomByBox(HWND window)
{
    if (!theZoomBox)
        return;
    if (theFractalView) {
        const ZoomBox& box = *theZoomBox;
        changeView([&box] { theFractalView->zoomToBox(box.centerX, box.centerY, box.halfHeight); });
    }
    destroyZoomBox();
    InvalidateRect(window, nullptr, FALSE);
}

// A keyboard command may have started a calculation while the box was
// dragged. A box that would zoom then stays and waits, like a press, for the
// calculation to stop; one too small to zoom is simply dropped, so that it
// does not cancel that calculation for nothing.
void onButtonUp(HWND window)
{
    dragHandle = 0;
    if (!theZoomBox)
        return;
    const bool held = (theFractalView && theFractalView->busy) || viewRequests().holdsRequests();
    if (held && theZoomBox->halfHeight < smallestZoomHalfHeight) {
        destroyZoomBox();
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    viewRequests().submit([window] { zoomByBox(window); });
}

// Zooms by every whole notch turned so far, about the point the cursor was
// at when the last turn came. Notches turned while the zoom waited for a
// calculation to stop are all in it; turns that cancelled each other out
// leave the view and only calculate it anew, as a zoom out of range does.
void zoomByWheel()
{
    wheelZoomWaits = false;
    const int notches = wheelTurns.takeNotches();
    if (notches == 0) {
        theFractalView->startCalculation();
        return;
    }
    changeView([notches] { theFractalView->zoomAbout(wheelPoint.x, wheelPoint.y, notches); });
}

// A turn of the wheel, its cursor position in screen coordinates. Over the
// picture, each whole notch zooms; while a calculation runs the zoom waits
// its turn, as a zoom command does, and later turns join it.
void onMouseWheel(HWND window, WPARAM wParam, LPARAM lParam)
{
    POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &cursor);
    RECT client = {};
    GetClientRect(window, &client);
    if (!theFractalView || !PtInRect(&client, cursor))
        return;
    wheelTurns.add(GET_WHEEL_DELTA_WPARAM(wParam));
    wheelPoint = cursor;
    if (wheelZoomWaits || !wheelTurns.holdsNotch())
        return;
    wheelZoomWaits = true;
    viewRequests().submit(zoomByWheel);
}

} // namespace

LRESULT CALLBACK fractalViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(mouseX(lParam), mouseY(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        onButtonDown(window, lParam);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(window);
        return 0;
    case WM_MOUSEWHEEL:
        onMouseWheel(window, wParam, lParam);
        return 0;
    case WM_CALCULATION_ENDED:
        takeUpWaitingRequests(static_cast<unsigned>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == withheldRowsTimer && !reportWithheldRows())
            KillTimer(window, withheldRowsTimer);
        return 0;
    case WM_DESTROY:
        viewRequests().dropWaiting();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM registerFractalViewClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    // No CS_DBLCLKS: a double click arrives as two presses.
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = fractalViewProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "FRACTALCLASS";
    return RegisterClassA(&windowClass);
}
