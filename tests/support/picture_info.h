// The description of the 32-bit pictures that the tests read pixels from.
#pragma once

#include <windows.h>

// A top-down 32-bit picture of width x height pixels.
inline BITMAPINFO topDownPictureInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
