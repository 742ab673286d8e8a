#include "common/scaled_pen.h"

HPEN createDottedPen(int width, COLORREF colour)
{
    if (width <= 1)
        return CreatePen(PS_DOT, 1, colour);
    const LOGBRUSH brush = {BS_SOLID, colour, 0};
    return ExtCreatePen(PS_GEOMETRIC | PS_DOT | PS_ENDCAP_FLAT | PS_JOIN_MITER, DWORD(width), &brush, 0, nullptr);
}
