#include "export/write_progress.h"

bool ProgressSink::writeBytes(const char* data, std::size_t size)
{
    if (progress_.stopRequested) {
        stopped_ = true;
        return false;
    }
    if (!target_.writeBytes(data, size))
        return false;
    progress_.written += size;
    return true;
}

int progressBarPosition(std::uint64_t written, std::uint64_t total)
{
    if (total == 0 || written >= total)
        return progressBarRange;
    return static_cast<int>(static_cast<double>(written) / static_cast<double>(total) * progressBarRange);
}

namespace {

// Megabytes with one decimal, rounded to the nearest tenth.
std::string megabytes(std::uint64_t bytes)
{
    const std::uint64_t tenths = bytes / 100000 + (bytes % 100000 >= 50000 ? 1 : 0);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

std::string progressText(std::uint64_t written, std::uint64_t total)
{
    return megabytes(written) + " MB of " + megabytes(total) + " MB written";
}
