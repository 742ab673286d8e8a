#include "engine/render_kernel.h"

#include "engine/escape_time.h"
#include "engine/plane_mapping.h"
#include "tests/support/kernel_corpus.h"
#include "tests/support/wait_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct CorpusRow {
    std::vector<double> realParts;
    double imagPart;
    std::vector<int> expected;
};

// The compared rows of a view with their points mapped as the worker maps
// them, and escapeSteps of each point, computed once for every path.
const std::vector<CorpusRow>& corpusRows(const CorpusView& view)
{
    static std::map<const CorpusView*, std::vector<CorpusRow>> cache;
    auto found = cache.find(&view);
    if (found != cache.end())
        return found->second;
    const PlaneEdges edges = planeEdges(view.centerReal, view.centerImag, view.halfHeight, view.width, view.height);
    std::vector<CorpusRow> rows;
    for (int k = 0; k < view.rows; ++k) {
        const int y = k * view.height / view.rows;
        CorpusRow row{{}, rowToImag(edges, y, view.height), {}};
        for (int x = 0; x < view.width; ++x) {
            row.realParts.push_back(columnToReal(edges, x, view.width));
            row.expected.push_back(escapeSteps(row.realParts.back(), row.imagPart, view.limit, view.threshold));
        }
        rows.push_back(row);
    }
    return cache.emplace(&view, std::move(rows)).first->second;
}

// Keeps every pixel the kernel hands over and can raise the stop flag after
// a given column.
struct Recorder {
    std::vector<std::pair<int, int>> pixels;
    std::atomic<bool>* stop = nullptr;
    int stopAfter = -1;

    static void put(void* context, int column, int steps)
    {
        auto* recorder = static_cast<Recorder*>(context);
        recorder->pixels.emplace_back(column, steps);
        if (column == recorder->stopAfter)
            *recorder->stop = true;
    }
    StepSink sink() { return StepSink{put, this}; }
};

const char* pathName(KernelPath path)
{
    switch (path) {
    case KernelPath::sse2:
        return "Sse2";
    case KernelPath::avx2:
        return "Avx2";
    case KernelPath::avx512:
        return "Avx512";
    }
    return "?";
}

class RenderKernelTest : public testing::TestWithParam<KernelPath> {
protected:
    void SetUp() override
    {
        if (!kernelPathSupported(GetParam()))
            GTEST_SKIP() << "this processor or system cannot run the " << pathName(GetParam()) << " path";
    }

    RowOutcome run(const RowPoints& points, Recorder& recorder, std::atomic<bool>& stop)
    {
        recorder.stop = &stop;
        return iterateRow(GetParam(), points, recorder.sink(), stop);
    }
};

// A row of points on the real axis and the counts escapeSteps gives them.
struct PointRow {
    std::vector<double> realParts;
    std::vector<int> expected;
};

PointRow pointRow(const std::vector<double>& realParts, int limit, double threshold)
{
    PointRow row{realParts, {}};
    for (const double re : realParts)
        row.expected.push_back(escapeSteps(re, 0.0, limit, threshold));
    return row;
}

} // namespace

TEST_P(RenderKernelTest, EveryPixelOfTheCorpusHasTheCountOfEscapeSteps)
{
    for (const CorpusView& view : corpus) {
        const double bound = escapeSquareBound(view.threshold);
        for (const CorpusRow& row : corpusRows(view)) {
            Recorder recorder;
            std::atomic<bool> stop{false};
            const RowPoints points{row.realParts.data(), view.width, row.imagPart, view.limit, bound};
            const RowOutcome outcome = run(points, recorder, stop);
            ASSERT_EQ(outcome.written, view.width) << view.name;
            EXPECT_FALSE(outcome.stopped) << view.name;
            ASSERT_EQ(recorder.pixels.size(), std::size_t(view.width)) << view.name;
            for (int x = 0; x < view.width; ++x) {
                ASSERT_EQ(recorder.pixels[std::size_t(x)].first, x) << view.name;
                ASSERT_EQ(recorder.pixels[std::size_t(x)].second, row.expected[std::size_t(x)])
                    << view.name << ", c = " << row.realParts[std::size_t(x)] << " + " << row.imagPart << "i";
            }
        }
    }
}

TEST_P(RenderKernelTest, TheLargestLimitGivesTheCappedCount)
{
    // Points that escape, and points whose orbits fall into a cycle: -2 and
    // 0 at once, -1 with period 2, -1.3 with period 4, -1.76 with period 3
    // and -0.5 after converging to its fixed point. escapeSteps gives those
    // INT_MAX, after 2^31 steps each.
    const std::vector<double> escaping = {20.0, 2.0, 0.3, 0.26, 1e300, -2.1, 0.2501};
    const std::vector<double> cycling = {-2.0, 0.0, -1.0, -1.3, -1.76, -0.5};
    std::vector<double> realParts;
    std::vector<int> expected;
    for (std::size_t i = 0; i < cycling.size(); ++i) {
        realParts.push_back(escaping[i]);
        expected.push_back(escapeSteps(escaping[i], 0.0, INT_MAX, 15.0));
        realParts.push_back(cycling[i]);
        expected.push_back(INT_MAX);
    }
    for (const int limit : {INT_MAX, INT_MAX - 1}) {
        Recorder recorder;
        std::atomic<bool> stop{false};
        const RowPoints points{realParts.data(), int(realParts.size()), 0.0, limit, escapeSquareBound(15.0)};
        ASSERT_EQ(run(points, recorder, stop).written, int(realParts.size()));
        for (std::size_t x = 0; x < realParts.size(); ++x)
            EXPECT_EQ(recorder.pixels[x].second, expected[x]) << "c = " << realParts[x] << ", limit " << limit;
    }
}

TEST_P(RenderKernelTest, AStopAfterAnyPixelLeavesTheRestUnwritten)
{
    // Fast points around a slow one at column 6, which reaches the limit:
    // the points after it are computed long before it, but may not be
    // handed over after a stop.
    std::vector<double> realParts;
    for (int x = 0; x < 40; ++x)
        realParts.push_back(x == 6 ? -0.75 : 0.3 + 0.01 * x);
    const PointRow row = pointRow(realParts, 100000, 15.0);
    const RowPoints points{row.realParts.data(), 40, 0.0, 100000, escapeSquareBound(15.0)};
    for (const int stopAfter : {0, 3, 5, 6, 13, 38, 39}) {
        Recorder recorder;
        recorder.stopAfter = stopAfter;
        std::atomic<bool> stop{false};
        const RowOutcome outcome = run(points, recorder, stop);
        EXPECT_EQ(outcome.written, stopAfter + 1);
        EXPECT_TRUE(outcome.stopped);
        ASSERT_EQ(recorder.pixels.size(), std::size_t(stopAfter + 1));
        for (int x = 0; x <= stopAfter; ++x) {
            EXPECT_EQ(recorder.pixels[std::size_t(x)].first, x);
            EXPECT_EQ(recorder.pixels[std::size_t(x)].second, row.expected[std::size_t(x)]);
        }
    }
}

TEST_P(RenderKernelTest, AStopSeenInsideALongPixelLeavesItAndTheRestUnwritten)
{
    // The cusp 0.25 at column 1 creeps towards its fixed point for over a
    // hundred million steps before its orbit repeats; the points around it
    // escape in their first step. The stop comes once column 0 is out, while
    // the cusp is in work: the kernel must see it within the pixel.
    const PointRow row = pointRow({20.0, 0.25, 20.0, 20.0}, 64, 15.0);
    const RowPoints points{row.realParts.data(), 4, 0.0, INT_MAX, escapeSquareBound(15.0)};
    struct Written {
        std::atomic<int> count{0};
        static void put(void* context, int, int) { ++static_cast<Written*>(context)->count; }
    } written;
    std::atomic<bool> stop{false};
    std::thread stopper([&] {
        waitFor([&] { return written.count > 0; });
        stop = true;
    });
    const RowOutcome outcome = iterateRow(GetParam(), points, StepSink{Written::put, &written}, stop);
    stopper.join();
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.written, 1);
    EXPECT_EQ(written.count, 1);
}

TEST_P(RenderKernelTest, AStopRaisedBeforeTheRowStillWritesItsFirstPixel)
{
    const PointRow row = pointRow({-0.75, 20.0, 2.0, 0.3, 20.0}, 4096, 15.0);
    Recorder recorder;
    std::atomic<bool> stop{true};
    const RowPoints points{row.realParts.data(), 5, 0.0, 4096, escapeSquareBound(15.0)};
    const RowOutcome outcome = run(points, recorder, stop);
    EXPECT_EQ(outcome.written, 1);
    EXPECT_TRUE(outcome.stopped);
    ASSERT_EQ(recorder.pixels.size(), 1u);
    EXPECT_EQ(recorder.pixels[0], std::make_pair(0, row.expected[0]));
}

TEST_P(RenderKernelTest, ARowWithoutPixelsWritesNothing)
{
    Recorder recorder;
    std::atomic<bool> stop{true};
    const double realPart = 0.0;
    for (const int width : {0, -3}) {
        const RowOutcome outcome = run(RowPoints{&realPart, width, 0.0, 32, 225.0}, recorder, stop);
        EXPECT_EQ(outcome.written, 0);
        EXPECT_FALSE(outcome.stopped);
    }
    EXPECT_TRUE(recorder.pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, RenderKernelTest,
                         testing::Values(KernelPath::sse2, KernelPath::avx2, KernelPath::avx512),
                         [](const testing::TestParamInfo<KernelPath>& path) { return std::string(pathName(path.param)); });

TEST(EscapeSquareBound, AgreesWithTheSquareRootAroundTheBound)
{
    const double sqrtMax = std::sqrt(DBL_MAX);
    const double thresholds[] = {
        0.5, 1.0, 2.0, 3.0, 4.0, 15.0, 1e10, 1e200, 1e-300, 0.1,
        // Neighbours of perfect squares' roots.
        std::nextafter(4.0, 0.0), std::nextafter(4.0, 5.0), std::nextafter(15.0, 16.0), std::nextafter(1.0, 0.0),
        // Around the edge where the square overflows.
        sqrtMax, std::nextafter(sqrtMax, 0.0), std::nextafter(sqrtMax, infinity), DBL_MAX,
        // At the bottom of the doubles.
        DBL_MIN, std::numeric_limits<double>::denorm_min(), 0.0, -1.0};
    for (const double threshold : thresholds) {
        const double bound = escapeSquareBound(threshold);
        ASSERT_FALSE(std::isnan(bound)) << threshold;
        std::vector<double> sums = {bound};
        for (double below = bound, above = bound, k = 0; k < 3; ++k) {
            below = std::nextafter(below, -1.0);
            above = std::nextafter(above, infinity);
            if (below >= 0.0)
                sums.push_back(below);
            sums.push_back(above);
        }
        for (const double s : sums)
            EXPECT_EQ(s >= bound, std::sqrt(s) > threshold) << "threshold " << threshold << ", s " << s;
        EXPECT_GT(std::sqrt(bound), threshold) << threshold;
    }
}

TEST(EscapeSquareBound, TellingValues)
{
    // The root of the double after 16 rounds back to 4; the one after that
    // is the first whose root exceeds 4.
    EXPECT_EQ(std::sqrt(std::nextafter(16.0, 17.0)), 4.0);
    EXPECT_EQ(escapeSquareBound(4.0), std::nextafter(std::nextafter(16.0, 17.0), 17.0));
    // Every positive sum exceeds a threshold of 0, and every sum at all a
    // negative one.
    EXPECT_EQ(escapeSquareBound(0.0), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(escapeSquareBound(-1.0), 0.0);
    // Only an infinite sum has a root above DBL_MAX.
    EXPECT_EQ(escapeSquareBound(DBL_MAX), infinity);
}

TEST(EscapeSquareBound, NothingReachesAnInfiniteOrNaNThreshold)
{
    for (const double threshold : {infinity, std::numeric_limits<double>::quiet_NaN()}) {
        const double bound = escapeSquareBound(threshold);
        for (const double s : {0.0, 1.0, DBL_MAX, infinity})
            EXPECT_FALSE(s >= bound) << threshold << " " << s;
    }
}
