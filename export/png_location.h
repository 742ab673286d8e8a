// The location inside a saved picture: a PNG tEXt chunk whose keyword is
// "Zelvar location" and whose text is the location file's text. The encoder
// cannot write such a chunk, so it is put into the finished file, just before
// the IEND chunk that ends it, and found again by walking the file's chunks.
#pragma once

#include <string>
#include <string_view>

constexpr char pngLocationKeyword[] = "Zelvar location";

// A whole tEXt chunk: the length of its data, "tEXt", the keyword, a NUL, the
// text, and the CRC-32 of type and data. The keyword holds 1 to 79 printable
// Latin-1 characters; the text holds no NUL.
std::string pngTextChunk(std::string_view keyword, std::string_view text);

// Puts the location chunk with this text into the PNG file at path, which
// must end with its IEND chunk, before that chunk. Returns an empty text, or
// the reason it failed as a clause such as "it does not end with an IEND
// chunk." for the caller to put after the file's name.
std::string insertPngLocation(const char* path, std::string_view locationText);

struct PngLocationSearch {
    // The text of the first location chunk, when found is set.
    bool found = false;
    std::string text;
    // Otherwise why there is none, as a clause such as "it is not a PNG
    // picture." for the caller to put after the file's name.
    std::string problem;
};

// Finds the location chunk of the PNG file at path. It reads the headers of
// the chunks before it and seeks over their data, so that a picture of any
// size is searched with a few bytes of memory; only the location chunk's
// CRC is checked.
PngLocationSearch findPngLocation(const char* path);
