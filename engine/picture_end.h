// The progress of a picture that is not on the screen: nothing shows its
// rows, and a thread waits for its end.
#pragma once

#include "engine/picture_render.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

class PictureEnd : public PictureProgress {
public:
    void rowsFinished(int, int, int) override {}
    void pictureEnded(bool cancelled) override;

    // Waits for the end; true when the picture was computed whole.
    bool wait();
    // Waits for the end at most timeout; false when it has not come by then.
    bool waitFor(std::chrono::milliseconds timeout);
    // Whether the picture ended at a stop; asked once it has ended.
    bool cancelled() const { return cancelled_; }

private:
    std::mutex mutex_;
    std::condition_variable endedChanged_;
    bool ended_ = false;
    bool cancelled_ = false;
};
