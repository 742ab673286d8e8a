// The child window that shows the picture, the orbit line and the zoom box,
// and takes the mouse.
#pragma once

#include "view/zoom_box.h"

#include <windows.h>

// The box being dragged out, or null.
extern ZoomBox* theZoomBox;
// 0 when no handle is dragged, else 1 or 2.
extern int dragHandle;

LRESULT CALLBACK fractalViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "FRACTALCLASS"; 0 on failure.
ATOM registerFractalViewClass(HINSTANCE instance);
