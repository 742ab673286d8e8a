#include "engine/location_file.h"

#include "engine/decimal_text.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>

namespace {

const std::string startUpText = "Zelvar location\r\n"
                                "center-real = -0.5\r\n"
                                "center-imag = 0\r\n"
                                "half-height = 1.3\r\n"
                                "iteration-limit = 32\r\n"
                                "escape-threshold = 15\r\n"
                                "binary-coloring = no\r\n";

PreciseReal precise(const std::string& text)
{
    PreciseReal value;
    EXPECT_EQ(readDecimal(text, value), DecimalReading::number) << text;
    return value;
}

// A place 1e-300 wide near the edge of the set, its centre to the last bit.
Location deepLocation()
{
    Location location;
    location.centerReal = precise("-1.7490000000000000000000001") + ldexp(PreciseReal(1), -1000) / 3;
    location.centerImag = -ldexp(PreciseReal(1), -1100) / 7;
    location.halfHeight = 1e-300;
    location.iterationLimit = INT_MAX;
    location.escapeThreshold = 1e-7;
    location.binaryColoring = true;
    return location;
}

// What readLocationText says about text; "" when it reads.
std::string problemOf(const std::string& text)
{
    Location location;
    return readLocationText(text, location);
}

Location read(const std::string& text)
{
    Location location;
    location.iterationLimit = 7;
    EXPECT_EQ(readLocationText(text, location), "") << text.substr(0, 200);
    return location;
}

std::string withHeader(const std::string& lines)
{
    return "Zelvar location\r\n" + lines;
}

TestFiles& files()
{
    static TestFiles files;
    return files;
}

std::string temporaryFile(const std::string& name, const std::string& bytes)
{
    return files().write(name, bytes);
}

} // namespace

TEST(LocationFile, TheStartUpLocationIsWrittenAsTheFileShowsIt)
{
    EXPECT_EQ(locationFileText(Location()), startUpText);
    const Location startUp = read(startUpText);
    EXPECT_EQ(startUp, Location());
    EXPECT_EQ(startUp.centerReal, -0.5);
    EXPECT_EQ(startUp.halfHeight, 1.3);
    EXPECT_EQ(startUp.iterationLimit, 32);
    EXPECT_EQ(startUp.escapeThreshold, 15.0);
    EXPECT_FALSE(startUp.binaryColoring);
}

TEST(LocationFile, ShallowAndDeepPlacesReadBackBitForBit)
{
    const Location deep = deepLocation();
    ASSERT_TRUE(isValidLocation(deep));
    EXPECT_EQ(read(locationFileText(deep)), deep);

    std::mt19937_64 random(17);
    for (int i = 0; i < 200; ++i) {
        Location location;
        location.centerReal = PreciseReal(std::uniform_real_distribution<double>(-2, 1)(random)) +
                              ldexp(PreciseReal(random()), -64 - static_cast<int>(random() % 1100));
        location.centerImag = PreciseReal(std::uniform_real_distribution<double>(-1.5, 1.5)(random)) / 3;
        location.halfHeight = std::ldexp(std::uniform_real_distribution<double>(1, 2)(random),
                                         -static_cast<int>(random() % 990));
        location.iterationLimit = 1 + static_cast<int>(random() % INT_MAX);
        location.escapeThreshold = std::uniform_real_distribution<double>(1e-9, 1e9)(random);
        location.binaryColoring = random() & 1;
        const std::string text = locationFileText(location);
        EXPECT_EQ(read(text), location) << text;
    }
}

TEST(LocationFile, TheEdgesOfEachRangeReadBack)
{
    Location location;
    location.centerReal = 1e300;
    location.centerImag = -1e300;
    location.halfHeight = 1e300;
    location.iterationLimit = 1;
    location.escapeThreshold = std::ldexp(1.0, -1074);
    EXPECT_EQ(read(locationFileText(location)), location);
    location.halfHeight = deepestHalfHeight;
    location.escapeThreshold = 1.7976931348623157e308;
    EXPECT_EQ(read(locationFileText(location)), location);
    EXPECT_NE(locationFileText(location).find("half-height = 1e-300\r\n"), std::string::npos);
}

TEST(LocationFile, ReadsTheFormsAUserOrAnotherSystemMayWrite)
{
    Location expected;
    expected.centerReal = precise("0.25");
    expected.halfHeight = 0.001;
    expected.binaryColoring = true;
    const std::string lines[] = {"center-real = 0.25", "half-height=1e-3", "binary-coloring = yes"};

    // LF line ends, no line end at the end, a byte order mark, blank lines,
    // tabs and spaces, unknown names, names in any order.
    EXPECT_EQ(read("Zelvar location\n" + lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n"), expected);
    EXPECT_EQ(read(withHeader(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2])), expected);
    EXPECT_EQ(read("\xEF\xBB\xBF" + withHeader(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2])), expected);
    EXPECT_EQ(read(withHeader("\r\n\r\n  \t \r\n" + lines[2] + "\r\n\r\n" + lines[1] + "\n\n" + lines[0] + "\r\n\r\n")),
              expected);
    EXPECT_EQ(read(withHeader(" \tcenter-real\t =  0.25 \t\r\nhalf-height =\t1e-3\r\nbinary-coloring = yes  \r\n")),
              expected);
    EXPECT_EQ(read(withHeader("rotation = 45 degrees\r\n" + lines[0] + "\r\npalette = a = b\r\n" + lines[1] +
                              "\r\nCenter-Real = 7\r\nnote\t=\r\n" + lines[2] + "\r\n")),
              expected);
    // Only the header: every value keeps its start-up value.
    EXPECT_EQ(read("Zelvar location"), Location());
    EXPECT_EQ(read("Zelvar location\r\n\r\n"), Location());
}

TEST(LocationFile, ReadsLongNumbersAsTheirDigitsSay)
{
    const std::string zeros(100000, '0');
    const Location location = read(withHeader("center-real = -0.75" + zeros + "1\r\n" + "center-imag = " + zeros +
                                              "0.1\r\nhalf-height = 0.5" + zeros + "\r\niteration-limit = " + zeros +
                                              "32\r\nescape-threshold = 1" + zeros + "e-100000\r\n"));
    EXPECT_EQ(location.centerReal, PreciseReal(-0.75));
    EXPECT_EQ(location.centerImag, precise("0.1"));
    EXPECT_EQ(location.halfHeight, 0.5);
    EXPECT_EQ(location.iterationLimit, 32);
    EXPECT_EQ(location.escapeThreshold, 1.0);
}

TEST(LocationFile, EachBadFileGetsAMessageNamingItsLine)
{
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"", "Line 1: this is not a Zelvar location file; its first line must be \"Zelvar location\"."},
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "Line 1: this is not a Zelvar location file; its first line must be "
                                          "\"Zelvar location\"."},
        {"zelvar location\r\n", "Line 1: this is not a Zelvar location file; its first line must be \"Zelvar "
                                "location\"."},
        {" Zelvar location\r\n", "Line 1: this is not a Zelvar location file; its first line must be \"Zelvar "
                                 "location\"."},
        {"\r\nZelvar location\r\n", "Line 1: this is not a Zelvar location file; its first line must be \"Zelvar "
                                    "location\"."},
        {withHeader("center-real -0.5\r\n"),
         "Line 2: a line must hold a name, \"=\" and a value, not \"center-real -0.5\"."},
        {withHeader("\r\n = 5\r\n"), "Line 3: the name before \"=\" is missing."},
        {withHeader("center-real = abc\r\n"),
         "Line 2: center-real must be a decimal number such as -0.75 or 1.5e-3, not \"abc\"."},
        {withHeader("center-imag = nan\r\n"),
         "Line 2: center-imag must be a decimal number such as -0.75 or 1.5e-3, not \"nan\"."},
        {withHeader("center-imag = -inf\r\n"),
         "Line 2: center-imag must be a decimal number such as -0.75 or 1.5e-3, not \"-inf\"."},
        {withHeader("center-real =\r\n"),
         "Line 2: center-real must be a decimal number such as -0.75 or 1.5e-3, not \"\"."},
        {withHeader("center-real = 0,5\r\n"),
         "Line 2: center-real must be a decimal number such as -0.75 or 1.5e-3, not \"0,5\"."},
        {withHeader("\r\ncenter-real = 1.1e300\r\n"), "Line 3: center-real must lie from -1e300 to 1e300, not "
                                                       "\"1.1e300\"."},
        {withHeader("center-imag = -1e99999999999\r\n"),
         "Line 2: center-imag must lie from -1e300 to 1e300, not \"-1e99999999999\"."},
        {withHeader("half-height = 0\r\n"), "Line 2: half-height must be a number from 1e-300 to 1e300, not \"0\"."},
        {withHeader("half-height = -1\r\n"), "Line 2: half-height must be a number from 1e-300 to 1e300, not \"-1\"."},
        {withHeader("half-height = 9.999999999999999e-301\r\n"),
         "Line 2: half-height must be a number from 1e-300 to 1e300, not \"9.999999999999999e-301\"."},
        {withHeader("half-height = 1.0000000000000002e300\r\n"),
         "Line 2: half-height must be a number from 1e-300 to 1e300, not \"1.0000000000000002e300\"."},
        {withHeader("half-height = 1e999\r\n"),
         "Line 2: half-height must be a number from 1e-300 to 1e300, not \"1e999\"."},
        {withHeader("half-height = inf\r\n"),
         "Line 2: half-height must be a number from 1e-300 to 1e300, not \"inf\"."},
        {withHeader("half-height = NaN\r\n"),
         "Line 2: half-height must be a number from 1e-300 to 1e300, not \"NaN\"."},
        {withHeader("iteration-limit = 0\r\n"),
         "Line 2: iteration-limit must be a whole number from 1 to 2147483647, not \"0\"."},
        {withHeader("iteration-limit = 2147483648\r\n"),
         "Line 2: iteration-limit must be a whole number from 1 to 2147483647, not \"2147483648\"."},
        {withHeader("iteration-limit = -5\r\n"),
         "Line 2: iteration-limit must be a whole number from 1 to 2147483647, not \"-5\"."},
        {withHeader("iteration-limit = 1e3\r\n"),
         "Line 2: iteration-limit must be a whole number from 1 to 2147483647, not \"1e3\"."},
        {withHeader("escape-threshold = 0\r\n"), "Line 2: escape-threshold must be a positive number, not \"0\"."},
        {withHeader("escape-threshold = -15\r\n"), "Line 2: escape-threshold must be a positive number, not \"-15\"."},
        {withHeader("escape-threshold = 1e-400\r\n"),
         "Line 2: escape-threshold must be a positive number, not \"1e-400\"."},
        {withHeader("escape-threshold = 2e308\r\n"),
         "Line 2: escape-threshold must be a positive number, not \"2e308\"."},
        {withHeader("escape-threshold = 15abc\r\n"),
         "Line 2: escape-threshold must be a positive number, not \"15abc\"."},
        {withHeader("binary-coloring = true\r\n"), "Line 2: binary-coloring must be yes or no, not \"true\"."},
        {withHeader("binary-coloring = Yes\r\n"), "Line 2: binary-coloring must be yes or no, not \"Yes\"."},
        {withHeader("half-height = 1\r\nhalf-height = 1\r\n"), "Line 3: half-height was given before, on line 2."},
        {withHeader("center-real = \x01\x7f\xff\r\n"),
         "Line 2: center-real must be a decimal number such as -0.75 or 1.5e-3, not \"???\"."},
        {withHeader("center-real = " + std::string(100, '1') + "x\r\n"),
         "Line 2: center-real must be a decimal number such as -0.75 or 1.5e-3, not \"" + std::string(40, '1') +
             "...\"."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problemOf(c.text), c.message) << c.text.substr(0, 100);
}

TEST(LocationFile, ABadValueLeavesTheLocationAsItWas)
{
    Location location = deepLocation();
    const std::string problem = readLocationText(
        withHeader("center-real = 0.25\r\nhalf-height = 0.5\r\niteration-limit = 100\r\nbinary-coloring = maybe\r\n"),
        location);
    EXPECT_EQ(problem, "Line 5: binary-coloring must be yes or no, not \"maybe\".");
    EXPECT_EQ(location, deepLocation());
}

TEST(LocationFile, ReadingStopsAfterTheFirstMegabyte)
{
    // A whole file of exactly the limit reads.
    std::string text = startUpText + "note = ";
    text += std::string(locationFileLimit - text.size() - 2, 'x') + "\r\n";
    ASSERT_EQ(text.size(), locationFileLimit);
    EXPECT_EQ(problemOf(text), "");

    // One more byte, and the line that runs past the limit is named.
    EXPECT_EQ(problemOf(text + "\r\n"), "Line 9: the file goes on beyond 1048576 bytes; no location is that long, "
                                        "so it was not read.");
    std::string longLine = withHeader("note = ") + std::string(2 * locationFileLimit, 'x');
    EXPECT_EQ(problemOf(longLine), "Line 2: the file goes on beyond 1048576 bytes; no location is that long, so it "
                                   "was not read.");
    // A fault before the limit is told first.
    EXPECT_EQ(problemOf(withHeader("half-height = 0\r\n") + std::string(2 * locationFileLimit, '\n')),
              "Line 2: half-height must be a number from 1e-300 to 1e300, not \"0\".");
}

TEST(LocationFile, LoadingReadsNoMoreThanItNeeds)
{
    Location location;
    const std::string written = temporaryFile("deep.zelvar", locationFileText(deepLocation()));
    EXPECT_EQ(loadLocationFile(written.c_str(), location), "");
    EXPECT_EQ(location, deepLocation());

    // 100 MB in a single line, and a million short lines.
    const std::string huge = temporaryFile("huge.zelvar", withHeader(std::string(100 << 20, '7')));
    EXPECT_EQ(loadLocationFile(huge.c_str(), location),
              "Cannot take the location from \"" + huge +
                  "\". Line 2: the file goes on beyond 1048576 bytes; no location is that long, so it was not read.");
    std::string lines = withHeader("");
    for (int i = 0; i < 1000000; ++i)
        lines += "a=1\n";
    const std::string many = temporaryFile("many-lines.zelvar", lines);
    EXPECT_EQ(loadLocationFile(many.c_str(), location),
              "Cannot take the location from \"" + many +
                  "\". Line 262141: the file goes on beyond 1048576 bytes; no location is that long, so it was not "
                  "read.");
    EXPECT_EQ(location, deepLocation());

    const std::string missing = files().path("no-such-location.zelvar");
    const std::string problem = loadLocationFile(missing.c_str(), location);
    EXPECT_EQ(problem.rfind("Cannot read the file \"" + missing + "\": ", 0), 0u) << problem;
}

TEST(LocationFile, RandomBytesGetAMessageAndNeverAHalfReadLocation)
{
    std::mt19937_64 random(23);
    for (int i = 0; i < 200; ++i) {
        std::string text = i % 2 ? withHeader("") : "";
        const std::size_t size = random() % 400;
        for (std::size_t b = 0; b < size; ++b)
            text += static_cast<char>(random() % 4 ? random() % 256 : "=\r\n -.e0123456789"[random() % 16]);
        Location location = deepLocation();
        const std::string problem = readLocationText(text, location);
        if (problem.empty())
            EXPECT_TRUE(isValidLocation(location));
        else
            EXPECT_EQ(location, deepLocation());
        EXPECT_TRUE(problem.empty() || problem.rfind("Line ", 0) == 0) << problem;
    }
}
