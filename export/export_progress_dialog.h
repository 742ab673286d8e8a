// The progress window of a long export.
#pragma once

#include "export/orbit_file_writer.h"

#include <windows.h>

#include <thread>

// Posted by the writing thread to the progress window once the file is
// written or the writing has stopped.
constexpr UINT WM_EXPORT_WRITTEN = WM_APP + 2;

// One export being written: the job, its count, its thread and its outcome.
struct ExportRun {
    const OrbitFileJob* job;
    WriteProgress progress;
    OrbitFileResult result{false, {}};
    std::thread writer;
};

// Runs the modal progress window "Export Orbits" over owner, which starts
// run's writing thread: a bar with the share of the file written, the
// megabytes written and the total, and a Cancel button that asks the writer
// to stop (Escape and the close box mean Cancel too). The window is made at
// once but shows only once the writing has taken half a second. It ends when
// the writer reports its end. False when the window could not be made, in
// which case no thread was started.
bool runExportProgressDialog(HWND owner, ExportRun& run);
INT_PTR CALLBACK exportProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
