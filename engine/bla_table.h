// Bilinear approximation of runs of perturbed steps along a reference orbit.
//
// A pixel at reference index m with difference d from the reference takes the
// step d -> 2 Z_m d + d^2 + c. While d is small enough, d^2 is negligible and
// l steps from index m compose into one linear map d -> A d + B c. The table
// holds such maps for runs of 2, 4, 8, ... steps in a binary tree: the map of
// level j and number i covers the steps from index 1 + i 2^j on, 2^j of them
// or fewer at the end of the orbit. Each map has a radius: it may replace its
// steps when |d| < radius.
//
// Radii. Dropping d^2 in one step costs |d|^2. The step already carries a
// rounding error of 2^-53 |2 Z_m| |d|, since Z_m itself is stored as a double
// rounded to 2^-53 of its size. The dropped term stays below that when
// |d| < 2^-53 |2 Z_m|; the single step's radius is the lower bound
//     R(m) = 2^-52 max(|Re Z_m|, |Im Z_m|)  <=  2^-53 |2 Z_m|.
// Two maps x (first) and y merge into A = A_y A_x, B = A_y B_x + B_y. The
// merged map is valid when x is (|d| < R_x) and the point where x leaves the
// pixel is within y's radius, which |A_x| |d| + |B_x| |c| < R_y ensures:
//     R = max(0, min(R_x, (R_y - |B_x| cmax) / |A_x|)),
// where cmax bounds the offsets |c| of every pixel the table serves. Every
// step a merged map replaces thus drops less than its own rounding error.
//
// Segments. A reference that passes close to 0 again and again (in the neck
// of a small copy, every period of it) has points there where no map can
// hold: the step's radius 2^-52 |Z| is far below the difference any pixel
// has come to. A pixel takes that step singly and goes on from the index
// after it, where no run of the tree begins; it would climb the tree anew in
// every period. The table therefore also cuts the orbit into segments: the
// first begins at index 1, and each grows by single steps with the same
// merge, the prefix map P_k of the steps s .. k from the segment's start s,
//     P_k = merge(P_{k-1}, step k),
//     R(P_k) = max(0, min(R(P_{k-1}), (R(k) - |B_{k-1}| cmax) / |A_{k-1}|)),
// as long as that radius stays positive. The first step b where it would
// not (|B_{k-1}| cmax >= R(b): even a pixel on the reference's own orbit,
// with difference 0, leaves the radius there) ends the segment, and the next
// one begins at b + 1, where a pixel stands after taking step b singly. So a
// pixel on such a reference crosses each period in one map and one step.
// The radii are those of the tree's merges, so each prefix map too drops
// less than its steps' rounding; its coefficients, merged a step at a time,
// carry one rounding per step, as the steps they replace do. A segment keeps
// its prefix maps to the indices k that are multiples of 8 and to its last
// step: a pixel whose difference is too large for the whole segment takes
// the longest valid one and goes on along the tree from k + 1, where runs
// of 8 steps begin. Segments shorter than 32 steps, where the tree or the
// lanes serve as well, keep none.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

struct BlaMap {
    double ar, ai; // A
    double br, bi; // B
    double radius;
};

// A prefix map of a segment and the index where it leaves the pixel: the
// map covers the steps from the segment's start to landing - 1.
struct BlaPrefix {
    BlaMap map;
    std::int64_t landing;
};

// A segment with its prefix maps, BlaTable::prefixes() first .. first +
// count - 1, in the order of their landings (their radii never grow); the
// last covers the whole segment, up to the step that ends it.
struct BlaSegment {
    std::int64_t start;
    std::int64_t first;
    std::int64_t count;
};

// The radius of the single step from a reference point Z_m.
inline double blaStepRadius(double zr, double zi)
{
    const double ar = std::fabs(zr);
    const double ai = std::fabs(zi);
    return 0x1p-52 * (ar > ai ? ar : ai);
}

// The merge of map x followed by map y, for offsets up to cmax.
BlaMap mergeBlaMaps(const BlaMap& x, const BlaMap& y, double cmax);

class BlaTable {
public:
    // The levels from 1 (runs of 2 steps) to the top, whose single map
    // covers every step of the orbit; none for an orbit of fewer than 2 steps.
    int topLevel() const { return int(levels_.size()); }

    // The map of level 1 <= level <= topLevel() and number i, which covers
    // the steps from index 1 + i 2^level on.
    const BlaMap& map(int level, std::int64_t i) const { return levels_[std::size_t(level - 1)][std::size_t(i)]; }

    // The number of maps of that level.
    std::int64_t mapCount(int level) const { return std::int64_t(levels_[std::size_t(level - 1)].size()); }

    // The steps that maps take at the start of the orbit for the pixel of
    // the largest offset cmax: from index 1 with the difference cmax, the
    // longest valid map at every point while one is valid, with |d| bounded
    // by |A| |d| + |B| cmax after each.
    std::int64_t openingSteps() const { return openingSteps_; }

    // The segments that keep prefix maps, in the order of their starts.
    const std::vector<BlaSegment>& segments() const { return segments_; }
    const std::vector<BlaPrefix>& prefixes() const { return prefixes_; }

    // The longest prefix map of the segment that is valid for a difference
    // of that size, or nullptr when none is. Their radii never grow, so the
    // last valid one is found by halving; a pixel mostly takes the whole
    // segment, which is looked at first.
    const BlaPrefix* longestPrefix(const BlaSegment& segment, double size) const
    {
        const BlaPrefix* prefixes = prefixes_.data() + segment.first;
        std::int64_t invalid = segment.count - 1;
        if (size < prefixes[invalid].map.radius)
            return prefixes + invalid;
        if (!(size < prefixes[0].map.radius))
            return nullptr;
        std::int64_t valid = 0;
        while (invalid - valid > 1) {
            const std::int64_t middle = valid + (invalid - valid) / 2;
            if (size < prefixes[middle].map.radius)
                valid = middle;
            else
                invalid = middle;
        }
        return prefixes + valid;
    }

    // The bytes the table holds: 40 a step for the tree (its levels halve)
    // and, for the segments, at most 48 for each multiple of 8 and 72 for
    // each segment (32 steps or more, and the step that ends it): less than
    // 49 bytes a step of the orbit.
    std::size_t bytes() const;

    // Builds the table of the orbit Z_0 .. Z_end (re[k] + i im[k]) for
    // offsets up to cmax. It reads stop every 2^16 maps and gives nothing
    // once it is set.
    static std::optional<BlaTable> build(const double* re, const double* im, std::int64_t end, double cmax,
                                         const std::atomic<bool>& stop);

private:
    std::vector<std::vector<BlaMap>> levels_;
    std::vector<BlaSegment> segments_;
    std::vector<BlaPrefix> prefixes_;
    std::int64_t openingSteps_ = 0;
};
