// The deep kernel: one row of a deep view, each pixel iterated as its
// difference from a reference orbit, in doubles and in vector lanes.
//
// A pixel C + c (C the view's centre, c its offset) has the counts of the
// program's step rule: z starts at C + c, z := z^2 + C + c, and the count is
// the step in which |z|^2 first reaches the squared bound, or
// maxIterations + 1 (INT_MAX at the largest limit) if it never does. The pixel
// is written as z = Z_m + d with the reference point Z_m, and each step is
//     d := (2 Z_m + d) d + c,   m := m + 1.
// Rebasing keeps d exact enough with this single reference: when the pixel
// comes closer to 0 than d is large (|Re z| + |Im z| < |Re d| + |Im d|), or
// the reference ends, d := z and m := 0; at the end of the loop of a
// reference that settled on a cycle, m goes back by the loop. With bilinear
// approximation, a pixel whose difference lies within the single step's
// radius at its start or at the end of one of its blocks of 8 steps follows
// the reference's maps (deep_pixel_steps.h) for as long as they serve. A
// pixel whose state (m, d) at the end of a block recurs bit for bit never
// escapes and is finished at once. The counts are the same on every path.
#pragma once

#include "engine/reference_orbit.h"
#include "engine/render_kernel.h"

#include <atomic>
#include <cstdint>

// One row of a deep view and how it is iterated.
struct DeepRowPoints {
    const ReferenceOrbit* reference; // read only, shared by every row
    const double* realOffsets;       // one per column, from deepColumnOffset
    int width;
    double imagOffset; // the row's, from deepRowOffset
    int maxIterations;
    double squareBound; // escapeSquareBound(threshold)
    // Off only to compare with plain perturbation. Even on, maps are used
    // only under an escape threshold of 2 or more, and where they skip
    // enough steps to pay for themselves: at least 256 of the opening steps
    // of the orbit (BlaTable::openingSteps).
    bool useBla;
};

struct DeepRowOutcome {
    int written;  // the pixels handed to the sink: columns 0 to written - 1
    bool stopped; // the stop flag was found set
    // The steps of the finished pixels that bilinear maps took instead of
    // iterating them (their counts include them).
    std::int64_t skippedSteps;
};

// Computes the row on the given path, which the machine must support. The
// pixels go to the sink in column order. Stop is read after each pixel handed
// over and about every 2^16 steps within a pixel; once it is set the function
// returns at once and leaves the pixel it was waiting for and every later one
// unwritten, even those already computed. A row of width 0 or less reads
// nothing. Any number of rows may run at once on the same reference.
DeepRowOutcome iterateDeepRow(KernelPath path, const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop);
