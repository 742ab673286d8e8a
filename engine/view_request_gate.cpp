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
