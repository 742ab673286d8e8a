// The writing of an orbit file while the user interface stays alive.
#pragma once

#include "export/orbit_file_writer.h"

#include <windows.h>

// Checks the export and takes its points on this thread, as writeOrbitFile
// does, then writes the file on a thread of its own. This thread goes on
// dispatching its messages meanwhile, so that the windows repaint and a
// running calculation is served. When the writing has not ended after half
// a second, the progress window shows over owner until it ends; its Cancel
// stops the writing. Returns once the writing thread has ended.
OrbitFileResult exportInBackground(HWND owner, int iterations, int points, const char* path);
