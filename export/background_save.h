// The saving of a picture while the user interface stays alive.
#pragma once

#include "export/picture_save.h"

#include <windows.h>

// Saves the picture of job on a thread of its own under the modal progress
// window, which shows over owner once the saving has taken half a second.
// This thread sleeps in the window's message loop meanwhile: the windows
// repaint and a running calculation is served. Returns only once the
// picture is saved or the saving has stopped, its thread ended.
PictureSaveResult savePictureWhileResponsive(HWND owner, const PictureSaveJob& job);

// Stops the picture being saved, if any, as its Cancel does, and returns
// once its thread has ended: an earlier file of its name stays as it was and
// no temporary file is left.
void stopRunningSave();
