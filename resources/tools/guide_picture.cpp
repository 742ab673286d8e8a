#include "resources/tools/guide_picture.h"

#include "engine/escape_time.h"

namespace {

// Enough steps for a clear outline at 32 to 64 pixels per unit; every pixel is
// sampled at its centre.
constexpr int guideIterations = 64;
constexpr double guideThreshold = 2.0;

} // namespace

Picture makeGuidePicture(int dpi)
{
    const int width = orbitPictureWidthFor(dpi);
    const int height = orbitPictureHeightFor(dpi);
    const double pixelsPerUnit = orbitPixelsPerUnitFor(dpi);
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(std::size_t(width) * height, guideBackground);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb& pixel = picture.pixels[std::size_t(y) * width + x];
            const bool edgeColumn = x == 0 || x == width - 1;
            const bool edgeRow = y == 0 || y == height - 1;
            if (edgeColumn && edgeRow) {
                pixel = guideCorner;
            } else if (edgeColumn || edgeRow) {
                pixel = guideBorder;
            } else {
                const double re = orbitPlaneLeft + (x + 0.5) / pixelsPerUnit;
                const double im = orbitPlaneTop + (y + 0.5) / pixelsPerUnit;
                // Black where the fractal view's colouring would be black at
                // this limit: no escape, or escape only at the last step.
                if (escapeSteps(re, im, guideIterations, guideThreshold) >= guideIterations)
                    pixel = guideSetColor;
            }
        }
    }
    return picture;
}
