// Where a location is opened from: a location file, or a PNG picture that
// the program saved, which holds the location file's text in a chunk.
#pragma once

#include "engine/location.h"

#include <string>

// Takes the location from the file at path (in the active code page on
// Windows): from its location chunk when the file begins as a PNG picture
// does, else as a location file. Empty on success; else a message that names
// the file, and the line where the text is at fault, such as "Cannot take
// the location from "a.zelvar". Line 3: ...". On failure location stays as
// it was.
std::string readLocationFrom(const char* path, Location& location);
