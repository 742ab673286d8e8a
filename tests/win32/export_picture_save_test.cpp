// Saved pictures: every pixel the renderer's at any size, shallow and deep,
// with the location inside; a stop, a full disk or a read-only target that
// keep the earlier file; and a huge picture saved in flat memory.
#include "export/picture_save.h"

#include "engine/location_file.h"
#include "export/file_replacement.h"
#include "export/png_location.h"
#include "tests/e2e/unix_command.h"
#include "tests/support/deep_places.h"
#include "tests/support/png_picture.h"
#include "tests/support/rendered_picture.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace {

const char earlierContent[] = "earlier picture";

std::string folderOfTests()
{
    const std::string probe = temporaryPath("x");
    return probe.substr(0, probe.size() - 1);
}

// M4,1 at a half-height of 1e-100, at a limit whose colours show its arms.
Location deepLocation()
{
    Location location;
    location.centerReal = PreciseReal(preperiodic41.centerReal);
    location.centerImag = PreciseReal(preperiodic41.centerImag);
    location.halfHeight = 1e-100;
    location.iterationLimit = 1000;
    return location;
}

PictureSaveJob jobFor(const std::string& path, const Location& location, int width, int height)
{
    PictureSaveJob job;
    job.path = path;
    job.location = location;
    job.centerReal = double(location.centerReal);
    job.centerImag = double(location.centerImag);
    job.width = width;
    job.height = height;
    return job;
}

// The pixels that differ from the expected ones, the first few named.
std::string differences(const DecodedPicture& picture, const std::vector<std::uint32_t>& expected)
{
    if (!picture.failure.empty())
        return picture.failure;
    if (picture.pixels.size() != expected.size())
        return "the picture has " + std::to_string(picture.pixels.size()) + " pixels, not " +
               std::to_string(expected.size());
    std::string named;
    int wrong = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (picture.pixels[i] != expected[i] && ++wrong <= 3)
            named += " (" + std::to_string(i % picture.width) + ", " + std::to_string(i / picture.width) + ")";
    }
    return wrong == 0 ? "" : std::to_string(wrong) + " pixels differ:" + named;
}

// The location that the picture's text chunk reads back to.
std::string chunkProblem(const std::string& path, const Location& location)
{
    const PngLocationSearch search = findPngLocation(path.c_str());
    if (!search.found)
        return search.problem;
    if (search.text != locationFileText(location))
        return "the chunk holds another text: " + search.text;
    Location read;
    read.iterationLimit = 1;
    const std::string problem = readLocationText(search.text, read);
    if (!problem.empty())
        return problem;
    return read == location ? "" : "the chunk reads back to another location";
}

// A view on the edge of the main cardioid, whose rows take long.
Location slowLocation()
{
    Location location;
    location.centerReal = -0.3905408702184;
    location.centerImag = -0.5867879073469687;
    location.halfHeight = 3e-6;
    location.iterationLimit = 100000;
    return location;
}

// Saves a picture of 20,000 x 15,000 pixels, binary coloured at a limit of
// 4, notes in the report file how far the process's peak working set rose
// above its working set before the save, and the distinct row counts the
// progress went through, and ends the process: with 0 when the picture was
// saved in less than 64 MB more, its progress rising to the last row. (Wine
// reports the private memory of the moment as its peak, so the working set
// is the measure that has a true peak.)
void saveHugePictureAndExit(const std::string& path, const std::string& report)
{
    PROCESS_MEMORY_COUNTERS before = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    Location location;
    location.iterationLimit = 4;
    location.binaryColoring = true;
    const PictureSaveJob job = jobFor(path, location, 20000, 15000);
    PictureSaveProgress progress;
    std::mutex mutex;
    std::vector<int> seen;
    progress.rowsChanged = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(progress.rows);
    };
    const PictureSaveResult result = savePicture(job, progress);
    PROCESS_MEMORY_COUNTERS after = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    const double growth = double(after.PeakWorkingSetSize) - double(before.WorkingSetSize);
    const bool rising = std::is_sorted(seen.begin(), seen.end()) && !seen.empty() && seen.back() == 15000;
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    std::ofstream(report) << growth << ' ' << seen.size();
    std::fprintf(stderr, "%s, %.1f MB more at the peak, %zu row counts\n",
                 result.written ? "saved" : result.failure.c_str(), growth / (1 << 20), seen.size());
    std::exit(result.written && growth < 64 * (1 << 20) && rising ? 0 : 1);
}

} // namespace

TEST(PictureSave, EveryPixelIsTheRenderersAtAnySizeShallowAndDeep)
{
    Location startUp;
    Location binary;
    binary.iterationLimit = 200;
    binary.binaryColoring = true;
    const Location deep = deepLocation();
    const struct {
        const char* name;
        Location location;
        int width;
        int height;
        // The rows of a band; 0 for the bands of a save.
        int bandRows;
    } pictures[] = {
        {"start-up view at the view's size", startUp, 400, 200, 0},
        {"start-up view, odd size, bands of 16 rows", startUp, 301, 173, 16},
        {"single pixel", startUp, 1, 1, 0},
        {"binary colouring, bands of 7 rows", binary, 250, 99, 7},
        {"deep at 1e-100", deep, 160, 120, 0},
        {"deep, odd size, bands of 13 rows", deep, 97, 61, 13},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const std::string path = temporaryPath("saved-picture.png");
        PictureSaveJob job = jobFor(path, picture.location, picture.width, picture.height);
        if (picture.bandRows > 0)
            job.bandBytes = std::size_t(picture.bandRows) * std::size_t(picture.width) * 4;
        PictureSaveProgress progress;
        const PictureSaveResult result = savePicture(job, progress);
        ASSERT_TRUE(result.written) << result.failure;
        EXPECT_EQ(progress.rows, picture.height);
        std::vector<std::uint32_t> expected =
            renderedPicture(picture.location, job.centerReal, job.centerImag, picture.width, picture.height);
        EXPECT_EQ(differences(decodePngPicture(path), expected), "");
        // The pictures have structure: a row or a band out of place shows.
        std::sort(expected.begin(), expected.end());
        const auto colours = std::unique(expected.begin(), expected.end()) - expected.begin();
        EXPECT_TRUE(picture.width == 1 || colours >= (picture.location.binaryColoring ? 2 : 10)) << colours;
        EXPECT_EQ(chunkProblem(path, picture.location), "");
        EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
        DeleteFileA(path.c_str());
    }
}

TEST(PictureSave, AFinishedPictureIsWrittenAsItIsBandByBand)
{
    // Pixels that no calculation gives, in bands of 10 rows.
    std::mt19937 random(7);
    std::vector<std::uint32_t> finished(64 * 45);
    for (std::uint32_t& pixel : finished)
        pixel = random() & 0xFFFFFFu;
    const std::string path = temporaryPath("saved-finished.png");
    Location location;
    PictureSaveJob job = jobFor(path, location, 64, 45);
    job.finishedPixels = finished.data();
    job.bandBytes = 64 * 4 * 10;
    PictureSaveProgress progress;
    std::vector<int> rows;
    progress.rowsChanged = [&] { rows.push_back(progress.rows); };
    const PictureSaveResult result = savePicture(job, progress);
    ASSERT_TRUE(result.written) << result.failure;
    EXPECT_EQ(differences(decodePngPicture(path), finished), "");
    EXPECT_EQ(rows, (std::vector<int>{10, 20, 30, 40, 45}));
    EXPECT_EQ(chunkProblem(path, location), "");
    DeleteFileA(path.c_str());
}

TEST(PictureSave, AStopAFullDiskAndAReadOnlyTargetKeepTheEarlierFile)
{
    const std::string path = temporaryPath("saved-kept.png");
    const std::string quoted = "\"" + path + "\"";
    {
        SCOPED_TRACE("stopped while computing");
        writeBytes(path, earlierContent);
        PictureSaveProgress progress;
        PictureSaveResult result;
        std::thread saving([&] { result = savePicture(jobFor(path, slowLocation(), 600, 400), progress); });
        EXPECT_TRUE(waitFor([&] { return progress.rows > 0; })) << "rows are computed";
        progress.stopRequested = true;
        saving.join();
        EXPECT_FALSE(result.written);
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.failure, "");
        EXPECT_LT(progress.rows, 400);
        EXPECT_EQ(fileBytes(path), earlierContent);
        EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
    }
    {
        SCOPED_TRACE("read-only");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        writeBytes(path, earlierContent);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        PictureSaveProgress progress;
        const PictureSaveResult result = savePicture(jobFor(path, Location(), 40, 30), progress);
        EXPECT_FALSE(result.written);
        EXPECT_FALSE(result.stopped);
        EXPECT_EQ(result.failure,
                  "Cannot replace the file " + quoted + ": it is read-only. The earlier file is left as it was.");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(fileBytes(path), earlierContent);
        EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
        DeleteFileA(path.c_str());
    }

    SCOPED_TRACE("full disk");
    // The seahorse valley in detail: a picture of about 100 KB.
    Location detailed;
    detailed.centerReal = -0.7436438870371587;
    detailed.centerImag = 0.1318259042053120;
    detailed.halfHeight = 1e-3;
    detailed.iterationLimit = 1000;
    const std::string roomy = temporaryPath("saved-detailed.png");
    PictureSaveProgress first;
    ASSERT_TRUE(savePicture(jobFor(roomy, detailed, 600, 450), first).written);
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(roomy.c_str(), GetFileExInfoStandard, &attributes);
    ASSERT_GT(attributes.nFileSizeLow, 64u << 10) << "the picture would fit on the small disk";
    DeleteFileA(roomy.c_str());

    // A filesystem of 64 KB mounted on the host over a folder of the test
    // (which needs root, as the test machines have), with the earlier file.
    const std::string folder = temporaryPath("small-picture-disk");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string hostFolder = hostPath(folder);
    ASSERT_FALSE(hostFolder.empty());
    if (runHostCommand("mount -t tmpfs -o size=64k zelvar-small-disk " + shellQuoted(hostFolder)) != 0)
        GTEST_SKIP() << "No small filesystem can be mounted here; it needs root.";
    struct Unmount {
        std::string folder;
        ~Unmount() { runHostCommand("umount -l " + shellQuoted(folder)); }
    } unmount{hostFolder};
    const std::string target = folder + "\\picture.png";
    const std::string earlier(30000, 'e');
    writeBytes(target, earlier);
    PictureSaveProgress progress;
    const PictureSaveResult result = savePicture(jobFor(target, detailed, 600, 450), progress);
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(result.failure, "Cannot write the picture \"" + target + "\": " + systemText(ERROR_DISK_FULL) +
                                  " An earlier file of that name is left as it was.");
    EXPECT_EQ(fileBytes(target), earlier);
    EXPECT_EQ(strayTemporaryFiles(folder + "\\"), 0);
}

TEST(PictureSave, AHugePictureIsSavedInFlatMemoryWithItsProgressRising)
{
    // 20,000 x 15,000 pixels, 1.2 GB as the program holds them, saved in a
    // process of its own.
    const std::string path = temporaryPath("saved-huge.png");
    const std::string report = temporaryPath("saved-huge.txt");
    EXPECT_EXIT(saveHugePictureAndExit(path, report), testing::ExitedWithCode(0), "saved, ");
    double growth = 0;
    int rowCounts = 0;
    std::ifstream(report) >> growth >> rowCounts;
    std::printf("Saving 20000 x 15000 pixels: %.1f MB more at the peak, %d row counts\n", growth / (1 << 20),
                rowCounts);
    EXPECT_GT(rowCounts, 10) << "the progress rises in many steps";

    std::string header(24, '\0');
    std::ifstream(path, std::ios::binary).read(&header[0], 24);
    EXPECT_EQ(header.substr(12, 12), std::string("IHDR\0\0\x4E\x20\0\0\x3A\x98", 12)) << "20000 x 15000 pixels";
    Location location;
    location.iterationLimit = 4;
    location.binaryColoring = true;
    EXPECT_EQ(chunkProblem(path, location), "");
    DeleteFileA(path.c_str());
    DeleteFileA(report.c_str());
}
