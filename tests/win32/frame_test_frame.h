// A main frame built in the test process the way the program builds it.
#pragma once

#include "tests/support/view_idle.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

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

// Holds the view's busy flag set, as while a calculation runs, without any
// render thread: the frame's reaction can then be watched step by step. At
// its end it lets the flag fall and reports the end as the render threads
// do.
class PretendCalculation {
public:
    PretendCalculation();
    ~PretendCalculation();
    PretendCalculation(const PretendCalculation&) = delete;
    PretendCalculation& operator=(const PretendCalculation&) = delete;
};

// Whether a command posted to frame waits in the thread's queue.
bool commandIsQueued(HWND frame, WPARAM* wParam = nullptr, LPARAM* lParam = nullptr);

// Presses a button of the first visible dialog of this thread with the
// given caption once it appears, from a thread of its own, and tells
// whether it appeared. Before the press it runs atSight, on that thread.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::string caption, int button = IDCANCEL, std::function<void(HWND)> atSight = {});
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    bool appeared() const { return appeared_; }

private:
    void run();

    std::string caption_;
    int button_;
    std::function<void(HWND)> atSight_;
    DWORD uiThread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> appeared_{false};
    std::thread thread_;
};
