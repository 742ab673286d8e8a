// Where a view is, and how its zooms move it: the double centre of the
// view's formulas beside the precise centre of deep views.
//
// While the view is shallow its precise centre is its double centre
// exactly, and the double centre follows the formulas of the mapping: a box
// zoom centres on the box's point as pixelToReal and pixelToImag give it. A
// deep view is computed from its precise centre, which a box zoom moves by
// the box centre's offset from the view's centre, exactly; its double centre
// still follows the formulas and only comes near it. When a deep view turns
// shallow, its double centre becomes the double nearest to the precise
// centre, and the precise centre that double.
#pragma once

#include "engine/location.h"
#include "engine/precise_real.h"

struct ViewArea {
    double centerReal;
    double centerImag;
    double halfHeight;
    PreciseReal preciseReal;
    PreciseReal preciseImag;
};

// The area of a location in a picture `height` rows high.
ViewArea areaOf(const Location& location, int height);

// The area with the half-height changed about the centre; the area itself
// when that would go beyond the deepest half-height or out of the range of a
// double for a width x height picture.
ViewArea areaWithHalfHeight(const ViewArea& area, double halfHeight, int width, int height);

// The area after a zoom to halfHeight about pixel (x, y) of a width x
// height view, as the mouse wheel zooms: the point of that pixel stays under
// it. The double centre puts the pixel's point by the view's mapping where
// the new view's offsets place that pixel; the precise centre moves by the
// difference of the pixel's offsets in the two views, exactly, so that the
// deep kernel's point of the pixel is the same before and after. The area
// itself when the new view would be out of range.
ViewArea areaZoomedAbout(const ViewArea& area, int x, int y, double halfHeight, int width, int height);

// The area of a place the view showed before, given by its location and the
// double centre it had there, in a picture `height` rows high: that area
// exactly while it is deep there, and the area of the location when it is
// shallow there, since a shallow view keeps its precise centre on its double
// centre.
ViewArea areaReturnedTo(const Location& location, double centerReal, double centerImag, int height);

// The area after a zoom to the box of boxHalfHeight pixels centred on pixel
// (x, y) of a width x height view, whose height must be 2 or more; the
// area itself when the new view would be out of range.
ViewArea areaZoomedToBox(const ViewArea& area, int x, int y, int boxHalfHeight, int width, int height);
