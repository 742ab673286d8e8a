// Opening a location from a file: a location file or a PNG picture with its
// location chunk, told apart by their first bytes; every failure names the
// file, and the line where the text is at fault.
#include "export/location_source.h"

#include "engine/location_file.h"
#include "export/png_location.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string signature("\x89PNG\r\n\x1A\n", 8);
const std::string iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);

TestFiles& files()
{
    static TestFiles files;
    return files;
}

std::string fileWith(const std::string& name, const std::string& bytes)
{
    return files().write(name, bytes);
}

Location somewhere()
{
    Location location;
    location.centerReal = PreciseReal("-0.10109636384562216102578544573862256546380544282625348387693");
    location.centerImag = PreciseReal("0.95628651080914150077109605772997743580983333651052917");
    location.halfHeight = 1e-40;
    location.iterationLimit = 5000;
    location.binaryColoring = true;
    return location;
}

// A PNG file's chunks as the location search walks them: it neither needs
// nor decodes the picture's own chunks.
std::string pictureWith(const std::string& locationText)
{
    return signature + pngTextChunk("Comment", "made by a test") + pngTextChunk(pngLocationKeyword, locationText) +
           iend;
}

std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace

TEST(LocationSource, ReadsALocationFileAndAPictureAlike)
{
    const std::string text = locationFileText(somewhere());
    for (const std::string& path : {fileWith("plain.zelvar", text), fileWith("picture.png", pictureWith(text)),
                                    // The first bytes tell, not the name.
                                    fileWith("picture.zelvar", pictureWith(text)), fileWith("plain.png", text)}) {
        Location location;
        EXPECT_EQ(readLocationFrom(path.c_str(), location), "") << path;
        EXPECT_EQ(location, somewhere()) << path;
    }
}

TEST(LocationSource, EveryFailureNamesTheFileAndLeavesTheLocation)
{
    struct Case {
        std::string name;
        std::string bytes;
        std::string message; // after the quoted path
    };
    const std::string badLine = "Zelvar location\r\ncenter-real = -0.5\r\nhalf-height = nan\r\n";
    const std::vector<Case> cases = {
        {"empty.zelvar", "",
         ". Line 1: this is not a Zelvar location file; its first line must be \"Zelvar location\"."},
        {"bad-line.zelvar", badLine,
         ". Line 3: half-height must be a number from 1e-300 to 1e300, not \"nan\"."},
        // Shorter than a signature: read as text.
        {"short.png", signature.substr(0, 5),
         ". Line 1: this is not a Zelvar location file; its first line must be \"Zelvar location\"."},
        {"no-location.png", signature + pngTextChunk("Comment", "x") + iend, ": the picture holds no location."},
        {"cut.png", signature + pngTextChunk("Comment", "x"),
         ": the picture is cut short: it ends without its IEND chunk."},
        {"bad-chunk.png", pictureWith(badLine),
         ". Line 3: half-height must be a number from 1e-300 to 1e300, not \"nan\"."},
    };
    for (const Case& bad : cases) {
        const std::string path = fileWith(bad.name, bad.bytes);
        Location location = somewhere();
        EXPECT_EQ(readLocationFrom(path.c_str(), location),
                  "Cannot take the location from " + quoted(path) + bad.message);
        EXPECT_EQ(location, somewhere()) << bad.name;
    }

    const std::string missing = files().path("missing.zelvar");
    std::remove(missing.c_str());
    Location location;
    EXPECT_EQ(readLocationFrom(missing.c_str(), location).rfind("Cannot read the file " + quoted(missing) + ": ", 0),
              0u);
}
