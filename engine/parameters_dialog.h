// The dialog that changes the escape threshold, the iteration limit and the
// colouring of the fractal view.
#pragma once

#include "engine/fractal_view.h"

void showParametersDialog(FractalView* view);
INT_PTR CALLBACK parametersDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
