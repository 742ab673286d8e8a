#include "orbits/guide_picture.h"

#include "engine/escape_time.h"

namespace {

// Enough steps for a clear outline at 32 pixels per unit; every pixel is
// sampled at its centre.
constexpr int guideIterations = 64;
constexpr double guideThreshold = 2.0;
constexpr double pixelsPerUnit = 32.0;

} // namespace

Picture makeGuidePicture()
{
    Picture picture;
    picture.width = guideWidth;
    picture.height = guideHeight;
    picture.pixels.assign(std::size_t(guideWidth) * guideHeight, guideBackground);
    for (int y = 0; y < guideHeight; ++y) {
        for (int x = 0; x < guideWidth; ++x) {
            Rgb& pixel = picture.pixels[std::size_t(y) * guideWidth + x];
            const bool edgeColumn = x == 0 || x == guideWidth - 1;
            const bool edgeRow = y == 0 || y == guideHeight - 1;
            if (edgeColumn && edgeRow) {
                pixel = guideCorner;
            } else if (edgeColumn || edgeRow) {
                pixel = guideBorder;
            } else {
                const double re = -2.5 + (x + 0.5) / pixelsPerUnit;
                const double im = -1.5 + (y + 0.5) / pixelsPerUnit;
                // Black where the fractal view's colouring would be black at
                // this limit: no escape, or escape only at the last step.
                if (escapeSteps(re, im, guideIterations, guideThreshold) >= guideIterations)
                    pixel = guideSetColor;
            }
        }
    }
    return picture;
}
