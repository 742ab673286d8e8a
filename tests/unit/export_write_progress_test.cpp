#include "export/orbit_text.h"
#include "export/write_progress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Takes every write; with a limit, it raises the stop request of `progress`
// as soon as it holds that many bytes, as the user's Cancel may come at any
// moment of the writing.
class StoppingSink : public ByteSink {
public:
    StoppingSink(WriteProgress& progress, std::size_t stopAfter) : progress_(progress), stopAfter_(stopAfter) {}

    bool writeBytes(const char* data, std::size_t size) override
    {
        text.append(data, size);
        ++writes;
        lastWrite = size;
        if (text.size() >= stopAfter_)
            progress_.stopRequested = true;
        return true;
    }

    std::string text;
    int writes = 0;
    std::size_t lastWrite = 0;

private:
    WriteProgress& progress_;
    std::size_t stopAfter_;
};

class RefusingSink : public ByteSink {
public:
    bool writeBytes(const char*, std::size_t) override { return false; }
};

struct Samples {
    std::vector<double> reals{-1.0, 0.25, 0.0};
    std::vector<double> imags{0.0, 0.5, 1.0};
};

bool writeText(ByteSink& sink, int iterations, const Samples& samples)
{
    return writeOrbitText(sink, iterations, static_cast<int>(samples.reals.size()), samples.reals.data(),
                          samples.imags.data());
}

} // namespace

TEST(ProgressSink, PassesEveryByteOnAndCountsThem)
{
    const Samples samples;
    WriteProgress progress;
    StoppingSink target(progress, SIZE_MAX);
    ProgressSink sink(target, progress);
    ASSERT_TRUE(writeText(sink, 5000, samples));
    EXPECT_FALSE(sink.stopped());
    EXPECT_EQ(progress.written, target.text.size());
    EXPECT_EQ(progress.written, orbitTextSize(5000, 3, -1.0, 0.0, 0.0, 1.0));
}

TEST(ProgressSink, AStopPartWayEndsTheWritingAtTheNextBlock)
{
    const Samples samples;
    WriteProgress reference;
    StoppingSink whole(reference, SIZE_MAX);
    ASSERT_TRUE(writeText(whole, 20000, samples));
    ASSERT_GT(whole.writes, 10);

    // The stop comes halfway, while a block is written.
    const std::size_t half = whole.text.size() / 2;
    WriteProgress progress;
    StoppingSink target(progress, half);
    ProgressSink sink(target, progress);
    EXPECT_FALSE(writeText(sink, 20000, samples));
    EXPECT_TRUE(sink.stopped());
    EXPECT_GE(target.text.size(), half);
    EXPECT_LT(target.text.size() - target.lastWrite, half) << "nothing is written after the block of the stop";
    EXPECT_EQ(progress.written, target.text.size());
    EXPECT_EQ(target.text, whole.text.substr(0, target.text.size())) << "what came before the stop is unchanged";

    // A stop raised before the writing starts lets nothing through.
    WriteProgress early;
    early.stopRequested = true;
    StoppingSink untouched(early, SIZE_MAX);
    ProgressSink refused(untouched, early);
    EXPECT_FALSE(writeText(refused, 20000, samples));
    EXPECT_TRUE(refused.stopped());
    EXPECT_EQ(untouched.writes, 0);
    EXPECT_EQ(early.written, 0u);
}

TEST(ProgressSink, AFailedWriteIsNoStopAndIsNotCounted)
{
    const Samples samples;
    WriteProgress progress;
    RefusingSink target;
    ProgressSink sink(target, progress);
    EXPECT_FALSE(writeText(sink, 100, samples));
    EXPECT_FALSE(sink.stopped());
    EXPECT_EQ(progress.written, 0u);
}

TEST(WriteProgressDisplay, BarPositionIsTheShareWritten)
{
    EXPECT_EQ(progressBarPosition(0, 300000000), 0);
    EXPECT_EQ(progressBarPosition(150000000, 300000000), progressBarRange / 2);
    EXPECT_EQ(progressBarPosition(299999999, 300000000), progressBarRange - 1);
    EXPECT_EQ(progressBarPosition(300000000, 300000000), progressBarRange);
    EXPECT_EQ(progressBarPosition(0, 0), progressBarRange) << "an empty file is whole at once";
    // The largest sizes neither overflow nor leave the range.
    EXPECT_EQ(progressBarPosition(UINT64_MAX / 4, UINT64_MAX), progressBarRange / 4);
    EXPECT_EQ(progressBarPosition(UINT64_MAX, UINT64_MAX), progressBarRange);
}

TEST(WriteProgressDisplay, TextGivesMegabytesWithOneDecimal)
{
    EXPECT_EQ(progressText(0, 1800008436), "0.0 MB of 1800.0 MB written");
    EXPECT_EQ(progressText(49999, 1800008436), "0.0 MB of 1800.0 MB written");
    EXPECT_EQ(progressText(50000, 1800008436), "0.1 MB of 1800.0 MB written");
    EXPECT_EQ(progressText(123456789, 1834567890), "123.5 MB of 1834.6 MB written");
    EXPECT_EQ(progressText(999950000, 999950000), "1000.0 MB of 1000.0 MB written");
    EXPECT_EQ(progressText(0, UINT64_MAX), "0.0 MB of 18446744073709.6 MB written");
}
