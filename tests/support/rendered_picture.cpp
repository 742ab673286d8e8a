#include "tests/support/rendered_picture.h"

#include "engine/picture_render.h"
#include "engine/picture_rows.h"
#include "engine/render_pool.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

class EndOfPicture final : public PictureProgress {
public:
    void rowsFinished(int, int, int) override {}

    void pictureEnded(bool) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
        endedChanged_.notify_all();
    }

    void wait()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        endedChanged_.wait(lock, [this] { return ended_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable endedChanged_;
    bool ended_ = false;
};

struct Rendering {
    Rendering(PictureJob job, int threads, const std::atomic<bool>& stop)
        : render(std::move(job), threads, stop, end, [] { return ReportClock::now(); })
    {
    }

    EndOfPicture end;
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
