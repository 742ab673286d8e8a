#include "export/orbit_file_writer.h"

#include "export/file_replacement.h"
#include "export/orbit_text.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace {

// The largest block handed to one WriteFile call.
constexpr DWORD writeBlock = 1 << 20;

class FileSink : public ByteSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}

    bool writeBytes(const char* data, std::size_t size) override
    {
        while (size > 0) {
            const DWORD part = size > writeBlock ? writeBlock : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(file_, data, part, &written, nullptr) || written == 0) {
                error = GetLastError();
                return false;
            }
            data += written;
            size -= written;
        }
        return true;
    }

    DWORD error = 0;

private:
    HANDLE file_;
};

OrbitFileResult failed(const std::string& text)
{
    return OrbitFileResult{false, text};
}

std::string countsText(int iterations, int points)
{
    return std::to_string(points) + " points of " + std::to_string(iterations) + " iterations";
}

// Failure text when the samples of `points` points cannot be held in memory;
// empty when they can. The check comes before the allocation because a
// system that promises memory it does not have would end the process when
// the samples are filled.
std::string sampleMemoryFailure(int points)
{
    const std::uint64_t needed = std::uint64_t{2} * sizeof(double) * static_cast<std::uint64_t>(points);
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory) && needed > memory.ullAvailPageFile) {
        return "Cannot export " + std::to_string(points) + " points: their samples need " + std::to_string(needed) +
               " bytes of memory, and only " + std::to_string(memory.ullAvailPageFile) + " are available.";
    }
    return {};
}

// Failure text when the file cannot fit on the disk of its folder; empty
// when it can, or when the free space cannot be told. The size is reckoned
// with 0 for the first and last point, whose text is the shortest a point
// can have, so that the check needs no samples and never refuses a file
// that fits.
std::string diskSpaceFailure(int iterations, int points, const std::string& folder)
{
    const std::uint64_t size = orbitTextSize(iterations, points, 0.0, 0.0, 0.0, 0.0);
    ULARGE_INTEGER available = {};
    if (!GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) || size <= available.QuadPart)
        return {};
    const std::string needed = size == UINT64_MAX ? "more than " + std::to_string(size) : std::to_string(size);
    return "Cannot export " + countsText(iterations, points) + ": the file would take " + needed +
           " bytes, and the disk has only " + std::to_string(available.QuadPart) + " bytes free.";
}

// The file's bytes go to `file`, which this closes; failure text, or empty.
// A stop on request sets *stopped and gives no failure.
std::string writeAndClose(UniqueHandle file, const OrbitFileJob& job, WriteProgress& progress, bool* stopped)
{
    FileSink fileSink(file.get());
    ProgressSink sink(fileSink, progress);
    const bool wrote = writeOrbitText(sink, job.iterations, job.points, job.reals.get(), job.imags.get());
    const bool closed = file.close();
    *stopped = sink.stopped();
    if (*stopped)
        return {};
    if (!wrote)
        return "Cannot write the file " + quotedPath(job.path) + ": " + systemText(fileSink.error);
    if (!closed)
        return "Cannot finish the file " + quotedPath(job.path) + ": " + systemText(GetLastError());
    return {};
}

OrbitFileResult stoppedResult()
{
    return OrbitFileResult{false, {}, true};
}

// Writes straight into a device, which cannot be replaced.
OrbitFileResult writeDirectly(const OrbitFileJob& job, WriteProgress& progress)
{
    const char* path = job.path.c_str();
    UniqueHandle device(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!device.valid())
        return failed("Cannot open " + quotedPath(path) + ": " + systemText(GetLastError()));
    bool stopped = false;
    const std::string failure = writeAndClose(std::move(device), job, progress, &stopped);
    if (stopped)
        return stoppedResult();
    return failure.empty() ? OrbitFileResult{true, {}} : failed(failure);
}

// Writes the file under a temporary name and, once it is whole, puts it in
// the target's place.
OrbitFileResult writeAndReplace(const OrbitFileJob& job, WriteProgress& progress)
{
    FileReplacement replacement(job.path);
    if (!replacement.failure().empty())
        return failed(replacement.failure());
    UniqueHandle file = replacement.openForWriting();
    if (!file.valid())
        return failed(replacement.failure());
    bool stopped = false;
    const std::string failure = writeAndClose(std::move(file), job, progress, &stopped);
    if (stopped)
        return stoppedResult();
    if (!failure.empty())
        return failed(failure + " An earlier file of that name is left as it was.");
    const std::string replaceFailure = replacement.replaceTarget();
    if (!replaceFailure.empty())
        return failed(replaceFailure);
    return OrbitFileResult{true, {}};
}

} // namespace

std::string prepareOrbitFile(int iterations, int points, const char* path, const OrbitPointSampler& samplePoints,
                             OrbitFileJob& job)
{
    if (iterations < 1 || points < 1)
        return "The number of points and the number of iterations must be at least 1.";
    if (!samplePoints)
        return "There is no orbit line to export.";
    if (!path || !*path)
        return "No file name was chosen.";

    DWORD openError = 0;
    const TargetKind target = inspectTarget(path, &openError);
    if (target == TargetKind::folder)
        return "Cannot create the file " + quotedPath(path) + ": it is a folder.";
    if (target == TargetKind::unreachable)
        return "Cannot create the file " + quotedPath(path) + ": " + systemText(openError);
    if (target != TargetKind::device) {
        const std::string spaceFailure = diskSpaceFailure(iterations, points, folderOf(path));
        if (!spaceFailure.empty())
            return spaceFailure;
    }

    const std::string memoryFailure = sampleMemoryFailure(points);
    if (!memoryFailure.empty())
        return memoryFailure;
    std::unique_ptr<double[]> reals(new (std::nothrow) double[points]);
    std::unique_ptr<double[]> imags(new (std::nothrow) double[points]);
    if (!reals || !imags)
        return "Cannot export " + std::to_string(points) + " points: there is not enough memory for their samples.";

    samplePoints(reals.get(), imags.get(), points);

    job.iterations = iterations;
    job.points = points;
    job.path = path;
    job.toDevice = target == TargetKind::device;
    job.size = orbitTextSize(iterations, points, reals[0], imags[0], reals[points - 1], imags[points - 1]);
    job.reals = std::move(reals);
    job.imags = std::move(imags);
    return {};
}

OrbitFileResult writeOrbitJob(const OrbitFileJob& job, WriteProgress& progress)
{
    return job.toDevice ? writeDirectly(job, progress) : writeAndReplace(job, progress);
}

OrbitFileResult writeOrbitFile(int iterations, int points, const char* path, const OrbitPointSampler& samplePoints)
{
    OrbitFileJob job;
    const std::string failure = prepareOrbitFile(iterations, points, path, samplePoints, job);
    if (!failure.empty())
        return failed(failure);
    WriteProgress progress;
    progress.total = job.size;
    return writeOrbitJob(job, progress);
}
