// The render kernel's loop over one row, written once for every instruction
// set. A lane type V supplies the vector type and its operations:
//
//   width, groups, blockSteps  lanes per vector, vectors in flight, steps
//                              between two looks at the lanes
//   Real, Count, Alive         doubles, 64-bit step counts, a lane mask
//   load, store, broadcast, add, sub, mul,
//   loadCount, storeCount, allAlive
//   countStep(steps, alive, s, bound)  counts one step for the lanes still
//                              alive, then drops those whose s reached bound
//   escapedBits(alive)         a bit for each lane that is no longer alive
//   reachedBits(steps, last)   a bit for each lane whose count is last or more
//   repeatedBits(x, y, savedX, savedY)  a bit for each lane whose (x, y)
//                              equals the saved state bit for bit
//
// The files of the wider paths include this header inside a
// `#pragma GCC target` region, after everything it includes (the standard
// headers of engine/kernel_lanes_std.h among them), so that the loop is
// compiled for that instruction set alone. Everything here is a template of
// V, so no path shares compiled code with another.
#pragma once

#include "engine/kernel_lanes_std.h"
#include "engine/render_kernel.h"

namespace kernel_lanes {

constexpr std::int64_t never = INT64_MAX;

// A lane saves its state for the first time after about this many steps;
// each later save comes after twice the interval of the one before. Most
// pixels end before the first save, which spares them its cost.
constexpr std::int64_t firstSaveSteps = 64;

// Within a pixel that takes long, the stop flag is read again after about
// this many steps, so that a stop takes effect at once even at the highest
// limits.
constexpr std::int64_t stopLookSteps = std::int64_t{1} << 16;

// The state of every lane while the registers hold it elsewhere. Unaligned
// loads and stores read it, so its place on the stack does not matter.
template <class V>
struct LaneTable {
    static constexpr int size = V::width * V::groups;
    double x[size];
    double y[size];
    double x2[size];
    double y2[size];
    double re[size];
    double savedX[size];
    double savedY[size];
    std::int64_t steps[size];
    int pixel[size];
    std::int64_t nextSave[size];
    std::int64_t saveInterval[size];
};

// The lanes that need the row's attention after a run of blocks.
struct LaneEvents {
    std::uint32_t escaped;  // their pixel has escaped
    std::uint32_t finished; // their pixel has escaped, reached the limit or repeated its saved state
};

// Runs blocks of V::blockSteps steps on every lane, with the state held in
// registers, until an active lane has finished, or until block reaches
// `until`: the next save of a lane's state or the next look at the stop flag.
//
// Each lane counts its steps while its pixel has not escaped. A lane may run
// on a few steps past its escape or its limit, up to the end of the block:
// the count stops at the escape and the result is capped at the limit's
// count, so those steps change nothing.
template <class V>
LaneEvents runBlocks(LaneTable<V>& lanes, double imagPart, double squareBound, std::int64_t lastStep,
                     std::uint32_t active, std::int64_t& block, std::int64_t until)
{
    using Real = typename V::Real;
    constexpr int lanesPerVector = V::width;
    constexpr int groups = V::groups;

    const Real im = V::broadcast(imagPart);
    const Real bound = V::broadcast(squareBound);
    const typename V::Count last = V::broadcastCount(lastStep);
    Real x[groups], y[groups], x2[groups], y2[groups], re[groups];
    typename V::Count steps[groups];
    typename V::Alive alive[groups];
#pragma GCC unroll 8
    for (int g = 0; g < groups; ++g) {
        const int first = g * lanesPerVector;
        x[g] = V::load(lanes.x + first);
        y[g] = V::load(lanes.y + first);
        x2[g] = V::load(lanes.x2 + first);
        y2[g] = V::load(lanes.y2 + first);
        re[g] = V::load(lanes.re + first);
        steps[g] = V::loadCount(lanes.steps + first);
        alive[g] = V::allAlive();
    }

    LaneEvents events = {0, 0};
    do {
        // The step of escapeSteps, in its order of operations; 2 * x is
        // x + x exactly.
#pragma GCC unroll 8
        for (int k = 0; k < V::blockSteps; ++k) {
#pragma GCC unroll 8
            for (int g = 0; g < groups; ++g) {
                const Real newX = V::add(V::sub(x2[g], y2[g]), re[g]);
                const Real newY = V::add(V::mul(V::add(x[g], x[g]), y[g]), im);
                x[g] = newX;
                y[g] = newY;
                x2[g] = V::mul(newX, newX);
                y2[g] = V::mul(newY, newY);
                V::countStep(steps[g], alive[g], V::add(x2[g], y2[g]), bound);
            }
        }
        ++block;
#pragma GCC unroll 8
        for (int g = 0; g < groups; ++g) {
            const int first = g * lanesPerVector;
            const std::uint32_t escaped = V::escapedBits(alive[g]);
            events.escaped |= escaped << first;
            events.finished |= (escaped | V::reachedBits(steps[g], last) |
                                V::repeatedBits(x[g], y[g], lanes.savedX + first, lanes.savedY + first))
                               << first;
        }
        events.escaped &= active;
        events.finished &= active;
    } while (!events.finished && block < until);

#pragma GCC unroll 8
    for (int g = 0; g < groups; ++g) {
        const int first = g * lanesPerVector;
        V::store(lanes.x + first, x[g]);
        V::store(lanes.y + first, y[g]);
        V::store(lanes.x2 + first, x2[g]);
        V::store(lanes.y2 + first, y2[g]);
        V::storeCount(lanes.steps + first, steps[g]);
    }
    return events;
}

// Iterates the row on V::width * V::groups lanes, each with one pixel.
//
// Between runs of blocks the kernel finishes the lanes whose pixel has
// escaped, reached its limit or repeated a saved state. A state (x, y) that
// recurs bit for bit recurs for ever, since each step depends on it alone,
// and none of the states between escaped: such a point never escapes. The
// saved state is renewed at doubling intervals (Brent's method), which finds
// every cycle, whatever its length and wherever it starts. A finished lane
// takes the next pixel of the row at once.
template <class V>
RowOutcome iterateRowWith(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    constexpr int laneCount = LaneTable<V>::size;
    static_assert(laneCount <= 32, "one bit per lane in a 32-bit mask");

    const int width = row.width;
    if (width <= 0)
        return RowOutcome{0, false};

    // escapeSteps ends in step L + 1 at the latest (in step 1 for a limit
    // below 1) and gives INT_MAX for a count that does not fit.
    const std::int64_t lastStep = std::int64_t{std::max(row.maxIterations, 0)} + 1;
    constexpr std::int64_t firstSaveBlocks = std::max<std::int64_t>(firstSaveSteps / V::blockSteps, 1);
    constexpr std::int64_t stopLookBlocks = stopLookSteps / V::blockSteps;
    const auto finalCount = [lastStep](std::int64_t steps) {
        return static_cast<int>(std::min<std::int64_t>(std::min(steps, lastStep), INT_MAX));
    };

    LaneTable<V> lanes;
    std::vector<int> counts(std::size_t(width), 0);
    std::uint32_t active = 0;
    int nextPixel = 0;
    int written = 0;
    std::int64_t block = 0;
    std::int64_t nextSave = never;
    std::int64_t nextStopLook = stopLookBlocks;

    // Gives the lane the next pixel of the row, or leaves it idle at 0.
    const auto fill = [&](int lane) {
        const std::uint32_t bit = std::uint32_t{1} << lane;
        if (nextPixel == width) {
            active &= ~bit;
            lanes.x[lane] = lanes.y[lane] = lanes.x2[lane] = lanes.y2[lane] = lanes.re[lane] = 0.0;
            lanes.steps[lane] = 0;
            return;
        }
        const int pixel = nextPixel++;
        const double re = row.realParts[pixel];
        const double im = row.imagPart;
        active |= bit;
        lanes.pixel[lane] = pixel;
        lanes.x[lane] = lanes.savedX[lane] = lanes.re[lane] = re;
        lanes.y[lane] = lanes.savedY[lane] = im;
        lanes.x2[lane] = re * re;
        lanes.y2[lane] = im * im;
        lanes.steps[lane] = 0;
        lanes.saveInterval[lane] = firstSaveBlocks;
        lanes.nextSave[lane] = block + firstSaveBlocks;
        nextSave = std::min(nextSave, lanes.nextSave[lane]);
    };
    for (int lane = 0; lane < laneCount; ++lane)
        fill(lane);

    for (;;) {
        const LaneEvents events = runBlocks(lanes, row.imagPart, row.squareBound, lastStep, active, block,
                                            std::min(nextSave, nextStopLook));
        // A stop seen here leaves the pixel in work, and every later one,
        // unwritten.
        if (block >= nextStopLook) {
            if (stop.load())
                return RowOutcome{written, true};
            nextStopLook = block + stopLookBlocks;
        }
        if (block >= nextSave) {
            nextSave = never;
            for (int lane = 0; lane < laneCount; ++lane) {
                if (!(active >> lane & 1) || (events.finished >> lane & 1))
                    continue;
                if (lanes.nextSave[lane] <= block) {
                    lanes.savedX[lane] = lanes.x[lane];
                    lanes.savedY[lane] = lanes.y[lane];
                    lanes.saveInterval[lane] *= 2;
                    lanes.nextSave[lane] = block + lanes.saveInterval[lane];
                }
                nextSave = std::min(nextSave, lanes.nextSave[lane]);
            }
        }

        for (std::uint32_t rest = events.finished; rest; rest &= rest - 1) {
            const int lane = __builtin_ctz(rest);
            const bool escaped = events.escaped >> lane & 1;
            counts[std::size_t(lanes.pixel[lane])] = finalCount(escaped ? lanes.steps[lane] : lastStep);
            fill(lane);
        }

        // The pixels go out in column order, each as soon as every one
        // before it is out. The pixel that holds them up always has a lane
        // of its own, so a stop takes effect once that pixel is done, within
        // one pixel's iterations, and leaves the later ones unwritten.
        while (written < nextPixel && counts[std::size_t(written)] != 0) {
            sink.put(sink.context, written, counts[std::size_t(written)]);
            ++written;
            if (stop.load())
                return RowOutcome{written, true};
        }
        if (written == width)
            return RowOutcome{written, false};
    }
}

} // namespace kernel_lanes
