// A PNG picture read back with the platform's decoder (WIC), for the tests
// of saved pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedPicture {
    unsigned width = 0;
    unsigned height = 0;
    // Top-down 0x00RRGGBB pixels, as the program's pictures hold them.
    std::vector<std::uint32_t> pixels;
    // Empty, or what went wrong.
    std::string failure;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + std::size_t(x)]; }
};

DecodedPicture decodePngPicture(const std::string& path);
