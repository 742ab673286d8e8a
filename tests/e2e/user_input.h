// Keyboard and mouse input as a user gives it: real input events. Keys reach
// the foreground window; the mouse acts on the window under the pointer.
#pragma once

#include <windows.h>

#include <string>

// Presses and releases a key.
void pressKey(WORD virtualKey);
// Presses a key while Ctrl (or another modifier) is held down.
void pressWithModifier(WORD modifier, WORD virtualKey);
// Types the characters of text.
void typeText(const std::string& text);

// Moves the mouse to a screen point. The mouse functions return false when
// the input could not be given.
[[nodiscard]] bool moveMouseTo(POINT screen);
// Presses the left button at from, moves to to in a few steps and releases it.
[[nodiscard]] bool dragMouse(POINT from, POINT to);
// Clicks the left button at a screen point.
[[nodiscard]] bool clickAt(POINT screen);

// A client point of a window in screen coordinates.
POINT clientToScreen(HWND window, int x, int y);
