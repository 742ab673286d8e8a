// The saving of the picture of a location, at any size, into a PNG file with
// the location inside: computed in bands on render threads of its own while
// the bands before are encoded, or taken from the view's finished picture.
#pragma once

#include "engine/location.h"
#include "engine/picture_bands.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// All that the saving needs, on whichever thread it runs.
struct PictureSaveJob {
    std::string path;
    Location location;
    // The double centre from which a shallow picture is computed: the view's.
    double centerReal = 0;
    double centerImag = 0;
    int width = 0;
    int height = 0;
    // The view's own picture when it holds this one whole, written as it
    // is; null to compute the picture.
    const std::uint32_t* finishedPixels = nullptr;
    // The memory of each of the two bands being computed and encoded.
    std::size_t bandBytes = pictureBandBytes;
};

// How far the saving has got, and the request to stop it.
struct PictureSaveProgress {
    // The rows from the top that are computed (or taken from the view).
    std::atomic<int> rows{0};
    std::atomic<bool> stopRequested{false};
    // Called, if set, by the threads of the saving each time rows rises.
    std::function<void()> rowsChanged;
};

struct PictureSaveResult {
    bool written = false;
    bool stopped = false;
    // For the user when neither: what went wrong, naming the file.
    std::string failure;
};

// Saves the picture of job, stopping soon after stopRequested is raised. The
// file replaces an earlier one only once it is whole; a stop or a failure
// leaves the earlier file as it was and no temporary file behind.
PictureSaveResult savePicture(const PictureSaveJob& job, PictureSaveProgress& progress);
