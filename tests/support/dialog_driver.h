// Drives the program's modal dialogs and message boxes as a user would. The
// dialogs run their modal loops on the test's thread, where their windows
// live; the script that reads them and types and clicks into them runs on a
// second thread and reaches them only through messages, as another program
// would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A visible dialog window (class #32770) of the thread with this caption
// ("" for any) and this owner (null for any); null when there is none.
HWND findDialog(DWORD thread, const std::string& caption = {}, HWND owner = nullptr);

// Waits for such a dialog; null when none came in time.
HWND waitForDialog(DWORD thread, const std::string& caption, HWND owner = nullptr);

// Waits until the window is gone; false when it stays. A dialog is destroyed
// only once its procedure has done all that its last command asked.
bool waitUntilClosed(HWND window);

// The whole text of a dialog's control, however long.
std::string itemText(HWND dialog, int id);
void setItemText(HWND dialog, int id, const std::string& text);

// Presses a dialog's button: the dialog gets WM_COMMAND with BN_CLICKED from
// it, whether or not the button is enabled. Posted, so that a modal box the
// press opens does not hold up the caller.
void pressButton(HWND dialog, int id);

// Clicks a button as the mouse does (BM_CLICK): the button, if it is
// enabled, tells its dialog. Posted, as pressButton is.
void clickButton(HWND dialog, int id);

// A message box as it was seen.
struct SeenMessageBox {
    bool shown = false;
    std::string caption;
    std::string text;
    bool errorIcon = false;
};

// What the box shows; not shown for a null box.
SeenMessageBox readMessageBox(HWND box);

// Waits for a message box owned by owner, reads it and closes it with its OK
// button; waits until it is gone.
SeenMessageBox answerMessageBox(HWND owner);

// After owner has handled everything sent to it so far: whether a message box
// owned by it is open.
bool messageBoxOpen(HWND owner);

// Calls open() on this thread, which shows modal windows and returns once
// they have closed, while script(uiThread) runs on a second thread with this
// thread's id. Once the script has ended, what it left open has leftOpenMs to
// close by itself; then every dialog of this thread is cancelled, again and
// again until open() has returned, so that a failing script never hangs the
// test.
void runBesideScript(const std::function<void()>& open, const std::function<void(DWORD uiThread)>& script,
                     DWORD leftOpenMs = 5000);

// Sends command to window, whose handling runs modal dialogs on this thread,
// beside script as runBesideScript runs them.
void runCommandWith(HWND window, int command, const std::function<void(DWORD uiThread)>& script,
                    DWORD leftOpenMs = 5000);

// Calls open(), which shows a modal dialog titled caption, and runs
// script(dialog) as soon as the dialog is visible. Whatever the script leaves
// open is cancelled at once. Returns false, having failed the test, when the
// dialog never appeared.
bool driveModalDialog(const std::string& caption, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& script);
