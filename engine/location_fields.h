// The three fields of the Location dialog: the texts it shows for a view,
// and the reading of the texts the user leaves in them.
#pragma once

#include "engine/location.h"

#include <string>

enum class LocationField { centerReal, centerImag, halfHeight };

struct LocationTexts {
    std::string centerReal;
    std::string centerImag;
    std::string halfHeight;
};

// The texts of a location shown in a picture `height` rows high: each part
// of the centre with just enough decimals to place it within a tenth of a
// pixel, the half-height in the shortest text that reads back to it exactly.
LocationTexts locationTexts(const Location& location, int height);

struct LocationFieldsReading {
    // Empty when the texts were read; else what is wrong, naming the field.
    std::string problem;
    LocationField field = LocationField::centerReal;
};

// Reads the typed texts into the centre and the half-height of location,
// which the dialog showed as `shown`. A field whose text is still the one
// shown keeps its exact value, so that OK without a change leaves the view
// where it is. On a problem location stays as it was.
LocationFieldsReading readLocationTexts(const LocationTexts& typed, const LocationTexts& shown, Location& location);
