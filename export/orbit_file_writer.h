// Writes the orbits of the points along the orbit line into a POV-Ray
// include file. The writer knows the points only through the sampler it is
// given, not the windows they come from.
#pragma once

#include "export/write_progress.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// What became of one export: the file was written whole, the writing was
// stopped on request, or failure tells the user what went wrong.
struct OrbitFileResult {
    bool written;
    std::string failure;
    bool stopped = false;
};

// An export that has passed its checks and taken its points: all that the
// writing needs, on whichever thread it runs.
struct OrbitFileJob {
    int iterations = 0;
    int points = 0;
    std::string path;
    // A device is written directly; it cannot be replaced.
    bool toDevice = false;
    std::unique_ptr<double[]> reals;
    std::unique_ptr<double[]> imags;
    // The exact length of the file.
    std::uint64_t size = 0;
};

// Puts `points` points of the plane into reals and imags: the points whose
// orbits the file holds, in their order. The shell gives the points along
// the orbit line over the view (view/orbit_line_points.h); empty when there
// is no orbit line.
using OrbitPointSampler = std::function<void(double* reals, double* imags, int points)>;

// Checks the counts and the target and takes `points` points from
// samplePoints into job. Returns the failure that stops the export, or an
// empty text. Counts that cannot be served fail here, before anything is
// written, and before the points are taken.
std::string prepareOrbitFile(int iterations, int points, const char* path, const OrbitPointSampler& samplePoints,
                             OrbitFileJob& job);

// Writes the file of a prepared job, counting its bytes in progress and
// stopping soon after progress.stopRequested is raised. A regular file is
// written beside the target under a temporary name and replaces the target
// only once it has been written and closed, so a failure or a stop leaves
// an earlier file of that name as it was and no temporary file behind. A
// target that is a device is written directly.
OrbitFileResult writeOrbitJob(const OrbitFileJob& job, WriteProgress& progress);

// Prepares and writes the file on the calling thread.
OrbitFileResult writeOrbitFile(int iterations, int points, const char* path, const OrbitPointSampler& samplePoints);
