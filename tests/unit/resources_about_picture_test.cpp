#include "resources/bitmap_file.h"
#include "resources/tools/about_picture.h"

#include <gtest/gtest.h>

#include <complex>

namespace {

const Rgb black = {0, 0, 0};
const Rgb blue = {0, 0, 255};
const Rgb white = {255, 255, 255};

// Steps until |z| exceeds 2, z starting at c, at most 41: the iteration as
// the fractal view defines it, written out with complex numbers.
int stepsOf(std::complex<double> c)
{
    std::complex<double> z = c;
    for (int n = 1; n <= 40; ++n) {
        z = z * z + c;
        if (std::abs(z) > 2.0)
            return n;
    }
    return 41;
}

} // namespace

TEST(AboutPicture, IsATallFramedPictureInTheStandardPalette)
{
    const Picture picture = makeAboutPicture();
    ASSERT_EQ(picture.width, 42);
    ASSERT_EQ(picture.height, 85);
    for (int x = 0; x < 42; ++x) {
        EXPECT_EQ(picture.at(x, 0), black) << x;
        EXPECT_EQ(picture.at(x, 84), black) << x;
    }
    for (int y = 0; y < 85; ++y) {
        EXPECT_EQ(picture.at(0, y), black) << y;
        EXPECT_EQ(picture.at(41, y), black) << y;
    }

    Picture decoded;
    int bits = 0;
    ASSERT_TRUE(decodeBmp(encodeBmp4(picture), decoded, bits));
    EXPECT_EQ(bits, 4);
    EXPECT_EQ(decoded.pixels, picture.pixels);
}

TEST(AboutPicture, InsideIsABlueAndWhitePatternSymmetricAboutTheRealAxis)
{
    const Picture picture = makeAboutPicture();
    int blues = 0;
    int whites = 0;
    for (int y = 1; y < 84; ++y) {
        for (int x = 1; x < 41; ++x) {
            const Rgb pixel = picture.at(x, y);
            ASSERT_TRUE(pixel == blue || pixel == white) << x << "," << y;
            (pixel == blue ? blues : whites)++;
            // Row 42 shows the real axis; the set is its own mirror image.
            ASSERT_EQ(pixel, picture.at(x, 84 - y)) << x << "," << y;
        }
    }
    const int inside = 40 * 83;
    EXPECT_GT(blues, inside / 5);
    EXPECT_GT(whites, inside / 5);
}

TEST(AboutPicture, ColoursFollowTheStepCountsOfThePixelCentres)
{
    const Picture picture = makeAboutPicture();
    // 83 rows cover the imaginary parts -1.2 to 1.2, and the picture's middle
    // is -0.75 + 0i.
    const double unit = 2.4 / 83;
    for (int y = 1; y < 84; y += 4) {
        for (int x = 1; x < 41; x += 3) {
            const std::complex<double> c(-0.75 + (x + 0.5 - 21) * unit, (y + 0.5 - 42.5) * unit);
            const int steps = stepsOf(c);
            const Rgb expected = steps <= 40 && steps % 2 == 1 ? white : blue;
            EXPECT_EQ(picture.at(x, y), expected) << x << "," << y << " steps " << steps;
        }
    }
    // A point of the main cardioid and one of the bulb to its left are blue.
    EXPECT_EQ(picture.at(30, 42), blue);
    EXPECT_EQ(picture.at(10, 42), blue);
}
