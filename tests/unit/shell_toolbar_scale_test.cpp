// The toolbar's picture strips for the larger scales, made from the same
// pixel maps as the strip for 100 %.
#include "resources/bitmap_file.h"
#include "shell/toolbar_picture.h"

#include <gtest/gtest.h>

namespace {

// A picture whose every pixel has a colour of its own, from its place.
Picture numberedPicture(int width, int height)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(Rgb{std::uint8_t(x), std::uint8_t(y), 7});
    return picture;
}

class ScaledToolbarPictures : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(readPixelMapFile(std::string(ZELVAR_SOURCE_DIR) + "/resources/toolbar.txt", map, error)) << error;
    }

    Picture strip(int dpi)
    {
        Picture made;
        std::string error;
        EXPECT_TRUE(makeToolbarPicture(map, made, error, dpi)) << error;
        return made;
    }

    PixelMap map;
};

} // namespace

TEST(ScaleSharply, DoublingShowsEveryPixelAsATwoByTwoSquare)
{
    const Picture source = numberedPicture(5, 3);
    const Picture doubled = scaleSharply(source, 10, 6);
    ASSERT_EQ(doubled.width, 10);
    ASSERT_EQ(doubled.height, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(doubled.at(x, y), source.at(x / 2, y / 2)) << x << "," << y;
}

TEST(ScaleSharply, KeepsASameSizedPictureAndTakesThePixelUnderEachCentre)
{
    const Picture source = numberedPicture(16, 15);
    const Picture same = scaleSharply(source, 16, 15);
    EXPECT_EQ(same.pixels, source.pixels);

    // 16 to 24 columns: target column x has its centre over source column
    // (2x + 1) 16 / 48, so columns 0, 1, 1, 2, 3, 3, ...; rows alike, 15 to 23.
    const Picture larger = scaleSharply(source, 24, 23);
    const int columns[] = {0, 1, 1, 2, 3, 3, 4, 5, 5, 6, 7, 7};
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(larger.at(x, 0).red, columns[x]) << x;
    EXPECT_EQ(larger.at(23, 22), source.at(15, 14));
    EXPECT_EQ(larger.at(0, 22).green, 14);

    // Halving keeps one pixel of each pair, the one under the centre.
    const Picture smaller = scaleSharply(source, 8, 5);
    EXPECT_EQ(smaller.at(0, 0), source.at(1, 1));
    EXPECT_EQ(smaller.at(7, 4), source.at(15, 13));
}

TEST_F(ScaledToolbarPictures, EachScaleHasItsPictureSizeAndASpareGreyColumn)
{
    const int sizes[][3] = {{96, 16, 15}, {120, 20, 19}, {144, 24, 23}, {192, 32, 30}};
    for (const auto& size : sizes) {
        const int dpi = size[0];
        EXPECT_EQ(toolbarImageWidthFor(dpi), size[1]) << dpi;
        EXPECT_EQ(toolbarImageHeightFor(dpi), size[2]) << dpi;
        const Picture made = strip(dpi);
        EXPECT_EQ(made.width, 7 * size[1] + 1) << dpi;
        EXPECT_EQ(made.height, size[2]) << dpi;
        for (int y = 0; y < made.height; ++y)
            EXPECT_EQ(made.at(made.width - 1, y), toolbarBackground) << dpi << " row " << y;
        // The 4-bit bitmaps of the resource script hold only palette colours.
        EXPECT_TRUE(usesOnlyPalette(made, standardPalette16())) << dpi;
    }
}

TEST_F(ScaledToolbarPictures, EachPictureIsItsPixelMapScaledSharply)
{
    for (int dpi : {120, 144, 192}) {
        const Picture made = strip(dpi);
        const int width = toolbarImageWidthFor(dpi);
        const int height = toolbarImageHeightFor(dpi);
        for (int n = 0; n < 7; ++n) {
            const Picture expected = scaleSharply(map.pictures[n].picture, width, height);
            int differences = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    differences += !(made.at(n * width + x, y) == expected.at(x, y));
            EXPECT_EQ(differences, 0) << "image " << n << " at " << dpi;
        }
    }
    // At 200 % the Stop picture's red square and black cross keep their
    // places, each pixel doubled: (7, 2) is red and (7, 7) black at 100 %.
    const Picture doubled = strip(192);
    const Rgb red = {255, 0, 0};
    const Rgb black = {0, 0, 0};
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            EXPECT_EQ(doubled.at(5 * 32 + 14 + dx, 4 + dy), red);
            EXPECT_EQ(doubled.at(5 * 32 + 14 + dx, 14 + dy), black);
        }
    }
}
