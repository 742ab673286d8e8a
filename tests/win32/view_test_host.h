// A host window for the fractal view tests: a status panel along the bottom
// and a real FRACTALCLASS child above it.
#pragma once

#include <windows.h>

struct ViewTestHost {
    HWND host = nullptr;
    HWND view = nullptr;

    // Opens a view with a client area of width x height pixels and waits
    // for its first calculation unless told not to.
    void open(int width, int height, bool waitForFirstPicture = true);
    // Stops any calculation, waits for it to end and closes the windows.
    void close();

    LRESULT press(int x, int y);
    LRESULT move(int x, int y);
    LRESULT release(int x, int y);

    // Waits until the view is idle (waitUntilIdle) and every repaint that
    // its calculation asked for is done.
    bool waitUntilPainted();
};
