// A location: the part of the plane a view shows and how it computes it, as
// the user keeps it in a location file and in a saved picture.
#pragma once

#include "engine/deep_view.h"
#include "engine/precise_real.h"

#include <string>

// The widest half-height a location may keep: far below the largest double,
// so that every pixel of a view of any size stays finite.
constexpr double widestLocationHalfHeight = 1e300;
// Each part of the centre lies within this distance of 0, for the same reason.
constexpr double farthestLocationCenter = 1e300;

struct Location {
    // The view's centre, -0.5 + 0i at start-up.
    PreciseReal centerReal{-0.5};
    PreciseReal centerImag{0};
    double halfHeight = 1.3;
    int iterationLimit = 32;
    double escapeThreshold = 15;
    bool binaryColoring = false;
};

bool operator==(const Location& a, const Location& b);
bool operator!=(const Location& a, const Location& b);

// Whether each value lies in its range: a centre part within
// +-farthestLocationCenter; a finite half-height from
// deepestHalfHeight to widestLocationHalfHeight; an escape threshold
// that is positive and finite, as the parameters dialog accepts it.
bool isLocationCenter(const PreciseReal& part);
bool isLocationHalfHeight(double halfHeight);
bool isLocationThreshold(double threshold);

// Whether every value of the location lies in its range and the iteration
// limit is at least 1.
bool isValidLocation(const Location& location);
