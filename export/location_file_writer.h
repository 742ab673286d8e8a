// Writes a location file, replacing an earlier file of its name only once
// the new one is whole.
#pragma once

#include "engine/location.h"

#include <string>

// Writes the file of the location, which must be valid, at path. Empty on
// success; else a message that names the file, and says that an earlier
// file of that name is left as it was.
std::string writeLocationFile(const std::string& path, const Location& location);
