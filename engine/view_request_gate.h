// The one door through which requests that change the view reach it: zooms,
// resets, the parameters and the presses that start a zoom box. A request
// must never meet a running calculation or an open dialog of the program.
//
// A request that comes while a calculation runs, while a dialog is open or
// while earlier requests wait, waits its turn: the requests run in the order
// given, each exactly once. A running calculation is asked to stop when the
// first waiting request is due, and the next request runs once the render
// threads report the calculation's end. Nothing waits by spinning or by
// posting messages again: the user-interface thread sleeps in its message
// loop meanwhile and serves paints, the mouse and the keys.
#pragma once

#include <deque>
#include <functional>

class ViewRequestGate {
public:
    // calculationRuns tells whether a calculation runs now; requestStop asks
    // it to stop.
    ViewRequestGate(std::function<bool()> calculationRuns, std::function<void()> requestStop);

    // Runs the request now if nothing stands in its way, else keeps it.
    void submit(std::function<void()> request);

    // A modal dialog of the program has opened or closed. Requests wait
    // while one is open, and run once the last has closed.
    void dialogOpened();
    void dialogClosed();

    // The calculation that ran has ended.
    void calculationEnded();

    // The view is gone: requests that wait for it are dropped.
    void dropWaiting();

    // Whether requests wait or a dialog is open: a request given now would
    // not run at once.
    bool holdsRequests() const;

private:
    void runWaiting();

    std::function<bool()> calculationRuns_;
    std::function<void()> requestStop_;
    std::deque<std::function<void()>> waiting_;
    int openDialogs_ = 0;
    // A request runs: requests that its dialog's message loop brings in
    // wait for it to end.
    bool running_ = false;
};
