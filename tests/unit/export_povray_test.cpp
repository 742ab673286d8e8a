// Renders the example scene with POV-Ray over a file written by the orbit
// text writer, and reads the arrays back through POV-Ray's own parser.
#include "export/orbit_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>

namespace {

class FileSink : public ByteSink {
public:
    explicit FileSink(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
    ~FileSink() { close(); }

    bool writeBytes(const char* data, std::size_t size) override
    {
        return file_ && std::fwrite(data, 1, size, file_) == size;
    }

    bool close()
    {
        const bool closed = file_ && std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }

private:
    std::FILE* file_;
};

struct PovrayRun {
    int status;
    std::string output;
};

PovrayRun runInFolder(const std::string& folder, const std::string& arguments)
{
    const std::string command = "cd '" + folder + "' && povray " + arguments + " 2>&1";
    PovrayRun run = {-1, {}};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char block[4096];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, pipe)) > 0)
        run.output.append(block, got);
    run.status = pclose(pipe);
    return run;
}

// The lines in which POV-Ray reports a warning or an error.
std::vector<std::string> complaints(const std::string& output)
{
    std::vector<std::string> found;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const bool settings = line.find(" Stream to console") != std::string::npos;
        if (!settings && (line.find("Warning") != std::string::npos || line.find("rror") != std::string::npos))
            found.push_back(line);
    }
    return found;
}

bool povrayInstalled()
{
    return std::system("command -v povray >/dev/null 2>&1") == 0;
}

// A folder of its own under /tmp, removed at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char name[] = "/tmp/zelvar-povray-XXXXXX";
        path = mkdtemp(name) ? name : "";
    }
    ~ScratchFolder()
    {
        if (!path.empty())
            std::system(("rm -rf '" + path + "'").c_str());
    }
    std::string path;
};

// The orbit values of c as the file should hold them, computed here.
std::vector<double> orbitValues(double cr, double ci, int iterations, bool imaginaryParts)
{
    std::vector<double> values;
    double re = cr;
    double im = ci;
    for (int k = 0; k < iterations; ++k) {
        const double value = imaginaryParts ? im : re;
        values.push_back(std::isfinite(value) ? value : 9999999.0);
        const double square = re * re - im * im;
        im = re * im * 2 + ci;
        re = square + cr;
    }
    return values;
}

// The number that seven significant digits in the file make of a value.
double writtenValue(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6e", value);
    return std::strtod(text, nullptr);
}

// Prints every array element as a mantissa and a decimal exponent, so that
// each fits one short line of the message stream. POV-Ray's "=" allows for
// a small difference, so zero is told by the two strict comparisons.
const char checkScene[] = R"(#version 3.7;
global_settings { assumed_gamma 1.0 }
#include "exported-orbits.pov"
#macro Report(Name, P, K, V)
    #if (V < 0 | V > 0)
        #local E = floor(log(abs(V)));
        #debug concat("value ", Name, " ", str(P, 0, 0), " ", str(K, 0, 0), " ", str(V / pow(10, E), 0, 12), " ", str(E, 0, 0), "\n")
    #else
        #debug concat("value ", Name, " ", str(P, 0, 0), " ", str(K, 0, 0), " 0 0\n")
    #end
#end
#debug concat("counts ", str(orbitsNumberPoints, 0, 0), " ", str(orbitsNumberIterations, 0, 0), "\n")
#declare P = 0;
#while (P < orbitsNumberPoints)
    #declare K = 0;
    #while (K < orbitsNumberIterations)
        Report("X", P, K, orbitsXPoints[P][K])
        Report("Y", P, K, orbitsYPoints[P][K])
        #declare K = K + 1;
    #end
    #declare P = P + 1;
#end
camera { location <0, 0, -4> look_at 0 }
light_source { <2, 2, -4> color rgb 1 }
sphere { 0, 1 pigment { color rgb 1 } }
)";

} // namespace
#endif

TEST(ExportPovray, ReadsBackTheOrbitsAndRendersTheExample)
{
#ifdef _WIN32
    GTEST_SKIP() << "POV-Ray runs with the Linux build";
#else
    if (!povrayInstalled())
        GTEST_SKIP() << "povray is not on the PATH";
    ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());

    // Points inside the set, on its edge, one that escapes and overflows,
    // and one with tiny parts.
    const std::vector<double> reals = {-1.0, 0.0, 0.25, 1.0, -2.0, -0.1, 3e-300};
    const std::vector<double> imags = {0.0, 1.0, 0.5, 0.0, 0.0, 0.9, -2e-310};
    const int points = static_cast<int>(reals.size());
    const int iterations = 16;
    FileSink sink(folder.path + "/exported-orbits.pov");
    ASSERT_TRUE(writeOrbitText(sink, iterations, points, reals.data(), imags.data()));
    ASSERT_TRUE(sink.close());

    {
        std::ofstream scene(folder.path + "/check.pov");
        scene << checkScene;
    }
    const PovrayRun check = runInFolder(folder.path, "+Icheck.pov +Ocheck.png +W16 +H12 -D");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(complaints(check.output), std::vector<std::string>()) << check.output;

    std::map<std::string, double> readBack;
    std::istringstream lines(check.output);
    std::string line;
    int countedPoints = 0;
    int countedIterations = 0;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "counts") {
            fields >> countedPoints >> countedIterations;
        } else if (kind == "value") {
            std::string name;
            int p, k;
            double mantissa;
            int exponent;
            fields >> name >> p >> k >> mantissa >> exponent;
            readBack[name + " " + std::to_string(p) + " " + std::to_string(k)] = mantissa * std::pow(10.0, exponent);
        }
    }
    EXPECT_EQ(countedPoints, points);
    EXPECT_EQ(countedIterations, iterations);
    ASSERT_EQ(readBack.size(), static_cast<std::size_t>(2 * points * iterations)) << check.output;

    for (int p = 0; p < points; ++p) {
        for (bool imaginaryParts : {false, true}) {
            const std::vector<double> values = orbitValues(reals[p], imags[p], iterations, imaginaryParts);
            for (int k = 0; k < iterations; ++k) {
                const std::string key = std::string(imaginaryParts ? "Y " : "X ") + std::to_string(p) + " " +
                                        std::to_string(k);
                const double seen = readBack[key];
                EXPECT_NEAR(seen, values[k], std::fabs(values[k]) * 6e-7) << key;
                EXPECT_NEAR(seen, writtenValue(values[k]), std::fabs(values[k]) * 1e-10) << key;
            }
        }
    }
    EXPECT_EQ(readBack["X 3 11"], 9999999.0) << "the overflow is written as the substitute";
    EXPECT_EQ(readBack["Y 3 12"], 9999999.0) << "the NaN one value later too";

    const PovrayRun render = runInFolder(folder.path, "+I" ZELVAR_SOURCE_DIR "/examples/orbits.pov +Oorbits.ppm +FP +W64 +H48 -D");
    EXPECT_EQ(render.status, 0) << render.output;
    EXPECT_EQ(complaints(render.output), std::vector<std::string>()) << render.output;

    // The chains of the first points are red: the picture must hold some.
    std::ifstream picture(folder.path + "/orbits.ppm", std::ios::binary);
    std::string magic;
    picture >> magic;
    // Comment lines of the header name the program and the date.
    while (picture >> std::ws && picture.peek() == '#') {
        std::string comment;
        std::getline(picture, comment);
    }
    int width = 0, height = 0, largest = 0;
    picture >> width >> height >> largest;
    picture.get();
    ASSERT_EQ(magic, "P6");
    ASSERT_EQ(width, 64);
    ASSERT_EQ(height, 48);
    ASSERT_EQ(largest, 255);
    std::vector<unsigned char> pixels(64 * 48 * 3);
    picture.read(reinterpret_cast<char*>(pixels.data()), pixels.size());
    ASSERT_TRUE(picture);
    int reddish = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3)
        reddish += pixels[i] > pixels[i + 1] + 60 && pixels[i] > pixels[i + 2] + 30;
    EXPECT_GT(reddish, 0);
#endif
}
