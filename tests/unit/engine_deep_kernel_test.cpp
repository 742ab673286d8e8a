#include "engine/deep_kernel.h"
#include "engine/deep_pixel_steps.h"

#include "engine/deep_view.h"
#include "tests/support/deep_places.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// A deep view of the corpus and which of its rows are compared.
struct DeepView {
    DeepPlace place;
    double halfHeight;
    int width; // mostly not a multiple of any vector's lanes
    int height;
    int rows;
    int limit;
    // Where the centre lies from the place, in half-heights: off it, the
    // centre's orbit escapes first and pixels reach its end.
    double shiftRe = 0;
    double shiftIm = 0;
};

const DeepView corpus[] = {
    {preperiodic41, 1e-14, 37, 24, 3, 20000},
    {preperiodic41, 1e-60, 29, 24, 3, 5000},
    {preperiodic41, 1e-300, 41, 24, 3, 20000},
    {preperiodic31, 1e-200, 33, 24, 3, 20000},
    {seahorse, 1e-30, 31, 24, 3, 20000},
    {seahorse, 1e-300, 27, 24, 3, 1000},
    {neck105, 1e-31, 23, 16, 2, 100000},
    {nucleus713, 3e-48, 35, 24, 4, 20000},
    // Pixels inside the small copy repeat their state and finish.
    {nucleus713, 3e-48, 21, 24, 3, INT_MAX},
};

// Views where the lanes meet the reference's end: its loop of period 1 on
// the fixed point under a low limit, and centres whose orbits escape before
// the pixels'.
const DeepView endsOfTheOrbit[] = {
    {preperiodic41, 1e-100, 29, 24, 3, 1000},
    {preperiodic31, 1e-60, 23, 14, 3, 20000, 0.317, 0.211},
    {nucleus713, 3e-48, 25, 16, 3, 20000, 0.817, 0.611},
};

// Each view's orbit is made once; views are told apart by what they are, not
// by where they lie, since tests make views of their own on the stack.
std::shared_ptr<const ReferenceOrbit> referenceFor(const DeepView& view)
{
    using Key = std::tuple<std::string, double, int, int, int, double, double>;
    static std::map<Key, std::shared_ptr<const ReferenceOrbit>> cache;
    auto& orbit =
        cache[Key{view.place.name, view.halfHeight, view.width, view.height, view.limit, view.shiftRe, view.shiftIm}];
    if (!orbit) {
        const std::atomic<bool> stop{false};
        PreciseReal re(view.place.centerReal);
        PreciseReal im(view.place.centerImag);
        re += PreciseReal(view.shiftRe * view.halfHeight);
        im += PreciseReal(view.shiftIm * view.halfHeight);
        orbit = computeReferenceOrbit(ReferenceRequest{re, im, view.halfHeight, view.width, view.height, view.limit}, stop);
    }
    return orbit;
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
    std::vector<int> counts() const
    {
        std::vector<int> result;
        for (const auto& pixel : pixels)
            result.push_back(pixel.second);
        return result;
    }
};

struct DeepRow {
    std::shared_ptr<const ReferenceOrbit> reference;
    std::vector<double> offsets;
    DeepRowPoints points(int y, const DeepView& view, bool useBla) const
    {
        return DeepRowPoints{reference.get(), offsets.data(), int(offsets.size()), deepRowOffset(y, view.halfHeight, view.height),
                             view.limit, escapeSquareBound(2.0), useBla};
    }
};

DeepRow rowOf(const DeepView& view)
{
    DeepRow row{referenceFor(view), {}};
    for (int x = 0; x < view.width; ++x)
        row.offsets.push_back(deepColumnOffset(x, view.width, view.halfHeight, view.height));
    return row;
}

std::vector<int> countsOf(KernelPath path, const DeepRowPoints& points)
{
    Recorder recorder;
    std::atomic<bool> stop{false};
    recorder.stop = &stop;
    const DeepRowOutcome outcome = iterateDeepRow(path, points, recorder.sink(), stop);
    EXPECT_EQ(outcome.written, points.width);
    EXPECT_FALSE(outcome.stopped);
    return recorder.counts();
}

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

// One pixel's count as the plain loop takes it: one perturbed step at a
// time, in the kernel's order of operations, to its escape or its limit.
// The lanes take the same steps in blocks, and leave out the work of a
// rebase, an escape or the end of the orbit where a block has none; this is
// the count they must give.
int plainDeepCount(const ReferenceOrbit& reference, double cr, double ci, double squareBound, int limit)
{
    const std::int64_t lastStep = std::int64_t{limit} + 1;
    DeepPixel pixel = startDeepPixel(reference, cr, ci);
    const bool looping = reference.loopLength > 0;
    while (pixel.steps < lastStep) {
        const std::size_t m = std::size_t(pixel.m);
        const double zr = reference.re[m], zi = reference.im[m];
        const double ar = (zr + zr) + pixel.dr;
        const double ai = (zi + zi) + pixel.di;
        const double nr = ((ar * pixel.dr) - (ai * pixel.di)) + cr;
        const double ni = ((ar * pixel.di) + (ai * pixel.dr)) + ci;
        const double wr = reference.re[m + 1] + nr;
        const double wi = reference.im[m + 1] + ni;
        ++pixel.steps;
        if (wr * wr + wi * wi >= squareBound)
            return int(pixel.steps);
        const std::int64_t next = pixel.m + 1;
        const bool atEnd = next == (looping ? reference.loopEnd : reference.end);
        if (std::fabs(wr) + std::fabs(wi) < std::fabs(nr) + std::fabs(ni) || (atEnd && !looping)) {
            pixel = DeepPixel{wr, wi, 0, pixel.steps};
        } else {
            pixel = DeepPixel{nr, ni, atEnd ? reference.loopEnd - reference.loopLength : next, pixel.steps};
        }
    }
    return int(lastStep);
}

class DeepKernelTest : public testing::TestWithParam<KernelPath> {
protected:
    void SetUp() override
    {
        if (!kernelPathSupported(GetParam()))
            GTEST_SKIP() << "this processor or system cannot run the " << pathName(GetParam()) << " path";
    }
};

} // namespace

TEST_P(DeepKernelTest, EveryPathGivesTheCountsOfSse2WithAndWithoutMaps)
{
    for (const DeepView& view : corpus) {
        const DeepRow row = rowOf(view);
        ASSERT_TRUE(row.reference) << view.place.name;
        for (int k = 0; k < view.rows; ++k) {
            const int y = k * view.height / view.rows + 1;
            for (const bool useBla : {false, true}) {
                const DeepRowPoints points = row.points(y, view, useBla);
                EXPECT_EQ(countsOf(GetParam(), points), countsOf(KernelPath::sse2, points))
                    << view.place.name << " at " << view.halfHeight << ", limit " << view.limit << ", row " << y
                    << (useBla ? ", with maps" : "");
            }
        }
    }
}

TEST_P(DeepKernelTest, EveryPathGivesThePlainLoopsCounts)
{
    // Without maps: they round differently from the steps they replace.
    std::vector<DeepView> views(std::begin(endsOfTheOrbit), std::end(endsOfTheOrbit));
    for (const DeepView& view : corpus) {
        if (view.limit < INT_MAX)
            views.push_back(view);
    }
    for (const DeepView& view : views) {
        const DeepRow row = rowOf(view);
        int pastTheEnd = 0;
        for (int k = 0; k < view.rows; ++k) {
            const int y = k * view.height / view.rows + 2;
            const DeepRowPoints points = row.points(y, view, false);
            std::vector<int> plain;
            for (int x = 0; x < view.width; ++x)
                plain.push_back(plainDeepCount(*row.reference, row.offsets[std::size_t(x)], points.imagOffset,
                                               points.squareBound, view.limit));
            for (const int count : plain)
                pastTheEnd += count > row.reference->end;
            EXPECT_EQ(countsOf(GetParam(), points), plain)
                << view.place.name << " at " << view.halfHeight << ", limit " << view.limit << ", shifted by "
                << view.shiftRe << ", row " << y;
        }
        if (view.shiftRe != 0) {
            EXPECT_GT(pastTheEnd, 0) << view.place.name << ": no pixel outlived the centre's orbit";
        }
    }
    EXPECT_EQ(referenceFor(endsOfTheOrbit[0])->loopLength, 1);
}

TEST_P(DeepKernelTest, AStopBetweenPixelsLeavesTheRestUnwritten)
{
    // A row through the small copy of period 713: pixels inside it finish
    // long after the pixels beside them.
    const DeepView& view = corpus[7];
    const DeepRow row = rowOf(view);
    for (const bool useBla : {false, true}) {
        const DeepRowPoints points = row.points(view.height / 2, view, useBla);
        const std::vector<int> all = countsOf(GetParam(), points);
        for (const int stopAfter : {0, 5, 16, 17, 33, 34}) {
            Recorder recorder;
            std::atomic<bool> stop{false};
            recorder.stop = &stop;
            recorder.stopAfter = stopAfter;
            const DeepRowOutcome outcome = iterateDeepRow(GetParam(), points, recorder.sink(), stop);
            EXPECT_EQ(outcome.written, stopAfter + 1);
            EXPECT_TRUE(outcome.stopped);
            ASSERT_EQ(recorder.pixels.size(), std::size_t(stopAfter + 1));
            for (int x = 0; x <= stopAfter; ++x)
                EXPECT_EQ(recorder.pixels[std::size_t(x)], std::make_pair(x, all[std::size_t(x)]));
        }
    }
}

TEST_P(DeepKernelTest, AStopInsideALongPixelLeavesItUnwritten)
{
    // In the neck of the copy of period 713 every pixel takes more than
    // 2.2e5 steps; a stop raised before the row is seen within the first.
    const DeepView view{neck713, 2e-53, 9, 8, 1, 1000000};
    const DeepRow row = rowOf(view);
    for (const bool useBla : {false, true}) {
        Recorder recorder;
        std::atomic<bool> stop{true};
        const DeepRowOutcome outcome = iterateDeepRow(GetParam(), row.points(3, view, useBla), recorder.sink(), stop);
        EXPECT_EQ(outcome.written, 0) << (useBla ? "with maps" : "");
        EXPECT_TRUE(outcome.stopped);
        EXPECT_TRUE(recorder.pixels.empty());
    }
}

TEST_P(DeepKernelTest, InTheNeckOfASmallCopyMapsTakeAlmostEveryStep)
{
    // Every pixel there passes close to 0 every 713 steps, more than 300
    // times; maps cross each period but for the step from there, from the
    // pixel's start on.
    const DeepView view{neck713, 2e-53, 9, 8, 1, 1000000};
    const DeepRow row = rowOf(view);
    const DeepRowPoints points = row.points(3, view, true);
    Recorder recorder;
    std::atomic<bool> stop{false};
    const DeepRowOutcome outcome = iterateDeepRow(GetParam(), points, recorder.sink(), stop);
    const std::vector<int> counts = recorder.counts();
    EXPECT_EQ(counts, countsOf(KernelPath::sse2, points));
    std::int64_t counted = 0;
    for (const int count : counts)
        counted += count;
    EXPECT_GT(outcome.skippedSteps, 0.99 * double(counted)) << outcome.skippedSteps << " of " << counted;

    const std::vector<int> plain = countsOf(GetParam(), row.points(3, view, false));
    int same = 0;
    for (std::size_t x = 0; x < plain.size(); ++x) {
        same += plain[x] == counts[x];
        EXPECT_EQ(plain[x] > view.limit, counts[x] > view.limit) << "column " << x;
    }
    EXPECT_GE(same, 8);
}

TEST_P(DeepKernelTest, AStopRaisedBeforeTheRowStillWritesAShortFirstPixel)
{
    const DeepView& view = corpus[0];
    const DeepRow row = rowOf(view);
    const DeepRowPoints points = row.points(0, view, true);
    const std::vector<int> all = countsOf(GetParam(), points);
    Recorder recorder;
    std::atomic<bool> stop{true};
    const DeepRowOutcome outcome = iterateDeepRow(GetParam(), points, recorder.sink(), stop);
    EXPECT_EQ(outcome.written, 1);
    EXPECT_TRUE(outcome.stopped);
    ASSERT_EQ(recorder.pixels.size(), 1u);
    EXPECT_EQ(recorder.pixels[0], std::make_pair(0, all[0]));
}

TEST_P(DeepKernelTest, ARowWithoutPixelsWritesNothing)
{
    const DeepRow row = rowOf(corpus[0]);
    Recorder recorder;
    std::atomic<bool> stop{true};
    for (const int width : {0, -3}) {
        DeepRowPoints points = row.points(0, corpus[0], true);
        points.width = width;
        const DeepRowOutcome outcome = iterateDeepRow(GetParam(), points, recorder.sink(), stop);
        EXPECT_EQ(outcome.written, 0);
        EXPECT_FALSE(outcome.stopped);
    }
    EXPECT_TRUE(recorder.pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, DeepKernelTest, testing::Values(KernelPath::sse2, KernelPath::avx2, KernelPath::avx512),
                         [](const testing::TestParamInfo<KernelPath>& path) { return std::string(pathName(path.param)); });

// Maps round differently from the steps they replace. That changes no count
// at the preperiodic points; at the edge of the small copy of period 713,
// where an orbit passes close to 0 again and again for thousands of steps,
// rounding alone decides a few counts (4 of 840 pixels there differ from
// brute force without maps), and maps change 4 of its 840.
TEST(DeepKernel, MapsChangeAlmostNoCount)
{
    int pixels = 0;
    int same = 0;
    std::int64_t skipped = 0;
    for (const DeepView& view : corpus) {
        const DeepRow row = rowOf(view);
        for (int y = 0; y < view.height; y += 2) {
            const std::vector<int> plain = countsOf(KernelPath::sse2, row.points(y, view, false));
            Recorder recorder;
            std::atomic<bool> stop{false};
            skipped += iterateDeepRow(KernelPath::sse2, row.points(y, view, true), recorder.sink(), stop).skippedSteps;
            const std::vector<int> withMaps = recorder.counts();
            for (std::size_t x = 0; x < plain.size(); ++x) {
                ++pixels;
                same += plain[x] == withMaps[x];
                EXPECT_EQ(plain[x] >= view.limit, withMaps[x] >= view.limit) << view.place.name << " row " << y << " column " << x;
            }
        }
    }
    EXPECT_GE(same, 0.998 * pixels) << same << " of " << pixels;
    EXPECT_GT(skipped, 0);
}

// At M4,1 the orbit lands on its fixed point after four steps, and under a
// limit of 1000 the reference repeats that point bit for bit to its end: it
// loops with a period of 1 from index 4 on. Its pixels stay within that
// loop, yet they must still take the long maps that begin further along the
// orbit, as they do once a higher limit lets the reference escape.
TEST(DeepKernel, PixelsInAShortLoopOfTheReferenceTakeLongMaps)
{
    const DeepView view{preperiodic41, 1e-100, 40, 24, 3, 1000};
    const DeepRow row = rowOf(view);
    ASSERT_EQ(row.reference->loopLength, 1);
    std::int64_t counted = 0;
    std::int64_t skipped = 0;
    int pixels = 0;
    int same = 0;
    for (int y = 0; y < view.height; y += 4) {
        const std::vector<int> plain = countsOf(KernelPath::sse2, row.points(y, view, false));
        Recorder recorder;
        std::atomic<bool> stop{false};
        skipped += iterateDeepRow(KernelPath::sse2, row.points(y, view, true), recorder.sink(), stop).skippedSteps;
        const std::vector<int> withMaps = recorder.counts();
        for (std::size_t x = 0; x < plain.size(); ++x) {
            ++pixels;
            counted += withMaps[x];
            same += plain[x] == withMaps[x];
            EXPECT_EQ(plain[x] >= view.limit, withMaps[x] >= view.limit) << "row " << y << " column " << x;
        }
    }
    EXPECT_GE(same, 0.998 * pixels) << same << " of " << pixels;
    // Most steps are taken by maps: the pixels escape after some 800 steps,
    // and about 150 of them are single steps.
    EXPECT_GT(skipped, counted / 2) << skipped << " of " << counted;
}

TEST(DeepKernel, BelowAnEscapeThresholdOf2NoMapIsTaken)
{
    // Maps look at the escape only where they leave a pixel, and the
    // reference's points reach beyond a bound below 2: pixels at M4,1, where
    // |C| is about 0.96, escape a bound of 0.5 or 1 at their first steps.
    const DeepView view{preperiodic41, 1e-100, 40, 24, 3, 5000};
    const DeepRow row = rowOf(view);
    for (const double threshold : {0.5, 1.0, 1.99, 2.0}) {
        for (int y = 0; y < view.height; y += 8) {
            DeepRowPoints points = row.points(y, view, true);
            points.squareBound = escapeSquareBound(threshold);
            Recorder recorder;
            std::atomic<bool> stop{false};
            const DeepRowOutcome outcome = iterateDeepRow(KernelPath::sse2, points, recorder.sink(), stop);
            points.useBla = false;
            EXPECT_EQ(recorder.counts(), countsOf(KernelPath::sse2, points)) << threshold << ", row " << y;
            if (threshold < 2)
                EXPECT_EQ(outcome.skippedSteps, 0) << threshold << ", row " << y;
            else
                EXPECT_GT(outcome.skippedSteps, 0) << threshold << ", row " << y;
        }
    }
}

TEST(DeepKernel, PixelsInsideASmallCopyFinishAtTheLargestLimit)
{
    // They repeat their state within the orbit's loop long before 2^31 steps.
    const DeepView& view = corpus[8];
    const DeepRow row = rowOf(view);
    ASSERT_GT(row.reference->loopLength, 0);
    int inside = 0;
    for (const bool useBla : {false, true}) {
        for (const int count : countsOf(bestKernelPath(), row.points(view.height / 2, view, useBla)))
            inside += count == INT_MAX;
    }
    EXPECT_GT(inside, 0);
}

TEST(DeepKernel, EveryBuildGivesTheSameCounts)
{
    // A fingerprint of every count of two views, with and without maps:
    // the native build and the Windows build must both give it. (A change
    // of the kernel's arithmetic changes it on purpose; then it is set anew.)
    std::uint64_t fingerprint = 0;
    for (const DeepView* view : {&corpus[2], &corpus[7]}) {
        const DeepRow row = rowOf(*view);
        for (int y = 0; y < view->height; y += 3)
            for (const bool useBla : {false, true})
                for (const int count : countsOf(KernelPath::sse2, row.points(y, *view, useBla)))
                    fingerprint = fingerprint * 1000003u + std::uint64_t(count);
    }
    EXPECT_EQ(fingerprint, 17864253006663248256u);
}
