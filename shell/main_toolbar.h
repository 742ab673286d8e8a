// The flat toolbar along the top of the frame with the seven command buttons.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct MainToolbar {
    HWND toolbarWindow;
    HIMAGELIST imageList;

    void createMainToolbar(HWND parent, HINSTANCE instance);
};

extern MainToolbar* theMainToolbar;
