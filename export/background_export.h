// The writing of an orbit file while the user interface stays alive.
#pragma once

#include "export/orbit_file_writer.h"

#include <windows.h>

// Checks the export and takes its points on this thread, as writeOrbitFile
// does, then writes the file on a thread of its own under the modal progress
// window, which shows over owner once the writing has taken half a second.
// This thread sleeps in the window's message loop meanwhile: the windows
// repaint and a running calculation is served. Returns only once the file
// is written or the writing has stopped, its thread ended.
OrbitFileResult writeOrbitFileWhileResponsive(HWND owner, int iterations, int points, const char* path,
                                              const OrbitPointSampler& samplePoints);

// Stops the export being written, if any, as its Cancel does, and returns
// once its writing thread has ended: an earlier file of its name stays as
// it was and no temporary file is left.
void stopRunningExport();
