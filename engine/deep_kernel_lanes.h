// The deep kernel's loop over one row, written once for every instruction
// set. A lane type V supplies the vector type and its operations:
//
//   width, groups              lanes per vector, vectors in flight
//   troubleShare               see QuickPacing
//   Real, Count, Mask, Alive   doubles, 64-bit integers, lane masks
//   load, store, broadcast, add, sub, mul, abs, max
//   loadCount, storeCount, broadcastCount, addCount,
//   gather(re, im, index, outRe, outIm)  re[index] and im[index] of each lane
//   less(a, b), equalCount(a, b), either(p, q), select(p, a, b),
//   selectCount(p, a, b), keepUnless(p, a)  comparisons and blends of
//                              lanes (keepUnless is 0 where p holds)
//   allAlive, countStep(steps, alive, s, bound)  as in the render kernel
//   countSteps(steps, alive, n) adds n to the counts of the lanes alive
//   noLanes(), atLeast(a, b)   the empty mask, and a >= b (false for NaN)
//   belowBits(a, b)            a bit for each lane with a < b, of counts
//                              whose difference does not overflow
//   wrapCount(m, end, period)  m - period where m >= end, else m
//   escapedBits(alive), reachedBits(steps, last), maskBits(mask)
//   repeatedBits(m, dr, di, savedM, savedDr, savedDi)
//
// The files of the wider paths include this header inside a
// `#pragma GCC target` region, after everything it includes: the standard
// headers of engine/kernel_lanes_std.h and the engine's own headers.
// Everything here is a template of V, so no path shares compiled code with
// another; the scalar steps of deep_pixel_steps.cpp are plain SSE2 code
// shared by all.
#pragma once

#include "engine/deep_kernel.h"
#include "engine/deep_pixel_steps.h"
#include "engine/kernel_lanes_std.h"

namespace deep_lanes {


constexpr std::int64_t never = INT64_MAX;

// Every path runs blocks of the same length, so that a pixel meets the ends
// of its blocks, where its state is compared, saved and looked at for maps,
// after the same steps on every path.
constexpr int blockSteps = 8;

// A lane saves its state for the first time after 64 steps, later ones after
// doubling intervals (Brent's method), as the render kernel does.
constexpr std::int64_t firstSaveBlocks = 64 / blockSteps;

// The row reads the stop flag between two pixels and every 2^16 steps.
constexpr std::int64_t stopLookBlocks = (std::int64_t{1} << 16) / blockSteps;

// One perturbed step of the lanes' pixels Z_m + d: n = (2 Z_m + d) d + c
// is their next difference and w = Z_{m + 1} + n their next point, with
// w's squared size for the escape; closer holds where w lies nearer 0 than
// n is large (in the sum of the parts' sizes), where a pixel rebases. The order of
// operations is that of deep_pixel_steps.cpp.
template <class V>
struct Perturbed {
    typename V::Real nr, ni, wr, wi, square;
    typename V::Mask closer;
};

template <class V>
Perturbed<V> perturb(typename V::Real zr, typename V::Real zi, typename V::Real dr, typename V::Real di,
                     typename V::Real cr, typename V::Real ci, typename V::Real nextZr, typename V::Real nextZi)
{
    const typename V::Real ar = V::add(V::add(zr, zr), dr);
    const typename V::Real ai = V::add(V::add(zi, zi), di);
    Perturbed<V> p;
    p.nr = V::add(V::sub(V::mul(ar, dr), V::mul(ai, di)), cr);
    p.ni = V::add(V::add(V::mul(ar, di), V::mul(ai, dr)), ci);
    p.wr = V::add(nextZr, p.nr);
    p.wi = V::add(nextZi, p.ni);
    p.square = V::add(V::mul(p.wr, p.wr), V::mul(p.wi, p.wi));
    p.closer = V::less(V::add(V::abs(p.wr), V::abs(p.wi)), V::add(V::abs(p.nr), V::abs(p.ni)));
    return p;
}

template <class V>
struct LaneTable {
    static constexpr int size = V::width * V::groups;
    double dr[size];
    double di[size];
    double cr[size];
    std::int64_t m[size];
    std::int64_t steps[size];
    double savedDr[size];
    double savedDi[size];
    std::int64_t savedM[size];
    int pixel[size];
    std::int64_t nextSave[size];
    std::int64_t saveInterval[size];
};

// The lanes that need the row's attention after a run of blocks.
struct LaneEvents {
    std::uint32_t escaped;  // their pixel has escaped
    std::uint32_t finished; // escaped, reached the limit or repeated its saved state
    std::uint32_t linear;   // unfinished, and small enough against the reference for maps
};

// Where the lanes' indices go round at the end of the orbit. Without a loop
// a lane rebases where its next index is end. In the loop of an orbit with
// one (Z_k = Z_{k + p} from loopEnd - p on), a lane whose next index is end
// goes back by period instead, the least multiple of the loop's length p of
// at least a block: a quick block then goes past end at most once, and it
// reads only points that the orbit holds, since the orbit repeats for at
// least 2p + 16 points from loopEnd - p on. The lanes' indices stay below
// end; maps take them at their place in the orbit's own loop.
struct LaneLoop {
    std::int64_t end;
    std::int64_t period; // 0 without a loop
};

inline LaneLoop laneLoopOf(const ReferenceOrbit& reference)
{
    const std::int64_t p = reference.loopLength;
    if (p == 0)
        return LaneLoop{reference.end, 0};
    const std::int64_t period = p * ((blockSteps + p - 1) / p);
    return LaneLoop{reference.loopEnd - p + period, period};
}

// Whether quick blocks pay (see runBlocks): a group's block taken again
// costs more than a quick block saves, so the row takes quick blocks only
// while at most one group's block in V::troubleShare had trouble, as
// measured over the last window of blocks of either kind. Which kind a
// block is changes no count.
constexpr std::int64_t pacingWindow = 32;

struct QuickPacing {
    bool quick = true;
    std::int64_t windowEnd = pacingWindow;
    std::int64_t groupBlocks = 0;
    std::int64_t troubled = 0;

    void blockEnded(std::int64_t block, int groups, int troubledGroups, int troubleShare)
    {
        groupBlocks += groups;
        troubled += troubledGroups;
        if (block < windowEnd)
            return;
        quick = troubled * troubleShare <= groupBlocks;
        windowEnd = block + pacingWindow;
        groupBlocks = 0;
        troubled = 0;
    }
};

// Runs blocks of perturbed steps on every lane, with the state in registers,
// until a lane has finished or is ready for maps, until block reaches
// untilBlock, or until the blocks change their kind: a run of quick blocks
// (quick) ends before a block that cannot be quick or once they no longer
// pay, a run of full blocks after one from whose end on quick blocks can be
// taken and pay. A lane runs on to the end of its block past its escape or
// its limit; the count stops at the escape and is capped at the limit. At
// the end of a reference without a loop a lane rebases; in the loop of one
// with a loop (looping) it goes back by the lanes' period.
//
// Most blocks rebase no lane, reach no end and see no lane escape. A quick
// block takes its steps without what those need: its reference indices are
// those of its start plus k, and its counts grow by the block's length at
// its end. It notes in trouble the lanes where a step would have rebased or
// escaped, and a group with trouble in a lane that is alive takes its block
// again from its start with full steps. Every other group's block gives the
// full steps' very bits.
template <class V, bool looping, bool quick>
LaneEvents runBlocks(LaneTable<V>& lanes, const DeepRowPoints& row, LaneLoop loop, QuickPacing& pacing,
                     std::int64_t lastStep, std::uint32_t active, std::int64_t& block, std::int64_t untilBlock)
{
    using Real = typename V::Real;
    using Count = typename V::Count;
    using Mask = typename V::Mask;
    constexpr int lanesPerVector = V::width;
    constexpr int groups = V::groups;
    constexpr std::uint32_t allLanes = (std::uint32_t{1} << lanesPerVector) - 1;
    const double* const refRe = row.reference->re.data();
    const double* const refIm = row.reference->im.data();

    const Real ci = V::broadcast(row.imagOffset);
    const Real bound = V::broadcast(row.squareBound);
    const Real stepRadius = V::broadcast(0x1p-52);
    const Count last = V::broadcastCount(lastStep);
    const Count end = V::broadcastCount(loop.end);
    const Count loopTo = V::broadcastCount(loop.end - loop.period);
    const Count period = V::broadcastCount(loop.period);
    const Count quickBefore = V::broadcastCount(loop.end - blockSteps);
    const Count length = V::broadcastCount(blockSteps);
    const Count one = V::broadcastCount(1);
    const Count two = V::broadcastCount(2);
    const Count start = V::broadcastCount(0);
    const Real firstZr = V::broadcast(row.reference->re[1]);
    const Real firstZi = V::broadcast(row.reference->im[1]);
    const bool useMaps = mapsWorthwhile(row);

    // zr, zi hold Z_m and nextZr, nextZi Z_{m + 1}. Each step gathers
    // Z_{m + 2} ahead, which is Z_{m + 1} after the step unless the lane
    // rebased: then it needs Z_1, the same for every lane. (At the end of a
    // loop Z_{m + 2} equals the point after the loop's start, and at the end
    // of an orbit it is the zero after it, unused.)
    Real dr[groups], di[groups], cr[groups], zr[groups], zi[groups], nextZr[groups], nextZi[groups];
    Count m[groups], steps[groups];
    typename V::Alive alive[groups];
#pragma GCC unroll 4
    for (int g = 0; g < groups; ++g) {
        const int first = g * lanesPerVector;
        dr[g] = V::load(lanes.dr + first);
        di[g] = V::load(lanes.di + first);
        cr[g] = V::load(lanes.cr + first);
        m[g] = V::loadCount(lanes.m + first);
        steps[g] = V::loadCount(lanes.steps + first);
        V::gather(refRe, refIm, m[g], zr[g], zi[g]);
        V::gather(refRe, refIm, V::addCount(m[g], one), nextZr[g], nextZi[g]);
        alive[g] = V::allAlive();
    }

    // The full step of group g, with every rebase, escape and end; gives the
    // lanes that rebased.
    const auto step = [&](int g) {
        const Count next = V::addCount(m[g], one);
        Real afterZr, afterZi;
        V::gather(refRe, refIm, V::addCount(m[g], two), afterZr, afterZi);
        const Perturbed<V> p = perturb<V>(zr[g], zi[g], dr[g], di[g], cr[g], ci, nextZr[g], nextZi[g]);
        V::countStep(steps[g], alive[g], p.square, bound);
        const Mask atEnd = V::equalCount(next, end);
        const Mask rebase = looping ? p.closer : V::either(atEnd, p.closer);
        dr[g] = V::select(rebase, p.wr, p.nr);
        di[g] = V::select(rebase, p.wi, p.ni);
        m[g] = V::selectCount(rebase, start, looping ? V::selectCount(atEnd, loopTo, next) : next);
        zr[g] = V::keepUnless(rebase, nextZr[g]);
        zi[g] = V::keepUnless(rebase, nextZi[g]);
        nextZr[g] = V::select(rebase, firstZr, afterZr);
        nextZi[g] = V::select(rebase, firstZi, afterZi);
        return rebase;
    };
    // Whether the next block may be quick: while quick blocks pay, in a loop
    // every block, and without one a block whose next indices all lie below
    // the end.
    const auto quickable = [&] {
        bool all = pacing.quick;
#pragma GCC unroll 4
        for (int g = 0; g < groups; ++g)
            all = all && (looping || V::belowBits(m[g], quickBefore) == allLanes);
        return all;
    };

    LaneEvents events = {0, 0, 0};
    for (;;) {
        int troubled = 0;
        if (quick) {
            if (!quickable())
                break;
            Real qdr[groups], qdi[groups], qzr[groups], qzi[groups], qnextZr[groups], qnextZi[groups];
            Mask trouble[groups];
#pragma GCC unroll 4
            for (int g = 0; g < groups; ++g) {
                qdr[g] = dr[g];
                qdi[g] = di[g];
                qzr[g] = zr[g];
                qzi[g] = zi[g];
                qnextZr[g] = nextZr[g];
                qnextZi[g] = nextZi[g];
                trouble[g] = V::noLanes();
            }
#pragma GCC unroll 8
            for (int k = 0; k < blockSteps; ++k) {
#pragma GCC unroll 4
                for (int g = 0; g < groups; ++g) {
                    Real afterZr, afterZi;
                    V::gather(refRe + k + 2, refIm + k + 2, m[g], afterZr, afterZi);
                    const Perturbed<V> p =
                        perturb<V>(qzr[g], qzi[g], qdr[g], qdi[g], cr[g], ci, qnextZr[g], qnextZi[g]);
                    trouble[g] = V::either(trouble[g], V::either(V::atLeast(p.square, bound), p.closer));
                    qdr[g] = p.nr;
                    qdi[g] = p.ni;
                    qzr[g] = qnextZr[g];
                    qzi[g] = qnextZi[g];
                    qnextZr[g] = afterZr;
                    qnextZi[g] = afterZi;
                }
            }
#pragma GCC unroll 4
            for (int g = 0; g < groups; ++g) {
                if (V::maskBits(trouble[g]) & ~V::escapedBits(alive[g])) {
                    ++troubled;
#pragma GCC unroll 8
                    for (int k = 0; k < blockSteps; ++k)
                        step(g);
                    continue;
                }
                dr[g] = qdr[g];
                di[g] = qdi[g];
                zr[g] = qzr[g];
                zi[g] = qzi[g];
                nextZr[g] = qnextZr[g];
                nextZi[g] = qnextZi[g];
                m[g] = V::addCount(m[g], length);
                if (looping)
                    m[g] = V::wrapCount(m[g], end, period);
                V::countSteps(steps[g], alive[g], length);
            }
        } else {
            // The lanes alive at the start that rebased or escaped: the
            // trouble a quick block would have had.
            Mask rebased[groups];
            std::uint32_t aliveBits[groups];
#pragma GCC unroll 4
            for (int g = 0; g < groups; ++g) {
                rebased[g] = V::noLanes();
                aliveBits[g] = ~V::escapedBits(alive[g]);
            }
#pragma GCC unroll 8
            for (int k = 0; k < blockSteps; ++k) {
#pragma GCC unroll 4
                for (int g = 0; g < groups; ++g)
                    rebased[g] = V::either(rebased[g], step(g));
            }
#pragma GCC unroll 4
            for (int g = 0; g < groups; ++g)
                troubled += ((V::maskBits(rebased[g]) | V::escapedBits(alive[g])) & aliveBits[g]) != 0;
        }
        ++block;
        pacing.blockEnded(block, groups, troubled, V::troubleShare);
#pragma GCC unroll 4
        for (int g = 0; g < groups; ++g) {
            const int first = g * lanesPerVector;
            const std::uint32_t escaped = V::escapedBits(alive[g]);
            const std::uint32_t finished =
                escaped | V::reachedBits(steps[g], last) |
                V::repeatedBits(m[g], dr[g], di[g], lanes.savedM + first, lanes.savedDr + first, lanes.savedDi + first);
            events.escaped |= escaped << first;
            events.finished |= finished << first;
            if (useMaps) {
                const Real size = V::add(V::abs(dr[g]), V::abs(di[g]));
                const Real radius = V::mul(stepRadius, V::max(V::abs(zr[g]), V::abs(zi[g])));
                events.linear |= (V::maskBits(V::less(size, radius)) & ~finished) << first;
            }
        }
        events.escaped &= active;
        events.finished &= active;
        events.linear &= active;
        if (events.finished || events.linear || block >= untilBlock || (!quick && quickable()))
            break;
    }

#pragma GCC unroll 4
    for (int g = 0; g < groups; ++g) {
        const int first = g * lanesPerVector;
        V::store(lanes.dr + first, dr[g]);
        V::store(lanes.di + first, di[g]);
        V::storeCount(lanes.m + first, m[g]);
        V::storeCount(lanes.steps + first, steps[g]);
    }
    return events;
}

// Runs quick and full blocks in turn, each kind with its own registers,
// until a lane has finished or is ready for maps, or until block reaches
// untilBlock. A run starts with the kind that its first block can take.
template <class V, bool looping>
LaneEvents runLanes(LaneTable<V>& lanes, const DeepRowPoints& row, LaneLoop loop, QuickPacing& pacing,
                    std::int64_t lastStep, std::uint32_t active, std::int64_t& block, std::int64_t untilBlock)
{
    for (;;) {
        bool quick = pacing.quick;
        for (int lane = 0; lane < LaneTable<V>::size && quick && !looping; ++lane)
            quick = lanes.m[lane] < loop.end - blockSteps;
        const LaneEvents events =
            quick ? runBlocks<V, looping, true>(lanes, row, loop, pacing, lastStep, active, block, untilBlock)
                  : runBlocks<V, looping, false>(lanes, row, loop, pacing, lastStep, active, block, untilBlock);
        if (events.finished || events.linear || block >= untilBlock)
            return events;
    }
}

// Iterates the row on V::width * V::groups lanes, each with one pixel. A
// finished lane takes the next pixel of the row at once.
template <class V>
DeepRowOutcome iterateDeepRowWith(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    constexpr int laneCount = LaneTable<V>::size;
    static_assert(laneCount <= 32, "one bit per lane in a 32-bit mask");

    const int width = row.width;
    if (width <= 0)
        return DeepRowOutcome{0, false, 0};

    const ReferenceOrbit& reference = *row.reference;
    const std::int64_t lastStep = std::int64_t{std::max(row.maxIterations, 0)} + 1;
    const auto finalCount = [lastStep](std::int64_t steps) {
        return static_cast<int>(std::min<std::int64_t>(std::min(steps, lastStep), INT_MAX));
    };

    const bool useMaps = mapsWorthwhile(row);
    const LaneLoop loop = laneLoopOf(reference);
    QuickPacing pacing;
    LaneTable<V> lanes;
    std::vector<int> counts(std::size_t(width), 0);
    std::uint32_t active = 0;
    int nextPixel = 0;
    int written = 0;
    std::int64_t skipped = 0;
    std::int64_t block = 0;
    std::int64_t nextSave = never;
    std::int64_t nextStopLook = stopLookBlocks;

    // Gives the lane the next pixel of the row, or leaves it idle on the
    // reference with no offset. A pixel that starts small enough for maps
    // follows them first, as it would at the end of a block: from index 1,
    // where the first segment begins. Those that maps finish at once are
    // counted, and the lane takes the next. False once stop was found set.
    const auto fill = [&](int lane) {
        const std::uint32_t bit = std::uint32_t{1} << lane;
        for (;;) {
            if (nextPixel == width) {
                active &= ~bit;
                lanes.dr[lane] = lanes.di[lane] = lanes.cr[lane] = 0.0;
                lanes.m[lane] = 0;
                lanes.steps[lane] = 0;
                return true;
            }
            const int pixel = nextPixel++;
            const double cr = row.realOffsets[pixel];
            const DeepPixel start = startDeepPixel(reference, cr, row.imagOffset);
            DeepPixel now = start;
            if (useMaps && readyForMaps(reference, start)) {
                const MapRunEnd end =
                    followBlaMaps(reference, now, cr, row.imagOffset, row.squareBound, lastStep, skipped, stop);
                if (end == MapRunEnd::stopped)
                    return false;
                if (end != MapRunEnd::goOn) {
                    counts[std::size_t(pixel)] = finalCount(end == MapRunEnd::escaped ? now.steps : lastStep);
                    continue;
                }
            }
            // The state saved is the start, before any map, as at the end
            // of a block: a repeat of it proves a cycle.
            active |= bit;
            lanes.pixel[lane] = pixel;
            lanes.cr[lane] = cr;
            lanes.savedDr[lane] = start.dr;
            lanes.savedDi[lane] = start.di;
            lanes.savedM[lane] = start.m;
            lanes.dr[lane] = now.dr;
            lanes.di[lane] = now.di;
            lanes.m[lane] = now.m;
            lanes.steps[lane] = now.steps;
            lanes.saveInterval[lane] = firstSaveBlocks;
            lanes.nextSave[lane] = block + firstSaveBlocks;
            nextSave = std::min(nextSave, lanes.nextSave[lane]);
            return true;
        }
    };
    const auto finish = [&](int lane, std::int64_t steps) {
        counts[std::size_t(lanes.pixel[lane])] = finalCount(steps);
        return fill(lane);
    };
    for (int lane = 0; lane < laneCount; ++lane)
        if (!fill(lane))
            return DeepRowOutcome{written, true, skipped};

    for (;;) {
        const std::int64_t untilBlock = std::min(nextSave, nextStopLook - skipped / blockSteps);
        const LaneEvents events =
            reference.loopLength > 0 ? runLanes<V, true>(lanes, row, loop, pacing, lastStep, active, block, untilBlock)
                                     : runLanes<V, false>(lanes, row, loop, pacing, lastStep, active, block, untilBlock);

        // The state a lane saves is the one its block ended in, before any
        // map, so that a repeat of it proves a cycle.
        if (block >= nextSave) {
            nextSave = never;
            for (int lane = 0; lane < laneCount; ++lane) {
                if (!(active >> lane & 1) || (events.finished >> lane & 1))
                    continue;
                if (lanes.nextSave[lane] <= block) {
                    lanes.savedDr[lane] = lanes.dr[lane];
                    lanes.savedDi[lane] = lanes.di[lane];
                    lanes.savedM[lane] = lanes.m[lane];
                    lanes.saveInterval[lane] *= 2;
                    lanes.nextSave[lane] = block + lanes.saveInterval[lane];
                }
                nextSave = std::min(nextSave, lanes.nextSave[lane]);
            }
        }

        for (std::uint32_t rest = events.finished; rest; rest &= rest - 1) {
            const int lane = __builtin_ctz(rest);
            if (!finish(lane, events.escaped >> lane & 1 ? lanes.steps[lane] : lastStep))
                return DeepRowOutcome{written, true, skipped};
        }

        for (std::uint32_t rest = events.linear; rest; rest &= rest - 1) {
            const int lane = __builtin_ctz(rest);
            DeepPixel pixel{lanes.dr[lane], lanes.di[lane], loopIndex(reference, lanes.m[lane]), lanes.steps[lane]};
            const MapRunEnd end = followBlaMaps(reference, pixel, lanes.cr[lane], row.imagOffset, row.squareBound,
                                                lastStep, skipped, stop);
            if (end == MapRunEnd::stopped)
                return DeepRowOutcome{written, true, skipped};
            if (end == MapRunEnd::goOn) {
                lanes.dr[lane] = pixel.dr;
                lanes.di[lane] = pixel.di;
                lanes.m[lane] = pixel.m;
                lanes.steps[lane] = pixel.steps;
            } else if (!finish(lane, end == MapRunEnd::escaped ? pixel.steps : lastStep)) {
                return DeepRowOutcome{written, true, skipped};
            }
        }

        // The pixels go out in column order, each as soon as every one
        // before it is out; the pixel that holds them up always has a lane.
        while (written < nextPixel && counts[std::size_t(written)] != 0) {
            sink.put(sink.context, written, counts[std::size_t(written)]);
            ++written;
            if (stop.load())
                return DeepRowOutcome{written, true, skipped};
        }
        if (written == width)
            return DeepRowOutcome{written, false, skipped};
        // Steps that maps took count towards the next look as well.
        if (block + skipped / blockSteps >= nextStopLook) {
            if (stop.load())
                return DeepRowOutcome{written, true, skipped};
            nextStopLook = block + skipped / blockSteps + stopLookBlocks;
        }
    }
}

} // namespace deep_lanes
