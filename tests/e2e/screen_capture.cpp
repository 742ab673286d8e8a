#include "tests/e2e/screen_capture.h"

#include "tests/support/picture_info.h"

RECT clientScreenRect(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

ScreenCapture::ScreenCapture(HWND window)
{
    const RECT area = clientScreenRect(window);
    width_ = area.right - area.left;
    height_ = area.bottom - area.top;
    if (width_ <= 0 || height_ <= 0)
        return;
    pixels_.assign(static_cast<size_t>(width_) * height_, 0);

    BITMAPINFO info = topDownPictureInfo(width_, height_);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(source, source + pixels_.size());
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
}

COLORREF ScreenCapture::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    const std::uint32_t value = pixels_[static_cast<size_t>(y) * width_ + x];
    // DIB pixels are 0x00RRGGBB.
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int ScreenCapture::whitePixelsInColumn(int x) const
{
    int count = 0;
    for (int y = 0; y < height_; ++y)
        count += pixel(x, y) == RGB(255, 255, 255);
    return count;
}

int ScreenCapture::whitePixelsInRow(int y) const
{
    int count = 0;
    for (int x = 0; x < width_; ++x)
        count += pixel(x, y) == RGB(255, 255, 255);
    return count;
}
