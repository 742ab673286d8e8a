#include "view/orbit_line.h"

#include "view/line_geometry.h"

#include <new>

OrbitLine* theOrbitLine = nullptr;

namespace {

// Green fill of the handles: red 64, green 155, blue 64.
constexpr COLORREF handleColour = 0x00409B40;
// The drawn handle runs from 5 pixels before the point to 5 after it, the
// platform leaving out the right and bottom edge; its corners are rounded
// with an ellipse this wide and high.
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
    placeStartHandles(client.left, client.top, client.right, client.bottom, line->handleX, line->handleY);
    line->handleBrush = CreateSolidBrush(handleColour);
    return line;
}

void OrbitLine::drawOrbitLine(HDC dc) const
{
    SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, handleX[0], handleY[0], nullptr);
    LineTo(dc, handleX[1], handleY[1]);
    SelectObject(dc, handleBrush);
    for (int n = 0; n < 2; ++n) {
        RoundRect(dc, handleX[n] - handleReach, handleY[n] - handleReach, handleX[n] + handleReach,
                  handleY[n] + handleReach, handleCorner, handleCorner);
    }
    // The pen and the brush stay selected: the paint's next step selects its own.
}

bool OrbitLine::isOverHandle(int x, int y) const
{
    return handleAt(x, y) != 0;
}

int OrbitLine::handleAt(int x, int y) const
{
    return handleHitAt(handleX, handleY, x, y);
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
