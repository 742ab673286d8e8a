// File > Save Picture: the picture of the view's location, at a size the
// user chooses, saved as a PNG file with the location inside.
#pragma once

#include <windows.h>

// Asks for the file with the common save dialog (".png" is added to a name
// without an extension), then for the size with the "Picture Size" dialog,
// and saves the picture in the background over frame. A failure gets a
// message that names the file. It runs as a modal dialog of the program
// (view requests wait meanwhile), so that no calculation starts before the
// save has ended.
void showSavePicture(HWND frame);
