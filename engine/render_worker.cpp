#include "engine/render_worker.h"

#include "engine/calculation_report.h"
#include "engine/picture_render.h"
#include "engine/picture_rows.h"
#include "engine/render_pool.h"

#include <algorithm>
#include <bitset>
#include <memory>

std::atomic<bool> stopRequested{false};

ReportClock::time_point (*renderClock)() = [] { return ReportClock::now(); };

std::atomic<bool> deepViewMaps{true};

namespace {

int requestedThreads = 0;

// The render threads yield to the user-interface thread, so that the
// program stays responsive on a machine whose every core is busy.
void lowerPriority()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

// Made at the first calculation and kept for the life of the process.
RenderPool& renderPool()
{
    static RenderPool* pool = new RenderPool(lowerPriority);
    return *pool;
}

// What a calculation shows of itself: its finished rows in the view window,
// its progress and at the end its final word in the calculation report. The
// pure row loop (engine/picture_render.h) decides what is reported and when;
// this only carries it to the windows.
class ViewProgress final : public PictureProgress {
public:
    explicit ViewProgress(const RenderJob& job) : view_(job.view), calculation_(job.calculation) {}

    void rowsFinished(int firstRow, int lastRow, int percent) override
    {
        RECT band = {0, firstRow, view_->bitmapWidth, lastRow + 2};
        InvalidateRect(view_->window, &band, TRUE);
        if (theCalculationReport)
            theCalculationReport->showProgress(percent);
    }

    void scanLineGrew(int row) override
    {
        RECT band = {0, row, view_->bitmapWidth, row + 1};
        InvalidateRect(view_->window, &band, TRUE);
    }

    void pictureEnded(bool cancelled) override
    {
        if (theCalculationReport) {
            theCalculationReport->showStatus(cancelled ? "Cancelled" : "Done");
            theCalculationReport->clearProgress();
        }
        InvalidateRect(view_->window, nullptr, TRUE);
        if (!cancelled)
            view_->finishedCalculation = calculation_;
        PostMessageA(view_->window, WM_CALCULATION_ENDED, calculation_, 0);
        view_->busy = false;
    }

private:
    FractalView* view_;
    unsigned calculation_;
};

// A calculation and what it reports to, alive until its last thread is done.
struct Calculation {
    Calculation(const RenderJob& job, int threads)
        : progress(job), render(pictureJob(job), threads, stopRequested, progress, renderClock)
    {
    }

    static PictureJob pictureJob(const RenderJob& job)
    {
        const FractalView& view = *job.view;
        PictureJob picture;
        picture.pixels = job.newPixels;
        picture.width = view.bitmapWidth;
        picture.height = view.bitmapHeight;
        picture.maxIterations = view.maxIterations;
        picture.binaryColoring = view.binaryColoring;
        if (picture.height > 0) {
            PictureRows rows = pictureRows(view.location(), view.centerReal, view.centerImag, picture.width,
                                           picture.height, bestKernelPath(), deepViewMaps, viewReferenceCache());
            picture.computeRow = std::move(rows.computeRow);
            picture.prepare = std::move(rows.prepare);
        }
        return picture;
    }

    ViewProgress progress;
    PictureRender render;
};

// The last calculation started, while its render threads hold it; used on
// the user-interface thread only.
std::weak_ptr<Calculation> runningCalculation;

} // namespace

int renderThreadCount()
{
    if (requestedThreads > 0)
        return requestedThreads;
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system))
        return 1;
    return std::max(1, int(std::bitset<8 * sizeof(DWORD_PTR)>(process).count()));
}

void setRenderThreadCount(int threads)
{
    requestedThreads = threads;
}

bool renderWorker(RenderJob* job)
{
    FractalView* view = job->view;
    if (view->bitmap)
        DeleteObject(view->bitmap);
    view->bitmap = job->newBitmap;

    const int wanted = renderThreadCount();
    const int threads = std::min(renderPool().grow(wanted), wanted);
    if (threads == 0)
        return false;
    auto calculation = std::make_shared<Calculation>(*job, threads);
    runningCalculation = calculation;
    SetTimer(view->window, withheldRowsTimer, UINT(reportInterval.count()), nullptr);
    renderPool().run(threads, [calculation](int) { calculation->render.runThread(); });
    return true;
}

bool reportWithheldRows()
{
    const std::shared_ptr<Calculation> calculation = runningCalculation.lock();
    return calculation && calculation->render.reportWithheldRows();
}

void requestStop()
{
    stopRequested = true;
}

ReferenceCache& viewReferenceCache()
{
    // Kept for the life of the process, as the render threads that use it.
    static ReferenceCache* cache = new ReferenceCache;
    return *cache;
}
