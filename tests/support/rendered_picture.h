// The picture of a location as the renderer computes it in one piece, the
// way the view computes its own: the tests' reference for saved pictures.
#pragma once

#include "engine/location.h"

#include <cstdint>
#include <vector>

// The width x height picture of location, shallow ones centred on the double
// centre given, as top-down 0x00RRGGBB pixels; computed on every core.
std::vector<std::uint32_t> renderedPicture(const Location& location, double centerReal, double centerImag, int width,
                                           int height);
