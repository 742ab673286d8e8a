// The steps of the export's dialogs as a user takes them, driven from a
// second thread while the test's own thread runs their modal loops
// (tests/support/dialog_driver.h).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The file name box of the save dialog.
constexpr int saveNameBox = 0x47c;

void typeCounts(HWND dialog, const std::string& points, const std::string& iterations);

// Presses OK of the export dialog with these counts and waits for the save
// dialog; null when it did not come.
HWND confirmCounts(DWORD uiThread, HWND dialog, const std::string& points, const std::string& iterations);

void saveAs(HWND saveDialog, const std::string& name);

// Answers the question whether an existing file may be replaced with Yes;
// false when no question came.
bool confirmReplacement(DWORD uiThread, HWND saveDialog);

// Runs showExportDialog(owner), with the points of the view's orbit line, on
// this thread beside script (runBesideScript).
void runExportDialog(HWND owner, const std::function<void(DWORD uiThread)>& script);
