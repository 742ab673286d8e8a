// How the rows of the picture of a location are computed, at any size: a
// shallow view maps each pixel to its point in doubles, as it always has; a
// deep one iterates each pixel's difference from a reference orbit at the
// precise centre. The view on screen and a saved picture use the same rows,
// so a picture saved at the view's size is the view's picture.
#pragma once

#include "engine/location.h"
#include "engine/picture_render.h"
#include "engine/reference_orbit.h"
#include "engine/render_kernel.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// Keeps the last reference orbit, so that a picture of the same centre
// (after a zoom in or out, a recalculation, or a save of the picture) takes
// it up again when it serves. Any thread may use it.
class ReferenceCache {
public:
    // The cached orbit if it serves the request, else a new one, computed
    // here and kept; nullptr once stop is seen.
    std::shared_ptr<const ReferenceOrbit> obtain(const ReferenceRequest& request, const std::atomic<bool>& stop);

private:
    std::mutex mutex_;
    std::shared_ptr<const ReferenceOrbit> last_;
};

struct PictureRows {
    RowComputer computeRow;
    // For a deep picture, the reference orbit that must be had first.
    std::function<bool(const std::atomic<bool>& stop)> prepare;
};

// The rows of the width x height picture of the location. A shallow picture
// is centred on the double centre given, which is the view's own; a deep one
// on the location's precise centre. With maps false a deep picture iterates
// every step, for comparing with the bilinear maps.
PictureRows pictureRows(const Location& location, double centerReal, double centerImag, int width, int height,
                        KernelPath path, bool maps, ReferenceCache& cache);
