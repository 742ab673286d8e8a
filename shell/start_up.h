// The steps of the program's start that come after the window classes.
#pragma once

#include "engine/location.h"

#include <windows.h>

// Creates the main frame "Zelvar v2.0" with its menu, 500 x 400 at 96 DPI
// and larger in proportion on a screen of a larger scale, at the default
// position, its view at the start location, then shows and paints it. Null
// when the frame could not be built.
HWND createMainFrame(HINSTANCE instance, int showCommand, const Location& start = Location{});

// Tells the user that the program cannot start ("Lame!") and gives the exit
// code for that case, 0.
int reportStartupFailure();
