// The size of a picture to save, as the user types it: its width and height
// in pixels, and the side that keeps a view's proportions.
#pragma once

#include <string>
#include <string_view>

// Each side of a picture holds 1 to this many pixels...
constexpr int pngLongestSide = 65535;
// ...and the whole picture at most this many.
constexpr long long pngMostPixels = 2147483647;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Reads width and height from the texts of their fields: whole numbers of 1
// to pngLongestSide, blanks around them allowed, whose product is at most
// pngMostPixels. Returns an empty text and sets size, or
// the message for the user, which names the field, and leaves size as it was.
std::string readPictureSize(std::string_view widthText, std::string_view heightText, PictureSize& size);

// The side of a picture in the proportions of a view of viewSide x
// viewOther pixels, whose other side is side: side x viewOther / viewSide
// rounded to the nearest whole number, at least 1. Returns 0 when the text
// of side is no valid side or the view has no size.
int proportionalSide(std::string_view sideText, int viewSide, int viewOther);
