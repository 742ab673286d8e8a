// The reference orbit of a deep view: the orbit of the view's precise centre
// C, Z_0 = 0, Z_{k+1} = Z_k^2 + C, computed in high precision and kept as
// doubles, with its table of bilinear approximations. Every row of the view
// reads the same orbit at once; once made, it never changes.
#pragma once

#include "engine/bla_table.h"
#include "engine/precise_real.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// The last index a reference orbit may have. A pixel that reaches it rebases
// and goes on, so a longer limit stays correct; the cap keeps the memory of
// an orbit (at most 65 bytes a step with its table, BlaTable::bytes) within
// about 1.1 gigabytes.
constexpr std::int64_t maxReferenceEnd = std::int64_t{1} << 24;

// What a reference orbit is computed for: the view's precise centre, its
// half-height and picture size (which give the pixel spacing and the largest
// offset of a pixel) and its iteration limit.
struct ReferenceRequest {
    PreciseReal centerReal;
    PreciseReal centerImag;
    double halfHeight;
    int width;
    int height;
    int maxIterations;
};

struct ReferenceOrbit {
    PreciseReal centerReal;
    PreciseReal centerImag;
    int precisionBits;   // the precision the orbit was computed in
    double offsetRadius; // the table's radii hold for pixel offsets up to this
    // Z_0 .. Z_end as re[k] + i im[k], and one unused zero after them. The
    // orbit ends where |Z| first exceeds 2, once it loops (below), or at the
    // last index the limit needs, min(maxIterations + 2, maxReferenceEnd).
    std::vector<double> re;
    std::vector<double> im;
    std::int64_t end;
    bool escaped; // it ended because |Z_end| > 2
    // For an orbit that did not escape, the smallest p with Z_{end - p} equal
    // to Z_end bit for bit, or 0: the orbit has settled on a cycle that the
    // doubles repeat exactly, from index loopEnd - p on (Z_k = Z_{k + p} for
    // loopEnd - p <= k <= end - p). A pixel that reaches index loopEnd goes on
    // from loopEnd - p with the same Z and difference; its state then stays
    // within one loop, so that a pixel caught in a cycle repeats its state
    // and is finished. Without a loop the pixel rebases at the end.
    std::int64_t loopLength;
    std::int64_t loopEnd;
    BlaTable bla;
};

// The precision the orbit of a view with that pixel spacing is computed in:
// at least -log2(spacing) + 64 bits (and a bit more for each doubling of a
// centre of modulus 1 or more),
// one of 128, 256, 512 and 1152.
int referencePrecisionBits(double spacing, double centerModulus);

// The last index a pixel under that limit can reach: maxIterations + 2, at
// most maxReferenceEnd.
std::int64_t referenceEndFor(int maxIterations);

// Computes the orbit and its table. It reads stop at least every 2^16 steps
// and gives nullptr once it is set. Meant to run off the user-interface
// thread.
std::shared_ptr<const ReferenceOrbit> computeReferenceOrbit(const ReferenceRequest& request,
                                                            const std::atomic<bool>& stop);

// Whether the orbit serves the request as well as a new one would: the same
// centre, enough precision for its spacing, radii made for offsets at least
// as large, and enough steps for its limit (any, once it escaped or loops).
bool referenceServes(const ReferenceOrbit& orbit, const ReferenceRequest& request);
