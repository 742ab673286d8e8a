// Where the program starts: at the location of the file named on its
// command line, or at the start-up view.
#pragma once

#include "engine/location.h"

// The location of the file that the arguments (WinMain's command line)
// name, or the start-up view when they name none. A file that cannot be
// opened gets its message first, with no window yet to own it, and the
// program then starts at the start-up view.
Location startLocation(const char* arguments);
