#include "resources/bitmap_file.h"
#include "shell/toolbar_picture.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

const Rgb black = {0, 0, 0};
const Rgb white = {255, 255, 255};
const Rgb grey = {192, 192, 192};
const Rgb darkGrey = {128, 128, 128};
const Rgb darkGreen = {0, 128, 0};
const Rgb darkBlue = {0, 0, 128};
const Rgb red = {255, 0, 0};

struct ColourKey {
    bool operator()(const Rgb& a, const Rgb& b) const
    {
        return std::tie(a.red, a.green, a.blue) < std::tie(b.red, b.green, b.blue);
    }
};
using ColourCounts = std::map<Rgb, int, ColourKey>;

class ToolbarPictures : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(readPixelMapFile(std::string(ZELVAR_SOURCE_DIR) + "/resources/toolbar.txt", map, error)) << error;
        ASSERT_TRUE(makeToolbarPicture(map, strip, error)) << error;
    }

    // Pixel (x, y) of button image n, read from the strip.
    Rgb at(int n, int x, int y) const { return strip.at(16 * n + x, y); }

    ColourCounts colours(int n) const
    {
        ColourCounts counts;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                ++counts[at(n, x, y)];
        return counts;
    }

    PixelMap map;
    Picture strip;
};

// A map of `count` pictures of the given size, all light grey.
PixelMap plainMap(int count, int width, int height)
{
    PixelMap map;
    for (int n = 0; n < count; ++n) {
        NamedPicture image;
        image.name = "image" + std::to_string(n);
        image.picture.width = width;
        image.picture.height = height;
        image.picture.pixels.assign(std::size_t(width) * height, grey);
        map.pictures.push_back(image);
    }
    return map;
}

} // namespace

TEST_F(ToolbarPictures, StripHoldsTheSevenPicturesSideBySideAndASpareGreyColumn)
{
    ASSERT_EQ(strip.width, 113);
    ASSERT_EQ(strip.height, 15);
    const char* names[] = {"Recalculate", "ZoomReset", "ZoomIn", "ZoomOut", "ChangeFractalParameters", "Stop", "Export"};
    ASSERT_EQ(map.pictures.size(), 7u);
    for (int n = 0; n < 7; ++n) {
        EXPECT_EQ(map.pictures[n].name, names[n]);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(at(n, x, y), map.pictures[n].picture.at(x, y)) << "image " << n << " at " << x << "," << y;
    }
    for (int y = 0; y < 15; ++y)
        EXPECT_EQ(strip.at(112, y), grey) << y;
}

TEST_F(ToolbarPictures, EveryPictureStandsOnTheGreyBackground)
{
    // The right-hand column of every picture is background, and so are the
    // corners of the pictures that have no frame.
    for (int n = 0; n < 7; ++n) {
        EXPECT_EQ(at(n, 15, 0), grey) << n;
        EXPECT_EQ(at(n, 15, 14), grey) << n;
    }
    for (int n : {0, 6}) {
        EXPECT_EQ(at(n, 0, 0), grey) << n;
        EXPECT_EQ(at(n, 0, 14), grey) << n;
    }
}

TEST_F(ToolbarPictures, EachPictureHasItsTellingColours)
{
    // Recalculate: green arrows around an empty middle.
    ColourCounts recalculate = colours(0);
    EXPECT_EQ(recalculate.size(), 2u);
    EXPECT_GT(recalculate[darkGreen], 40);
    EXPECT_EQ(at(0, 7, 7), grey);

    // Zoom Reset: a black-framed white square with the black set inside.
    ColourCounts reset = colours(1);
    EXPECT_EQ(reset.size(), 3u);
    EXPECT_GT(reset[white], 60);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(at(1, i, 0), black) << i;
        EXPECT_EQ(at(1, i, 14), black) << i;
        EXPECT_EQ(at(1, 0, i), black) << i;
        EXPECT_EQ(at(1, 14, i), black) << i;
    }
    EXPECT_EQ(at(1, 9, 7), black);
    EXPECT_EQ(at(1, 2, 2), white);
    EXPECT_EQ(at(1, 13, 7), white);

    // Zoom In: more of the front green square than of the blue one behind it;
    // Zoom Out the other way round. The green one is always at the upper left.
    ColourCounts zoomIn = colours(2);
    ColourCounts zoomOut = colours(3);
    EXPECT_GT(zoomIn[darkGreen], 2 * zoomIn[darkBlue]);
    EXPECT_GT(zoomIn[darkBlue], 0);
    EXPECT_GT(zoomOut[darkBlue], 2 * zoomOut[darkGreen]);
    EXPECT_GT(zoomOut[darkGreen], 0);
    EXPECT_EQ(at(2, 0, 0), black);
    EXPECT_EQ(at(2, 5, 5), darkGreen);
    EXPECT_EQ(at(2, 12, 12), darkBlue);
    EXPECT_EQ(at(3, 3, 3), darkGreen);
    EXPECT_EQ(at(3, 10, 10), darkBlue);

    // Change Fractal Parameters: a white form with a grey-filled box.
    ColourCounts parameters = colours(4);
    EXPECT_EQ(parameters.size(), 4u);
    EXPECT_GT(parameters[white], parameters[black]);
    EXPECT_GT(parameters[darkGrey], 0);

    // Stop: red and black only, besides the background, crossing in the middle.
    ColourCounts stop = colours(5);
    EXPECT_EQ(stop.size(), 3u);
    EXPECT_GT(stop[red], 80);
    EXPECT_EQ(at(5, 7, 7), black);
    EXPECT_EQ(at(5, 3, 3), black);
    EXPECT_EQ(at(5, 11, 11), black);
    EXPECT_EQ(at(5, 7, 2), red);
    EXPECT_EQ(at(5, 0, 0), black);

    // Export: black on grey, the arrow above the letters.
    ColourCounts exportImage = colours(6);
    EXPECT_EQ(exportImage.size(), 2u);
    EXPECT_EQ(at(6, 7, 0), black);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(at(6, x, 9), grey) << x;
}

TEST_F(ToolbarPictures, StripEncodesAsFourBitsPerPixel)
{
    Picture decoded;
    int bits = 0;
    ASSERT_TRUE(decodeBmp(encodeBmp4(strip), decoded, bits));
    EXPECT_EQ(bits, 4);
    EXPECT_EQ(decoded.width, 113);
    EXPECT_EQ(decoded.height, 15);
    EXPECT_EQ(decoded.pixels, strip.pixels);
}

TEST(ToolbarPicture, RefusesMapsThatDoNotMakeSevenButtonPictures)
{
    Picture strip;
    std::string error;
    EXPECT_FALSE(makeToolbarPicture(plainMap(6, 16, 15), strip, error));
    EXPECT_EQ(error, "the toolbar needs 7 pictures, the map has 6");
    EXPECT_FALSE(makeToolbarPicture(plainMap(8, 16, 15), strip, error));

    PixelMap narrow = plainMap(7, 16, 15);
    narrow.pictures[3].picture = plainMap(1, 15, 15).pictures[0].picture;
    EXPECT_FALSE(makeToolbarPicture(narrow, strip, error));
    EXPECT_EQ(error, "picture \"image3\" is 15 x 15, not 16 x 15");

    PixelMap tall = plainMap(7, 16, 15);
    tall.pictures[6].picture = plainMap(1, 16, 16).pictures[0].picture;
    EXPECT_FALSE(makeToolbarPicture(tall, strip, error));

    PixelMap offPalette = plainMap(7, 16, 15);
    offPalette.pictures[2].picture.pixels[17] = Rgb{200, 200, 200};
    EXPECT_FALSE(makeToolbarPicture(offPalette, strip, error));
    EXPECT_EQ(error, "picture \"image2\" has a colour outside the standard 16-colour palette");

    EXPECT_TRUE(makeToolbarPicture(plainMap(7, 16, 15), strip, error)) << error;
}
