#include "resources/tools/icon_file.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (std::uint32_t(in[at + 3]) << 24);
}

unsigned get16(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return in[at] | (in[at + 1] << 8);
}

// A picture with a colour of its own at every pixel, transparent on the
// diagonal.
IconImage numberedImage(int size)
{
    IconImage image;
    image.size = size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.pixels.push_back(Rgba{std::uint8_t(x), std::uint8_t(y), std::uint8_t(size), std::uint8_t(x == y ? 0 : 200)});
    return image;
}

} // namespace

TEST(IconFile, HasADirectoryEntryForEachImageAtItsOffset)
{
    const std::vector<std::uint8_t> bytes = encodeIco({numberedImage(16), numberedImage(256)});
    ASSERT_GE(bytes.size(), 6u + 2 * 16u);
    EXPECT_EQ(get16(bytes, 0), 0u);
    EXPECT_EQ(get16(bytes, 2), 1u);
    EXPECT_EQ(get16(bytes, 4), 2u);

    // 16 x 16: a 40-byte header, 1024 bytes of colour, 16 mask rows of 4 bytes.
    const std::size_t first = 6;
    EXPECT_EQ(bytes[first], 16);
    EXPECT_EQ(bytes[first + 1], 16);
    EXPECT_EQ(bytes[first + 2], 0);
    EXPECT_EQ(get16(bytes, first + 4), 1u);
    EXPECT_EQ(get16(bytes, first + 6), 32u);
    EXPECT_EQ(get32(bytes, first + 8), 40u + 1024u + 64u);
    EXPECT_EQ(get32(bytes, first + 12), 6u + 32u);

    // 256 x 256 is written as 0 x 0; its mask rows are 32 bytes.
    const std::size_t second = first + 16;
    EXPECT_EQ(bytes[second], 0);
    EXPECT_EQ(bytes[second + 1], 0);
    EXPECT_EQ(get32(bytes, second + 8), 40u + 256u * 256u * 4u + 256u * 32u);
    EXPECT_EQ(get32(bytes, second + 12), 6u + 32u + 40u + 1024u + 64u);
    EXPECT_EQ(bytes.size(), get32(bytes, second + 12) + get32(bytes, second + 8));
}

TEST(IconFile, StoresEachImageAsABottomUpDibOfDoubleHeightWithItsMask)
{
    const IconImage image = numberedImage(16);
    const std::vector<std::uint8_t> bytes = encodeIco({image});
    const std::size_t header = get32(bytes, 6 + 12);
    EXPECT_EQ(get32(bytes, header), 40u);
    EXPECT_EQ(get32(bytes, header + 4), 16u);
    EXPECT_EQ(get32(bytes, header + 8), 32u);
    EXPECT_EQ(get16(bytes, header + 12), 1u);
    EXPECT_EQ(get16(bytes, header + 14), 32u);
    EXPECT_EQ(get32(bytes, header + 16), 0u);

    // The bottom row comes first, each pixel blue, green, red, alpha.
    const std::size_t colours = header + 40;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::size_t at = colours + (std::size_t(15 - y) * 16 + x) * 4;
            const Rgba c = image.at(x, y);
            EXPECT_EQ(bytes[at], c.blue);
            EXPECT_EQ(bytes[at + 1], c.green);
            EXPECT_EQ(bytes[at + 2], c.red);
            EXPECT_EQ(bytes[at + 3], c.alpha);
        }
    }
    // The mask, also bottom up, has a bit set, highest first, where the
    // picture is transparent: the diagonal.
    const std::size_t mask = colours + 16 * 16 * 4;
    for (int y = 0; y < 16; ++y) {
        const std::size_t row = mask + std::size_t(15 - y) * 4;
        for (int x = 0; x < 16; ++x) {
            const bool set = (bytes[row + x / 8] >> (7 - x % 8)) & 1;
            EXPECT_EQ(set, x == y) << x << "," << y;
        }
        EXPECT_EQ(bytes[row + 2], 0);
        EXPECT_EQ(bytes[row + 3], 0);
    }
}
