// The pixels of a window as they are on the screen, copied in one go.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ScreenCapture {
public:
    // Copies the client area of window from the screen.
    explicit ScreenCapture(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    // The colour reference 0x00BBGGRR of client pixel (x, y).
    COLORREF pixel(int x, int y) const;
    // How many pixels of column x, and of row y, are white.
    int whitePixelsInColumn(int x) const;
    int whitePixelsInRow(int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The screen rectangle of a window's client area.
RECT clientScreenRect(HWND window);
