// The rows of one picture, computed by several render threads at once and
// shown from the top.
//
// The threads take rows from the top, one at a time. Within a row the
// pixels are computed and written in column order. The finished prefix is
// the rows from row 0 down to the first row that is not finished yet; what a
// person sees follows it, as if one thread computed the rows in order:
//   - the progress reports cover the prefix, paced by reportAfterRow, with the
//     clock read once for each row the prefix gains;
//   - a white scan line lies under the last row of the prefix, over the part
//     of that row not written yet, so it never hides a pixel already
//     computed. It shows at once, even while the row's owner is held up by a
//     slow pixel: the owner claims the columns of its row a few at a time
//     before it writes them, and the scan line goes over the unclaimed rest
//     at once and over the owner's claimed rest as soon as it writes again;
//   - after a stop the picture is brought back to what one thread would have
//     left: the prefix, the interrupted row (its pixels so far, then the scan
//     line), and the first content below it. Rows that other threads had
//     computed below the prefix go again.
// A row is finished only when its computation ran to its end without seeing
// the stop.
#pragma once

#include "engine/render_kernel.h"
#include "engine/report_pacing.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The step counts of one row, handed to the sink in column order, with the
// stop contract of iterateRow.
using RowComputer = std::function<RowOutcome(int row, StepSink sink, const std::atomic<bool>& stop)>;

// Where a picture's progress goes. The render threads call it one call at a
// time and in order.
class PictureProgress {
public:
    // Rows firstRow to lastRow have joined the prefix, and the scan line lies
    // under lastRow: rows firstRow to lastRow + 1 want repainting, and the
    // progress is percent. After a stop lastRow is the picture's height.
    virtual void rowsFinished(int firstRow, int lastRow, int percent) = 0;

    // The scan line has been drawn over more of the row, which wants
    // repainting: the owner of a row in work has drawn it over the columns
    // it had claimed. Nothing to do for a picture that is not on the screen.
    virtual void scanLineGrew(int /*row*/) {}

    // The picture has ended: no thread writes into it any more. The last call.
    virtual void pictureEnded(bool cancelled) = 0;

protected:
    ~PictureProgress() = default;
};

struct PictureJob {
    // height top-down rows of width pixels 0x00RRGGBB; null when there is no
    // picture to write into, in which case the rows are computed all the same.
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int maxIterations = 1;
    bool binaryColoring = false;
    RowComputer computeRow;
    // Work that must be done once before the first row, such as a reference
    // orbit; false when it saw the stop. It is left out for a picture
    // without pixels.
    std::function<bool(const std::atomic<bool>& stop)> prepare;
};

class PictureRender {
public:
    // Renders job on `threads` threads (at least one), reporting to progress
    // and reading the clock by which reports are paced. stop and progress
    // must outlive the picture.
    PictureRender(PictureJob job, int threads, const std::atomic<bool>& stop, PictureProgress& progress,
                  ReportClock::time_point (*clock)());

    // The work of one render thread. The thread that leaves last finishes
    // the picture and calls pictureEnded.
    void runThread();

    // Reports the rows that have joined the prefix since the last report,
    // once a report interval has passed. The render threads report only as
    // the prefix grows, so rows finished within an interval of the last
    // report, just before a slow row, would wait for that row to be shown.
    // Any thread may call it, at any time, and it never waits for a lock
    // (a render thread that holds one may be waiting for the caller): then
    // it reports nothing. False once the picture has ended.
    bool reportWithheldRows();

private:
    struct Report {
        int firstRow;
        int lastRow;
        int percent;
    };

    // Who writes which columns of a row in work. The owner writes only the
    // columns before `claimed`, and claims more before it writes them; the
    // scan line goes over the columns from `claimed` on while `claimed` is
    // drawingScanLine, and the owner draws it over its own claimed rest once
    // it sees scanLineWanted.
    struct RowClaim {
        std::atomic<int> claimed{0};
        std::atomic<bool> scanLineWanted{false};
    };
    static constexpr int drawingScanLine = -1;
    // Colours a row's pixels as they come, within the columns it claims.
    struct RowPainter;

    bool prepareOnce();
    bool takeRow(int* row);
    void computeRow(int row);
    void finishRow(int row, int written, bool stopped);
    void requestScanLine(int row);
    int claimColumns(RowClaim& claim, int end);
    void reportScanLineGrown(int row);
    void restoreAfterStop();
    void leave();

    PictureJob job_;
    const std::atomic<bool>& stop_;
    PictureProgress& progress_;
    ReportClock::time_point (*clock_)();

    // Guards everything below it but the scan-line requests.
    std::mutex mutex_;
    std::mutex reportMutex_; // one report at a time, in order
    std::condition_variable preparedChanged_;
    int threadsLeft_;
    bool preparing_ = false;
    bool prepared_ = false;
    int nextRow_ = 0;
    int prefix_ = 0;
    int firstUnreported_ = 0;
    ReportClock::time_point lastReport_{};
    bool cancelled_ = false;
    bool ended_ = false; // every thread has left
    std::vector<char> finished_;
    std::vector<int> written_;
    std::unique_ptr<RowClaim[]> claims_;
};
