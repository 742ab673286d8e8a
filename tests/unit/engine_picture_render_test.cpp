// A picture rendered by several threads: the same pixels, shallow and deep,
// for any number of threads and on every kernel path, progress that follows
// the finished prefix, a scan line that never hides a computed pixel, and
// stops that leave what one thread would have left.
#include "engine/picture_render.h"

#include "engine/escape_time.h"
#include "engine/picture_end.h"
#include "engine/picture_rows.h"
#include "engine/render_pool.h"
#include "engine/shallow_rows.h"
#include "tests/support/deep_places.h"
#include "tests/support/kernel_corpus.h"
#include "tests/support/wait_for.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t white = 0x00FFFFFFu;
const int threadCounts[] = {1, 2, 3, 7, 16};

RenderPool& pool()
{
    static RenderPool* threads = new RenderPool;
    return *threads;
}

// Notes every report and waits for the picture's end.
class ProgressLog final : public PictureEnd {
public:
    struct Report {
        int firstRow;
        int lastRow;
        int percent;
    };

    // Called, if set, at every report with the picture as it stands.
    std::function<void(const Report&)> onReport;

    void rowsFinished(int firstRow, int lastRow, int percent) override
    {
        const Report report{firstRow, lastRow, percent};
        if (onReport)
            onReport(report);
        std::lock_guard<std::mutex> lock(mutex_);
        reports_.push_back(report);
    }

    void scanLineGrew(int row) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        grownScanLines_.push_back(row);
    }

    bool waitForEnd() { return waitFor(std::chrono::minutes(2)); }

    const std::vector<Report>& reports() const { return reports_; }
    std::vector<int> grownScanLines()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return grownScanLines_;
    }

    std::vector<int> percents() const
    {
        std::vector<int> values;
        for (const Report& report : reports_)
            values.push_back(report.percent);
        return values;
    }

private:
    std::mutex mutex_;
    std::vector<Report> reports_;
    std::vector<int> grownScanLines_;
};

ReportClock::time_point steadyClock()
{
    return ReportClock::now();
}

// A clock that moves on by a frame at every reading: every row is reported.
ReportClock::time_point frameClock()
{
    static ReportClock::time_point now{};
    now += reportInterval;
    return now;
}

struct Rendered {
    std::vector<std::uint32_t> pixels;
    std::vector<ProgressLog::Report> reports;
    std::vector<int> percents;
    bool cancelled;
};

// Renders job on `threads` threads of the pool and waits for its end.
Rendered render(PictureJob job, int threads, std::atomic<bool>& stop, ReportClock::time_point (*clock)(),
                const std::function<void(const ProgressLog::Report&)>& onReport = {})
{
    std::vector<std::uint32_t> pixels(std::size_t(std::max(job.width, 0)) * std::size_t(std::max(job.height, 0)));
    job.pixels = pixels.empty() ? nullptr : pixels.data();
    ProgressLog log;
    log.onReport = onReport;
    pool().grow(threads);
    auto picture = std::make_shared<PictureRender>(std::move(job), threads, stop, log, clock);
    pool().run(threads, [picture](int) { picture->runThread(); });
    EXPECT_TRUE(log.waitForEnd());
    return Rendered{std::move(pixels), log.reports(), log.percents(), log.cancelled()};
}

PictureJob corpusJob(const CorpusView& view, KernelPath path, bool binary = false)
{
    PictureJob job;
    job.width = view.width;
    job.height = view.height;
    job.maxIterations = view.limit;
    job.binaryColoring = binary;
    job.computeRow = shallowRows(view.centerReal, view.centerImag, view.halfHeight, view.width, view.height,
                                 view.limit, view.threshold, path);
    return job;
}

std::vector<KernelPath> supportedPaths()
{
    std::vector<KernelPath> paths;
    for (const KernelPath path : {KernelPath::sse2, KernelPath::avx2, KernelPath::avx512})
        if (kernelPathSupported(path))
            paths.push_back(path);
    return paths;
}

// Progress as a person sees it: from 0 after the first row, never going
// back, ending with `last`.
void expectRisingTo(const std::vector<int>& percents, int last)
{
    ASSERT_FALSE(percents.empty());
    if (percents.size() > 1) {
        EXPECT_EQ(percents.front(), 0);
    }
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << testing::PrintToString(percents);
    EXPECT_EQ(percents.back(), last);
}

// The pixels of a picture in the gradient colouring are never white, so a
// white pixel left in one is a scan line that stayed.
int whitePixels(const std::vector<std::uint32_t>& pixels, std::size_t from, std::size_t to)
{
    return int(std::count(pixels.begin() + std::ptrdiff_t(from), pixels.begin() + std::ptrdiff_t(to), white));
}

// A view on the edge of the main cardioid: its points take up to the limit
// and fall into no cycle, so every row takes a while.
const CorpusView slowView = {"cardioid edge", -0.3905408702184, -0.5867879073469687, 3e-6, 61, 40, 40, 20000, 15.0};

} // namespace

TEST(PictureRender, AnyNumberOfThreadsGivesTheOneThreadPictureOnEveryPath)
{
    for (const KernelPath path : supportedPaths()) {
        for (const CorpusView& view : corpus) {
            std::atomic<bool> stop{false};
            const Rendered one = render(corpusJob(view, path), 1, stop, frameClock);
            std::vector<int> everyRow;
            for (int row = 0; row < view.height; ++row)
                everyRow.push_back(row * 100 / view.height);
            EXPECT_EQ(one.percents, everyRow) << view.name;
            for (const int threads : threadCounts) {
                const Rendered many = render(corpusJob(view, path), threads, stop, frameClock);
                EXPECT_EQ(many.pixels, one.pixels) << view.name << ", " << threads << " threads";
                EXPECT_FALSE(many.cancelled);
                // The clock is read once for each row the prefix gains, so
                // the reports are those of one thread.
                EXPECT_EQ(many.percents, everyRow) << view.name << ", " << threads << " threads";
                EXPECT_EQ(whitePixels(many.pixels, 0, many.pixels.size()), 0) << view.name;
            }
        }
    }
}

TEST(PictureRender, AnyNumberOfThreadsGivesTheOneThreadDeepPictureOnEveryPath)
{
    // A reference that loops with period 1, one that escapes, and the
    // seahorse valley's frequent rebases; with maps and without.
    struct DeepCase {
        const DeepPlace* place;
        double halfHeight;
        int limit;
    };
    const DeepCase cases[] = {{&preperiodic41, 1e-100, 1000}, {&preperiodic41, 1e-290, 2383}, {&seahorse, 1e-30, 5000}};
    constexpr int width = 53;
    constexpr int height = 31;
    ReferenceCache cache;
    for (const DeepCase& deep : cases) {
        Location location;
        location.centerReal = PreciseReal(deep.place->centerReal);
        location.centerImag = PreciseReal(deep.place->centerImag);
        location.halfHeight = deep.halfHeight;
        location.iterationLimit = deep.limit;
        for (const KernelPath path : supportedPaths()) {
            for (const bool maps : {false, true}) {
                const auto job = [&] {
                    PictureRows rows = pictureRows(location, double(location.centerReal), double(location.centerImag),
                                                   width, height, path, maps, cache);
                    PictureJob picture;
                    picture.width = width;
                    picture.height = height;
                    picture.maxIterations = deep.limit;
                    picture.computeRow = std::move(rows.computeRow);
                    picture.prepare = std::move(rows.prepare);
                    return picture;
                };
                std::atomic<bool> stop{false};
                const Rendered one = render(job(), 1, stop, frameClock);
                // Not one flat colour, which any split of the rows would give.
                const std::set<std::uint32_t> colours(one.pixels.begin(), one.pixels.end());
                EXPECT_GE(colours.size(), 4u) << deep.place->name << " at " << deep.halfHeight;
                for (const int threads : threadCounts) {
                    const Rendered many = render(job(), threads, stop, frameClock);
                    EXPECT_EQ(many.pixels, one.pixels) << deep.place->name << " at " << deep.halfHeight << ", path "
                                                       << int(path) << (maps ? ", maps" : "") << ", " << threads
                                                       << " threads";
                    EXPECT_FALSE(many.cancelled);
                }
            }
        }
    }
}

TEST(PictureRender, EachPixelHasTheColourOfItsStepCount)
{
    const CorpusView& view = corpus[0];
    std::atomic<bool> stop{false};
    for (const bool binary : {false, true}) {
        const Rendered picture = render(corpusJob(view, bestKernelPath(), binary), 3, stop, steadyClock);
        const double halfWidth = view.width * view.halfHeight / view.height;
        for (int y = 0; y < view.height; y += 7) {
            for (int x = 0; x < view.width; x += 5) {
                const double re = (view.centerReal - halfWidth) + (2 * halfWidth) * x / view.width;
                const double im = (view.centerImag - view.halfHeight) + (2 * view.halfHeight) * y / view.height;
                const int steps = escapeSteps(re, im, view.limit, view.threshold);
                EXPECT_EQ(picture.pixels[std::size_t(y) * view.width + x],
                          colorToPixel(stepColor(steps, view.limit, binary)))
                    << x << ", " << y;
            }
        }
    }
}

TEST(PictureRender, ReportsCoverThePrefixAndTheScanLineNeverHidesAComputedPixel)
{
    std::atomic<bool> stop{false};
    const Rendered reference = render(corpusJob(slowView, bestKernelPath()), 1, stop, steadyClock);
    int scanLinesSeen = 0;
    for (const int threads : {1, 2, 3, 7}) {
        std::vector<std::uint32_t>* picture = nullptr;
        int wrongRows = 0;
        PictureJob job = corpusJob(slowView, bestKernelPath());
        const std::size_t width = std::size_t(slowView.width);
        // At each report the rows it names are finished and right, and the
        // row under them holds computed pixels, then the scan line, then
        // nothing yet.
        auto check = [&](const ProgressLog::Report& report) {
            const std::uint32_t* pixels = picture->data();
            for (int row = report.firstRow; row <= report.lastRow; ++row)
                wrongRows += !std::equal(pixels + row * width, pixels + (row + 1) * width,
                                         reference.pixels.begin() + std::ptrdiff_t(row * width));
            const int under = report.lastRow + 1;
            if (under >= slowView.height)
                return;
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint32_t pixel = pixels[under * width + x];
                if (pixel == white)
                    ++scanLinesSeen;
                else if (pixel != 0 && pixel != reference.pixels[under * width + x])
                    ++wrongRows;
            }
        };
        std::vector<std::uint32_t> pixels(width * std::size_t(slowView.height));
        picture = &pixels;
        job.pixels = pixels.data();
        ProgressLog log;
        log.onReport = check;
        pool().grow(threads);
        auto render = std::make_shared<PictureRender>(std::move(job), threads, stop, log, frameClock);
        pool().run(threads, [render](int) { render->runThread(); });
        ASSERT_TRUE(log.waitForEnd());
        EXPECT_EQ(wrongRows, 0) << threads << " threads";
        EXPECT_EQ(pixels, reference.pixels) << threads << " threads";
        expectRisingTo(log.percents(), (slowView.height - 1) * 100 / slowView.height);
    }
    EXPECT_GT(scanLinesSeen, 0);
}

TEST(PictureRender, StopsAtRandomMomentsLeaveWhatOneThreadWouldHaveLeft)
{
    std::atomic<bool> noStop{false};
    const Rendered reference = render(corpusJob(slowView, bestKernelPath()), 1, noStop, steadyClock);
    const std::size_t width = std::size_t(slowView.width);
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        const int threads = threadCounts[round % 5];
        const int stopAfterPixels = std::uniform_int_distribution<int>(0, slowView.width * slowView.height)(random);
        PictureJob job = corpusJob(slowView, bestKernelPath());
        std::atomic<bool> stop{false};
        auto pixelsComputed = std::make_shared<std::atomic<int>>(0);
        const RowComputer rows = job.computeRow;
        // The stop comes once the chosen number of pixels has been handed
        // over, by whichever thread.
        job.computeRow = [&, rows, pixelsComputed](int row, StepSink sink, const std::atomic<bool>& flag) {
            struct Counting {
                StepSink inner;
                std::atomic<int>* count;
                std::atomic<bool>* stop;
                int after;
                static void put(void* context, int column, int steps)
                {
                    auto* counting = static_cast<Counting*>(context);
                    counting->inner.put(counting->inner.context, column, steps);
                    if (++*counting->count > counting->after)
                        *counting->stop = true;
                }
            } counting{sink, pixelsComputed.get(), &stop, stopAfterPixels};
            return rows(row, StepSink{Counting::put, &counting}, flag);
        };
        const Rendered stopped = render(std::move(job), threads, stop, frameClock);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << threads << " threads, stop after "
                                        << stopAfterPixels << " pixels");
        ASSERT_TRUE(stopped.cancelled);
        expectRisingTo(stopped.percents, 100);

        // The finished rows, then the interrupted row: its pixels so far,
        // then the scan line (none in row 0), then the first content.
        const int finishedRows = int(stopped.reports.size()) - 1;
        const std::uint32_t* pixels = stopped.pixels.data();
        ASSERT_LE(finishedRows, slowView.height);
        EXPECT_TRUE(std::equal(pixels, pixels + finishedRows * width, reference.pixels.begin()));
        if (finishedRows == slowView.height)
            continue;
        const std::uint32_t* interrupted = pixels + finishedRows * width;
        std::size_t written = 0;
        while (written < width && interrupted[written] == reference.pixels[finishedRows * width + written])
            ++written;
        for (std::size_t x = written; x < width; ++x)
            EXPECT_EQ(interrupted[x], finishedRows > 0 ? white : 0u) << x;
        EXPECT_TRUE(std::all_of(interrupted + width, pixels + stopped.pixels.size(),
                                [](std::uint32_t pixel) { return pixel == 0; }));
    }
}

TEST(PictureRender, PicturesWithoutPixelsOrWithFewerRowsThanThreadsEndDone)
{
    std::atomic<bool> stop{true};
    for (const int threads : threadCounts) {
        // No rows: the end at once.
        PictureJob empty;
        empty.height = 0;
        empty.width = 10;
        const Rendered none = render(std::move(empty), threads, stop, frameClock);
        EXPECT_FALSE(none.cancelled);
        EXPECT_TRUE(none.reports.empty());

        // Rows without pixels: every row runs and is reported, and the stop
        // is never looked at.
        PictureJob narrow;
        narrow.width = 0;
        narrow.height = 5;
        narrow.computeRow = [](int, StepSink, const std::atomic<bool>&) { return RowOutcome{0, false}; };
        const Rendered rows = render(std::move(narrow), threads, stop, frameClock);
        EXPECT_FALSE(rows.cancelled);
        EXPECT_EQ(rows.percents, (std::vector<int>{0, 20, 40, 60, 80}));
    }
    std::atomic<bool> noStop{false};
    const CorpusView twoRows = {"two rows", -0.5, 0.0, 1.3, 30, 2, 2, 64, 15.0};
    const Rendered one = render(corpusJob(twoRows, KernelPath::sse2), 1, noStop, frameClock);
    const Rendered many = render(corpusJob(twoRows, KernelPath::sse2), 16, noStop, frameClock);
    EXPECT_EQ(many.pixels, one.pixels);
    EXPECT_EQ(many.percents, (std::vector<int>{0, 50}));
}

TEST(PictureRender, PreparationRunsOnceBeforeTheRowsAndItsStopCancels)
{
    for (const int threads : threadCounts) {
        std::atomic<bool> stop{false};
        std::atomic<int> preparations{0};
        std::atomic<bool> rowBeforePreparation{false};
        PictureJob job = corpusJob(corpus[0], KernelPath::sse2);
        const RowComputer rows = job.computeRow;
        job.prepare = [&](const std::atomic<bool>&) {
            ++preparations;
            return true;
        };
        job.computeRow = [&, rows](int row, StepSink sink, const std::atomic<bool>& flag) {
            if (preparations == 0)
                rowBeforePreparation = true;
            return rows(row, sink, flag);
        };
        EXPECT_FALSE(render(std::move(job), threads, stop, steadyClock).cancelled);
        EXPECT_EQ(preparations, 1);
        EXPECT_FALSE(rowBeforePreparation);

        PictureJob stopped = corpusJob(corpus[0], KernelPath::sse2);
        stopped.prepare = [](const std::atomic<bool>&) { return false; };
        const Rendered cancelled = render(std::move(stopped), threads, stop, steadyClock);
        EXPECT_TRUE(cancelled.cancelled);
        EXPECT_EQ(cancelled.percents, (std::vector<int>{100}));
        EXPECT_TRUE(std::all_of(cancelled.pixels.begin(), cancelled.pixels.end(),
                                [](std::uint32_t pixel) { return pixel == 0; }));
    }
}

TEST(PictureRender, AStopReachesEveryThreadWithinAPixelThatNeverEnds)
{
    // Every pixel of this view lies on the cardioid's edge within a few
    // hundred-millionths: at the largest limit each one would take billions
    // of steps.
    const CorpusView edge = {"edge", -0.3905408702184, -0.5867879073469687, 1e-9, 16, 16, 16, INT_MAX, 15.0};
    for (const int threads : {2, 7}) {
        std::atomic<bool> stop{false};
        PictureJob job = corpusJob(edge, bestKernelPath());
        std::atomic<int> rowsBegun{0};
        const RowComputer rows = job.computeRow;
        job.computeRow = [&, rows](int row, StepSink sink, const std::atomic<bool>& flag) {
            ++rowsBegun;
            return rows(row, sink, flag);
        };
        std::thread stopper([&] {
            waitFor([&] { return rowsBegun >= threads; });
            stop = true;
        });
        const Rendered stopped = render(std::move(job), threads, stop, steadyClock);
        stopper.join();
        EXPECT_TRUE(stopped.cancelled);
    }
}

// One thread's row joins the prefix while the row under it is held up by a
// slow pixel on another thread: the scan line must show under the prefix at
// once, over every column the held-up row has not written, as it does when
// one thread computes the rows in order.
TEST(PictureRender, TheScanLineShowsAtOnceUnderThePrefixWhileItsRowWaitsForASlowPixel)
{
    constexpr int width = 200;
    constexpr int height = 3;
    constexpr int writtenBeforeTheSlowPixel = 10;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height, 0u);
    std::uint32_t* const second = pixels.data() + width;
    std::atomic<bool> secondHeldUp{false};
    std::atomic<bool> slowPixelDone{false};
    std::atomic<bool> ownerDrewItsPart{false};
    ProgressLog log;

    PictureJob job;
    job.pixels = pixels.data();
    job.width = width;
    job.height = height;
    job.maxIterations = 32;
    job.computeRow = [&](int row, StepSink sink, const std::atomic<bool>&) {
        if (row == 0) {
            EXPECT_TRUE(waitFor([&] { return secondHeldUp.load(); }));
        }
        for (int x = 0; x < width; ++x) {
            if (row == 1 && x == writtenBeforeTheSlowPixel) {
                secondHeldUp = true;
                EXPECT_TRUE(waitFor([&] { return slowPixelDone.load(); }));
            }
            sink.put(sink.context, x, 1);
            if (row == 1 && x == writtenBeforeTheSlowPixel) {
                // Its next pixel is out: the owner has drawn the scan line
                // over what it had claimed, and asked for the row's repaint.
                ownerDrewItsPart = std::all_of(second + x + 1, second + 64, [](std::uint32_t p) { return p == white; });
                EXPECT_TRUE(waitFor([&] { return !log.grownScanLines().empty(); }));
            }
        }
        return RowOutcome{width, false};
    };
    log.onReport = [&](const ProgressLog::Report& report) {
        if (report.lastRow != 0)
            return;
        // Row 1's own pixels stand; the rest beyond its owner's claim is
        // white before the report repaints the row.
        const std::uint32_t computed = colorToPixel(stepColor(1, 32, false));
        EXPECT_TRUE(std::all_of(second, second + writtenBeforeTheSlowPixel, [&](std::uint32_t p) { return p == computed; }));
        EXPECT_TRUE(std::all_of(second + 64, second + width, [](std::uint32_t p) { return p == white; }));
        slowPixelDone = true;
    };

    std::atomic<bool> stop{false};
    pool().grow(2);
    auto picture = std::make_shared<PictureRender>(std::move(job), 2, stop, log, frameClock);
    pool().run(2, [picture](int) { picture->runThread(); });
    ASSERT_TRUE(log.waitForEnd());
    EXPECT_TRUE(ownerDrewItsPart);
    EXPECT_EQ(log.grownScanLines(), std::vector<int>{1});
    EXPECT_EQ(whitePixels(pixels, 0, pixels.size()), 0);
}

namespace {

std::atomic<long long> manualMilliseconds{0};

ReportClock::time_point manualClock()
{
    return ReportClock::time_point(std::chrono::milliseconds(manualMilliseconds.load()));
}

// Starts a picture of rows of ones on one thread of the pool, under the
// manual clock; beforeRow(row) runs as each row begins. The caller waits for
// its end.
std::shared_ptr<PictureRender> startRowsOfOnes(std::vector<std::uint32_t>& pixels, int width, int height,
                                               std::function<void(int)> beforeRow, const std::atomic<bool>& stop,
                                               ProgressLog& log)
{
    PictureJob job;
    job.pixels = pixels.data();
    job.width = width;
    job.height = height;
    job.maxIterations = 32;
    job.computeRow = [width, beforeRow](int row, StepSink sink, const std::atomic<bool>&) {
        beforeRow(row);
        for (int x = 0; x < width; ++x)
            sink.put(sink.context, x, 1);
        return RowOutcome{width, false};
    };
    pool().grow(1);
    auto picture = std::make_shared<PictureRender>(std::move(job), 1, stop, log, manualClock);
    pool().run(1, [picture](int) { picture->runThread(); });
    return picture;
}

} // namespace

// A row that joins the prefix within a report interval of the last report
// is withheld; when the row after it is slow, the rows withheld are shown
// once the interval has passed, not only after the slow row.
TEST(PictureRender, RowsWithheldBeforeASlowRowAreReportedOnceTheIntervalHasPassed)
{
    constexpr int width = 8;
    constexpr int height = 3;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height, 0u);
    std::atomic<bool> slowRowStarted{false};
    std::atomic<bool> slowRowMayEnd{false};
    ProgressLog log;
    manualMilliseconds = 1000;

    std::atomic<bool> stop{false};
    const auto picture = startRowsOfOnes(
        pixels, width, height,
        [&](int row) {
            if (row == 1)
                manualMilliseconds = 1005;
            if (row == 2) {
                slowRowStarted = true;
                EXPECT_TRUE(waitFor([&] { return slowRowMayEnd.load(); }));
            }
        },
        stop, log);
    ASSERT_TRUE(waitFor([&] { return slowRowStarted.load(); }));

    // Row 1 finished 5 ms after row 0 was shown: withheld until 16 ms are up.
    manualMilliseconds = 1010;
    EXPECT_TRUE(picture->reportWithheldRows());
    EXPECT_EQ(log.reports().size(), 1u);
    manualMilliseconds = 1016;
    EXPECT_TRUE(picture->reportWithheldRows());
    ASSERT_EQ(log.reports().size(), 2u);
    EXPECT_EQ(log.reports()[1].firstRow, 1);
    EXPECT_EQ(log.reports()[1].lastRow, 1);
    EXPECT_EQ(log.reports()[1].percent, 33);
    // Nothing is shown twice.
    manualMilliseconds = 1040;
    EXPECT_TRUE(picture->reportWithheldRows());
    EXPECT_EQ(log.reports().size(), 2u);

    slowRowMayEnd = true;
    ASSERT_TRUE(log.waitForEnd());
    EXPECT_EQ(log.percents(), (std::vector<int>{0, 33, 66}));
    EXPECT_FALSE(picture->reportWithheldRows());
}

TEST(PictureRender, AskingForWithheldRowsNeverWaitsForAReportOnItsWay)
{
    // A render thread's report to the window waits for the user-interface
    // thread, which asks for withheld rows at its timer: that call must not
    // wait for the report in turn.
    constexpr int width = 8;
    constexpr int height = 2;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height, 0u);
    std::atomic<bool> reporting{false};
    std::atomic<bool> asked{false};
    ProgressLog log;
    log.onReport = [&](const ProgressLog::Report&) {
        if (reporting.exchange(true))
            return;
        EXPECT_TRUE(waitFor([&] { return asked.load(); }, 20000)) << "the ask waited for the report";
    };
    manualMilliseconds = 1000;

    std::atomic<bool> stop{false};
    const auto picture = startRowsOfOnes(pixels, width, height, [](int) {}, stop, log);
    ASSERT_TRUE(waitFor([&] { return reporting.load(); }));
    manualMilliseconds = 2000;
    EXPECT_TRUE(picture->reportWithheldRows());
    asked = true;
    ASSERT_TRUE(log.waitForEnd());
    EXPECT_EQ(log.reports().size(), 2u);
}
