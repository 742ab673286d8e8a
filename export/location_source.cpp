#include "export/location_source.h"

#include "engine/location_file.h"
#include "export/png_location.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Whether the file begins with the PNG signature. A file that cannot be
// opened is not a picture: the location file's reader says why it cannot be
// read.
bool beginsAsPng(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    unsigned char start[sizeof pngSignature] = {};
    const bool whole = std::fread(start, 1, sizeof start, file) == sizeof start;
    std::fclose(file);
    return whole && std::memcmp(start, pngSignature, sizeof start) == 0;
}

} // namespace

std::string readLocationFrom(const char* path, Location& location)
{
    if (!beginsAsPng(path))
        return loadLocationFile(path, location);
    const std::string name = std::string("\"") + path + "\"";
    const PngLocationSearch search = findPngLocation(path);
    if (!search.found)
        return "Cannot take the location from " + name + ": " + search.problem;
    const std::string problem = readLocationText(search.text, location);
    if (!problem.empty())
        return "Cannot take the location from " + name + ". " + problem;
    return {};
}
