// Steps that the program's dialogs and commands share: the error box, and
// the reading of an edit box.
#pragma once

#include <windows.h>

#include <string>

// The box "Error" over owner (null for none), with text, the error icon and
// OK; returns once it is closed.
void showErrorBox(HWND owner, const std::string& text);

// The text of the edit box id of dialog as a buffer of bufferSize characters
// reads it: its first bufferSize - 1 characters.
std::string dialogItemText(HWND dialog, int id, int bufferSize);

// The whole text of the edit box id of dialog, however long.
std::string dialogItemText(HWND dialog, int id);
