// The device context of a window, had for one step and released to the
// window at the end of its owner's scope: that of its client area (GetDC),
// or that of the whole window with its frame (GetWindowDC). A null window
// gives the screen's.
#pragma once

#include <windows.h>

class WindowDC {
public:
    enum Area { clientArea, wholeWindow };

    explicit WindowDC(HWND window, Area area = clientArea)
        : window_(window), dc_(area == wholeWindow ? GetWindowDC(window) : GetDC(window))
    {
    }
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    // Null when the window gave none.
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
