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

// The row that iterateRowWith works on: its lanes, the counts of its pixels
// and how far it has come.
template <class V>
struct RowWork {
    const RowPoints& row;
    // escapeSteps ends in step L + 1 at the latest (in step 1 for a limit
    // below 1) and gives INT_MAX for a count that does not fit.
    const std::int64_t lastStep;
    LaneTable<V> lanes;
    std::vector<int> counts; // 0 until the pixel is finished
    std::uint32_t active;    // the lanes that hold a pixel
    int nextPixel;           // the first pixel not yet given to a lane
    int written;             // the pixels handed to the sink
    std::int64_t block;      // the blocks run so far
    std::int64_t nextSave;   // the earliest block at which a lane saves its state

    explicit RowWork(const RowPoints& points)
        : row(points), lastStep(std::int64_t{std::max(points.maxIterations, 0)} + 1),
          counts(std::size_t(points.width), 0), active(0), nextPixel(0), written(0), block(0), nextSave(never)
    {
    }
};

template <class V>
constexpr std::int64_t firstSaveBlocks = std::max<std::int64_t>(firstSaveSteps / V::blockSteps, 1);

// Gives the lane the next pixel of the row, or leaves it idle at 0.
template <class V>
void refillLane(RowWork<V>& work, int lane)
{
    LaneTable<V>& lanes = work.lanes;
    const std::uint32_t bit = std::uint32_t{1} << lane;
    if (work.nextPixel == work.row.width) {
        work.active &= ~bit;
        lanes.x[lane] = lanes.y[lane] = lanes.x2[lane] = lanes.y2[lane] = lanes.re[lane] = 0.0;
        lanes.steps[lane] = 0;
        return;
    }
    const int pixel = work.nextPixel++;
    const double re = work.row.realParts[pixel];
    const double im = work.row.imagPart;
    work.active |= bit;
    lanes.pixel[lane] = pixel;
    lanes.x[lane] = lanes.savedX[lane] = lanes.re[lane] = re;
    lanes.y[lane] = lanes.savedY[lane] = im;
    lanes.x2[lane] = re * re;
    lanes.y2[lane] = im * im;
    lanes.steps[lane] = 0;
    lanes.saveInterval[lane] = firstSaveBlocks<V>;
    lanes.nextSave[lane] = work.block + firstSaveBlocks<V>;
    work.nextSave = std::min(work.nextSave, lanes.nextSave[lane]);
}

// Notes the count of each finished lane's pixel and gives the lane the next.
template <class V>
void refillFinishedLanes(RowWork<V>& work, const LaneEvents& events)
{
    for (std::uint32_t rest = events.finished; rest; rest &= rest - 1) {
        const int lane = __builtin_ctz(rest);
        const bool escaped = events.escaped >> lane & 1;
        const std::int64_t steps = std::min(escaped ? work.lanes.steps[lane] : work.lastStep, work.lastStep);
        work.counts[std::size_t(work.lanes.pixel[lane])] = static_cast<int>(std::min<std::int64_t>(steps, INT_MAX));
        refillLane(work, lane);
    }
}

// The cycle check's saved states, once a lane's next save has come: the
// lanes still in work whose time it is save their state (x, y), each to be
// compared with the states after it until its next save, twice as far off.
//
// A state that recurs bit for bit recurs for ever, since each step depends on
// it alone, and none of the states between escaped: such a point never
// escapes. Renewed at doubling intervals (Brent's method), the saved state
// finds every cycle, whatever its length and wherever it starts.
template <class V>
void renewSavedStates(RowWork<V>& work, std::uint32_t finished)
{
    LaneTable<V>& lanes = work.lanes;
    work.nextSave = never;
    for (int lane = 0; lane < LaneTable<V>::size; ++lane) {
        if (!(work.active >> lane & 1) || (finished >> lane & 1))
            continue;
        if (lanes.nextSave[lane] <= work.block) {
            lanes.savedX[lane] = lanes.x[lane];
            lanes.savedY[lane] = lanes.y[lane];
            lanes.saveInterval[lane] *= 2;
            lanes.nextSave[lane] = work.block + lanes.saveInterval[lane];
        }
        work.nextSave = std::min(work.nextSave, lanes.nextSave[lane]);
    }
}

// Hands the finished pixels to the sink in column order, each as soon as
// every one before it is out. The pixel that holds them up always has a lane
// of its own, so a stop takes effect once that pixel is done, within one
// pixel's iterations, and leaves the later ones unwritten. True when the
// stop flag was found set.
template <class V>
bool writeInOrder(RowWork<V>& work, StepSink sink, const std::atomic<bool>& stop)
{
    while (work.written < work.nextPixel && work.counts[std::size_t(work.written)] != 0) {
        sink.put(sink.context, work.written, work.counts[std::size_t(work.written)]);
        ++work.written;
        if (stop.load())
            return true;
    }
    return false;
}

// Iterates the row on V::width * V::groups lanes, each with one pixel.
//
// Between runs of blocks the kernel finishes the lanes whose pixel has
// escaped, reached its limit or repeated a saved state, renews the saved
// states that are due, gives each finished lane the next pixel of the row at
// once, and writes out the pixels that are ready in order.
template <class V>
RowOutcome iterateRowWith(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    static_assert(LaneTable<V>::size <= 32, "one bit per lane in a 32-bit mask");
    if (row.width <= 0)
        return RowOutcome{0, false};

    constexpr std::int64_t stopLookBlocks = stopLookSteps / V::blockSteps;
    RowWork<V> work(row);
    for (int lane = 0; lane < LaneTable<V>::size; ++lane)
        refillLane(work, lane);
    std::int64_t nextStopLook = stopLookBlocks;

    for (;;) {
        const LaneEvents events = runBlocks(work.lanes, row.imagPart, row.squareBound, work.lastStep, work.active,
                                            work.block, std::min(work.nextSave, nextStopLook));
        // A stop seen here leaves the pixel in work, and every later one,
        // unwritten.
        if (work.block >= nextStopLook) {
            if (stop.load())
                return RowOutcome{work.written, true};
            nextStopLook = work.block + stopLookBlocks;
        }
        if (work.block >= work.nextSave)
            renewSavedStates(work, events.finished);
        refillFinishedLanes(work, events);
        if (writeInOrder(work, sink, stop))
            return RowOutcome{work.written, true};
        if (work.written == row.width)
            return RowOutcome{work.written, false};
    }
}

} // namespace kernel_lanes
