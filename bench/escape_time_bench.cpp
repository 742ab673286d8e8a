// How fast the escape-time iteration covers the start-up view (600 x 400
// pixels around -0.5 + 0i, half-height 1.3, threshold 15) at several limits,
// in pixels and in iteration steps per second.
#include "engine/escape_time.h"
#include "engine/plane_mapping.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int width = 600;
constexpr int height = 400;

void startUpView(benchmark::State& state)
{
    const int limit = static_cast<int>(state.range(0));
    const PlaneEdges edges = planeEdges(-0.5, 0.0, 1.3, width, height);
    std::int64_t steps = 0;
    for (auto _ : state) {
        for (int y = 0; y < height; ++y) {
            const double cIm = rowToImag(edges, y, height);
            for (int x = 0; x < width; ++x) {
                const int n = escapeSteps(columnToReal(edges, x, width), cIm, limit, 15.0);
                benchmark::DoNotOptimize(n);
                steps += n;
            }
        }
    }
    const double pictures = static_cast<double>(state.iterations());
    state.counters["pixels/s"] = benchmark::Counter(pictures * width * height, benchmark::Counter::kIsRate);
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
    state.counters["steps/pixel"] = static_cast<double>(steps) / (pictures * width * height);
}

} // namespace

BENCHMARK(startUpView)->Arg(32)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
