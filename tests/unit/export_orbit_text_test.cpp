#include "export/orbit_text.h"
#include "tests/support/orbit_file_example.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

class StringSink : public ByteSink {
public:
    bool writeBytes(const char* data, std::size_t size) override
    {
        text.append(data, size);
        ++writes;
        if (size > largestWrite)
            largestWrite = size;
        return true;
    }

    std::string text;
    int writes = 0;
    std::size_t largestWrite = 0;
};

// Takes the first `capacity` bytes, then fails every write, as a full disk does.
class FullSink : public ByteSink {
public:
    explicit FullSink(std::size_t capacity) : capacity_(capacity) {}

    bool writeBytes(const char*, std::size_t size) override
    {
        ++writes;
        if (written + size > capacity_)
            return false;
        written += size;
        return true;
    }

    std::size_t written = 0;
    int writes = 0;

private:
    std::size_t capacity_;
};

std::string orbitText(int iterations, const std::vector<double>& reals, const std::vector<double>& imags)
{
    StringSink sink;
    EXPECT_TRUE(writeOrbitText(sink, iterations, static_cast<int>(reals.size()), reals.data(), imags.data()));
    return sink.text;
}

// The lines of a text split at CR LF; a bare LF or CR is kept in its line.
std::vector<std::string> crlfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

std::string repeated(const std::string& value, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += (i > 0 ? "," : "") + value;
    return text;
}

const std::string headerComment = "/*\r\n *\r\n * File created by Zelvar v. 2.0 \r\n *\r\n */\r\n\r\n";
const std::string xHeader = "#declare orbitsXPoints = array[orbitsNumberPoints][orbitsNumberIterations]{";
const std::string yHeader = "#declare orbitsYPoints = array[orbitsNumberPoints][orbitsNumberIterations] {";

} // namespace

TEST(OrbitText, WorkedExampleOfTwoPointsAndThreeIterations)
{
    EXPECT_EQ(orbitText(3, {-1.0, 0.0}, {0.0, 1.0}), workedExampleFile);
}

TEST(OrbitText, OneIterationGivesOneValuePerLine)
{
    const std::vector<std::string> lines = crlfLines(orbitText(1, {-1.0, 0.5, 2.0}, {0.25, -0.5, 0.0}));
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[6], "#declare\torbitsNumberIterations\t= 1;");
    EXPECT_EQ(lines[15], xHeader);
    EXPECT_EQ(lines[16], "{-1.000000e+000},");
    EXPECT_EQ(lines[17], "{+5.000000e-001},");
    EXPECT_EQ(lines[18], "{+2.000000e+000} }");
    EXPECT_EQ(lines[20], yHeader);
    EXPECT_EQ(lines[21], "{+2.500000e-001},");
    EXPECT_EQ(lines[22], "{-5.000000e-001},");
    EXPECT_EQ(lines[23], "{+0.000000e+000} }");
}

TEST(OrbitText, OnePointIsBothTheStartAndTheEnd)
{
    const std::vector<std::string> lines = crlfLines(orbitText(2, {0.25}, {-0.5}));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[7], "#declare\torbitsNumberPoints\t= 1;");
    EXPECT_EQ(lines[9], "#declare\torbitsStartX\t= 0.250000;");
    EXPECT_EQ(lines[10], "#declare\torbitsStartY\t= -0.500000;");
    EXPECT_EQ(lines[12], "#declare\torbitsEndX\t= 0.250000;");
    EXPECT_EQ(lines[13], "#declare\torbitsEndY\t= -0.500000;");
    // z1 = 0.0625 - 0.25 + 0.25 = 0.0625, Im z1 = (0.25 * -0.5) * 2 - 0.5 = -0.75.
    EXPECT_EQ(lines[16], "{+2.500000e-001,+6.250000e-002} }");
    EXPECT_EQ(lines[17], "");
    EXPECT_EQ(lines[18], yHeader);
    EXPECT_EQ(lines[19], "{-5.000000e-001,-7.500000e-001} }");
}

TEST(OrbitText, SpecialPointsGiveTheirKnownOrbits)
{
    const std::vector<std::string> lines = crlfLines(orbitText(5, {0.0, -2.0}, {0.0, 0.0}));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[16], "{" + repeated("+0.000000e+000", 5) + "},");
    EXPECT_EQ(lines[17], "{-2.000000e+000," + repeated("+2.000000e+000", 4) + "} }");
    EXPECT_EQ(lines[20], "{" + repeated("+0.000000e+000", 5) + "},");
    EXPECT_EQ(lines[21], "{" + repeated("+0.000000e+000", 5) + "} }");
}

TEST(OrbitText, OverflowBecomesTheSubstituteOnePartAtATime)
{
    const std::vector<std::string> lines = crlfLines(orbitText(16, {1.0}, {0.0}));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[16], "{+1.000000e+000,+2.000000e+000,+5.000000e+000,+2.600000e+001,+6.770000e+002,"
                         "+4.583300e+005,+2.100664e+011,+4.412789e+022,+1.947270e+045,+3.791862e+090,"
                         "+1.437822e+181," +
                             repeated("+9.999999e+006", 5) + "} }");
    EXPECT_EQ(lines[19], "{" + repeated("+0.000000e+000", 12) + "," + repeated("+9.999999e+006", 4) + "} }");
}

TEST(OrbitText, StartAndEndThatAreNotFiniteShowTheSubstitute)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<std::string> lines = crlfLines(orbitText(2, {nan, -infinity}, {infinity, 0.5}));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[9], "#declare\torbitsStartX\t= 9999999.000000;");
    EXPECT_EQ(lines[10], "#declare\torbitsStartY\t= 9999999.000000;");
    EXPECT_EQ(lines[12], "#declare\torbitsEndX\t= 9999999.000000;");
    EXPECT_EQ(lines[13], "#declare\torbitsEndY\t= 0.500000;");
    EXPECT_EQ(lines[16], "{+9.999999e+006,+9.999999e+006},");
    // -infinity too becomes the positive substitute; z1 = inf - inf is a NaN.
    EXPECT_EQ(lines[17], "{+9.999999e+006,+9.999999e+006} }");
    EXPECT_EQ(lines[20], "{+9.999999e+006,+9.999999e+006},");
    EXPECT_EQ(lines[21], "{+5.000000e-001,+9.999999e+006} }");
}

TEST(OrbitText, DefaultCountsGiveFullArrays)
{
    std::vector<double> reals(255);
    std::vector<double> imags(255);
    for (int p = 0; p < 255; ++p) {
        reals[p] = -2.0 + p / 100.0;
        imags[p] = 1.0 - p / 127.0;
    }
    const std::vector<std::string> lines = crlfLines(orbitText(64, reals, imags));
    ASSERT_EQ(lines.size(), 16u + 255u + 2u + 255u);
    for (int p = 0; p < 255; ++p) {
        for (std::size_t first : {16u, 16u + 255u + 2u}) {
            const std::string& line = lines[first + p];
            ASSERT_EQ(line.size(), 1 + 64 * 14 + 63 + (p == 254 ? 3 : 2)) << "line " << first + p;
            EXPECT_EQ(line.find(' '), p == 254 ? line.size() - 2 : std::string::npos);
        }
    }
    EXPECT_EQ(lines[16 + 255], "");
    EXPECT_EQ(lines[16 + 256], yHeader);
}

TEST(OrbitTextSize, IsTheNumberOfBytesWritten)
{
    struct Case {
        int iterations;
        std::vector<double> reals;
        std::vector<double> imags;
    };
    const Case cases[] = {
        {1, {0.0}, {0.0}},
        {3, {-1.0, 0.0}, {0.0, 1.0}},
        {16, {1.0, -2.0, 0.3}, {0.0, 0.0, -0.6}},
        {7, {-1e300, 5.0}, {1e-300, std::numeric_limits<double>::quiet_NaN()}},
        {300, std::vector<double>(40, 0.1), std::vector<double>(40, -0.2)},
    };
    for (const Case& c : cases) {
        const int points = static_cast<int>(c.reals.size());
        StringSink sink;
        ASSERT_TRUE(writeOrbitText(sink, c.iterations, points, c.reals.data(), c.imags.data()));
        EXPECT_EQ(orbitTextSize(c.iterations, points, c.reals[0], c.imags[0], c.reals.back(), c.imags.back()),
                  sink.text.size())
            << c.iterations << " iterations, " << points << " points";
    }
}

TEST(OrbitTextSize, LargestCountsGiveTheLargestSize)
{
    const double zero = 0.0;
    // The one-value file less its two array lines ("{", a value, "} }" and
    // CR LF) is the fixed text; longer counts add their digits to it, and
    // each value 15 bytes (14 and a comma) to every line.
    StringSink small;
    ASSERT_TRUE(writeOrbitText(small, 1, 1, &zero, &zero));
    const std::uint64_t fixedPart = small.text.size() - 2 * (1 + 14 + 3 + 2);
    const std::uint64_t maxValues = INT_MAX;
    EXPECT_EQ(orbitTextSize(INT_MAX, 1, 0.0, 0.0, 0.0, 0.0), fixedPart + 9 + 2 * (maxValues * 15 - 1 + 1 + 5));

    EXPECT_EQ(orbitTextSize(INT_MAX, 1000, 0.0, 0.0, 0.0, 0.0),
              fixedPart + 9 + 3 + 2 * (1000 * (maxValues * 15 - 1 + 1 + 4) + 1));
    EXPECT_EQ(orbitTextSize(INT_MAX, INT_MAX, 0.0, 0.0, 0.0, 0.0), std::numeric_limits<std::uint64_t>::max());
}

TEST(OrbitTextStream, ComesInBoundedBlocks)
{
    const std::vector<double> reals(2000, -0.5);
    const std::vector<double> imags(2000, 0.25);
    StringSink sink;
    ASSERT_TRUE(writeOrbitText(sink, 100, 2000, reals.data(), imags.data()));
    EXPECT_GT(sink.text.size(), 6000000u);
    EXPECT_LE(sink.largestWrite, 65536u);
    EXPECT_GT(sink.writes, 90);
}

TEST(OrbitTextStream, StopsAtTheFirstFailedWrite)
{
    const std::vector<double> reals(500, 0.1);
    const std::vector<double> imags(500, 0.1);
    FullSink full(100000);
    EXPECT_FALSE(writeOrbitText(full, 50, 500, reals.data(), imags.data()));
    EXPECT_LE(full.written, 100000u);
    const int writesAtFailure = full.writes;
    EXPECT_GT(writesAtFailure, 1);

    // Counts that would take years to write end at once when the first write fails.
    FullSink none(0);
    const double zero = 0.0;
    EXPECT_FALSE(writeOrbitText(none, INT_MAX, 1, &zero, &zero));
    EXPECT_EQ(none.writes, 1);
}
