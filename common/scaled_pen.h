// A dotted pen whose width follows a screen's scale.
#pragma once

#include <windows.h>

// A dotted pen `width` pixels wide. At 1 pixel it is the platform's own
// dotted pen; a wider one is a geometric pen with square ends, whose dots and
// gaps grow with its width, since a plain dotted pen wider than one pixel is
// drawn solid. The caller deletes it.
HPEN createDottedPen(int width, COLORREF colour);
