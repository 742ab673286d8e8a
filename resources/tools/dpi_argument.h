// The DPI argument of the host tools that draw a picture for each of the
// drawn scales.
#pragma once

#include "common/dpi_scale.h"

#include <string>

// True, with the value in dpi, when text is one of the drawn scales' DPIs.
inline bool readDpiArgument(const std::string& text, int& dpi)
{
    for (int candidate : pictureDpis) {
        if (text == std::to_string(candidate)) {
            dpi = candidate;
            return true;
        }
    }
    return false;
}
