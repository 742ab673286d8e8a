// How fast deep views are computed, one thread on the machine's best path:
//
//   deepPicture/<depth>/<maps>  a 1000 x 800 view at the preperiodic point
//                               M4,1, limit 5000, with and without bilinear
//                               maps; steps/s counts the steps the lanes and
//                               the single steps iterated, skipped/s the
//                               steps that maps took instead
//   deepPlace/<place>/<maps>    other places, at 1e-100: M4,1 under limits
//                               1000 and 2000 (its reference loops on the
//                               fixed point) and the seahorse point under
//                               5000
//   reference/<depth>           the reference orbit with its table alone,
//                               and table/<depth> the table alone, with
//                               its bytes a step
//   referenceLongLimit/<depth>  the reference orbit for a limit of 1e6 at
//                               the cusp 0.25, whose orbit does not end
//   shallowKernel/<path>        the render kernel on a shallow view in
//                               which every pixel escapes, so that its
//                               counts are the steps it iterated, on each
//                               path, and deepPictureOnPath/<path> the
//                               deep kernel at 1e-100 without maps
//   deepHighLimit/<maps>        a band of 16 rows of a 1000 x 800 view in the
//                               neck of a small copy of period 713, where
//                               every pixel takes more than 2.2e5 steps
//                               (the whole picture without maps would take
//                               minutes); deepHighLimitPicture the whole
//                               picture with maps; deepHighLimitReference
//                               its reference orbit with the table, and
//                               deepHighLimitTable the table alone.
//
// The neck lies at nucleus + s (-0.75 + 0.01i), with the nucleus of period
// 713 beside the preperiodic point in the seahorse valley and s the copy's
// complex size (tests/support/deep_places.h says how they were found):
//   centre  -0.7432918908524302029316227752156754919576501265061011... +
//            0.1312405523087976047708465610184232544078199142148823... i
//   half-height 2e-53, limit 1e6.
// Run it as build/native/bin/deep_zoom_bench; lscpu names the processor.
#include "engine/bla_table.h"
#include "engine/deep_kernel.h"
#include "engine/deep_view.h"
#include "engine/plane_mapping.h"
#include "engine/reference_orbit.h"
#include "engine/render_kernel.h"
#include "tests/support/deep_places.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace {

constexpr int width = 1000;
constexpr int height = 800;
const double depths[] = {1e-30, 1e-100, 1e-290};

ReferenceRequest requestAt(const DeepPlace& place, double halfHeight, int limit)
{
    return ReferenceRequest{PreciseReal(place.centerReal), PreciseReal(place.centerImag), halfHeight, width, height, limit};
}

std::shared_ptr<const ReferenceOrbit> referenceFor(const ReferenceRequest& request)
{
    const std::atomic<bool> stop{false};
    return computeReferenceOrbit(request, stop);
}

struct RowCounts {
    std::vector<int> steps = std::vector<int>(width);
    static void put(void* context, int column, int count)
    {
        static_cast<RowCounts*>(context)->steps[std::size_t(column)] = count;
    }
};

// Rows first to last of the view, on the given path; adds the counts of the
// pixels and the steps maps took.
void computeRows(KernelPath path, const ReferenceOrbit& reference, double halfHeight, int limit, bool useBla, int first,
                 int last, std::int64_t& counted, std::int64_t& skipped)
{
    std::vector<double> offsets(width);
    for (int x = 0; x < width; ++x)
        offsets[std::size_t(x)] = deepColumnOffset(x, width, halfHeight, height);
    const std::atomic<bool> stop{false};
    RowCounts row;
    for (int y = first; y < last; ++y) {
        const DeepRowPoints points{&reference, offsets.data(), width, deepRowOffset(y, halfHeight, height), limit,
                                   escapeSquareBound(2.0), useBla};
        skipped += iterateDeepRow(path, points, StepSink{RowCounts::put, &row}, stop).skippedSteps;
        for (const int n : row.steps)
            counted += n;
    }
}

void reportSteps(benchmark::State& state, std::int64_t counted, std::int64_t skipped, double pixels)
{
    state.counters["steps/s"] = benchmark::Counter(double(counted - skipped), benchmark::Counter::kIsRate);
    state.counters["skipped/s"] = benchmark::Counter(double(skipped), benchmark::Counter::kIsRate);
    state.counters["iterated/pixel"] = double(counted - skipped) / pixels;
    state.counters["steps/pixel"] = double(counted) / pixels;
}

void deepPicture(benchmark::State& state)
{
    const double halfHeight = depths[state.range(0)];
    const bool useBla = state.range(1) != 0;
    const auto reference = referenceFor(requestAt(preperiodic41, halfHeight, 5000));
    std::int64_t counted = 0, skipped = 0;
    for (auto _ : state)
        computeRows(bestKernelPath(), *reference, halfHeight, 5000, useBla, 0, height, counted, skipped);
    reportSteps(state, counted, skipped, double(state.iterations()) * width * height);
}

void reference(benchmark::State& state)
{
    const ReferenceRequest request = requestAt(preperiodic41, depths[state.range(0)], 5000);
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceFor(request));
}

// The table of the orbit alone, and its bytes a step.
void tableOf(benchmark::State& state, const ReferenceOrbit& orbit)
{
    const std::atomic<bool> stop{false};
    for (auto _ : state)
        benchmark::DoNotOptimize(BlaTable::build(orbit.re.data(), orbit.im.data(), orbit.end, orbit.offsetRadius, stop));
    state.counters["bytes/step"] = double(orbit.bla.bytes()) / double(orbit.end);
}

void table(benchmark::State& state)
{
    tableOf(state, *referenceFor(requestAt(preperiodic41, depths[state.range(0)], 5000)));
}

// The places of deepPlace: M4,1 under limits 1000 and 2000, the seahorse
// point under 5000, all at 1e-100.
struct PlaceCase {
    const DeepPlace* place;
    int limit;
};
const PlaceCase placeCases[] = {{&preperiodic41, 1000}, {&preperiodic41, 2000}, {&seahorse, 5000}};

void deepPlace(benchmark::State& state)
{
    const PlaceCase& place = placeCases[state.range(0)];
    const bool useBla = state.range(1) != 0;
    const auto reference = referenceFor(requestAt(*place.place, depths[1], place.limit));
    std::int64_t counted = 0, skipped = 0;
    for (auto _ : state)
        computeRows(bestKernelPath(), *reference, depths[1], place.limit, useBla, 0, height, counted, skipped);
    reportSteps(state, counted, skipped, double(state.iterations()) * width * height);
}

// The reference orbit for a limit of 1e6 at each depth, at the cusp 0.25,
// whose orbit creeps towards 1/2 and neither escapes nor settles.
void referenceLongLimit(benchmark::State& state)
{
    const ReferenceRequest request = requestAt(DeepPlace{"cusp", "0.25", "0"}, depths[state.range(0)], 1000000);
    std::int64_t steps = 0;
    for (auto _ : state)
        steps += referenceFor(request)->end;
    state.counters["orbit steps"] = double(steps) / double(state.iterations());
}

// The path of a benchmark's argument; a path the machine cannot run skips it.
bool pathOf(benchmark::State& state, KernelPath& path)
{
    path = static_cast<KernelPath>(state.range(0));
    if (!kernelPathSupported(path))
        state.SkipWithError("this machine cannot run the path");
    return kernelPathSupported(path);
}

// deepPicture at 1e-100 without maps on each path (0 SSE2, 1 AVX2, 2 AVX-512F).
void deepPictureOnPath(benchmark::State& state)
{
    KernelPath path;
    if (!pathOf(state, path))
        return;
    const auto reference = referenceFor(requestAt(preperiodic41, depths[1], 5000));
    std::int64_t counted = 0, skipped = 0;
    for (auto _ : state)
        computeRows(path, *reference, depths[1], 5000, false, 0, height, counted, skipped);
    reportSteps(state, counted, skipped, double(state.iterations()) * width * height);
}

void shallowKernel(benchmark::State& state)
{
    KernelPath path;
    if (!pathOf(state, path))
        return;
    // Beside the seahorse valley, outside the set: every pixel escapes.
    const PlaneEdges edges = planeEdges(-0.7453, 0.1127, 3e-5, width, height);
    const int limit = 5000;
    std::vector<double> realParts(width);
    for (int x = 0; x < width; ++x)
        realParts[std::size_t(x)] = columnToReal(edges, x, width);
    const std::atomic<bool> stop{false};
    RowCounts row;
    std::int64_t steps = 0, black = 0;
    for (auto _ : state) {
        for (int y = 0; y < height; ++y) {
            const RowPoints points{realParts.data(), width, rowToImag(edges, y, height), limit, escapeSquareBound(2.0)};
            iterateRow(path, points, StepSink{RowCounts::put, &row}, stop);
            for (const int n : row.steps) {
                steps += n;
                black += n >= limit;
            }
        }
    }
    state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsRate);
    state.counters["steps/pixel"] = double(steps) / (double(state.iterations()) * width * height);
    state.counters["pixels at the limit"] = double(black);
}

const ReferenceRequest highLimit = requestAt(neck713, 2e-53, 1000000);

void deepHighLimit(benchmark::State& state, bool useBla)
{
    const auto reference = referenceFor(highLimit);
    std::int64_t counted = 0, skipped = 0;
    for (auto _ : state)
        computeRows(bestKernelPath(), *reference, highLimit.halfHeight, highLimit.maxIterations, useBla, 392, 408, counted, skipped);
    reportSteps(state, counted, skipped, double(state.iterations()) * width * 16);
}

void deepHighLimitPicture(benchmark::State& state)
{
    std::int64_t counted = 0, skipped = 0;
    for (auto _ : state) {
        const auto reference = referenceFor(highLimit);
        computeRows(bestKernelPath(), *reference, highLimit.halfHeight, highLimit.maxIterations, true, 0, height, counted, skipped);
    }
    reportSteps(state, counted, skipped, double(state.iterations()) * width * height);
}

void deepHighLimitReference(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceFor(highLimit));
}

void deepHighLimitTable(benchmark::State& state)
{
    tableOf(state, *referenceFor(highLimit));
}

} // namespace

BENCHMARK(shallowKernel)->DenseRange(0, 2)->ArgName("path")->Unit(benchmark::kMillisecond);
BENCHMARK(deepPictureOnPath)->DenseRange(0, 2)->ArgName("path")->Unit(benchmark::kMillisecond);
BENCHMARK(deepPicture)->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"depth", "maps"})->Unit(benchmark::kMillisecond);
BENCHMARK(deepPlace)->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"place", "maps"})->Unit(benchmark::kMillisecond);
BENCHMARK(reference)->DenseRange(0, 2)->ArgName("depth")->Unit(benchmark::kMillisecond);
BENCHMARK(table)->DenseRange(0, 2)->ArgName("depth")->Unit(benchmark::kMillisecond);
BENCHMARK(referenceLongLimit)->DenseRange(0, 2)->ArgName("depth")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(deepHighLimitReference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(deepHighLimitTable)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deepHighLimit, perturbation, false)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(deepHighLimit, bla, true)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(deepHighLimitPicture)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
