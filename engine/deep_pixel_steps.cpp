#include "engine/deep_pixel_steps.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int climbSteps = 8;
// A run hands the pixel back after this many maps, so that the lanes compare
// its state now and then: a pixel caught in a cycle is found there.
constexpr int runMaps = 256;
constexpr std::int64_t stopInterval = std::int64_t{1} << 16;

// The fewest steps at the start of the orbit that maps must skip to be used.
constexpr std::int64_t worthwhileOpening = 256;

// After a step or a map brought the pixel to index m: whether z = Z_m + d
// escaped; if not, rebases it when it is closer to 0 than d is large or
// when the reference ends, or at the end of a looping reference goes back
// by its loop.
bool land(const ReferenceOrbit& reference, DeepPixel& pixel, double squareBound)
{
    const std::size_t m = std::size_t(pixel.m);
    const double wr = reference.re[m] + pixel.dr;
    const double wi = reference.im[m] + pixel.di;
    if (wr * wr + wi * wi >= squareBound)
        return true;
    const std::int64_t loop = reference.loopLength;
    if ((loop == 0 && pixel.m == reference.end) ||
        std::fabs(wr) + std::fabs(wi) < std::fabs(pixel.dr) + std::fabs(pixel.di)) {
        pixel.dr = wr;
        pixel.di = wi;
        pixel.m = 0;
    } else if (loop > 0 && pixel.m >= reference.loopEnd) {
        // A map may have gone past the loop's end; Z repeats up to the end.
        const std::int64_t loopStart = reference.loopEnd - loop;
        pixel.m = loopStart + (pixel.m - loopStart) % loop;
    }
    return false;
}

} // namespace

bool mapsWorthwhile(const DeepRowPoints& row)
{
    return row.useBla && row.reference->bla.openingSteps() >= worthwhileOpening;
}

DeepPixel startDeepPixel(const ReferenceOrbit& reference, double cr, double ci)
{
    DeepPixel pixel{cr, ci, 1, 0};
    const double wr = reference.re[1] + cr;
    const double wi = reference.im[1] + ci;
    if (reference.end == 1 || std::fabs(wr) + std::fabs(wi) < std::fabs(cr) + std::fabs(ci)) {
        pixel.dr = wr;
        pixel.di = wi;
        pixel.m = 0;
    }
    return pixel;
}

MapRunEnd followBlaMaps(const ReferenceOrbit& reference, DeepPixel& pixel, double cr, double ci, double squareBound,
                        std::int64_t lastStep, std::int64_t& skipped, const std::atomic<bool>& stop)
{
    const BlaTable& table = reference.bla;
    const int top = table.topLevel();
    int climb = climbSteps;
    int maps = runMaps;
    std::int64_t nextStopLook = pixel.steps + stopInterval;
    while (pixel.steps < lastStep) {
        if (maps == 0)
            return MapRunEnd::goOn;
        const std::size_t m = std::size_t(pixel.m);
        const double size = std::fabs(pixel.dr) + std::fabs(pixel.di);
        // The maps that start at index m: those of the levels whose runs
        // begin there (the tree's runs begin at index 1).
        int level = 0;
        if (pixel.m > 0) {
            const std::int64_t from = pixel.m - 1;
            level = from == 0 ? top : std::min(__builtin_ctzll(static_cast<unsigned long long>(from)), top);
            while (level >= 1 && !(size < table.map(level, from >> level).radius))
                --level;
        }
        if (level >= 1) {
            const BlaMap& map = table.map(level, (pixel.m - 1) >> level);
            const double nr = (map.ar * pixel.dr - map.ai * pixel.di) + (map.br * cr - map.bi * ci);
            const double ni = (map.ar * pixel.di + map.ai * pixel.dr) + (map.br * ci + map.bi * cr);
            const std::int64_t length = std::min(std::int64_t{1} << level, reference.end - pixel.m);
            skipped += std::min(length, lastStep - pixel.steps);
            pixel.dr = nr;
            pixel.di = ni;
            pixel.m += length;
            pixel.steps += length;
            climb = climbSteps;
            --maps;
        } else {
            if (climb == 0)
                return MapRunEnd::goOn;
            // The lanes' step, in their order of operations.
            const double zr = reference.re[m];
            const double zi = reference.im[m];
            const double ar = (zr + zr) + pixel.dr;
            const double ai = (zi + zi) + pixel.di;
            const double nr = (ar * pixel.dr - ai * pixel.di) + cr;
            const double ni = (ar * pixel.di + ai * pixel.dr) + ci;
            pixel.dr = nr;
            pixel.di = ni;
            ++pixel.m;
            ++pixel.steps;
            --climb;
        }
        if (pixel.steps >= nextStopLook) {
            if (stop.load())
                return MapRunEnd::stopped;
            nextStopLook = pixel.steps + stopInterval;
        }
        if (land(reference, pixel, squareBound))
            return MapRunEnd::escaped;
    }
    return MapRunEnd::reached;
}
