// Writes the orbits of the points along the orbit line into a POV-Ray
// include file.
#pragma once

#include <string>

// What became of one export: the file was written whole, or failure tells
// the user what went wrong.
struct OrbitFileResult {
    bool written;
    std::string failure;
};

// Samples `points` points along theOrbitLine, maps them into the plane of
// theFractalView and writes `iterations` orbit values of each into the file
// at path. A regular file is written beside the target under a temporary
// name and replaces the target only once it has been written and closed, so
// a failure leaves an earlier file of that name as it was. A target that is
// a device is written directly. Counts that cannot be served give a failure
// before anything is written.
OrbitFileResult writeOrbitFile(int iterations, int points, const char* path);
