#include "resources/bitmap_file.h"

#include "resources/little_endian.h"

#include <cstdio>

namespace {

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (std::uint32_t(in[at + 3]) << 24);
}

unsigned get16(const std::vector<std::uint8_t>& in, std::size_t at) { return in[at] | (in[at + 1] << 8); }

int rowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// File header and BITMAPINFOHEADER of a bottom-up picture.
std::vector<std::uint8_t> header(int width, int height, int bitsPerPixel, int paletteSize)
{
    const std::uint32_t offset = 14 + 40 + 4 * paletteSize;
    const std::uint32_t imageSize = std::uint32_t(rowBytes(width, bitsPerPixel)) * height;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, bitsPerPixel);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, paletteSize);
    put32(out, 0);
    return out;
}

int paletteIndex(const Rgb& colour)
{
    const auto& palette = standardPalette16();
    for (std::size_t i = 0; i < palette.size(); ++i)
        if (palette[i] == colour)
            return int(i);
    return -1;
}

} // namespace

const std::vector<Rgb>& standardPalette16()
{
    static const std::vector<Rgb> palette = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    return palette;
}

std::vector<std::uint8_t> encodeBmp24(const Picture& picture)
{
    std::vector<std::uint8_t> out = header(picture.width, picture.height, 24, 0);
    const int padding = rowBytes(picture.width, 24) - picture.width * 3;
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.at(x, y);
            out.push_back(c.blue);
            out.push_back(c.green);
            out.push_back(c.red);
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp4(const Picture& picture)
{
    std::vector<std::uint8_t> out = header(picture.width, picture.height, 4, 16);
    for (const Rgb& c : standardPalette16()) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    const int bytes = rowBytes(picture.width, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(bytes, 0);
        for (int x = 0; x < picture.width; ++x) {
            const int index = paletteIndex(picture.at(x, y));
            const unsigned nibble = index < 0 ? 0 : unsigned(index);
            row[x / 2] |= x % 2 == 0 ? nibble << 4 : nibble;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool decodeBmp(const std::vector<std::uint8_t>& bytes, Picture& picture, int& bitsPerPixel)
{
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::uint32_t offset = get32(bytes, 10);
    const int width = int(get32(bytes, 18));
    const int height = int(get32(bytes, 22));
    bitsPerPixel = int(get16(bytes, 28));
    if (get32(bytes, 30) != 0 || width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 4))
        return false;
    const std::size_t stride = rowBytes(width, bitsPerPixel);
    if (bytes.size() < offset + stride * height)
        return false;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(std::size_t(width) * height, Rgb{});
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            Rgb& c = picture.pixels[std::size_t(y) * width + x];
            if (bitsPerPixel == 24) {
                c = Rgb{bytes[row + 3 * x + 2], bytes[row + 3 * x + 1], bytes[row + 3 * x]};
            } else {
                const std::uint8_t pair = bytes[row + x / 2];
                const unsigned index = x % 2 == 0 ? pair >> 4 : pair & 0xF;
                const std::size_t entry = 54 + 4 * index;
                c = Rgb{bytes[entry + 2], bytes[entry + 1], bytes[entry]};
            }
        }
    }
    return true;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
