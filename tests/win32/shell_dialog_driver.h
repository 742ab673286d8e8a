// Drives a modal dialog as a user would. The dialog runs its modal loop on
// the test's thread, where its window lives; the script that reads it and
// types and clicks into it runs on a helper thread, reaching the dialog only
// through messages, as another program would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Calls open(), which shows a modal dialog titled caption and returns once it
// has closed, and meanwhile runs script(dialog) on a helper thread as soon as
// the dialog is visible. A dialog that the script leaves open is cancelled, so
// that a failing script never hangs the test. Returns false, having failed
// the test, when the dialog never appeared.
bool driveModalDialog(const char* caption, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& script);

// The thread that runs the dialog (the test's thread).
DWORD dialogThread();

// Clicks a button of the dialog by posting it BM_CLICK, as the mouse would.
void clickButton(HWND dialog, int id);

std::string itemText(HWND dialog, int id);
void typeText(HWND dialog, int id, const std::string& text);

// Waits for the dialog to be closed; false when it stays open.
bool waitUntilClosed(HWND dialog);

// A message box owned by the dialog, as it was seen.
struct SeenMessageBox {
    bool shown = false;
    std::string caption;
    std::string text;
    bool errorIcon = false;
};

// Waits for a message box owned by owner, reads it and closes it with its OK
// button; waits until it is gone.
SeenMessageBox answerMessageBox(HWND owner);

// After the dialog has handled everything sent so far: whether a message box
// owned by it is open.
bool messageBoxOpen(HWND owner);
