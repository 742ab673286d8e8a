#include "tests/e2e/user_input.h"

#include "tests/e2e/unix_command.h"

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

// Mouse input goes to the X server, as a user's mouse does. Mouse input made
// with SendInput in this process would also move the X pointer, and the
// explorer would get each move a second time from the X server, late and
// out of order with the rest: a drag could end on an earlier position.
bool runMouseSteps(const std::string& steps)
{
    return runHostCommand("xdotool" + steps) == 0;
}

std::string moveStep(POINT screen)
{
    return " mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y);
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

bool moveMouseTo(POINT screen)
{
    return runMouseSteps(moveStep(screen));
}

bool dragMouse(POINT from, POINT to)
{
    std::string steps = moveStep(from) + " mousedown 1";
    const int count = 8;
    for (int step = 1; step <= count; ++step)
        steps += moveStep({from.x + (to.x - from.x) * step / count, from.y + (to.y - from.y) * step / count});
    return runMouseSteps(steps + " mouseup 1");
}

bool clickAt(POINT screen)
{
    return runMouseSteps(moveStep(screen) + " click 1");
}

POINT clientToScreen(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}
