// The progress window of a long export.
#pragma once

#include "export/write_progress.h"

#include <windows.h>

// Runs the modal progress window "Export Orbits" over owner: a bar with the
// share of the file written, the megabytes written and the total, and a
// Cancel button that asks the writer to stop. Escape and the close box mean
// Cancel too. It ends once `finished` is signalled, or at once when it
// cannot be made.
void showExportProgressDialog(HWND owner, WriteProgress& progress, HANDLE finished);
INT_PTR CALLBACK exportProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
