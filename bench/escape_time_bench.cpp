// How fast the escape-time iteration covers the start-up view (1000 x 800
// pixels around -0.5 + 0i, half-height 1.3, threshold 15) at several limits,
// in pixels and in iteration steps per second.
#include "engine/escape_time.h"
#include "engine/plane_mapping.h"

#include <benchmark/benchmark.h>

#include <cstdint>

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

} // namespace

BENCHMARK(plainLoop)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
