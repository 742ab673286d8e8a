#include "engine/location.h"

#include <cmath>

bool operator==(const Location& a, const Location& b)
{
    return a.centerReal == b.centerReal && a.centerImag == b.centerImag && a.halfHeight == b.halfHeight &&
           a.iterationLimit == b.iterationLimit && a.escapeThreshold == b.escapeThreshold &&
           a.binaryColoring == b.binaryColoring;
}

bool operator!=(const Location& a, const Location& b)
{
    return !(a == b);
}

bool isLocationCenter(const PreciseReal& part)
{
    return abs(part) <= PreciseReal(farthestLocationCenter);
}

bool isLocationHalfHeight(double halfHeight)
{
    return halfHeight >= deepestHalfHeight && halfHeight <= widestLocationHalfHeight;
}

bool isLocationThreshold(double threshold)
{
    return threshold > 0 && std::isfinite(threshold);
}

bool isValidLocation(const Location& location)
{
    return isLocationCenter(location.centerReal) && isLocationCenter(location.centerImag) &&
           isLocationHalfHeight(location.halfHeight) && location.iterationLimit >= 1 &&
           isLocationThreshold(location.escapeThreshold);
}
