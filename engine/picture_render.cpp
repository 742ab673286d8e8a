#include "engine/picture_render.h"

#include "engine/escape_time.h"

#include <algorithm>
#include <thread>

namespace {

constexpr std::uint32_t scanLinePixel = 0x00FFFFFFu;

// The owner of a row claims this many columns at a time: a claim is an
// atomic operation that costs about as much as a fast pixel.
constexpr int claimColumnsAtOnce = 64;

} // namespace

struct PictureRender::RowPainter {
    PictureRender* render;
    int rowNumber;
    std::uint32_t* row; // null without a picture
    int width;
    int limit;
    bool binary;
    RowClaim* claim;
    int claimedEnd;
    bool scanLineDrawn;

    // The scan line over the columns this owner has claimed and not written.
    void lookForScanLine(int nextColumn)
    {
        if (scanLineDrawn || !claim->scanLineWanted.load(std::memory_order_acquire))
            return;
        scanLineDrawn = true;
        if (row && nextColumn < claimedEnd) {
            std::fill(row + nextColumn, row + claimedEnd, scanLinePixel);
            render->reportScanLineGrown(rowNumber);
        }
    }

    static void put(void* context, int column, int steps)
    {
        RowPainter* painter = static_cast<RowPainter*>(context);
        if (column >= painter->claimedEnd)
            painter->claimedEnd =
                painter->render->claimColumns(*painter->claim, std::min(column + claimColumnsAtOnce, painter->width));
        if (painter->row)
            painter->row[column] = colorToPixel(stepColor(steps, painter->limit, painter->binary));
        painter->lookForScanLine(column + 1);
    }
};

PictureRender::PictureRender(PictureJob job, int threads, const std::atomic<bool>& stop, PictureProgress& progress,
                             ReportClock::time_point (*clock)())
    : job_(std::move(job)), stop_(stop), progress_(progress), clock_(clock), threadsLeft_(std::max(threads, 1)),
      finished_(std::size_t(std::max(job_.height, 0)), 0), written_(std::size_t(std::max(job_.height, 0)), 0),
      claims_(new RowClaim[std::size_t(std::max(job_.height, 0))])
{
}

void PictureRender::runThread()
{
    if (prepareOnce()) {
        int row = 0;
        while (takeRow(&row))
            computeRow(row);
    }
    leave();
}

// The first thread to come does the preparation; the others wait for it.
bool PictureRender::prepareOnce()
{
    if (!job_.prepare || job_.width <= 0 || job_.height <= 0)
        return true;
    std::unique_lock<std::mutex> lock(mutex_);
    if (preparing_) {
        preparedChanged_.wait(lock, [this] { return prepared_; });
        return !cancelled_;
    }
    preparing_ = true;
    lock.unlock();
    const bool ready = job_.prepare(stop_);
    lock.lock();
    prepared_ = true;
    if (!ready)
        cancelled_ = true;
    preparedChanged_.notify_all();
    return ready;
}

// Rows are taken from the top. After a stop seen by any thread no row is
// taken any more.
bool PictureRender::takeRow(int* row)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_ || nextRow_ >= job_.height)
        return false;
    *row = nextRow_++;
    return true;
}

void PictureRender::computeRow(int row)
{
    std::uint32_t* pixels = job_.pixels ? job_.pixels + std::size_t(row) * std::size_t(job_.width) : nullptr;
    RowPainter painter{this, row, pixels, job_.width, job_.maxIterations, job_.binaryColoring,
                       &claims_[std::size_t(row)], 0, false};
    const RowOutcome outcome = job_.computeRow(row, StepSink{RowPainter::put, &painter}, stop_);
    finishRow(row, outcome.written, outcome.stopped);
}

void PictureRender::finishRow(int row, int written, bool stopped)
{
    std::unique_lock<std::mutex> lock(mutex_);
    written_[std::size_t(row)] = written;
    if (stopped) {
        cancelled_ = true;
        return;
    }
    finished_[std::size_t(row)] = 1;

    // The prefix gains every finished row that now follows it; each is
    // paced as if it had just been finished.
    if (row != prefix_)
        return;
    std::vector<Report> reports;
    while (prefix_ < job_.height && finished_[std::size_t(prefix_)]) {
        const int joined = prefix_++;
        const ReportClock::time_point now = clock_();
        if (reportAfterRow(joined, job_.height, now - lastReport_)) {
            reports.push_back(Report{firstUnreported_, joined, joined * 100 / job_.height});
            firstUnreported_ = joined + 1;
            lastReport_ = now;
        }
    }
    if (prefix_ < job_.height)
        requestScanLine(prefix_);
    if (reports.empty())
        return;
    // Taken before the prefix is let go, so that reports keep their order.
    std::lock_guard<std::mutex> reporting(reportMutex_);
    lock.unlock();
    for (const Report& report : reports)
        progress_.rowsFinished(report.firstRow, report.lastRow, report.percent);
}

// Called with the mutex held, which keeps a row from being taken meanwhile,
// and before the report that repaints the row. A row nobody has taken gets
// its scan line at once. In a row in work it goes over every column that the
// owner has not claimed, while the owner's claims wait, and the owner draws
// it over the rest of its claim when it writes next.
void PictureRender::requestScanLine(int row)
{
    if (row >= nextRow_) {
        if (job_.pixels)
            std::fill_n(job_.pixels + std::size_t(row) * std::size_t(job_.width), std::max(job_.width, 0),
                        scanLinePixel);
        return;
    }
    RowClaim& claim = claims_[std::size_t(row)];
    const int claimed = claim.claimed.exchange(drawingScanLine, std::memory_order_acq_rel);
    if (job_.pixels && claimed < job_.width)
        std::fill(job_.pixels + std::size_t(row) * std::size_t(job_.width) + claimed,
                  job_.pixels + std::size_t(row + 1) * std::size_t(job_.width), scanLinePixel);
    claim.scanLineWanted.store(true, std::memory_order_release);
    claim.claimed.store(claimed, std::memory_order_release);
}

// Lets the owner write the columns before `end`, once no scan line is being
// drawn over them; tells how far its claim reaches.
int PictureRender::claimColumns(RowClaim& claim, int end)
{
    int claimed = claim.claimed.load(std::memory_order_acquire);
    for (;;) {
        if (claimed == drawingScanLine) {
            std::this_thread::yield();
            claimed = claim.claimed.load(std::memory_order_acquire);
        } else if (claim.claimed.compare_exchange_weak(claimed, end, std::memory_order_acq_rel)) {
            return end;
        }
    }
}

void PictureRender::reportScanLineGrown(int row)
{
    std::lock_guard<std::mutex> reporting(reportMutex_);
    progress_.scanLineGrew(row);
}

void PictureRender::restoreAfterStop()
{
    if (!job_.pixels || job_.width <= 0 || prefix_ >= job_.height)
        return;
    const std::size_t width = std::size_t(job_.width);
    std::uint32_t* interrupted = job_.pixels + std::size_t(prefix_) * width;
    if (prefix_ > 0)
        std::fill(interrupted + written_[std::size_t(prefix_)], interrupted + width, scanLinePixel);
    std::fill(interrupted + width, job_.pixels + std::size_t(job_.height) * width, 0u);
}

bool PictureRender::reportWithheldRows()
{
    // A render thread may hold the lock while it waits for a report of
    // another to reach the user-interface thread, which calls this: waiting
    // here would close the circle. Where a lock is taken, a render thread is
    // at work and tries again at the next call.
    std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock())
        return true;
    if (ended_)
        return false;
    if (cancelled_ || firstUnreported_ >= prefix_)
        return true;
    const ReportClock::time_point now = clock_();
    if (now - lastReport_ < reportInterval)
        return true;
    std::unique_lock<std::mutex> reporting(reportMutex_, std::try_to_lock);
    if (!reporting.owns_lock())
        return true;
    const Report report{firstUnreported_, prefix_ - 1, (prefix_ - 1) * 100 / job_.height};
    firstUnreported_ = prefix_;
    lastReport_ = now;
    lock.unlock();
    progress_.rowsFinished(report.firstRow, report.lastRow, report.percent);
    return true;
}

void PictureRender::leave()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (--threadsLeft_ > 0)
            return;
        ended_ = true;
    }
    // Every other thread has left, and no withheld rows are reported any
    // more: what follows is this thread's alone, but for a report of
    // withheld rows that may still be on its way out.
    std::lock_guard<std::mutex> reporting(reportMutex_);
    //
    // A stopped picture's last report says 100 %, which looks like a stopped
    // run claiming to be whole. It is the design: the report covers the rest
    // of the picture, which restoreAfterStop has just changed and which wants
    // repainting, and the run has come to its end. The progress shows 100 %
    // for that moment and is cleared at once by pictureEnded, as a finished
    // run's is, while the status says the run was cancelled.
    if (cancelled_) {
        restoreAfterStop();
        if (job_.height > 0)
            progress_.rowsFinished(firstUnreported_, job_.height, 100);
    }
    progress_.pictureEnded(cancelled_);
}
