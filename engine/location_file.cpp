#include "engine/location_file.h"

#include "engine/decimal_text.h"
#include "engine/number_text.h"
#include "engine/plain_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

// The names of the values, in the order the file holds them.
enum Field { centerRealField, centerImagField, halfHeightField, iterationLimitField, thresholdField, coloringField };
constexpr const char* fieldNames[] = {"center-real",     "center-imag",      "half-height",
                                      "iteration-limit", "escape-threshold", "binary-coloring"};
constexpr int fieldCount = sizeof fieldNames / sizeof fieldNames[0];

std::string lineMessage(int line, const std::string& text)
{
    return "Line " + std::to_string(line) + ": " + text;
}

// Takes one value into location; empty, or what is wrong with it.
std::string readField(Field field, std::string_view value, Location& location)
{
    const std::string name = fieldNames[field];
    switch (field) {
    case centerRealField:
    case centerImagField: {
        PreciseReal part;
        const DecimalReading reading = readDecimal(value, part);
        if (reading == DecimalReading::notADecimal)
            return name + " must be a decimal number such as -0.75 or 1.5e-3, not " + quotedValue(value) + ".";
        if (reading == DecimalReading::outOfRange || !isLocationCenter(part))
            return name + " must lie from -1e300 to 1e300, not " + quotedValue(value) + ".";
        (field == centerRealField ? location.centerReal : location.centerImag) = part;
        return {};
    }
    case halfHeightField: {
        double halfHeight = 0;
        if (readDecimal(value, halfHeight) != DecimalReading::number || !isLocationHalfHeight(halfHeight))
            return name + " must be a number from 1e-300 to 1e300, not " + quotedValue(value) + ".";
        location.halfHeight = halfHeight;
        return {};
    }
    case iterationLimitField: {
        int limit = 0;
        if (readWholeNumber(value, limit) != DecimalReading::number || limit < 1)
            return name + " must be a whole number from 1 to 2147483647, not " + quotedValue(value) + ".";
        location.iterationLimit = limit;
        return {};
    }
    case thresholdField: {
        double threshold = 0;
        if (readDecimal(value, threshold) != DecimalReading::number || !isLocationThreshold(threshold))
            return name + " must be a positive number, not " + quotedValue(value) + ".";
        location.escapeThreshold = threshold;
        return {};
    }
    case coloringField:
        if (value != "yes" && value != "no")
            return name + " must be yes or no, not " + quotedValue(value) + ".";
        location.binaryColoring = value == "yes";
        return {};
    }
    return {};
}

int fieldOf(std::string_view name)
{
    for (int field = 0; field < fieldCount; ++field) {
        if (name == fieldNames[field])
            return field;
    }
    return -1;
}

} // namespace

std::string locationFileText(const Location& location)
{
    const std::string values[fieldCount] = {exactText(location.centerReal),
                                            exactText(location.centerImag),
                                            formatShortestReal(location.halfHeight),
                                            std::to_string(location.iterationLimit),
                                            formatShortestReal(location.escapeThreshold),
                                            location.binaryColoring ? "yes" : "no"};
    std::string text = std::string(locationFileHeader) + "\r\n";
    for (int field = 0; field < fieldCount; ++field)
        text += std::string(fieldNames[field]) + " = " + values[field] + "\r\n";
    return text;
}

std::string readLocationText(std::string_view text, Location& location)
{
    const bool goesOn = text.size() > locationFileLimit;
    if (goesOn)
        text = text.substr(0, locationFileLimit);
    if (text.substr(0, 3) == byteOrderMark)
        text.remove_prefix(3);

    Location reading;
    int givenOn[fieldCount] = {};
    int line = 1;
    for (;; ++line) {
        const std::size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);

        if (line == 1) {
            if (content != locationFileHeader) {
                return lineMessage(1, std::string("this is not a Zelvar location file; its first line must be \"") +
                                          locationFileHeader + "\".");
            }
        } else if (end == std::string_view::npos && goesOn) {
            // The line runs into the limit: it is not whole.
            break;
        } else if (!trimmed(content).empty()) {
            const std::size_t equals = content.find('=');
            if (equals == std::string_view::npos)
                return lineMessage(line,
                                   "a line must hold a name, \"=\" and a value, not " + quotedValue(content) + ".");
            const std::string_view name = trimmed(content.substr(0, equals));
            if (name.empty())
                return lineMessage(line, "the name before \"=\" is missing.");
            const int field = fieldOf(name);
            if (field >= 0) {
                if (givenOn[field]) {
                    return lineMessage(line, std::string(fieldNames[field]) + " was given before, on line " +
                                                 std::to_string(givenOn[field]) + ".");
                }
                givenOn[field] = line;
                const std::string problem =
                    readField(static_cast<Field>(field), trimmed(content.substr(equals + 1)), reading);
                if (!problem.empty())
                    return lineMessage(line, problem);
            }
        }
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        if (text.empty() && !goesOn)
            break;
    }
    if (goesOn) {
        return lineMessage(line, "the file goes on beyond " + std::to_string(locationFileLimit) +
                                     " bytes; no location is that long, so it was not read.");
    }
    location = reading;
    return {};
}

std::string loadLocationFile(const char* path, Location& location)
{
    const std::string name = std::string("\"") + path + "\"";
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return "Cannot read the file " + name + ": " + std::strerror(errno) + ".";
    std::unique_ptr<char[]> bytes(new char[locationFileLimit + 1]);
    const std::size_t size = std::fread(bytes.get(), 1, locationFileLimit + 1, file);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed)
        return "Cannot read the file " + name + ": " + std::strerror(error) + ".";
    const std::string problem = readLocationText(std::string_view(bytes.get(), size), location);
    if (!problem.empty())
        return "Cannot take the location from " + name + ". " + problem;
    return {};
}
