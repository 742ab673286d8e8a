#include "tests/e2e/user_input.h"

namespace {

void sendKey(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void sendMouse(POINT screen, DWORD buttons)
{
    // Absolute positions are given in 65536ths of the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | buttons;
    SendInput(1, &input, sizeof input);
}

} // namespace

void pressKey(WORD virtualKey)
{
    sendKey(virtualKey, false);
    sendKey(virtualKey, true);
}

void pressWithModifier(WORD modifier, WORD virtualKey)
{
    sendKey(modifier, false);
    pressKey(virtualKey);
    sendKey(modifier, true);
}

void typeText(const std::string& text)
{
    for (char ch : text) {
        INPUT input[2] = {};
        for (INPUT& one : input) {
            one.type = INPUT_KEYBOARD;
            one.ki.wScan = static_cast<unsigned char>(ch);
            one.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

void moveMouseTo(POINT screen)
{
    sendMouse(screen, 0);
}

void dragMouse(POINT from, POINT to)
{
    sendMouse(from, 0);
    sendMouse(from, MOUSEEVENTF_LEFTDOWN);
    const int steps = 8;
    for (int step = 1; step <= steps; ++step) {
        POINT between = {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
        sendMouse(between, 0);
    }
    sendMouse(to, MOUSEEVENTF_LEFTUP);
}

void clickAt(POINT screen)
{
    sendMouse(screen, 0);
    sendMouse(screen, MOUSEEVENTF_LEFTDOWN);
    sendMouse(screen, MOUSEEVENTF_LEFTUP);
}

POINT clientToScreen(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}
