// The one message loop of the user-interface thread.
#pragma once

#include <windows.h>

// Reads every message of the thread and offers it to the accelerators against
// frame before translating and dispatching it. Returns the code of the quit
// message.
int runMessageLoop(HWND frame, HACCEL accelerators);
