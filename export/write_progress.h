// How far the writing of an orbit file has got, and the request to stop it.
// The writing thread counts; the user-interface thread reads the count and
// may ask it to stop.
#pragma once

#include "export/byte_sink.h"

#include <atomic>
#include <cstdint>
#include <string>

struct WriteProgress {
    // Bytes handed to the file so far.
    std::atomic<std::uint64_t> written{0};
    // Bytes of the whole file; set before the writing starts.
    std::uint64_t total = 0;
    std::atomic<bool> stopRequested{false};
};

// Passes the bytes on to another sink and counts them in a WriteProgress.
// Once a stop is requested it refuses every further write, which ends the
// writing as a failed write does.
class ProgressSink : public ByteSink {
public:
    ProgressSink(ByteSink& target, WriteProgress& progress) : target_(target), progress_(progress) {}

    bool writeBytes(const char* data, std::size_t size) override;

    // True once a write was refused because of the stop request.
    bool stopped() const { return stopped_; }

private:
    ByteSink& target_;
    WriteProgress& progress_;
    bool stopped_ = false;
};

// The progress bar runs from 0 to this position.
constexpr int progressBarRange = 1000;

// The share of the file written, from 0 to progressBarRange.
int progressBarPosition(std::uint64_t written, std::uint64_t total);

// The line under the bar: "12.3 MB of 1800.0 MB written", in megabytes of a
// million bytes.
std::string progressText(std::uint64_t written, std::uint64_t total);
