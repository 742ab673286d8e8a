#include "resources/tools/about_picture.h"

#include "engine/escape_time.h"

Picture makeAboutPicture()
{
    Picture picture;
    picture.width = aboutPictureWidth;
    picture.height = aboutPictureHeight;
    picture.pixels.assign(std::size_t(aboutPictureWidth) * aboutPictureHeight, aboutFrameColor);
    const int insideHeight = aboutPictureHeight - 2;
    const double unitsPerPixel = 2 * aboutHalfHeight / insideHeight;
    for (int y = 1; y < aboutPictureHeight - 1; ++y) {
        for (int x = 1; x < aboutPictureWidth - 1; ++x) {
            // The centre of the pixel, measured from the centre of the picture.
            const double re = aboutCenterReal + (x + 0.5 - aboutPictureWidth / 2.0) * unitsPerPixel;
            const double im = aboutCenterImag + (y + 0.5 - aboutPictureHeight / 2.0) * unitsPerPixel;
            const int steps = escapeSteps(re, im, aboutIterations, aboutThreshold);
            const bool inSet = steps > aboutIterations;
            picture.pixels[std::size_t(y) * aboutPictureWidth + x] = !inSet && steps % 2 == 1 ? aboutWhite : aboutBlue;
        }
    }
    return picture;
}
