#include "shell/toolbar_picture.h"

bool usesOnlyPalette(const Picture& picture, const std::vector<Rgb>& palette)
{
    for (const Rgb& pixel : picture.pixels) {
        bool found = false;
        for (const Rgb& entry : palette)
            found = found || entry == pixel;
        if (!found)
            return false;
    }
    return true;
}

bool makeToolbarPicture(const PixelMap& map, Picture& strip, std::string& error)
{
    if (map.pictures.size() != toolbarImageCount) {
        error = "the toolbar needs " + std::to_string(toolbarImageCount) + " pictures, the map has " +
                std::to_string(map.pictures.size());
        return false;
    }
    strip.width = toolbarStripWidth;
    strip.height = toolbarImageHeight;
    strip.pixels.assign(std::size_t(toolbarStripWidth) * toolbarImageHeight, toolbarBackground);
    for (int n = 0; n < toolbarImageCount; ++n) {
        const NamedPicture& image = map.pictures[n];
        if (image.picture.width != toolbarImageWidth || image.picture.height != toolbarImageHeight) {
            error = "picture \"" + image.name + "\" is " + std::to_string(image.picture.width) + " x " +
                    std::to_string(image.picture.height) + ", not 16 x 15";
            return false;
        }
        if (!usesOnlyPalette(image.picture, standardPalette16())) {
            error = "picture \"" + image.name + "\" has a colour outside the standard 16-colour palette";
            return false;
        }
        for (int y = 0; y < toolbarImageHeight; ++y)
            for (int x = 0; x < toolbarImageWidth; ++x)
                strip.pixels[std::size_t(y) * toolbarStripWidth + n * toolbarImageWidth + x] = image.picture.at(x, y);
    }
    return true;
}
