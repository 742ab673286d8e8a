// Times the saving of an 8000 x 6000 picture and its two parts, each with the
// peak memory it needed, for the start-up view at a limit of 256 and for M4,1
// at a half-height of 1e-100 (limit 5000):
//   - the computation alone, in the save's bands, on every core;
//   - the encoding alone: the picture, held in memory, encoded by WIC band
//     by band (it is read from the saved file first);
//   - the whole save, in which the two overlap.
// The processor seconds of all threads of a part tell what it needs where
// other programs leave the cores busy.
// Each part runs in a process of its own, this program started again as
//   picture_save_bench PART PICTURE REPORT
// so that its peak working set is its own; its peak memory is how far that
// rose above the working set before the part. Run by hand under Wine,
// without arguments; the saved files go to the temporary folder and are
// deleted.
#include "engine/location_file.h"
#include "engine/picture_bands.h"
#include "engine/picture_rows.h"
#include "engine/render_worker.h"
#include "export/picture_save.h"
#include "export/png_band_writer.h"
#include "tests/support/deep_places.h"
#include "tests/support/png_picture.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int width = 8000;
constexpr int height = 6000;

const char* const parts[] = {"compute", "save", "encode"};
const char* const pictures[] = {"start-up", "deep"};

Location pictureLocation(const std::string& picture)
{
    Location location;
    if (picture == "deep") {
        location.centerReal = PreciseReal(preperiodic41.centerReal);
        location.centerImag = PreciseReal(preperiodic41.centerImag);
        location.halfHeight = 1e-100;
        location.iterationLimit = 5000;
    } else {
        location.iterationLimit = 256;
    }
    return location;
}

std::string savedPath(const std::string& picture)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "zelvar-save-bench-" + picture + ".png";
}

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The processor time of the whole process so far, on all its threads.
double processorSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return double((std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

PROCESS_MEMORY_COUNTERS memory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// The largest working set seen while a part runs, read every 5 ms: the
// process's peak working set only ever rises, and Wine cannot restart it.
class PeakSampler {
public:
    PeakSampler()
        : thread_([this] {
              while (!stop_) {
                  peak_ = std::max<SIZE_T>(peak_, memory().WorkingSetSize);
                  Sleep(5);
              }
          })
    {
    }

    ~PeakSampler() { stop(); }

    SIZE_T stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        return std::max<SIZE_T>(peak_, memory().WorkingSetSize);
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<SIZE_T> peak_{0};
    std::thread thread_;
};

class DiscardingSink final : public BandSink {
public:
    bool takeBand(const std::uint32_t*, int, int) override { return true; }
};

bool computeAlone(const Location& location)
{
    // As the save's: kept for the life of the process, yielding to others,
    // and one thread fewer than the cores, since this one computes too.
    RenderPool& pool = *new RenderPool([] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); });
    const int wanted = renderThreadCount() - 1;
    const int threads = std::min(pool.grow(wanted), wanted);
    ReferenceCache cache;
    PictureRows rows = pictureRows(location, double(location.centerReal), double(location.centerImag), width, height,
                                   bestKernelPath(), true, cache);
    const BandedPicture picture = bandedPicture(location, std::move(rows), width, height, bandRowsFor(width));
    std::atomic<bool> stop{false};
    DiscardingSink sink;
    return computeInBands(picture, pool, threads, stop, sink) == BandsOutcome::finished;
}

bool saveWhole(const Location& location, const std::string& path)
{
    PictureSaveJob job;
    job.path = path;
    job.location = location;
    job.centerReal = double(location.centerReal);
    job.centerImag = double(location.centerImag);
    job.width = width;
    job.height = height;
    PictureSaveProgress progress;
    const PictureSaveResult result = savePicture(job, progress);
    if (!result.written)
        std::fprintf(stderr, "%s\n", result.failure.c_str());
    return result.written;
}

bool encodeAlone(const std::vector<std::uint32_t>& pixels, const Location& location, const std::string& path)
{
    const std::atomic<bool> noStop{false};
    PngBandWriter writer(noStop);
    bool written = writer.open(path.c_str(), width, height);
    const int bandRows = bandRowsFor(width);
    for (int first = 0; written && first < height; first += bandRows)
        written = writer.writeBand(pixels.data() + std::size_t(first) * width, std::min(bandRows, height - first));
    written = written && writer.finish(locationFileText(location));
    if (!written)
        std::fprintf(stderr, "%s\n", writer.failure().c_str());
    return written;
}

// One part, timed, in this process; its seconds, the processor seconds of
// all its threads and the growth of the peak working set over the working
// set before it go into the report file.
int runPart(const std::string& part, const std::string& picture, const std::string& report)
{
    const Location location = pictureLocation(picture);
    std::vector<std::uint32_t> pixels;
    if (part == "encode") {
        DecodedPicture saved = decodePngPicture(savedPath(picture));
        if (!saved.failure.empty() || saved.width != unsigned(width)) {
            std::fprintf(stderr, "The saved picture cannot be read: %s\n", saved.failure.c_str());
            return 1;
        }
        pixels = std::move(saved.pixels);
    }
    const PROCESS_MEMORY_COUNTERS before = memory();
    std::optional<PeakSampler> sampler;
    if (part == "encode")
        sampler.emplace();
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    const double processorBefore = processorSeconds();
    QueryPerformanceCounter(&start);
    bool done = false;
    if (part == "compute")
        done = computeAlone(location);
    else if (part == "save")
        done = saveWhole(location, savedPath(picture));
    else
        done = encodeAlone(pixels, location, savedPath(picture) + ".again.png");
    QueryPerformanceCounter(&end);
    const double processor = processorSeconds() - processorBefore;
    // The decoding before the encoding raised the process's own peak.
    const double peak = sampler ? double(sampler->stop()) : double(memory().PeakWorkingSetSize);
    std::ofstream(report) << seconds(start, end) << ' ' << processor << ' '
                          << (peak - double(before.WorkingSetSize)) / (1 << 20);
    DeleteFileA((savedPath(picture) + ".again.png").c_str());
    return done ? 0 : 1;
}

// Runs a part in a process of its own; false when it failed.
bool runChild(const std::string& part, const std::string& picture, const std::string& report, double* time,
              double* processor, double* peak)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = "\"" + std::string(program) + "\" " + part + " " + picture + " \"" + report + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream(report) >> *time >> *processor >> *peak;
    DeleteFileA(report.c_str());
    return code == 0;
}

std::string processorName()
{
    char name[128] = "";
    DWORD size = sizeof name;
    RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString",
                 RRF_RT_REG_SZ, nullptr, name, &size);
    return name;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4)
        return runPart(argv[1], argv[2], argv[3]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: picture_save_bench\n");
        return 2;
    }
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string report = std::string(folder) + "zelvar-save-bench.txt";
    std::printf("%d x %d pixels on %d threads, %s\n", width, height, renderThreadCount(),
                processorName().c_str());
    std::printf("%-10s %-8s %10s %16s %10s\n", "picture", "part", "seconds", "processor secs", "peak MB");
    bool allDone = true;
    for (const char* picture : pictures) {
        double times[3] = {};
        for (int p = 0; p < 3; ++p) {
            double processor = 0;
            double peak = 0;
            const bool done = runChild(parts[p], picture, report, &times[p], &processor, &peak);
            allDone = allDone && done;
            std::printf("%-10s %-8s %10.2f %16.2f %10.1f%s\n", picture, parts[p], times[p], processor, peak,
                        done ? "" : "  FAILED");
            std::fflush(stdout);
        }
        std::printf("%-10s the save takes %.2f x the longer of its parts\n", picture,
                    times[1] / std::max(times[0], times[2]));
        DeleteFileA(savedPath(picture).c_str());
    }
    return allDone ? 0 : 1;
}
