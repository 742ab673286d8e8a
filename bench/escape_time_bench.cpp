// How fast the escape-time iteration covers the start-up view (1000 x 800
// pixels around -0.5 + 0i, half-height 1.3, threshold 15) at several limits,
// in pixels and in iteration steps per second: the plain loop of escapeSteps,
// the render kernel on the machine's best path and on each path forced, and
// the whole picture on one render thread and on one per logical processor.
#include "engine/escape_time.h"
#include "engine/picture_end.h"
#include "engine/picture_render.h"
#include "engine/plane_mapping.h"
#include "engine/render_kernel.h"
#include "engine/render_pool.h"
#include "engine/shallow_rows.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int width = 1000;
constexpr int height = 800;
constexpr double threshold = 15.0;

const PlaneEdges startUpEdges = planeEdges(-0.5, 0.0, 1.3, width, height);

void reportRates(benchmark::State& state, std::int64_t steps)
{
    const double pixels = static_cast<double>(state.iterations()) * width * height;
    state.counters["pixels/s"] = benchmark::Counter(pixels, benchmark::Counter::kIsRate);
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
    state.counters["steps/pixel"] = static_cast<double>(steps) / pixels;
}

// The reference: escapeSteps for one pixel after the other.
void plainLoop(benchmark::State& state)
{
    const int limit = static_cast<int>(state.range(0));
    std::int64_t steps = 0;
    for (auto _ : state) {
        for (int y = 0; y < height; ++y) {
            const double cIm = rowToImag(startUpEdges, y, height);
            for (int x = 0; x < width; ++x) {
                const int n = escapeSteps(columnToReal(startUpEdges, x, width), cIm, limit, threshold);
                benchmark::DoNotOptimize(n);
                steps += n;
            }
        }
    }
    reportRates(state, steps);
}

// The counts of one row land in an array, as the worker's colours do.
struct RowCounts {
    std::vector<int> steps = std::vector<int>(width);
    static void put(void* context, int column, int count)
    {
        static_cast<RowCounts*>(context)->steps[std::size_t(column)] = count;
    }
};

// The render kernel on the given path, over the same picture, with the
// columns' real parts and the bound worked out once per picture as the
// worker does. A path the machine cannot run is reported as skipped.
void renderKernelOn(benchmark::State& state, KernelPath path, const char* unsupported)
{
    if (!kernelPathSupported(path)) {
        state.SkipWithError(unsupported);
        return;
    }
    const int limit = static_cast<int>(state.range(0));
    const std::atomic<bool> stop{false};
    RowCounts row;
    std::int64_t steps = 0;
    for (auto _ : state) {
        std::vector<double> realParts(width);
        for (int x = 0; x < width; ++x)
            realParts[std::size_t(x)] = columnToReal(startUpEdges, x, width);
        const double bound = escapeSquareBound(threshold);
        for (int y = 0; y < height; ++y) {
            const RowPoints points{realParts.data(), width, rowToImag(startUpEdges, y, height), limit, bound};
            iterateRow(path, points, StepSink{RowCounts::put, &row}, stop);
            for (const int n : row.steps)
                steps += n;
        }
    }
    reportRates(state, steps);
}

void renderKernel(benchmark::State& state)
{
    renderKernelOn(state, bestKernelPath(), "");
}
void renderKernelSse2(benchmark::State& state)
{
    renderKernelOn(state, KernelPath::sse2, "");
}
void renderKernelAvx2(benchmark::State& state)
{
    renderKernelOn(state, KernelPath::avx2, "skipped: this machine cannot run AVX2");
}
void renderKernelAvx512(benchmark::State& state)
{
    renderKernelOn(state, KernelPath::avx512, "skipped: this machine cannot run AVX-512F");
}

// The whole picture as the explorer renders it, colours included, on the
// render threads: one, or one per logical processor. Timed on the clock on
// the wall, since the work is spread over threads.
void renderPicture(benchmark::State& state, int threads)
{
    static RenderPool* pool = new RenderPool;
    pool->grow(threads);
    const int limit = static_cast<int>(state.range(0));
    const std::atomic<bool> stop{false};
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    for (auto _ : state) {
        PictureJob job;
        job.pixels = pixels.data();
        job.width = width;
        job.height = height;
        job.maxIterations = limit;
        job.computeRow = shallowRows(-0.5, 0.0, 1.3, width, height, limit, threshold, bestKernelPath());
        PictureEnd end;
        auto picture = std::make_shared<PictureRender>(std::move(job), threads, stop, end,
                                                       [] { return ReportClock::now(); });
        pool->run(threads, [picture](int) { picture->runThread(); });
        end.wait();
    }
    state.counters["threads"] = threads;
}

void renderPicture1(benchmark::State& state)
{
    renderPicture(state, 1);
}
void renderPictureAll(benchmark::State& state)
{
    renderPicture(state, std::max(1, int(std::thread::hardware_concurrency())));
}

} // namespace

BENCHMARK(plainLoop)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(renderKernel)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(renderKernelSse2)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(renderKernelAvx2)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(renderKernelAvx512)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(renderPicture1)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(renderPictureAll)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
