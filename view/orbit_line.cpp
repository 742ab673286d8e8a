#include "view/orbit_line.h"

#include "common/dpi_scale.h"
#include "common/gdi_selection.h"
#include "common/window_dpi.h"
#include "view/line_geometry.h"

#include <new>

OrbitLine* theOrbitLine = nullptr;

namespace {

// Green fill of the handles: red 64, green 155, blue 64.
constexpr COLORREF handleColour = 0x00409B40;
constexpr COLORREF lineColour = 0x00FFFFFF;
// The drawn handle runs from its reach before the point to its reach after
// it, the platform leaving out the right and bottom edge; its corners are
// rounded with an ellipse this wide and high at 96 DPI.
constexpr int handleCorner = 4;

} // namespace

OrbitLine* createOrbitLine(HWND window)
{
    OrbitLine* line = new (std::nothrow) OrbitLine;
    if (!line)
        return nullptr;
    RECT client = {};
    GetClientRect(window, &client);
    line->window = window;
    placeStartHandles(client.left, client.top, client.right, client.bottom, line->handleX, line->handleY,
                      scaleForDpi(startHandleInset, windowDpi(window)));
    line->handleBrush = CreateSolidBrush(handleColour);
    return line;
}

void OrbitLine::drawOrbitLine(HDC dc) const
{
    const int dpi = windowDpi(window);
    const int width = scaleForDpi(1, dpi);
    const bool thin = width == 1;
    const GdiSelection pen(dc, thin ? GetStockObject(WHITE_PEN) : CreatePen(PS_SOLID, width, lineColour),
                           thin ? GdiSelection::keep : GdiSelection::deleteAtEnd);
    MoveToEx(dc, handleX[0], handleY[0], nullptr);
    LineTo(dc, handleX[1], handleY[1]);
    const GdiSelection fill(dc, handleBrush, GdiSelection::keep);
    const int reach = scaleForDpi(handleReach, dpi);
    const int corner = scaleForDpi(handleCorner, dpi);
    for (int n = 0; n < 2; ++n)
        RoundRect(dc, handleX[n] - reach, handleY[n] - reach, handleX[n] + reach, handleY[n] + reach, corner, corner);
}

bool OrbitLine::isOverHandle(int x, int y) const
{
    return handleAt(x, y) != 0;
}

int OrbitLine::handleAt(int x, int y) const
{
    return handleHitAt(handleX, handleY, x, y, scaleForDpi(handleReach, windowDpi(window)));
}

void OrbitLine::moveHandle(int index, int x, int y)
{
    if (index != 1 && index != 2)
        return;
    handleX[index - 1] = x;
    handleY[index - 1] = y;
    InvalidateRect(window, nullptr, FALSE);
}

void OrbitLine::samplePoints(double* xs, double* ys, int n) const
{
    sampleLinePoints(handleX, handleY, xs, ys, n);
}
