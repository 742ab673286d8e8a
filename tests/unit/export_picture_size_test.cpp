// The size of a picture to save as the user types it, and the side that
// keeps the view's proportions.
#include "export/picture_size.h"

#include <gtest/gtest.h>

namespace {

const char widthMessage[] = "The width must be a whole number of pixels from 1 to 65535.";
const char heightMessage[] = "The height must be a whole number of pixels from 1 to 65535.";

} // namespace

TEST(PictureSize, TakesWholeNumbersOfPixelsUpToTheLimits)
{
    const struct {
        const char* width;
        const char* height;
        PictureSize size;
    } good[] = {
        {"1", "1", {1, 1}},
        {"500", "400", {500, 400}},
        {" 40000\t", "\t30000 ", {40000, 30000}},
        {"007", "0010", {7, 10}},
        {"65535", "32768", {65535, 32768}},
        {"32768", "65535", {32768, 65535}},
    };
    for (const auto& entry : good) {
        PictureSize size;
        EXPECT_EQ(readPictureSize(entry.width, entry.height, size), "") << entry.width << " x " << entry.height;
        EXPECT_EQ(size.width, entry.size.width);
        EXPECT_EQ(size.height, entry.size.height);
    }
}

TEST(PictureSize, ABadSideIsRefusedByTheNameOfItsField)
{
    const char* const bad[] = {"", "  ", "0", "-5", "+5", "12a", "1.5", "1e3", "1 2", "65536",
                               "99999999999999999999999", "\xEF\xBC\x95"};
    for (const char* text : bad) {
        PictureSize size{3, 4};
        EXPECT_EQ(readPictureSize(text, "400", size), widthMessage) << "width " << text;
        EXPECT_EQ(readPictureSize("500", text, size), heightMessage) << "height " << text;
        EXPECT_EQ(size.width, 3) << "a refused size changes nothing";
        EXPECT_EQ(size.height, 4);
    }
    PictureSize size;
    EXPECT_EQ(readPictureSize("x", "y", size), widthMessage) << "the width is named first";
}

TEST(PictureSize, APictureOfTooManyPixelsNamesBothSides)
{
    PictureSize size{3, 4};
    EXPECT_EQ(readPictureSize("65535", "32769", size),
              "The picture may have at most 2147483647 pixels in all: a width of 65535 and a height of 32769 make "
              "2147516415.");
    EXPECT_EQ(readPictureSize("65535", "65535", size),
              "The picture may have at most 2147483647 pixels in all: a width of 65535 and a height of 65535 make "
              "4294836225.");
    EXPECT_EQ(size.width, 3);
}

TEST(PictureSize, TheOtherSideKeepsTheViewsProportionsRoundedToTheNearestPixel)
{
    // A view of 500 x 400: 4 / 5 of the width is the height, 5 / 4 of the
    // height the width.
    EXPECT_EQ(proportionalSide("1000", 500, 400), 800);
    EXPECT_EQ(proportionalSide("800", 400, 500), 1000);
    EXPECT_EQ(proportionalSide("3", 500, 400), 2) << "2.4";
    EXPECT_EQ(proportionalSide("5", 400, 500), 6) << "6.25";
    EXPECT_EQ(proportionalSide("7", 400, 500), 9) << "8.75";
    EXPECT_EQ(proportionalSide("3", 2, 1), 2) << "1.5 rounds up";
    EXPECT_EQ(proportionalSide("1", 1000, 1), 1) << "never below one pixel";
    EXPECT_EQ(proportionalSide("65535", 1, 1000), 65535000) << "beyond the limit, for OK to refuse";
    EXPECT_EQ(proportionalSide(" 40000 ", 500, 400), 32000);

    // Nothing to follow: a side that is not one, or a view without a size.
    EXPECT_EQ(proportionalSide("", 500, 400), 0);
    EXPECT_EQ(proportionalSide("12a", 500, 400), 0);
    EXPECT_EQ(proportionalSide("0", 500, 400), 0);
    EXPECT_EQ(proportionalSide("100", 0, 400), 0);
    EXPECT_EQ(proportionalSide("100", 500, 0), 0);
}
