// Keyboard and mouse input as a user gives it: real input events, which reach
// the foreground window of whichever program has it.
#pragma once

#include <windows.h>

#include <string>

// Presses and releases a key.
void pressKey(WORD virtualKey);
// Presses a key while Ctrl (or another modifier) is held down.
void pressWithModifier(WORD modifier, WORD virtualKey);
// Types the characters of text.
void typeText(const std::string& text);

// Moves the mouse to a screen point.
void moveMouseTo(POINT screen);
// Presses the left button at from, moves to to in a few steps and releases it.
void dragMouse(POINT from, POINT to);
// Clicks the left button at a screen point.
void clickAt(POINT screen);

// A client point of a window in screen coordinates.
POINT clientToScreen(HWND window, int x, int y);
