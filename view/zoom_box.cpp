#include "view/zoom_box.h"

#include "common/dpi_scale.h"
#include "common/gdi_selection.h"
#include "common/scaled_pen.h"
#include "common/window_dpi.h"
#include "view/box_geometry.h"

#include <new>

namespace {

constexpr COLORREF outlineColour = 0x00FFFFFF;

// The outline's width: 1 pixel at 96 DPI.
int outlineWidth(HWND window)
{
    return scaleForDpi(1, windowDpi(window));
}

} // namespace

ZoomBox* createZoomBox(HWND window, int x, int y)
{
    ZoomBox* box = new (std::nothrow) ZoomBox;
    if (!box)
        return nullptr;
    RECT client = {};
    GetClientRect(window, &client);
    box->window = window;
    box->centerX = x;
    box->centerY = y;
    box->halfHeight = 0;
    box->aspect = boxAspect(client.right, client.bottom);
    return box;
}

void ZoomBox::trackZoomBox(int x, int y)
{
    const BoxEdges before = boxEdges(centerX, centerY, halfHeight, aspect);
    halfHeight = mouseHalfHeight(centerX, centerY, x, y);
    const BoxEdges after = boxEdges(centerX, centerY, halfHeight, aspect);
    // Repainting the old box as well wipes its outline out when the box
    // shrinks. An outline wider than a pixel reaches past the box's edges by
    // less than its width.
    const BoxEdges area = growBox(boxUnion(before, after), outlineWidth(window) - 1);
    const RECT repaint = {area.left, area.top, area.right, area.bottom};
    InvalidateRect(window, &repaint, FALSE);
}

void ZoomBox::drawZoomBox(HDC dc) const
{
    const GdiSelection hollow(dc, GetStockObject(NULL_BRUSH), GdiSelection::keep);
    const GdiSelection dotted(dc, createDottedPen(outlineWidth(window), outlineColour), GdiSelection::deleteAtEnd);
    // The picture shows through the gaps between the dots.
    SetBkMode(dc, TRANSPARENT);
    const BoxEdges edges = boxEdges(centerX, centerY, halfHeight, aspect);
    Rectangle(dc, edges.left, edges.top, edges.right, edges.bottom);
}
