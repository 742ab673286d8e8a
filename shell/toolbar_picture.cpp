#include "shell/toolbar_picture.h"

int toolbarImageWidthFor(int dpi)
{
    return scaleForDpi(toolbarImageWidth, dpi);
}

int toolbarImageHeightFor(int dpi)
{
    return scaleForDpi(toolbarImageHeight, dpi);
}

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

Picture scaleSharply(const Picture& picture, int width, int height)
{
    Picture scaled;
    scaled.width = width;
    scaled.height = height;
    scaled.pixels.reserve(std::size_t(width) * height);
    // The centre of target pixel x, (x + 1/2) / width of the way across, lies
    // over source pixel (2x + 1) picture.width / (2 width), rounded down.
    for (int y = 0; y < height; ++y) {
        const int sourceY = int((2 * std::int64_t(y) + 1) * picture.height / (2 * std::int64_t(height)));
        for (int x = 0; x < width; ++x) {
            const int sourceX = int((2 * std::int64_t(x) + 1) * picture.width / (2 * std::int64_t(width)));
            scaled.pixels.push_back(picture.at(sourceX, sourceY));
        }
    }
    return scaled;
}

bool makeToolbarPicture(const PixelMap& map, Picture& strip, std::string& error, int dpi)
{
    if (map.pictures.size() != toolbarImageCount) {
        error = "the toolbar needs " + std::to_string(toolbarImageCount) + " pictures, the map has " +
                std::to_string(map.pictures.size());
        return false;
    }
    const int width = toolbarImageWidthFor(dpi);
    const int height = toolbarImageHeightFor(dpi);
    const int stripWidth = toolbarImageCount * width + 1;
    strip.width = stripWidth;
    strip.height = height;
    strip.pixels.assign(std::size_t(stripWidth) * height, toolbarBackground);
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
        const Picture scaled = scaleSharply(image.picture, width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                strip.pixels[std::size_t(y) * stripWidth + n * width + x] = scaled.at(x, y);
    }
    return true;
}
