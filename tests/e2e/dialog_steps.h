// Steps through the explorer's dialogs with the keyboard, as a user does.
#pragma once

#include "tests/e2e/explorer_process.h"

#include <string>

// Captions of the explorer's windows, as the program spells them.
extern const char* const parametersCaption;
extern const char* const exportCaption;
extern const char* const saveCaption;

// Opens the parameters dialog with Ctrl+Enter; null when it does not appear.
HWND openParametersDialog(const ExplorerProcess& explorer);

// Replaces the text of an edit box of a dialog by typing; false when the box
// could not be clicked into.
[[nodiscard]] bool replaceEditText(HWND edit, const std::string& text);

// Types the threshold and iterations texts into the open parameters dialog,
// sets the check box to binary and presses Enter; false when the dialog did
// not take them all.
[[nodiscard]] bool fillParametersDialog(HWND dialog, const std::string& threshold, const std::string& iterations, bool binary);

// Opens the dialog, enters the values and accepts them; false when the
// dialog did not appear or did not close.
bool changeParameters(const ExplorerProcess& explorer, const std::string& threshold, const std::string& iterations,
                      bool binary);

// Waits until window has the keyboard focus of its program.
bool waitForForeground(HWND window, DWORD timeoutMs = 10000);

// Waits until window is destroyed; a dialog is destroyed only after its
// procedure has done all that its last command asked.
bool waitForClosed(HWND window, DWORD timeoutMs = 30000);
