// The views over which every way of computing a picture is compared with
// the plain iteration: shallow views of every kind of place, limit and
// threshold, in sizes that end rows in partial vectors.
#pragma once

#include <limits>

// A picture of the corpus: the view, its size in pixels, and how many of its
// rows, spread from top to bottom, are compared.
struct CorpusView {
    const char* name;
    double centerReal;
    double centerImag;
    double halfHeight;
    int width;
    int height;
    int rows;
    int limit;
    double threshold;
};

constexpr double infinity = std::numeric_limits<double>::infinity();

// Widths are mostly not a multiple of any vector's lanes, so that rows end in
// a partial vector.
inline const CorpusView corpus[] = {
    {"start-up, limit 32", -0.5, 0.0, 1.3, 103, 80, 9, 32, 15.0},
    {"start-up, limit 4096", -0.5, 0.0, 1.3, 45, 80, 5, 4096, 15.0},
    {"reset, limit 255, threshold 2", -0.5, 0.0, 1.5, 50, 40, 6, 255, 2.0},
    {"reset, limit 256, threshold 0.5", -0.5, 0.0, 1.5, 29, 40, 6, 256, 0.5},
    {"start-up, limit 1", -0.5, 0.0, 1.3, 37, 30, 3, 1, 15.0},
    {"start-up, limit 2", -0.5, 0.0, 1.3, 38, 30, 3, 2, 15.0},
    {"start-up, limit 3", -0.5, 0.0, 1.3, 39, 30, 3, 3, 15.0},
    {"start-up, threshold 1e-300", -0.5, 0.0, 1.3, 21, 20, 5, 32, 1e-300},
    {"start-up, threshold 1e200", -0.5, 0.0, 1.3, 31, 20, 4, 4096, 1e200},
    {"start-up, infinite threshold", -0.5, 0.0, 1.3, 33, 20, 3, 256, infinity},
    {"seahorse valley, half-height 1e-3, threshold 1e10", -0.745, 0.113, 1e-3, 29, 20, 5, 4096, 1e10},
    {"spiral, half-height 1e-6", -0.7436438870371587, 0.1318259042053120, 1e-6, 23, 20, 4, 100000, 2.0},
    {"period-3 island, half-height 1e-9", -1.7497591451303665, 0.0, 1e-9, 41, 20, 3, 4096, 15.0},
    {"cusp, half-height 1e-12", 0.25, 0.0, 1e-12, 19, 20, 3, 100000, 15.0},
    {"airplane, half-height 1e-14, coinciding pixels", -1.7548776662466927, 1e-15, 1e-14, 97, 100, 3, 4096, 15.0},
    {"neck, half-height 1e-14, coinciding pixels", -0.75, 0.0, 1e-14, 43, 400, 2, 4096, 15.0},
    {"outside, |c| 10", 10.0, 10.0, 1.0, 26, 20, 3, 32, 15.0},
    {"outside, |c| 1e10", 1e10, -1e10, 1e9, 27, 20, 3, 4096, 1e10},
    {"outside, |c| 1e155, squares overflow", 1e155, 1e155, 1e154, 17, 20, 3, 255, 1e200},
    {"outside, |c| 1e300, infinite threshold", 1e300, -1e300, 1e299, 9, 20, 3, 100000, infinity},
    {"outside, |c| 1e300, threshold 1e200", -1e300, 1e300, 1e299, 11, 20, 3, 256, 1e200},
    {"one pixel wide", -0.75, 0.1, 0.05, 1, 20, 20, 4096, 15.0},
    {"two pixels wide", -0.1, 0.8, 0.2, 2, 20, 20, 256, 2.0},
    {"three pixels wide", -1.25, 0.0, 0.3, 3, 20, 20, 100000, 15.0},
};
