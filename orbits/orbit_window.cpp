#include "orbits/orbit_window.h"

#include "common/dpi_scale.h"
#include "common/gdi_selection.h"
#include "common/scaled_pen.h"
#include "common/window_dc.h"
#include "common/window_dpi.h"
#include "orbits/orbit_plot.h"
#include "resources/resource_ids.h"

OrbitWindow* theOrbitWindow = nullptr;

namespace {

// The distance of the window's top-left corner from the owner's
// bottom-right, at 96 DPI.
constexpr int ownerCornerOffset = 150;

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;

// The picture of the plane for the window's scale: its size and the width of
// the strokes drawn on it, 1 pixel at 96 DPI.
struct PictureSize {
    int width;
    int height;
    double pixelsPerUnit;
    int stroke;
};

PictureSize pictureSize(int dpi)
{
    const int pictureDpi = pictureDpiFor(dpi);
    return {orbitPictureWidthFor(pictureDpi), orbitPictureHeightFor(pictureDpi), orbitPixelsPerUnitFor(pictureDpi),
            scaleForDpi(1, pictureDpi)};
}

void drawOrbitLines(HDC dc, const OrbitPlot& plot, int stroke)
{
    // At every scale the stock white pen stays selected: a wider pen is
    // selected over it for the lines alone, and a wider pen that cannot be
    // made leaves the lines to the stock pen.
    SelectObject(dc, GetStockObject(WHITE_PEN));
    const bool thin = stroke <= 1;
    const GdiSelection pen(dc, thin ? GetStockObject(WHITE_PEN) : CreatePen(PS_SOLID, stroke, white),
                           thin ? GdiSelection::keep : GdiSelection::deleteAtEnd);
    MoveToEx(dc, plot.start.x, plot.start.y, nullptr);
    for (const PlotPoint& point : plot.iterates)
        LineTo(dc, point.x, point.y);
}

// A dot of the stroke's width, centred on (x, y) as a wide line through it is.
void drawDot(HDC dc, const PlotPoint& point, COLORREF colour, int stroke)
{
    if (stroke == 1) {
        SetPixel(dc, point.x, point.y, colour);
        return;
    }
    const int left = point.x - stroke / 2;
    const int top = point.y - stroke / 2;
    const RECT dot = {left, top, left + stroke, top + stroke};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &dot, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void drawOrbitDots(HDC dc, const OrbitPlot& plot, int stroke)
{
    drawDot(dc, plot.start, orbitStartColor, stroke);
    for (int k = 0; k < orbitIterateCount; ++k)
        drawDot(dc, plot.iterates[k], iterateColor(k), stroke);
}

// Dotted white lines across the whole picture through (x, y), the gaps
// painted black.
void drawCrosshairs(HDC dc, int x, int y, const PictureSize& size)
{
    const GdiSelection dotted(dc, createDottedPen(size.stroke, white), GdiSelection::deleteAtEnd);
    SetBkColor(dc, black);
    SetBkMode(dc, OPAQUE);
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, size.width, y);
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, size.height);
}

} // namespace

void OrbitWindow::createOrbitWindow(HWND orbitWindow, HINSTANCE instance)
{
    window = orbitWindow;
    owner = GetParent(orbitWindow);
    dpi = windowDpi(orbitWindow);
    placeOrbitWindow();

    guideDC = CreateCompatibleDC(nullptr);
    SelectObject(guideDC, loadGuide(instance));

    showGuide = 1;
    drawLines = 0;
    showCrosshairs = 1;

    contextMenu = GetSubMenu(LoadMenuA(instance, "ORBITS"), 0);

    scratchDC = CreateCompatibleDC(nullptr);
    scratchBitmap = makeScratchBitmap();
    SelectObject(scratchDC, scratchBitmap);

    // The frame paints the window before any mouse move reaches the fractal
    // view; until then the orbit shown is that of the view's start-up centre.
    pointRe = -0.5;
    pointIm = 0.0;
}

HBITMAP OrbitWindow::loadGuide(HINSTANCE instance) const
{
    return LoadBitmapA(instance, scaledResourceName("smallmandel", pictureDpiFor(dpi)).c_str());
}

HBITMAP OrbitWindow::makeScratchBitmap() const
{
    const PictureSize size = pictureSize(dpi);
    const WindowDC windowDC(window, WindowDC::wholeWindow);
    return CreateCompatibleBitmap(windowDC.get(), size.width, size.height);
}

void OrbitWindow::fitToDpi(int newDpi)
{
    dpi = newDpi;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    DeleteObject(SelectObject(guideDC, loadGuide(instance)));
    HBITMAP scratch = makeScratchBitmap();
    SelectObject(scratchDC, scratch);
    DeleteObject(scratchBitmap);
    scratchBitmap = scratch;
    placeOrbitWindow();
    InvalidateRect(window, nullptr, FALSE);
}

void OrbitWindow::placeOrbitWindow()
{
    RECT client;
    RECT outer;
    RECT ownerRect;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    GetWindowRect(owner, &ownerRect);
    const int frameWidth = (outer.right - outer.left) - (client.right - client.left);
    const int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    // The client area is one column narrower than the picture.
    const PictureSize size = pictureSize(dpi);
    const int offset = scaleForDpi(ownerCornerOffset, dpi);
    MoveWindow(window, ownerRect.right - offset, ownerRect.bottom - offset, frameWidth + size.width - 1,
               frameHeight + size.height, TRUE);
}

void OrbitWindow::setOrbitPoint(double re, double im)
{
    pointRe = re;
    pointIm = im;
    InvalidateRect(window, nullptr, FALSE);
}

void OrbitWindow::paintOrbit(HDC dc)
{
    const PictureSize size = pictureSize(dpi);
    if (showGuide) {
        BitBlt(scratchDC, 0, 0, size.width, size.height, guideDC, 0, 0, SRCCOPY);
    } else {
        RECT whole = {0, 0, size.width, size.height};
        FillRect(scratchDC, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }

    const OrbitPlot plot = plotOrbit(pointRe, pointIm, size.pixelsPerUnit);
    if (drawLines)
        drawOrbitLines(scratchDC, plot, size.stroke);
    else
        drawOrbitDots(scratchDC, plot, size.stroke);

    if (showCrosshairs)
        drawCrosshairs(scratchDC, plot.start.x, plot.start.y, size);

    // One transfer, so the window never shows a half-drawn orbit.
    BitBlt(dc, 0, 0, size.width, size.height, scratchDC, 0, 0, SRCCOPY);
}

void OrbitWindow::showOrbitMenu(int x, int y)
{
    CheckMenuItem(contextMenu, CMD_GUIDE, MF_BYCOMMAND | (showGuide ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(contextMenu, CMD_LINES, MF_BYCOMMAND | (drawLines ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(contextMenu, CMD_DOTS, MF_BYCOMMAND | (drawLines ? MF_UNCHECKED : MF_CHECKED));
    CheckMenuItem(contextMenu, CMD_CROSSHAIRS, MF_BYCOMMAND | (showCrosshairs ? MF_CHECKED : MF_UNCHECKED));
    POINT screen = {x, y};
    ClientToScreen(window, &screen);
    TrackPopupMenuEx(contextMenu, 0, screen.x, screen.y, window, nullptr);
}

void OrbitWindow::applyOrbitCommand(int id)
{
    switch (id) {
    case CMD_GUIDE:
        showGuide = showGuide ? 0 : 1;
        break;
    case CMD_LINES:
        drawLines = 1;
        break;
    case CMD_DOTS:
        drawLines = 0;
        break;
    case CMD_CROSSHAIRS:
        showCrosshairs = showCrosshairs ? 0 : 1;
        break;
    default:
        break;
    }
}

LRESULT CALLBACK orbitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        // The frame creates the window before its object; a paint that comes
        // in between is validated and left to the background brush.
        if (theOrbitWindow)
            theOrbitWindow->paintOrbit(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (theOrbitWindow)
            theOrbitWindow->applyOrbitCommand(LOWORD(wParam));
        return 0;
    case WM_RBUTTONUP:
        if (theOrbitWindow)
            theOrbitWindow->showOrbitMenu(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DPICHANGED:
        // The window has moved to a monitor of another scale. It takes the
        // pictures for that scale and its place at the owner's corner, rather
        // than the rectangle the system suggests.
        if (theOrbitWindow)
            theOrbitWindow->fitToDpi(HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The window has no close box because it stays for the whole run;
        // Alt+F4 would otherwise close it through the default handling.
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM registerOrbitWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = orbitWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "ORBITSCLASS";
    return RegisterClassA(&windowClass);
}
