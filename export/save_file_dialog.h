// The common save dialog, asking for the name of a file to write.
#pragma once

#include <windows.h>

// What the dialog offers: the list of types (pairs of a text and a pattern,
// ending with an empty text), its title, and the extension it adds to a
// name without one.
struct SaveFileRequest {
    const char* filter;
    const char* title;
    const char* defaultExtension;
};

// Asks over owner for the file, into fileName (size bytes); the dialog asks
// before an existing file is chosen. False when the user cancelled it or the
// dialog failed, which CommDlgExtendedError then tells apart.
bool chooseFileToSave(HWND owner, const SaveFileRequest& what, char* fileName, DWORD size);
