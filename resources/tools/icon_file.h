// Icon files (.ico) of 32-bit pictures with an alpha channel, written by the
// host tool that makes the program's icon.
#pragma once

#include <cstdint>
#include <vector>

struct Rgba {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    // 0 is fully transparent, 255 fully opaque.
    std::uint8_t alpha;
    bool operator==(const Rgba& other) const
    {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
};

// A square picture of size x size pixels, row 0 at the top.
struct IconImage {
    int size = 0;
    std::vector<Rgba> pixels;
    Rgba at(int x, int y) const { return pixels[std::size_t(y) * size + x]; }
};

// The bytes of an icon file holding the images in their order, each stored
// as a bottom-up 32-bit DIB with its AND mask (set where alpha is 0), which
// every version of the platform reads, 256 x 256 included. Sizes from 1 to
// 256.
std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images);
