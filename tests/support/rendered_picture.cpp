#include "tests/support/rendered_picture.h"

#include "engine/picture_end.h"
#include "engine/picture_rows.h"
#include "engine/render_pool.h"

#include <algorithm>
#include <memory>
#include <thread>

namespace {

struct Rendering {
    Rendering(PictureJob job, int threads, const std::atomic<bool>& stop)
        : render(std::move(job), threads, stop, end, [] { return ReportClock::now(); })
    {
    }

    PictureEnd end;
    PictureRender render;
};

} // namespace

std::vector<std::uint32_t> renderedPicture(const Location& location, double centerReal, double centerImag, int width,
                                           int height)
{
    static RenderPool* pool = new RenderPool;
    static const std::atomic<bool> noStop{false};
    ReferenceCache cache;
    const int wanted = int(std::max(1u, std::thread::hardware_concurrency()));
    const int threads = std::min(pool->grow(wanted), wanted);
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height));
    PictureRows rows = pictureRows(location, centerReal, centerImag, width, height, bestKernelPath(), true, cache);
    PictureJob job;
    job.pixels = pixels.data();
    job.width = width;
    job.height = height;
    job.maxIterations = location.iterationLimit;
    job.binaryColoring = location.binaryColoring;
    job.computeRow = std::move(rows.computeRow);
    job.prepare = std::move(rows.prepare);
    auto rendering = std::make_shared<Rendering>(std::move(job), threads, noStop);
    pool->run(threads, [rendering](int) { rendering->render.runThread(); });
    rendering->end.wait();
    return pixels;
}
