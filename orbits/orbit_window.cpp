#include "orbits/orbit_window.h"

#include "orbits/orbit_plot.h"
#include "resources/resource_ids.h"
#include "shell/gdi_selection.h"

OrbitWindow* theOrbitWindow = nullptr;

namespace {

// The orbit window's client area is one column narrower than its picture.
constexpr int clientWidth = 127;
constexpr int clientHeight = 96;
// The distance of the window's top-left corner from the owner's bottom-right.
constexpr int ownerCornerOffset = 150;

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;

void drawOrbitLines(HDC dc, const OrbitPlot& plot)
{
    SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, plot.start.x, plot.start.y, nullptr);
    for (const PlotPoint& point : plot.iterates)
        LineTo(dc, point.x, point.y);
}

void drawOrbitDots(HDC dc, const OrbitPlot& plot)
{
    SetPixel(dc, plot.start.x, plot.start.y, orbitStartColor);
    for (int k = 0; k < orbitIterateCount; ++k)
        SetPixel(dc, plot.iterates[k].x, plot.iterates[k].y, iterateColor(k));
}

// Dotted white lines across the whole picture through (x, y), the gaps
// painted black.
void drawCrosshairs(HDC dc, int x, int y)
{
    const GdiSelection dotted(dc, CreatePen(PS_DOT, 1, white), GdiSelection::deleteAtEnd);
    SetBkColor(dc, black);
    SetBkMode(dc, OPAQUE);
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, orbitPictureWidth, y);
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, orbitPictureHeight);
}

} // namespace

void OrbitWindow::createOrbitWindow(HWND orbitWindow, HINSTANCE instance)
{
    window = orbitWindow;
    owner = GetParent(orbitWindow);
    placeOrbitWindow();

    guideDC = CreateCompatibleDC(nullptr);
    SelectObject(guideDC, LoadBitmapA(instance, "smallmandel"));

    showGuide = 1;
    drawLines = 0;
    showCrosshairs = 1;

    contextMenu = GetSubMenu(LoadMenuA(instance, "ORBITS"), 0);

    scratchDC = CreateCompatibleDC(nullptr);
    HDC windowDC = GetWindowDC(orbitWindow);
    scratchBitmap = CreateCompatibleBitmap(windowDC, orbitPictureWidth, orbitPictureHeight);
    ReleaseDC(orbitWindow, windowDC);
    SelectObject(scratchDC, scratchBitmap);

    // The frame paints the window before any mouse move reaches the fractal
    // view; until then the orbit shown is that of the view's start-up centre.
    pointRe = -0.5;
    pointIm = 0.0;
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
    MoveWindow(window, ownerRect.right - ownerCornerOffset, ownerRect.bottom - ownerCornerOffset,
               frameWidth + clientWidth, frameHeight + clientHeight, TRUE);
}

void OrbitWindow::setOrbitPoint(double re, double im)
{
    pointRe = re;
    pointIm = im;
    InvalidateRect(window, nullptr, FALSE);
}

void OrbitWindow::paintOrbit(HDC dc)
{
    if (showGuide) {
        BitBlt(scratchDC, 0, 0, orbitPictureWidth, orbitPictureHeight, guideDC, 0, 0, SRCCOPY);
    } else {
        RECT whole = {0, 0, orbitPictureWidth, orbitPictureHeight};
        FillRect(scratchDC, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }

    const OrbitPlot plot = plotOrbit(pointRe, pointIm);
    if (drawLines)
        drawOrbitLines(scratchDC, plot);
    else
        drawOrbitDots(scratchDC, plot);

    if (showCrosshairs)
        drawCrosshairs(scratchDC, plot.start.x, plot.start.y);

    // One transfer, so the window never shows a half-drawn orbit.
    BitBlt(dc, 0, 0, orbitPictureWidth, orbitPictureHeight, scratchDC, 0, 0, SRCCOPY);
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
