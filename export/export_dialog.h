// The dialog that takes the counts and the file name of an orbit export.
#pragma once

#include <windows.h>

extern int exportIterations;
extern int exportPoints;

void showExportDialog(HWND owner);
INT_PTR CALLBACK exportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
