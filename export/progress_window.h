// The steps that the modal progress windows of the long writings share: the
// window that shows only once its work has taken half a second, its Cancel,
// Escape and close box, which ask the work to stop, and the work's thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

// The timer that lets the window show.
constexpr UINT progressShowTimer = 1;

// What every progress window keeps: the flag its Cancel raises, and whether
// it may show yet. A window's own state derives from it.
struct ProgressWindowState {
    explicit ProgressWindowState(std::atomic<bool>& stop) : stopRequested(stop) {}

    std::atomic<bool>& stopRequested;
    bool mayShow = false;
};

// Runs the modal dialog templateName over owner with proc, which finds state
// with progressWindowState. Returns what the dialog ended with, -1 when it
// could not be made.
INT_PTR runProgressWindow(HWND owner, const char* templateName, DLGPROC proc, ProgressWindowState& state);

// The state of the window, null before WM_INITDIALOG.
ProgressWindowState* progressWindowState(HWND dialog);

// At WM_INITDIALOG: keeps state, given as its lParam, with the window.
void keepProgressWindowState(HWND dialog, LPARAM state);

// Starts work on thread; false when no thread could be had.
bool startWorkThread(std::thread& thread, std::function<void()> work);

// Lets the window show in half a second, once the work has started.
void startShowTimer(HWND dialog);

// At WM_WINDOWPOSCHANGING: the dialog box shows its window when its message
// loop first runs idle; a short work ends before it should be seen.
void keepHiddenUntilDue(const ProgressWindowState* state, LPARAM windowPos);

// At WM_TIMER: when timer is the show timer, ends it and shows the window;
// true then.
bool showWhenDue(HWND dialog, ProgressWindowState& state, WPARAM timer);

// At IDCANCEL: asks the work to stop and disables Cancel. The window stays
// until the work has stopped, removed its temporary file, and reported its
// end.
void askToStop(HWND dialog, ProgressWindowState& state);

// At the work's end: ends the show timer and the window, which reports TRUE.
void endProgressWindow(HWND dialog);

// Asks the work on thread to stop and waits for its end, if it still runs.
void stopWorkThread(std::atomic<bool>& stopRequested, std::thread& thread);
