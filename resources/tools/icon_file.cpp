#include "resources/tools/icon_file.h"

#include "resources/little_endian.h"

namespace {

constexpr std::uint32_t iconDirectorySize = 6;
constexpr std::uint32_t directoryEntrySize = 16;
constexpr std::uint32_t infoHeaderSize = 40;

// Rows of the 1-bit mask are padded to whole 32-bit words.
std::uint32_t maskRowBytes(int size)
{
    return std::uint32_t((size + 31) / 32) * 4;
}

std::uint32_t imageBytes(int size)
{
    return infoHeaderSize + std::uint32_t(size) * size * 4 + maskRowBytes(size) * size;
}

void putImage(std::vector<std::uint8_t>& out, const IconImage& image)
{
    const int size = image.size;
    put32(out, infoHeaderSize);
    put32(out, size);
    // The height counts the colour rows and the mask rows together.
    put32(out, 2 * size);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, imageBytes(size) - infoHeaderSize);
    for (int unused = 0; unused < 4; ++unused)
        put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba c = image.at(x, y);
            out.push_back(c.blue);
            out.push_back(c.green);
            out.push_back(c.red);
            out.push_back(c.alpha);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRowBytes(size), 0);
        for (int x = 0; x < size; ++x) {
            if (image.at(x, y).alpha == 0)
                row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images)
{
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, unsigned(images.size()));
    std::uint32_t offset = iconDirectorySize + directoryEntrySize * std::uint32_t(images.size());
    for (const IconImage& image : images) {
        // A side of 256 is written as 0.
        out.push_back(std::uint8_t(image.size & 0xFF));
        out.push_back(std::uint8_t(image.size & 0xFF));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, imageBytes(image.size));
        put32(out, offset);
        offset += imageBytes(image.size);
    }
    for (const IconImage& image : images)
        putImage(out, image);
    return out;
}
