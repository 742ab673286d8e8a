// Pictures computed in bands: the pixels of the picture computed at once for
// any band height, shallow and deep, with or without the pool's threads;
// bands handed on in order while the next one is computed; progress over the
// whole picture; and stops, from the user or from a sink that refuses a
// band, that end every render thread.
#include "engine/picture_bands.h"

#include "engine/picture_rows.h"
#include "engine/shallow_rows.h"
#include "tests/support/deep_places.h"
#include "tests/support/rendered_picture.h"
#include "tests/support/wait_for.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <vector>

namespace {

RenderPool& pool()
{
    static RenderPool* threads = new RenderPool;
    return *threads;
}

// Keeps every band it takes, and may refuse one or wait in one.
class BandLog final : public BandSink {
public:
    struct Taken {
        int firstRow;
        int rowCount;
    };

    explicit BandLog(int width) : width_(width) {}

    bool takeBand(const std::uint32_t* rows, int firstRow, int rowCount) override
    {
        taken.push_back(Taken{firstRow, rowCount});
        pixels.insert(pixels.end(), rows, rows + std::size_t(rowCount) * std::size_t(width_));
        if (whileTaking)
            whileTaking(firstRow);
        return int(taken.size()) != refuseBand;
    }

    std::vector<Taken> taken;
    std::vector<std::uint32_t> pixels;
    // The band number (from 1) to refuse; 0 for none.
    int refuseBand = 0;
    std::function<void(int firstRow)> whileTaking;

private:
    int width_;
};

// The rows reported, in the order they came.
class RowLog {
public:
    std::function<void(int)> callback()
    {
        return [this](int rows) {
            std::lock_guard<std::mutex> lock(mutex_);
            reports_.push_back(rows);
        };
    }

    std::vector<int> reports()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return reports_;
    }

    int last()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return reports_.empty() ? 0 : reports_.back();
    }

private:
    std::mutex mutex_;
    std::vector<int> reports_;
};

BandedPicture bandedPictureOf(const Location& location, int width, int height, int bandRows, ReferenceCache& cache)
{
    return bandedPicture(location,
                         pictureRows(location, double(location.centerReal), double(location.centerImag), width,
                                     height, bestKernelPath(), true, cache),
                         width, height, bandRows);
}

Location deepLocation()
{
    Location location;
    location.centerReal = PreciseReal(preperiodic41.centerReal);
    location.centerImag = PreciseReal(preperiodic41.centerImag);
    location.halfHeight = 1e-100;
    location.iterationLimit = 5000;
    return location;
}

// A picture of the cardioid's edge whose every pixel would take billions of
// steps: its rows end only at a stop.
BandedPicture endlessPicture(int width, int height, std::atomic<int>* rowsBegun)
{
    const RowComputer rows =
        shallowRows(-0.3905408702184, -0.5867879073469687, 1e-9, width, height, INT_MAX, 15.0, bestKernelPath());
    BandedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.maxIterations = INT_MAX;
    picture.computeRow = [rows, rowsBegun](int row, StepSink sink, const std::atomic<bool>& stop) {
        ++*rowsBegun;
        return rows(row, sink, stop);
    };
    picture.bandRows = 4;
    return picture;
}

} // namespace

TEST(PictureBands, AnyBandHeightGivesThePictureComputedAtOnceShallowAndDeep)
{
    Location shallow;
    shallow.iterationLimit = 64;
    Location binary = shallow;
    binary.binaryColoring = true;
    const struct {
        const char* name;
        Location location;
        int width;
        int height;
    } pictures[] = {
        {"shallow", shallow, 97, 61}, {"binary", binary, 40, 33}, {"single pixel", shallow, 1, 1},
        {"single column", shallow, 1, 29}, {"deep", deepLocation(), 64, 47},
    };
    for (const auto& picture : pictures) {
        const std::vector<std::uint32_t> whole =
            renderedPicture(picture.location, double(picture.location.centerReal),
                            double(picture.location.centerImag), picture.width, picture.height);
        for (const int bandRows : {1, 7, 16, picture.height, picture.height + 5}) {
            // The calling thread computes rows too, alone or with the pool's.
            for (const int threads : {0, 1, 3}) {
                SCOPED_TRACE(std::string(picture.name) + ", bands of " + std::to_string(bandRows) + " rows, " +
                             std::to_string(threads) + " threads of the pool");
                ReferenceCache cache;
                BandLog sink(picture.width);
                RowLog rows;
                std::atomic<bool> stop{false};
                pool().grow(threads);
                const BandedPicture banded =
                    bandedPictureOf(picture.location, picture.width, picture.height, bandRows, cache);
                EXPECT_EQ(computeInBands(banded, pool(), threads, stop, sink, rows.callback()),
                          BandsOutcome::finished);
                EXPECT_EQ(sink.pixels, whole);
                // The bands follow each other from the top, all of the
                // band height but the last.
                int next = 0;
                for (const BandLog::Taken& band : sink.taken) {
                    EXPECT_EQ(band.firstRow, next);
                    EXPECT_EQ(band.rowCount, std::min(bandRows, picture.height - next));
                    next += band.rowCount;
                }
                EXPECT_EQ(next, picture.height);
                const std::vector<int> reports = rows.reports();
                EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end())) << testing::PrintToString(reports);
                EXPECT_EQ(rows.last(), picture.height);
                EXPECT_FALSE(stop);
            }
        }
    }
}

TEST(PictureBands, TheNextBandIsComputedWhileTheSinkHoldsABand)
{
    Location location;
    BandLog sink(200);
    RowLog rows;
    // While it holds the first band, rows of the second are computed.
    bool computedMeanwhile = false;
    sink.whileTaking = [&](int firstRow) {
        if (firstRow == 0)
            computedMeanwhile = waitFor([&] { return rows.last() > 10; });
    };
    std::atomic<bool> stop{false};
    ReferenceCache cache;
    pool().grow(2);
    EXPECT_EQ(computeInBands(bandedPictureOf(location, 200, 30, 10, cache), pool(), 2, stop, sink, rows.callback()),
              BandsOutcome::finished);
    EXPECT_TRUE(computedMeanwhile);
}

TEST(PictureBands, AStopOrARefusedBandEndsEveryRenderThread)
{
    for (const int threads : {1, 3}) {
        SCOPED_TRACE(std::to_string(threads) + " threads of the pool");
        pool().grow(threads);

        // A stop from outside, while rows that never end are computed:
        // no band is handed on.
        std::atomic<int> rowsBegun{0};
        std::atomic<bool> stop{false};
        BandLog stoppedSink(16);
        std::thread stopper([&] {
            waitFor([&] { return rowsBegun >= threads; });
            stop = true;
        });
        EXPECT_EQ(computeInBands(endlessPicture(16, 12, &rowsBegun), pool(), threads, stop, stoppedSink),
                  BandsOutcome::stopped);
        stopper.join();
        EXPECT_TRUE(stoppedSink.taken.empty());

        // A sink that refuses the second band while the third is computed,
        // whose rows never end unless stopped.
        Location location;
        ReferenceCache cache;
        BandedPicture picture = bandedPictureOf(location, 16, 12, 4, cache);
        const RowComputer rows = picture.computeRow;
        const RowComputer endless = endlessPicture(16, 12, &rowsBegun).computeRow;
        picture.computeRow = [rows, endless](int row, StepSink sink, const std::atomic<bool>& flag) {
            return row < 8 ? rows(row, sink, flag) : endless(row, sink, flag);
        };
        std::atomic<bool> noStop{false};
        BandLog refusing(16);
        refusing.refuseBand = 2;
        EXPECT_EQ(computeInBands(picture, pool(), threads, noStop, refusing), BandsOutcome::refused);
        EXPECT_TRUE(noStop) << "the stop is raised for the band being computed";
        EXPECT_EQ(refusing.taken.size(), 2u);

        // The pool serves the next picture.
        std::atomic<bool> again{false};
        BandLog sink(16);
        EXPECT_EQ(computeInBands(bandedPictureOf(location, 16, 12, 4, cache), pool(), threads, again, sink),
                  BandsOutcome::finished);
        EXPECT_EQ(sink.pixels, renderedPicture(location, -0.5, 0, 16, 12));
    }
}
