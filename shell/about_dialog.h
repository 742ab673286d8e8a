// The About dialog of Help > About.
#pragma once

#include <windows.h>

void showAboutDialog(HWND owner);
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
