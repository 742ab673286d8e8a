// The commands that take the view to a location: View > Location, File >
// Open Location and Save Location, and the files dropped on the frame.
#pragma once

#include <windows.h>

// Shows the Location dialog over frame; its OK moves the view there.
void chooseLocation(HWND frame);

// Asks for a location file or a saved picture with the Open dialog and
// opens it as openLocationFile does.
void openLocationFromDialog(HWND frame);

// Takes the location from the file at path and moves the view there, with
// its parameters; a file that cannot be read or holds no location gets a
// message over frame, and the view stays where it is.
void openLocationFile(HWND frame, const char* path);

// Opens the first of the files dropped on frame as openLocationFile does,
// and releases the drop.
void openDroppedFile(HWND frame, HDROP drop);

// Asks for a file name with the Save dialog and writes the view's location
// there; ".zelvar" is added to a name without an extension.
void saveLocationFromDialog(HWND frame);
