#include "orbits/guide_picture.h"

#include "engine/escape_time.h"

namespace {

// Enough steps for a clear outline at 32 pixels per unit; every pixel is
// sampled at its centre.
constexpr int guideIterations = 64;
constexpr double guideThreshold = 2.0;

} // namespace

Picture makeGuidePicture()
{
    Picture picture;
    picture.width = orbitPictureWidth;
    picture.height = orbitPictureHeight;
    picture.pixels.assign(std::size_t(orbitPictureWidth) * orbitPictureHeight, guideBackground);
    for (int y = 0; y < orbitPictureHeight; ++y) {
        for (int x = 0; x < orbitPictureWidth; ++x) {
            Rgb& pixel = picture.pixels[std::size_t(y) * orbitPictureWidth + x];
            const bool edgeColumn = x == 0 || x == orbitPictureWidth - 1;
            const bool edgeRow = y == 0 || y == orbitPictureHeight - 1;
            if (edgeColumn && edgeRow) {
                pixel = guideCorner;
            } else if (edgeColumn || edgeRow) {
                pixel = guideBorder;
            } else {
                const double re = orbitPlaneLeft + (x + 0.5) / orbitPixelsPerUnit;
                const double im = orbitPlaneTop + (y + 0.5) / orbitPixelsPerUnit;
                // Black where the fractal view's colouring would be black at
                // this limit: no escape, or escape only at the last step.
                if (escapeSteps(re, im, guideIterations, guideThreshold) >= guideIterations)
                    pixel = guideSetColor;
            }
        }
    }
    return picture;
}
