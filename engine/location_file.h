// The location file (*.zelvar): plain text whose first line is exactly
// "Zelvar location", then one "name = value" per line:
//
//   Zelvar location
//   center-real = -0.5
//   center-imag = 0
//   half-height = 1.3
//   iteration-limit = 32
//   escape-threshold = 15
//   binary-coloring = no
//
// The centre parts and the half-height and threshold are decimals as
// engine/decimal_text.h reads them; the iteration limit is a whole number;
// binary-coloring is yes or no. Reading accepts a UTF-8 byte order mark,
// blanks around "=" and the value, CR LF or LF line ends and blank lines. It
// ignores names it does not know, which later versions may add; a name the
// file does not give keeps its start-up value.
#pragma once

#include "engine/location.h"

#include <cstddef>
#include <string>
#include <string_view>

constexpr char locationFileHeader[] = "Zelvar location";

// A location file is read no further than its first megabyte: no location
// comes near that length.
constexpr std::size_t locationFileLimit = 1 << 20;

// The text of the file for a valid location, with CR LF line ends. Each
// value reads back exactly: the centre bit for bit, the half-height and
// threshold as the shortest texts of their doubles.
std::string locationFileText(const Location& location);

// Reads the text of a location file. On success sets location and returns
// an empty text. Otherwise returns a message that names the line, such as
// "Line 4: half-height must be a number from 1e-300 to 1e300, not \"0\".",
// for the caller to put after the file's name, and leaves location as it was.
std::string readLocationText(std::string_view text, Location& location);

// Reads the location file at path (in the active code page on Windows),
// no more than its first locationFileLimit bytes and one more to know that
// it goes on. Empty on success; else a message that names the file.
std::string loadLocationFile(const char* path, Location& location);
