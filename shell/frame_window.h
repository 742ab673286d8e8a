// The main frame: menu, toolbar, fractal view, status bar, and the commands.
#pragma once

#include <windows.h>

// The fractal view window and the Orbits window, made by the frame's creation.
extern HWND theFractalViewWindow;
extern HWND theOrbitWindowHandle;

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "Zelvar2" with the program's icon; 0 on failure.
ATOM registerFrameClass(HINSTANCE instance);
