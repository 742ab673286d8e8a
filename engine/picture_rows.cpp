#include "engine/picture_rows.h"

#include "engine/deep_kernel.h"
#include "engine/deep_view.h"
#include "engine/shallow_rows.h"

#include <algorithm>
#include <vector>

std::shared_ptr<const ReferenceOrbit> ReferenceCache::obtain(const ReferenceRequest& request,
                                                            const std::atomic<bool>& stop)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (last_ && referenceServes(*last_, request))
            return last_;
    }
    std::shared_ptr<const ReferenceOrbit> orbit = computeReferenceOrbit(request, stop);
    if (orbit) {
        std::lock_guard<std::mutex> lock(mutex_);
        last_ = orbit;
    }
    return orbit;
}

namespace {

PictureRows deepRows(const Location& location, int width, int height, KernelPath path, bool maps,
                     ReferenceCache& cache)
{
    const double halfHeight = location.halfHeight;
    auto offsets = std::make_shared<std::vector<double>>(std::size_t(std::max(width, 0)));
    for (int column = 0; column < width; ++column)
        (*offsets)[std::size_t(column)] = deepColumnOffset(column, width, halfHeight, height);
    const ReferenceRequest request{location.centerReal, location.centerImag, halfHeight,
                                   width,               height,              location.iterationLimit};
    // Filled once by the preparation, before any row is computed, and only
    // read afterwards.
    auto reference = std::make_shared<std::shared_ptr<const ReferenceOrbit>>();
    const int limit = location.iterationLimit;
    const double squareBound = escapeSquareBound(location.escapeThreshold);

    PictureRows rows;
    rows.prepare = [reference, request, &cache](const std::atomic<bool>& stop) {
        *reference = cache.obtain(request, stop);
        return *reference != nullptr;
    };
    rows.computeRow = [=](int row, StepSink sink, const std::atomic<bool>& stop) {
        const DeepRowPoints points{reference->get(), offsets->data(), width, deepRowOffset(row, halfHeight, height),
                                   limit,            squareBound,     maps};
        const DeepRowOutcome outcome = iterateDeepRow(path, points, sink, stop);
        return RowOutcome{outcome.written, outcome.stopped};
    };
    return rows;
}

} // namespace

PictureRows pictureRows(const Location& location, double centerReal, double centerImag, int width, int height,
                        KernelPath path, bool maps, ReferenceCache& cache)
{
    if (isDeepView(location.halfHeight, height))
        return deepRows(location, width, height, path, maps, cache);
    return PictureRows{shallowRows(centerReal, centerImag, location.halfHeight, width, height,
                                   location.iterationLimit, location.escapeThreshold, path),
                       {}};
}
