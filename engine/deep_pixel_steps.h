// The scalar steps of one deep pixel: its start, its landing after a step or
// a map, and its runs of bilinear maps. The vector lanes take the same steps
// in the same order of operations, so a pixel's count does not depend on
// which of them took a step.
#pragma once

#include "engine/deep_kernel.h"
#include "engine/reference_orbit.h"

#include <atomic>
#include <cstdint>

// A deep pixel between two steps: the pixel is Z_m + d, after `steps` counted
// steps.
struct DeepPixel {
    double dr, di;
    std::int64_t m;
    std::int64_t steps;
};

// The pixel of offset c before its first counted step: z = C + c, as Z_1 + c,
// already rebased where the rule asks for it.
DeepPixel startDeepPixel(const ReferenceOrbit& reference, double cr, double ci);

// The index of the reference that m stands for: itself, or at or past the
// end of a reference's loop its place in the loop.
std::int64_t loopIndex(const ReferenceOrbit& reference, std::int64_t m);

// Whether the row's pixels follow the maps. A map looks at the escape only
// where it leaves the pixel, so maps serve only an escape threshold of 2 or
// more (a squared bound above 4): the reference's points up to its end lie
// within |Z| <= 2, and a pixel a map serves lies within 2^-52 of their size
// of them, so it cannot escape in the steps a map skips (but where |Z|^2
// comes within some 2^-50 of 4). Maps cost a scalar run between the lanes'
// blocks; they are used where they skip at least 256 steps at the start of
// the orbit, less than which the lanes take the steps faster.
bool mapsWorthwhile(const DeepRowPoints& row);

// Whether the pixel's difference lies within the radius of the single step
// from its index, as the lanes test it at the end of a block: then a map
// may serve it.
bool readyForMaps(const ReferenceOrbit& reference, const DeepPixel& pixel);

enum class MapRunEnd {
    goOn,    // the lanes take the next steps
    escaped, // the pixel escaped: its count is its steps
    reached, // the pixel took its last step without escaping
    stopped  // the stop flag was found set
};

// Takes the pixel, at a point where its difference is small against the
// reference, along the longest valid map of the table at every point, with
// single perturbed steps where no map is valid. At the start of a segment
// of the table that is the longest valid prefix map of the segment, which
// mostly crosses all of it; elsewhere it is a map of the tree, on which a
// pixel climbs to the longer maps at indices that are multiples of their
// length (in the loop of a reference that loops, at any later index of its
// place in the loop, where the orbit repeats the same points). Single steps
// take the pixel through a rebase (from index 0 to the first segment at 1),
// past the step that ends a segment, and up the tree. It hands the pixel
// back to the lanes once 2 single steps in a row found no map (its
// difference has outgrown the radii) or after 256 maps, and reads stop
// every 2^16 steps. The steps that maps took are added to skipped.
MapRunEnd followBlaMaps(const ReferenceOrbit& reference, DeepPixel& pixel, double cr, double ci, double squareBound,
                        std::int64_t lastStep, std::int64_t& skipped, const std::atomic<bool>& stop);
