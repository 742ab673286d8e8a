// Times the encoding of a picture held in memory into a PNG file, band by
// band, and reports the process's peak memory before and after:
//   png_band_bench [PATH [BAND_ROWS]]
// The picture is the start-up view at 8000 x 6000 pixels, coloured as the
// explorer colours it; PATH defaults to a file in the temporary folder, which
// is deleted afterwards. Run by hand under Wine.
#include "engine/escape_time.h"
#include "engine/location.h"
#include "engine/location_file.h"
#include "engine/plane_mapping.h"
#include "export/png_band_writer.h"

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int width = 8000;
constexpr int height = 6000;

double peakMegabytes()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20);
}

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<std::uint32_t> startUpPicture(const Location& location)
{
    const double centerReal = static_cast<double>(location.centerReal);
    const double centerImag = static_cast<double>(location.centerImag);
    const PlaneEdges edges = planeEdges(centerReal, centerImag, location.halfHeight, width, height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const double imag = rowToImag(edges, y, height);
        for (int x = 0; x < width; ++x) {
            const int steps = escapeSteps(columnToReal(edges, x, width), imag, location.iterationLimit,
                                          location.escapeThreshold);
            pixels[static_cast<std::size_t>(y) * width + x] =
                colorToPixel(stepColor(steps, location.iterationLimit, location.binaryColoring));
        }
    }
    return pixels;
}

} // namespace

int main(int argc, char** argv)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = argc > 1 ? argv[1] : std::string(folder) + "zelvar-png-bench.png";
    const int bandRows = argc > 2 ? std::atoi(argv[2]) : 64;
    if (bandRows < 1) {
        std::fprintf(stderr, "usage: png_band_bench [PATH [BAND_ROWS]]\n");
        return 2;
    }

    const Location location;
    const std::vector<std::uint32_t> picture = startUpPicture(location);
    const double peakBefore = peakMegabytes();

    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    const std::atomic<bool> noStop{false};
    PngBandWriter writer(noStop);
    bool written = writer.open(path.c_str(), width, height);
    for (int first = 0; written && first < height; first += bandRows) {
        const int rows = first + bandRows <= height ? bandRows : height - first;
        written = writer.writeBand(picture.data() + static_cast<std::size_t>(first) * width, rows);
    }
    written = written && writer.finish(locationFileText(location));
    QueryPerformanceCounter(&end);

    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    std::printf("%d x %d pixels in bands of %d rows: %s in %.2f s, %.1f MB of PNG; peak working set %.1f MB with the "
                "picture in memory, %.1f MB after the encoding\n",
                width, height, bandRows, written ? "encoded" : writer.failure().c_str(), seconds(start, end),
                static_cast<double>(attributes.nFileSizeLow) / (1 << 20), peakBefore, peakMegabytes());
    if (argc <= 1)
        DeleteFileA(path.c_str());
    return written ? 0 : 1;
}
