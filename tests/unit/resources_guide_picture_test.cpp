#include "resources/tools/guide_picture.h"

#include "resources/bitmap_file.h"

#include <gtest/gtest.h>

namespace {

const Rgb black = {0, 0, 0};
const Rgb background = {64, 64, 64};
const Rgb border = {75, 75, 75};
const Rgb corner = {86, 86, 86};

// The pixel whose square holds the point, at 32 pixels per unit from -2.5 - 1.5i.
Rgb pixelAt(const Picture& picture, double re, double im)
{
    return picture.at(int((re + 2.5) * 32), int((im + 1.5) * 32));
}

} // namespace

class GuidePicture : public testing::Test {
protected:
    static void SetUpTestSuite() { picture = new Picture(makeGuidePicture()); }
    static void TearDownTestSuite() { delete picture; }
    static Picture* picture;
};

Picture* GuidePicture::picture = nullptr;

TEST_F(GuidePicture, CoversTheOrbitPlaneAtThirtyTwoPixelsPerUnit)
{
    EXPECT_EQ(picture->width, 128);
    EXPECT_EQ(picture->height, 96);
    EXPECT_EQ(picture->pixels.size(), 128u * 96u);
}

TEST_F(GuidePicture, HasAOnePixelBorderWithLighterCorners)
{
    EXPECT_EQ(picture->at(0, 0), corner);
    EXPECT_EQ(picture->at(127, 0), corner);
    EXPECT_EQ(picture->at(0, 95), corner);
    EXPECT_EQ(picture->at(127, 95), corner);
    for (int x = 1; x < 127; ++x) {
        EXPECT_EQ(picture->at(x, 0), border) << "top, x = " << x;
        EXPECT_EQ(picture->at(x, 95), border) << "bottom, x = " << x;
    }
    for (int y = 1; y < 95; ++y) {
        EXPECT_EQ(picture->at(0, y), border) << "left, y = " << y;
        EXPECT_EQ(picture->at(127, y), border) << "right, y = " << y;
    }
    // The border is one pixel wide: just inside it lies the plain background.
    EXPECT_EQ(picture->at(1, 1), background);
    EXPECT_EQ(picture->at(126, 94), background);
}

TEST_F(GuidePicture, ShowsTheSetInBlackOnDarkGrey)
{
    // Points of the main cardioid and of the period-2 disc.
    EXPECT_EQ(pixelAt(*picture, -0.5, 0.0), black);
    EXPECT_EQ(pixelAt(*picture, 0.0, 0.0), black);
    EXPECT_EQ(pixelAt(*picture, 0.2, 0.3), black);
    EXPECT_EQ(pixelAt(*picture, -1.0, 0.05), black);
    // Points well outside it.
    EXPECT_EQ(pixelAt(*picture, 1.0, 1.0), background);
    EXPECT_EQ(pixelAt(*picture, -2.2, -1.2), background);
    EXPECT_EQ(pixelAt(*picture, 0.6, 0.0), background);
    EXPECT_EQ(pixelAt(*picture, -0.5, 1.2), background);
    // The set is narrow on the negative real axis: it reaches -2 there.
    EXPECT_EQ(pixelAt(*picture, -2.3, 0.3), background);

    int setPixels = 0;
    for (int y = 1; y < 95; ++y) {
        for (int x = 1; x < 127; ++x) {
            const Rgb pixel = picture->at(x, y);
            ASSERT_TRUE(pixel == black || pixel == background) << "at " << x << ", " << y;
            setPixels += pixel == black;
        }
    }
    // The set's area is about 1.51 square units, 1546 pixels; a finite
    // iteration limit adds a thin fringe of points that escape late.
    EXPECT_GT(setPixels, 1500);
    EXPECT_LT(setPixels, 1900);
}

TEST_F(GuidePicture, IsSymmetricAboutTheRealAxis)
{
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(picture->at(x, y), picture->at(x, 95 - y)) << "at " << x << ", " << y;
}

TEST_F(GuidePicture, SurvivesTheTwentyFourBitFileUnchanged)
{
    Picture decoded;
    int bitsPerPixel = 0;
    ASSERT_TRUE(decodeBmp(encodeBmp24(*picture), decoded, bitsPerPixel));
    EXPECT_EQ(bitsPerPixel, 24);
    EXPECT_EQ(decoded.width, 128);
    EXPECT_EQ(decoded.height, 96);
    EXPECT_TRUE(decoded.pixels == picture->pixels);
}
