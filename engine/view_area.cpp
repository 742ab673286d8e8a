#include "engine/view_area.h"

#include "engine/deep_view.h"
#include "engine/plane_mapping.h"

namespace {

// A area that is shallow in a picture that high keeps its precise centre on
// its double centre.
ViewArea settled(ViewArea area, int height)
{
    if (!isDeepView(area.halfHeight, height)) {
        area.preciseReal = area.centerReal;
        area.preciseImag = area.centerImag;
    }
    return area;
}

bool inRange(double centerReal, double centerImag, double halfHeight, int width, int height)
{
    return halfHeight >= deepestHalfHeight && viewInRange(centerReal, centerImag, halfHeight, width, height);
}

// A deep area that turns shallow takes the double nearest its precise centre.
ViewArea turnedShallow(ViewArea area, int height)
{
    if (!isDeepView(area.halfHeight, height)) {
        area.centerReal = static_cast<double>(area.preciseReal);
        area.centerImag = static_cast<double>(area.preciseImag);
    }
    return settled(area, height);
}

} // namespace

ViewArea areaOf(const Location& location, int height)
{
    ViewArea area{static_cast<double>(location.centerReal), static_cast<double>(location.centerImag),
                    location.halfHeight, location.centerReal, location.centerImag};
    return settled(area, height);
}

ViewArea areaWithHalfHeight(const ViewArea& area, double halfHeight, int width, int height)
{
    if (!inRange(area.centerReal, area.centerImag, halfHeight, width, height))
        return area;
    const bool wasDeep = isDeepView(area.halfHeight, height);
    ViewArea moved = area;
    moved.halfHeight = halfHeight;
    return wasDeep ? turnedShallow(moved, height) : settled(moved, height);
}

ViewArea areaZoomedToBox(const ViewArea& area, int x, int y, int boxHalfHeight, int width, int height)
{
    const PlaneEdges edges = planeEdges(area.centerReal, area.centerImag, area.halfHeight, width, height);
    ViewArea moved = area;
    moved.centerReal = columnToReal(edges, x, width);
    moved.centerImag = rowToImag(edges, y, height);
    moved.halfHeight = boxZoomHalfHeight(boxHalfHeight, area.halfHeight, height);
    if (!inRange(moved.centerReal, moved.centerImag, moved.halfHeight, width, height))
        return area;
    moved.preciseReal = area.preciseReal + deepColumnOffset(x, width, area.halfHeight, height);
    moved.preciseImag = area.preciseImag + deepRowOffset(y, area.halfHeight, height);
    return isDeepView(area.halfHeight, height) ? turnedShallow(moved, height) : settled(moved, height);
}

ViewArea areaZoomedAbout(const ViewArea& area, int x, int y, double halfHeight, int width, int height)
{
    const PlaneEdges edges = planeEdges(area.centerReal, area.centerImag, area.halfHeight, width, height);
    const double newOffsetReal = deepColumnOffset(x, width, halfHeight, height);
    const double newOffsetImag = deepRowOffset(y, halfHeight, height);
    ViewArea moved = area;
    moved.centerReal = columnToReal(edges, x, width) - newOffsetReal;
    moved.centerImag = rowToImag(edges, y, height) - newOffsetImag;
    moved.halfHeight = halfHeight;
    if (!inRange(moved.centerReal, moved.centerImag, moved.halfHeight, width, height))
        return area;
    moved.preciseReal = area.preciseReal + deepColumnOffset(x, width, area.halfHeight, height);
    moved.preciseReal -= newOffsetReal;
    moved.preciseImag = area.preciseImag + deepRowOffset(y, area.halfHeight, height);
    moved.preciseImag -= newOffsetImag;
    return isDeepView(area.halfHeight, height) ? turnedShallow(moved, height) : settled(moved, height);
}

ViewArea areaReturnedTo(const Location& location, double centerReal, double centerImag, int height)
{
    if (!isDeepView(location.halfHeight, height))
        return areaOf(location, height);
    return ViewArea{centerReal, centerImag, location.halfHeight, location.centerReal, location.centerImag};
}
