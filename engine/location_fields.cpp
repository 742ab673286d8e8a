#include "engine/location_fields.h"

#include "engine/decimal_text.h"
#include "engine/deep_view.h"
#include "engine/number_text.h"
#include "engine/plain_text.h"

namespace {

LocationFieldsReading refused(LocationField field, const std::string& problem)
{
    return LocationFieldsReading{problem, field};
}

// Reads a part of the centre; empty, or what is wrong with it.
std::string readCenterPart(const char* name, const std::string& text, PreciseReal& part)
{
    PreciseReal reading;
    const DecimalReading result = readDecimal(text, reading);
    if (result == DecimalReading::notADecimal)
        return std::string(name) + " must be a decimal number such as -0.75 or 1.5e-3, not " + quotedValue(text) + ".";
    if (result == DecimalReading::outOfRange || !isLocationCenter(reading))
        return std::string(name) + " must lie from -1e300 to 1e300, not " + quotedValue(text) + ".";
    part = reading;
    return {};
}

} // namespace

LocationTexts locationTexts(const Location& location, int height)
{
    const double spacing = pixelSpacing(location.halfHeight, height);
    return LocationTexts{placedText(location.centerReal, spacing), placedText(location.centerImag, spacing),
                         formatShortestReal(location.halfHeight)};
}

LocationFieldsReading readLocationTexts(const LocationTexts& typed, const LocationTexts& shown, Location& location)
{
    PreciseReal centerReal = location.centerReal;
    PreciseReal centerImag = location.centerImag;
    double halfHeight = location.halfHeight;
    if (typed.centerReal != shown.centerReal) {
        const std::string problem = readCenterPart("The center's real part", typed.centerReal, centerReal);
        if (!problem.empty())
            return refused(LocationField::centerReal, problem);
    }
    if (typed.centerImag != shown.centerImag) {
        const std::string problem = readCenterPart("The center's imaginary part", typed.centerImag, centerImag);
        if (!problem.empty())
            return refused(LocationField::centerImag, problem);
    }
    if (typed.halfHeight != shown.halfHeight) {
        if (readDecimal(typed.halfHeight, halfHeight) != DecimalReading::number || !isLocationHalfHeight(halfHeight)) {
            return refused(LocationField::halfHeight,
                           "The half-height must be a number from 1e-300 to 1e300, not " +
                               quotedValue(typed.halfHeight) + ".");
        }
    }
    location.centerReal = centerReal;
    location.centerImag = centerImag;
    location.halfHeight = halfHeight;
    return {};
}
