#include "engine/view_request_gate.h"

ViewRequestGate::ViewRequestGate(std::function<bool()> calculationRuns, std::function<void()> requestStop)
    : calculationRuns_(std::move(calculationRuns)), requestStop_(std::move(requestStop))
{
}

void ViewRequestGate::submit(std::function<void()> request)
{
    waiting_.push_back(std::move(request));
    runWaiting();
}

void ViewRequestGate::dialogOpened()
{
    ++openDialogs_;
}

void ViewRequestGate::dialogClosed()
{
    --openDialogs_;
    runWaiting();
}

void ViewRequestGate::calculationEnded()
{
    runWaiting();
}

void ViewRequestGate::dropWaiting()
{
    waiting_.clear();
}

bool ViewRequestGate::holdsRequests() const
{
    return !waiting_.empty() || openDialogs_ > 0 || running_;
}

// Runs the waiting requests in order until one has to wait: for a dialog to
// close, or for a running calculation (perhaps one that the request before
// started) to stop.
//
// A request that finds a calculation running does not wait for it to finish:
// it asks it to stop, since the user has asked for another picture, and stays
// first in line. It runs once the render threads report the end, however the
// calculation ended. So a zoom during a calculation cancels it, and several
// requests given meanwhile each run in their turn, each stopping at most the
// calculation that the one before it started.
void ViewRequestGate::runWaiting()
{
    if (running_ || openDialogs_ > 0)
        return;
    running_ = true;
    while (!waiting_.empty() && openDialogs_ == 0) {
        if (calculationRuns_()) {
            requestStop_();
            break;
        }
        const std::function<void()> request = std::move(waiting_.front());
        waiting_.pop_front();
        request();
    }
    running_ = false;
}
