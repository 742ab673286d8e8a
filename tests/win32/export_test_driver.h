// Drives the export's modal dialogs from a second thread while the test's
// own thread runs their modal loops, as a user at the keyboard would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A visible dialog window (class #32770) of the thread with this title and,
// unless owner is null, this owner; null when there is none.
HWND findDialog(DWORD thread, const std::string& title, HWND owner = nullptr);

// Waits for such a dialog; null when none came in time.
HWND waitForDialog(DWORD thread, const std::string& title, HWND owner = nullptr);

std::string itemText(HWND dialog, int id);
void setItemText(HWND dialog, int id, const std::string& text);

// The message of a message box: the text of its static control that has one.
std::string messageBoxText(HWND box);

// Presses a dialog's button as a click does: the dialog gets WM_COMMAND
// with BN_CLICKED from it. Posted, so that a modal box the press opens does
// not hold up the caller.
void pressButton(HWND dialog, int id);

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

// Waits until the window is gone.
bool waitForEnd(HWND window);

// Runs showExportDialog(owner) on this thread while script runs on a second
// thread with this thread's id. Once the script has ended, any dialog of the
// export still open is cancelled, so that this always returns.
void runExportDialog(HWND owner, const std::function<void(DWORD uiThread)>& script);
