#include "engine/picture_end.h"

void PictureEnd::pictureEnded(bool cancelled)
{
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = cancelled;
    ended_ = true;
    endedChanged_.notify_all();
}

bool PictureEnd::wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    endedChanged_.wait(lock, [this] { return ended_; });
    return !cancelled_;
}

bool PictureEnd::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return endedChanged_.wait_for(lock, timeout, [this] { return ended_; });
}
