#include "export/picture_size.h"

#include "engine/plain_text.h"

#include <algorithm>
#include <cstdint>

namespace {

// The side a text gives, or 0 when it gives none from 1 to pngLongestSide.
int sideOf(std::string_view text)
{
    text = trimmed(text);
    if (text.empty())
        return 0;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        if (value > pngLongestSide)
            return 0;
    }
    return int(value);
}

std::string sideMessage(const char* field)
{
    return std::string("The ") + field + " must be a whole number of pixels from 1 to " +
           std::to_string(pngLongestSide) + ".";
}

} // namespace

std::string readPictureSize(std::string_view widthText, std::string_view heightText, PictureSize& size)
{
    const int width = sideOf(widthText);
    if (width == 0)
        return sideMessage("width");
    const int height = sideOf(heightText);
    if (height == 0)
        return sideMessage("height");
    const std::int64_t pixels = std::int64_t(width) * height;
    if (pixels > pngMostPixels)
        return "The picture may have at most " + std::to_string(pngMostPixels) + " pixels in all: a width of " +
               std::to_string(width) + " and a height of " + std::to_string(height) + " make " +
               std::to_string(pixels) + ".";
    size = PictureSize{width, height};
    return {};
}

int proportionalSide(std::string_view sideText, int viewSide, int viewOther)
{
    const int side = sideOf(sideText);
    if (side == 0 || viewSide < 1 || viewOther < 1)
        return 0;
    const std::int64_t other = (std::int64_t(side) * viewOther * 2 + viewSide) / (std::int64_t(viewSide) * 2);
    return int(std::clamp<std::int64_t>(other, 1, INT32_MAX));
}
