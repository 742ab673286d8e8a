#include "export/png_band_writer.h"

#include "export/png_location.h"
#include "tests/e2e/unix_command.h"
#include "tests/support/png_picture.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_view.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

namespace {

const std::string locationText = "Zelvar location\r\ncenter-real = -0.75\r\ncenter-imag = 0.1\r\n";

std::string folderOfTests()
{
    const std::string probe = temporaryPath("x");
    return probe.substr(0, probe.size() - 1);
}

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A pixel 0x00RRGGBB that differs in every channel from its neighbours.
std::uint32_t patternPixel(int x, int y)
{
    const std::uint32_t hash = static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u;
    return (hash ^ (hash >> 13)) & 0xFFFFFFu;
}

// Rows first to first + count of the pattern picture of the given width.
std::vector<std::uint32_t> patternRows(int width, int first, int count)
{
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * static_cast<std::size_t>(count));
    for (int y = 0; y < count; ++y) {
        for (int x = 0; x < width; ++x)
            rows[static_cast<std::size_t>(y) * width + x] = patternPixel(x, first + y);
    }
    return rows;
}

// Writes the pattern picture in bands of the given heights, the last one
// repeated until every row is written.
bool writePattern(PngBandWriter& writer, const std::string& path, int width, int height,
                  const std::vector<int>& bands)
{
    if (!writer.open(path.c_str(), width, height))
        return false;
    for (int first = 0, band = 0; first < height; ++band) {
        const int count = std::min(bands[std::min<std::size_t>(band, bands.size() - 1)], height - first);
        if (!writer.writeBand(patternRows(width, first, count).data(), count))
            return false;
        first += count;
    }
    return writer.finish(locationText);
}

void expectPattern(const std::string& path, int width, int height)
{
    const DecodedPicture decoded = decodePngPicture(path);
    ASSERT_EQ(decoded.failure, "");
    ASSERT_EQ(decoded.width, static_cast<UINT>(width));
    ASSERT_EQ(decoded.height, static_cast<UINT>(height));
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (decoded.pixels[static_cast<std::size_t>(y) * width + x] != patternPixel(x, y) && ++wrong <= 3)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(wrong, 0);
}

// Writes a picture of 20,000 x 15,000 pixels of broad stripes in bands of 50
// rows, notes the process's peak working set in the report file and on the
// error stream, and ends the process: with 0 when it was written in less than
// 64 MB.
void writeHugePictureAndExit(const std::string& path, const std::string& report)
{
    constexpr int width = 20000;
    constexpr int height = 15000;
    constexpr int bandRows = 50;
    const std::atomic<bool> noStop{false};
    PngBandWriter writer(noStop);
    bool written = writer.open(path.c_str(), width, height);
    std::vector<std::uint32_t> band(static_cast<std::size_t>(width) * bandRows);
    for (int first = 0; written && first < height; first += bandRows) {
        for (int y = 0; y < bandRows; ++y) {
            for (int x = 0; x < width; ++x)
                band[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint32_t>(x / 40 * 3 + (first + y) / 30) * 0x010203u & 0xFFFFFFu;
        }
        written = writer.writeBand(band.data(), bandRows);
    }
    written = written && writer.finish(locationText);
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::ofstream(report) << memory.PeakWorkingSetSize;
    std::fprintf(stderr, "%s, peak working set %.1f MB\n", written ? "written" : writer.failure().c_str(),
                 static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));
    std::exit(written && memory.PeakWorkingSetSize < (64u << 20) ? 0 : 1);
}

} // namespace

TEST(PngBandWriter, WritesEveryPixelAndTheLocation)
{
    const std::atomic<bool> noStop{false};
    const std::string path = temporaryPath("band-writer-pattern.png");
    PngBandWriter writer(noStop);
    ASSERT_TRUE(writePattern(writer, path, 301, 203, {1, 17, 100, 64})) << writer.failure();
    EXPECT_FALSE(writer.stopped());
    expectPattern(path, 301, 203);

    const PngLocationSearch search = findPngLocation(path.c_str());
    EXPECT_TRUE(search.found) << search.problem;
    EXPECT_EQ(search.text, locationText);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, WritesTheSmallestPictureAndBandsLargerThanItsConversion)
{
    const std::atomic<bool> noStop{false};
    const std::string single = temporaryPath("band-writer-single.png");
    PngBandWriter one(noStop);
    ASSERT_TRUE(writePattern(one, single, 1, 1, {1})) << one.failure();
    expectPattern(single, 1, 1);

    // One band of 24 MB, converted in parts of about 4 MB.
    const std::string wide = temporaryPath("band-writer-wide.png");
    PngBandWriter writer(noStop);
    ASSERT_TRUE(writePattern(writer, wide, 6000, 1000, {1000})) << writer.failure();
    expectPattern(wide, 6000, 1000);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, ReplacesAnEarlierFileOnlyWhenWhole)
{
    const std::atomic<bool> noStop{false};
    const std::string path = temporaryPath("band-writer-replaced.png");
    writeBytes(path, "earlier picture");
    PngBandWriter writer(noStop);
    ASSERT_TRUE(writer.open(path.c_str(), 64, 48));
    ASSERT_TRUE(writer.writeBand(patternRows(64, 0, 20).data(), 20));
    EXPECT_EQ(fileBytes(path), "earlier picture");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 1) << "the picture is written under a temporary name";
    ASSERT_TRUE(writer.writeBand(patternRows(64, 20, 28).data(), 28));
    ASSERT_TRUE(writer.finish(locationText)) << writer.failure();
    expectPattern(path, 64, 48);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, AStopKeepsTheEarlierFile)
{
    const std::string path = temporaryPath("band-writer-stopped.png");
    writeBytes(path, "earlier picture");

    // Raised by another thread while a large picture is being written.
    std::atomic<bool> stop{false};
    std::atomic<int> rows{0};
    PngBandWriter writer(stop);
    bool finished = true;
    std::thread writing([&] {
        ASSERT_TRUE(writer.open(path.c_str(), 4000, 3000));
        for (int first = 0; first < 3000; first += 10) {
            if (!writer.writeBand(patternRows(4000, first, 10).data(), 10)) {
                finished = false;
                return;
            }
            rows = first + 10;
        }
        finished = writer.finish(locationText);
    });
    EXPECT_TRUE(waitFor([&] { return rows >= 50; }));
    stop = true;
    writing.join();
    EXPECT_FALSE(finished);
    EXPECT_TRUE(writer.stopped());
    EXPECT_EQ(writer.failure(), "");
    EXPECT_FALSE(writer.writeBand(patternRows(4000, 0, 1).data(), 1)) << "a stopped writer takes no more rows";
    EXPECT_TRUE(writer.stopped());
    EXPECT_EQ(writer.failure(), "");
    EXPECT_EQ(fileBytes(path), "earlier picture");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);

    // Raised after the last row: the picture is not finished either.
    std::atomic<bool> lateStop{false};
    PngBandWriter late(lateStop);
    ASSERT_TRUE(late.open(path.c_str(), 30, 20));
    ASSERT_TRUE(late.writeBand(patternRows(30, 0, 20).data(), 20));
    lateStop = true;
    EXPECT_FALSE(late.finish(locationText));
    EXPECT_TRUE(late.stopped());
    EXPECT_EQ(fileBytes(path), "earlier picture");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, AWriterDroppedUnfinishedLeavesNothing)
{
    const std::atomic<bool> noStop{false};
    const std::string path = temporaryPath("band-writer-dropped.png");
    DeleteFileA(path.c_str());
    {
        PngBandWriter writer(noStop);
        ASSERT_TRUE(writer.open(path.c_str(), 30, 20));
        ASSERT_TRUE(writer.writeBand(patternRows(30, 0, 5).data(), 5));
        EXPECT_FALSE(writer.finish(locationText));
        EXPECT_EQ(writer.failure(), "Cannot finish the picture \"" + path + "\": 15 of its rows are not written.");
    }
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, AReadOnlyTargetIsKeptWithAMessage)
{
    const std::atomic<bool> noStop{false};
    const std::string path = temporaryPath("band-writer-read-only.png");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    writeBytes(path, "earlier picture");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    PngBandWriter writer(noStop);
    EXPECT_FALSE(writePattern(writer, path, 30, 20, {20}));
    EXPECT_EQ(writer.failure(),
              "Cannot replace the file \"" + path + "\": it is read-only. The earlier file is left as it was.");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(fileBytes(path), "earlier picture");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, RefusesSizesAndTargetsItCannotServe)
{
    const std::atomic<bool> noStop{false};
    const std::string path = temporaryPath("band-writer-refused.png");
    const std::string sizes = "each side must have 1 to 65535 pixels, and the picture at most 2147483647 pixels in all.";
    const int refused[][2] = {{0, 10}, {10, 0}, {-1, 10}, {65536, 1}, {1, 65536}, {65535, 32769}};
    for (const auto& size : refused) {
        PngBandWriter writer(noStop);
        EXPECT_FALSE(writer.open(path.c_str(), size[0], size[1]));
        EXPECT_EQ(writer.failure(), "Cannot save a picture of " + std::to_string(size[0]) + " x " +
                                        std::to_string(size[1]) + " pixels: " + sizes);
    }
    PngBandWriter folder(noStop);
    EXPECT_FALSE(folder.open(folderOfTests().c_str(), 10, 10));
    EXPECT_TRUE(mentions(folder.failure(), "it is a folder.")) << folder.failure();
    PngBandWriter missing(noStop);
    const std::string unreachable = temporaryPath("no-such-folder\\picture.png");
    EXPECT_FALSE(missing.open(unreachable.c_str(), 10, 10));
    EXPECT_TRUE(mentions(missing.failure(), "Cannot create the file \"" + unreachable + "\": ")) << missing.failure();
    PngBandWriter unnamed(noStop);
    EXPECT_FALSE(unnamed.open("", 10, 10));
    EXPECT_EQ(unnamed.failure(), "No file name was chosen.");

    // More rows than the picture has.
    PngBandWriter tooMany(noStop);
    ASSERT_TRUE(tooMany.open(path.c_str(), 10, 10));
    EXPECT_FALSE(tooMany.writeBand(patternRows(10, 0, 11).data(), 11));
    EXPECT_EQ(tooMany.failure(),
              "Cannot write 11 more rows into the picture \"" + path + "\": it has 10 rows left.");
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
}

TEST(PngBandWriter, AFullDiskKeepsTheEarlierFile)
{
    // A filesystem of 256 KB, mounted on the host over a folder of the test
    // (which needs root, as the test machines have), takes the earlier file
    // and then fills up while a picture of random pixels, 480 KB, is
    // written there.
    const std::string folder = temporaryPath("small-disk");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string hostFolder = hostPath(folder);
    ASSERT_FALSE(hostFolder.empty());
    if (runHostCommand("mount -t tmpfs -o size=256k zelvar-small-disk " + shellQuoted(hostFolder)) != 0)
        GTEST_SKIP() << "No small filesystem can be mounted here; it needs root.";
    struct Unmount {
        std::string folder;
        ~Unmount() { runHostCommand("umount -l " + shellQuoted(folder)); }
    } unmount{hostFolder};

    const std::string path = folder + "\\picture.png";
    const std::string earlier(100000, 'e');
    writeBytes(path, earlier);
    ASSERT_EQ(fileBytes(path), earlier);

    std::mt19937 random(1);
    std::vector<std::uint32_t> noise(400 * 400);
    for (std::uint32_t& pixel : noise)
        pixel = random() & 0xFFFFFFu;
    const std::atomic<bool> noStop{false};
    PngBandWriter writer(noStop);
    const bool written = writer.open(path.c_str(), 400, 400) && writer.writeBand(noise.data(), 400) &&
                         writer.finish(locationText);
    EXPECT_FALSE(written);
    EXPECT_FALSE(writer.stopped());
    EXPECT_EQ(writer.failure(), "Cannot write the picture \"" + path + "\": " + systemText(ERROR_DISK_FULL) +
                                    " An earlier file of that name is left as it was.");
    EXPECT_EQ(fileBytes(path), earlier);
    EXPECT_EQ(strayTemporaryFiles(folder + "\\"), 0);
}

TEST(PngBandWriter, AHugePictureIsWrittenInLittleMemory)
{
    // 20,000 x 15,000 pixels, 1.2 GB as the program holds them, written in
    // bands of 50 rows in a process of its own, whose peak working set is
    // what the writing needed.
    const std::string path = temporaryPath("band-writer-huge.png");
    const std::string report = temporaryPath("band-writer-huge.txt");
    EXPECT_EXIT(writeHugePictureAndExit(path, report), testing::ExitedWithCode(0), "written, peak working set");
    double peak = 0;
    std::ifstream(report) >> peak;
    std::printf("Peak working set while writing 20000 x 15000 pixels: %.1f MB\n", peak / (1 << 20));

    std::string header(24, '\0');
    std::ifstream(path, std::ios::binary).read(&header[0], 24);
    EXPECT_EQ(header.substr(12, 12), std::string("IHDR\0\0\x4E\x20\0\0\x3A\x98", 12)) << "20000 x 15000 pixels";
    const PngLocationSearch search = findPngLocation(path.c_str());
    EXPECT_TRUE(search.found) << search.problem;
    EXPECT_EQ(search.text, locationText);
    DeleteFileA(path.c_str());
    DeleteFileA(report.c_str());
}
