// The dialog that takes the counts and the file name of an orbit export.
#pragma once

#include "export/orbit_file_writer.h"

#include <windows.h>

extern int exportIterations;
extern int exportPoints;

// Runs the dialog over owner; the export takes its points from samplePoints
// once the counts and the file are chosen.
void showExportDialog(HWND owner, const OrbitPointSampler& samplePoints);
// WM_INITDIALOG takes the OrbitPointSampler as its lParam.
INT_PTR CALLBACK exportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
