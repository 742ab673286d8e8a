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

    // Builds the table of the orbit Z_0 .. Z_end (re[k] + i im[k]) for
    // offsets up to cmax. It reads stop every 2^16 maps and gives nothing
    // once it is set.
    static std::optional<BlaTable> build(const double* re, const double* im, std::int64_t end, double cmax,
                                         const std::atomic<bool>& stop);

private:
    std::vector<std::vector<BlaMap>> levels_;
    std::int64_t openingSteps_ = 0;
};
