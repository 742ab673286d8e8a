#include "export/orbit_file_writer.h"

#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/export_test_view.h"
#include "view/orbit_line_points.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> crlfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string folderOfTests()
{
    const std::string probe = temporaryPath("x");
    return probe.substr(0, probe.size() - 1);
}

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(OrbitFileWriter, WritesTheWorkedExample)
{
    // In a view of 400 x 200 around 0 with half-height 1, pixel (100, 100)
    // is -1 and pixel (200, 200) is i; two samples from (100, 100) towards
    // (300, 300) fall on exactly those pixels.
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string path = temporaryPath("writer-example.pov");
    const OrbitFileResult result = writeOrbitFile(3, 2, path.c_str(), orbitLinePlanePoints());
    ASSERT_TRUE(result.written) << result.failure;
    EXPECT_EQ(fileBytes(path), workedExampleFile);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(OrbitFileWriter, TakesItsPointsFromTheSamplerOnlyOnceTheChecksHavePassed)
{
    // The points come from the sampler alone, whatever the view shows.
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 13);
    int samplings = 0;
    const OrbitPointSampler minusOneAndI = [&samplings](double* reals, double* imags, int points) {
        ++samplings;
        EXPECT_EQ(points, 2);
        reals[0] = -1.0;
        imags[0] = 0.0;
        reals[1] = 0.0;
        imags[1] = 1.0;
    };
    const std::string path = temporaryPath("writer-sampled.pov");
    OrbitFileResult result = writeOrbitFile(3, 2, path.c_str(), minusOneAndI);
    ASSERT_TRUE(result.written) << result.failure;
    EXPECT_EQ(fileBytes(path), workedExampleFile);
    EXPECT_EQ(samplings, 1);

    // A refused export takes no points; without a sampler there is no line.
    result = writeOrbitFile(3, 2, "", minusOneAndI);
    EXPECT_EQ(result.failure, "No file name was chosen.");
    EXPECT_EQ(samplings, 1);
    result = writeOrbitFile(3, 2, path.c_str(), OrbitPointSampler());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.failure, "There is no orbit line to export.");
    EXPECT_EQ(fileBytes(path), workedExampleFile);
}

TEST(OrbitFileWriter, SamplesTruncatedToPixelsAndMappedThroughTheView)
{
    // Seven samples from (10, 190) towards (390, 13) lie at fractional pixels.
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 13);
    const int points = 7;
    const int iterations = 12;
    const std::string path = temporaryPath("writer-line.pov");
    const OrbitFileResult result = writeOrbitFile(iterations, points, path.c_str(), orbitLinePlanePoints());
    ASSERT_TRUE(result.written) << result.failure;
    const std::vector<std::string> lines = crlfLines(fileBytes(path));
    ASSERT_EQ(lines.size(), 16u + points + 2u + points);
    for (int p = 0; p < points; ++p) {
        const int x = static_cast<int>(10 + 380.0 / points * p);
        const int y = static_cast<int>(190 + -177.0 / points * p);
        const double cr = expectedReal(x);
        const double ci = expectedImag(y);
        EXPECT_EQ(lines[16 + p], referenceOrbitLine(cr, ci, iterations, false, p == points - 1)) << "point " << p;
        EXPECT_EQ(lines[16 + points + 2 + p], referenceOrbitLine(cr, ci, iterations, true, p == points - 1))
            << "point " << p;
    }
    char start[128];
    std::snprintf(start, sizeof start, "#declare\torbitsStartX\t= %f;", expectedReal(10));
    EXPECT_EQ(lines[9], start);
    std::snprintf(start, sizeof start, "#declare\torbitsEndY\t= %f;", expectedImag(static_cast<int>(190 - 177.0 / 7 * 6)));
    EXPECT_EQ(lines[13], start);
}

TEST(OrbitFileWriter, ReplacesAnEarlierFileWhole)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string path = temporaryPath("writer-replaced.pov");
    writeBytes(path, std::string(100000, 'x'));
    const OrbitFileResult result = writeOrbitFile(3, 2, path.c_str(), orbitLinePlanePoints());
    ASSERT_TRUE(result.written) << result.failure;
    EXPECT_EQ(fileBytes(path), workedExampleFile);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(OrbitFileWriter, ReportsTargetsThatCannotBeCreated)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string missing = temporaryPath("no-such-folder\\orbits.pov");
    OrbitFileResult result = writeOrbitFile(3, 2, missing.c_str(), orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(mentions(result.failure, "Cannot create the file \"" + missing + "\"")) << result.failure;
    EXPECT_EQ(GetFileAttributesA(temporaryPath("no-such-folder").c_str()), INVALID_FILE_ATTRIBUTES);

    const std::string folder = temporaryPath("writer-folder.pov");
    CreateDirectoryA(folder.c_str(), nullptr);
    result = writeOrbitFile(3, 2, folder.c_str(), orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.failure, "Cannot create the file \"" + folder + "\": it is a folder.");
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    result = writeOrbitFile(3, 2, "", orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.failure, "No file name was chosen.");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(OrbitFileWriter, ReportsAFullDeviceAndLeavesItADevice)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const OrbitFileResult result = writeOrbitFile(64, 255, "Z:\\dev\\full", orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    char diskFull[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_DISK_FULL, 0, diskFull,
                   sizeof diskFull, nullptr);
    std::string reason(diskFull);
    reason = reason.substr(0, reason.find_last_not_of("\r\n ") + 1);
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(result.failure, "Cannot write the file \"Z:\\dev\\full\": " + reason);

    HANDLE device = CreateFileA("Z:\\dev\\full", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileType(device), static_cast<DWORD>(FILE_TYPE_CHAR));
    CloseHandle(device);
    EXPECT_EQ(strayTemporaryFiles("Z:\\dev\\"), 0);
}

TEST(OrbitFileWriter, LeavesAFileInUseAsItWas)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string path = temporaryPath("writer-in-use.pov");
    writeBytes(path, "earlier content\r\n");
    // Another program holds the file open and lets nobody else at it.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const OrbitFileResult result = writeOrbitFile(3, 2, path.c_str(), orbitLinePlanePoints());
    CloseHandle(holder);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(mentions(result.failure, "Cannot replace the file \"" + path + "\": ")) << result.failure;
    EXPECT_TRUE(mentions(result.failure, "The earlier file is left as it was.")) << result.failure;
    EXPECT_EQ(fileBytes(path), "earlier content\r\n");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(OrbitFileWriter, CountsThatCannotBeServedAreReportedBeforeWriting)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string path = temporaryPath("writer-huge.pov");
    writeBytes(path, "earlier content\r\n");

    // Ten million points of a hundred million values: some 3e16 bytes.
    OrbitFileResult result = writeOrbitFile(100000000, 10000000, path.c_str(), orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(mentions(result.failure, "Cannot export 10000000 points of 100000000 iterations: the file would take "))
        << result.failure;
    EXPECT_EQ(fileBytes(path), "earlier content\r\n");

    // The largest count of points needs 32 GiB for its samples and 76 GiB
    // for its file: whichever of the two is short is reported. A machine
    // with both to spare would really write the file, so it is left out there.
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    ULARGE_INTEGER freeSpace = {};
    GetDiskFreeSpaceExA(folderOfTests().c_str(), &freeSpace, nullptr, nullptr);
    if (memory.ullAvailPageFile < 16ULL * INT_MAX || freeSpace.QuadPart < 38ULL * INT_MAX) {
        result = writeOrbitFile(1, INT_MAX, path.c_str(), orbitLinePlanePoints());
        EXPECT_FALSE(result.written);
        EXPECT_EQ(result.failure.rfind("Cannot export 2147483647 points", 0), 0u) << result.failure;
        EXPECT_EQ(fileBytes(path), "earlier content\r\n");
    }

    result = writeOrbitFile(0, 5, path.c_str(), orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.failure, "The number of points and the number of iterations must be at least 1.");
    result = writeOrbitFile(5, -1, path.c_str(), orbitLinePlanePoints());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(fileBytes(path), "earlier content\r\n");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(OrbitFileWriter, APreparedJobKnowsTheExactSizeAndCountsItsBytes)
{
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 13);
    const std::string path = temporaryPath("writer-counted.pov");
    OrbitFileJob job;
    ASSERT_EQ(prepareOrbitFile(40, 30, path.c_str(), orbitLinePlanePoints(), job), "");
    WriteProgress progress;
    const OrbitFileResult result = writeOrbitJob(job, progress);
    ASSERT_TRUE(result.written) << result.failure;
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(progress.written, job.size);
    EXPECT_EQ(fileBytes(path).size(), job.size);

    // A failed check leaves the job as it was.
    OrbitFileJob unused;
    EXPECT_EQ(prepareOrbitFile(0, 30, path.c_str(), orbitLinePlanePoints(), unused),
              "The number of points and the number of iterations must be at least 1.");
    EXPECT_EQ(unused.reals, nullptr);
}

TEST(OrbitFileWriter, AStopPartWayLeavesTheEarlierFileAndNoTemporaryFile)
{
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 13);
    const std::string path = temporaryPath("writer-stopped.pov");
    writeBytes(path, "earlier content\r\n");
    // Some 600 MB, far more than is written before the stop.
    OrbitFileJob job;
    ASSERT_EQ(prepareOrbitFile(20000, 1000, path.c_str(), orbitLinePlanePoints(), job), "");
    WriteProgress progress;
    OrbitFileResult result{false, "<not ended>"};
    std::thread writer([&] { result = writeOrbitJob(job, progress); });
    EXPECT_TRUE(waitFor([&] { return progress.written >= (1u << 20); }));
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 1) << "the file is written under a temporary name";
    progress.stopRequested = true;
    writer.join();

    EXPECT_FALSE(result.written);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.failure, "");
    EXPECT_LT(progress.written, job.size);
    EXPECT_EQ(fileBytes(path), "earlier content\r\n");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}
