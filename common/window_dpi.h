// The DPI that a window's sizes scale to, as the platform tells it. The
// functions that tell it came with Windows 10 and are looked up in user32 at
// run time, so that the program still starts on Windows 7 and 8.
#pragma once

#include <windows.h>

// The DPI of the monitor the window is on (GetDpiForWindow). Where the
// platform has no per-window DPI, or does not know the window, the screen's
// (LOGPIXELSX), at which a program aware of the system's scale draws; 96
// when neither answers.
int windowDpi(HWND window);

// The DPI of the system's scale (GetDpiForSystem), for sizes needed before
// a window exists; the screen's where the platform lacks it, or 96.
int systemDpi();

// The font of status bars at a DPI (SystemParametersInfoForDpi). Where the
// platform lacks it, the system's status bar font with its height scaled
// from the system's DPI.
LOGFONTW statusFontForDpi(int dpi);
