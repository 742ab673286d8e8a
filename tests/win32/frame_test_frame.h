// A main frame built in the test process the way the program builds it.
#pragma once

#include <windows.h>

// Registers the program's three window classes once per test process.
void registerProgramClasses();

// Takes away the quit message that a destroyed frame posts, so that it does
// not linger in the test thread's queue.
bool takeQuitMessage(WPARAM* code = nullptr);

// A shown frame whose first picture is finished; destroyed at the end.
class TestFrame {
public:
    TestFrame();
    ~TestFrame();
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;

    HWND window() const { return frame_; }

private:
    HWND frame_;
};

// Waits until the running calculation, if any, has finished.
bool waitUntilIdle();
