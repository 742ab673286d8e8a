// Uncompressed BMP files, written by the host tools that make the resource
// bitmaps and read back by their tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// A picture as width x height colours, row 0 at the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The standard 16-colour palette of the platform, in its order.
const std::vector<Rgb>& standardPalette16();

// The bytes of a 24-bit BMP file of the picture.
std::vector<std::uint8_t> encodeBmp24(const Picture& picture);

// The bytes of a 4-bit BMP file of the picture in the standard 16-colour
// palette; every colour of the picture must be one of the palette's.
std::vector<std::uint8_t> encodeBmp4(const Picture& picture);

// Reads a 24-bit or 4-bit uncompressed BMP file; false if it is not one.
bool decodeBmp(const std::vector<std::uint8_t>& bytes, Picture& picture, int& bitsPerPixel);

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
