// The Location dialog: the centre and the half-height of the view, shown
// and typed as decimals of any length.
#pragma once

#include "engine/location.h"

#include <windows.h>

// Shows the dialog over owner with the centre and half-height of location,
// as placed in a picture `height` rows high. On OK with texts that read,
// sets them into location and returns true; Cancel returns false and leaves
// it alone. Bad texts get a message naming the field, and the dialog stays.
bool askForLocation(HWND owner, Location& location, int height);

INT_PTR CALLBACK locationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
