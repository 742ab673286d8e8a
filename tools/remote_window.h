// Reading the windows of another process: a running explorer's captions and
// status bar, as the start script's status probe and the end-to-end tests
// read them.
#pragma once

#include <windows.h>

#include <string>

// The text of a window of another process (WM_GETTEXT, which the platform
// carries across processes).
std::string remoteWindowText(HWND window);

// The text of part `part` of a status bar of another process.
std::string remoteStatusText(HANDLE process, HWND statusBar, int part);
// The same for the status bar of an explorer frame found by its window.
std::string statusPartTextOf(HWND frame, int part);
