#include "engine/deep_pixel_steps.h"

#include <algorithm>
#include <cmath>

namespace {

// A run hands the pixel back after this many single steps in a row without
// a map: enough for the step that ends a segment and the step from index 0
// after a rebase there, or for a step to where a run of the tree begins. A
// pixel whose difference has outgrown the radii for good is faster in the
// lanes.
constexpr int climbSteps = 2;
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
    } else {
        // A map may have gone past the loop's end; Z repeats up to the end.
        pixel.m = loopIndex(reference, pixel.m);
    }
    return false;
}

// The map a pixel takes next: its level and the index where its run starts.
struct MapChoice {
    int level;
    std::int64_t start;
};

// The loop of a reference as chooseMap needs it: its period, the power of
// two in it and the inverse of its odd part modulo 2^64.
struct LoopSteps {
    std::int64_t period;
    int twos;
    std::uint64_t oddInverse;
};

LoopSteps loopStepsOf(const ReferenceOrbit& reference)
{
    const std::uint64_t period = std::uint64_t(reference.loopLength);
    if (period == 0)
        return {0, 0, 0};
    const int twos = __builtin_ctzll(period);
    const std::uint64_t odd = period >> twos;
    // Newton's iteration doubles the bits that are right at each round.
    std::uint64_t inverse = odd;
    for (int i = 0; i < 6; ++i)
        inverse *= 2 - odd * inverse;
    return {std::int64_t(period), twos, inverse};
}

// The first index from m on, in steps of the loop's period, where a run of
// level j begins (an index k with k - 1 a multiple of 2^j); 0 when none does.
// It solves period q = 1 - m modulo 2^j, which has a solution exactly when
// the power of two that the period and 2^j share divides 1 - m; q is then
// fixed modulo 2^j divided by that power.
std::int64_t alignedInLoop(std::int64_t m, const LoopSteps& loop, int level)
{
    using U = std::uint64_t;
    const int shared = std::min(loop.twos, level);
    const U need = (U{1} - U(m)) & ((U{1} << level) - 1);
    if (need & ((U{1} << shared) - 1))
        return 0;
    const U q = ((need >> shared) * loop.oddInverse) & ((U{1} << (level - shared)) - 1);
    return m + loop.period * std::int64_t(q);
}

// The longest valid map for a pixel at index m whose difference has this
// size: the level of the map (0 when none is valid) and the index where its
// run starts. The tree's runs begin at index 1, so a map of level j starts
// where m - 1 is a multiple of 2^j. On a reference that loops, the points
// from the loop's start to the end of the orbit repeat with the loop's
// period, so a pixel at m in the loop may as well stand at any later index
// of the same place in the loop: there a longer run may begin. (A pixel is
// kept within one loop, so that its state repeats when it cycles; without
// this, one in a short loop would only ever meet maps of a few steps.) In the
// loop no level above `highest` is tried: the caller climbs a level a map,
// as a pixel outside it climbs through the indices.
MapChoice chooseMap(const ReferenceOrbit& reference, const LoopSteps& loop, std::int64_t m, double size, int highest)
{
    const BlaTable& table = reference.bla;
    const int top = table.topLevel();
    if (m <= 0)
        return {0, m};
    const bool inLoop = loop.period > 0 && m >= reference.loopEnd - loop.period;
    const std::int64_t from = m - 1;
    int level = from == 0 ? top
                : inLoop  ? std::min(highest, top)
                          : std::min(__builtin_ctzll(static_cast<unsigned long long>(from)), top);
    for (; level >= 1; --level) {
        const std::int64_t start = inLoop ? alignedInLoop(m, loop, level) : m;
        if (start <= 0 || start >= reference.end)
            continue;
        const std::int64_t number = (start - 1) >> level;
        if (number < table.mapCount(level) && size < table.map(level, number).radius)
            return {level, start};
    }
    return {0, m};
}
// The segment that begins at or after a pixel's index, followed as the
// pixel moves on; it seeks anew when the pixel goes back (a rebase or the
// end of a loop).
class SegmentCursor {
public:
    explicit SegmentCursor(const BlaTable& table) : segments_(table.segments()) {}

    // The segment that begins at m, or nullptr.
    const BlaSegment* startingAt(std::int64_t m)
    {
        if (m < seen_) {
            next_ = std::size_t(std::lower_bound(segments_.begin(), segments_.end(), m,
                                                 [](const BlaSegment& segment, std::int64_t index) {
                                                     return segment.start < index;
                                                 }) -
                                segments_.begin());
        } else {
            while (next_ < segments_.size() && segments_[next_].start < m)
                ++next_;
        }
        seen_ = m;
        return next_ < segments_.size() && segments_[next_].start == m ? &segments_[next_] : nullptr;
    }

private:
    const std::vector<BlaSegment>& segments_;
    std::size_t next_ = 0;
    std::int64_t seen_ = INT64_MAX; // seeks at the first look
};

} // namespace

std::int64_t loopIndex(const ReferenceOrbit& reference, std::int64_t m)
{
    const std::int64_t loop = reference.loopLength;
    if (loop == 0 || m < reference.loopEnd)
        return m;
    const std::int64_t loopStart = reference.loopEnd - loop;
    return loopStart + (m - loopStart) % loop;
}

bool mapsWorthwhile(const DeepRowPoints& row)
{
    return row.useBla && row.squareBound > 4.0 && row.reference->bla.openingSteps() >= worthwhileOpening;
}

bool readyForMaps(const ReferenceOrbit& reference, const DeepPixel& pixel)
{
    const std::size_t m = std::size_t(pixel.m);
    return std::fabs(pixel.dr) + std::fabs(pixel.di) < blaStepRadius(reference.re[m], reference.im[m]);
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
    const LoopSteps loop = loopStepsOf(reference);
    SegmentCursor segments(table);
    int highest = table.topLevel();
    int climb = climbSteps;
    int maps = runMaps;
    std::int64_t nextStopLook = pixel.steps + stopInterval;
    while (pixel.steps < lastStep) {
        if (maps == 0)
            return MapRunEnd::goOn;
        const std::size_t m = std::size_t(pixel.m);
        const double zr = reference.re[m];
        const double zi = reference.im[m];
        const double size = std::fabs(pixel.dr) + std::fabs(pixel.di);
        const BlaMap* map = nullptr;
        std::int64_t start = pixel.m;
        std::int64_t landing = 0;
        // No map's radius exceeds that of its first step.
        const bool ready = size < blaStepRadius(zr, zi);
        const BlaSegment* segment = ready ? segments.startingAt(pixel.m) : nullptr;
        const BlaPrefix* prefix = segment ? table.longestPrefix(*segment, size) : nullptr;
        if (prefix) {
            map = &prefix->map;
            landing = prefix->landing;
            highest = table.topLevel();
        } else if (!ready) {
            highest = 1;
        } else {
            const MapChoice choice = chooseMap(reference, loop, pixel.m, size, highest);
            highest = choice.level + 1;
            if (choice.level >= 1) {
                map = &table.map(choice.level, (choice.start - 1) >> choice.level);
                start = choice.start;
                landing = std::min(start + (std::int64_t{1} << choice.level), reference.end);
            }
        }
        if (map) {
            const double nr = (map->ar * pixel.dr - map->ai * pixel.di) + (map->br * cr - map->bi * ci);
            const double ni = (map->ar * pixel.di + map->ai * pixel.dr) + (map->br * ci + map->bi * cr);
            const std::int64_t length = landing - start;
            skipped += std::min(length, lastStep - pixel.steps);
            pixel.dr = nr;
            pixel.di = ni;
            pixel.m = landing;
            pixel.steps += length;
            climb = climbSteps;
            --maps;
        } else {
            if (climb == 0)
                return MapRunEnd::goOn;
            // The lanes' step, in their order of operations.
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
