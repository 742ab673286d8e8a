// The flat toolbar along the top of the frame with the seven command buttons.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct MainToolbar {
    HWND toolbarWindow;
    HIMAGELIST imageList;

    // Creates the toolbar in parent, with the pictures for the parent's DPI.
    void createMainToolbar(HWND parent, HINSTANCE instance);
    // Takes the pictures for a new DPI, once the toolbar's window has moved
    // to a monitor of another scale.
    void fitToDpi(HINSTANCE instance, int dpi);
};

extern MainToolbar* theMainToolbar;
