#pragma once

#include <windows.h>

// The module instance, used by everything that creates a window, loads a
// resource or opens a dialog.
extern HINSTANCE appInstance;
