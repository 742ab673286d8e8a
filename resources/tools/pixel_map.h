// Pictures drawn as text, one character per pixel.
//
// The text is read line by line. Blank lines and lines starting with '#' are
// comments. A line
//     colour C R G B  words...
// gives the character C the colour (R, G, B), each 0 to 255; the words after
// it describe the colour for the reader. A line
//     picture NAME
// starts a new picture, and every following line without blanks is one of its
// rows, top row first, each character one pixel. All rows of a picture have
// the same width, and every character of a row must have a colour.
#pragma once

#include "resources/bitmap_file.h"

#include <string>
#include <vector>

struct NamedPicture {
    std::string name;
    Picture picture;
};

struct PixelMap {
    std::vector<NamedPicture> pictures;
};

// Reads a pixel map. On a fault returns false and puts the line number and
// what is wrong there into error.
bool parsePixelMap(const std::string& text, PixelMap& map, std::string& error);

// Reads and parses the pixel map file at path.
bool readPixelMapFile(const std::string& path, PixelMap& map, std::string& error);
