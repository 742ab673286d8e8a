#include "engine/render_worker.h"

#include "engine/escape_time.h"
#include "engine/plane_mapping.h"
#include "engine/render_kernel.h"
#include "shell/status_panel.h"

#include <algorithm>
#include <vector>

std::atomic<bool> stopRequested{false};

ReportClock::time_point (*renderClock)() = [] { return ReportClock::now(); };

namespace {

// The rows finished since the last report reach the screen through one
// repaint of them and of the scan line under the last.
void invalidateRows(HWND window, int width, int firstRow, int lastRow)
{
    RECT band = {0, firstRow, width, lastRow + 2};
    InvalidateRect(window, &band, TRUE);
}

void reportProgress(int percent)
{
    if (theStatusPanel)
        theStatusPanel->setProgress(percent);
}

// Colours the pixels of one row as the kernel hands over their step counts.
struct RowPainter {
    std::uint32_t* row; // null when the bitmap could not be made
    int limit;
    bool binary;

    static void put(void* context, int column, int steps)
    {
        const RowPainter* painter = static_cast<const RowPainter*>(context);
        if (painter->row)
            painter->row[column] = colorToPixel(stepColor(steps, painter->limit, painter->binary));
    }
};

} // namespace

void renderWorker(RenderJob* job)
{
    FractalView* view = job->view;
    HBITMAP newBitmap = job->newBitmap;
    std::uint32_t* pixels = job->newPixels;

    const int width = view->bitmapWidth;
    const int height = view->bitmapHeight;
    const int limit = view->maxIterations;
    const double threshold = view->threshold;
    const bool binary = view->binaryColoring;
    const PlaneEdges edges = height > 0 ? planeEdges(view->centerReal, view->centerImag, view->halfHeight, width, height)
                                        : PlaneEdges{};
    bool cancelled = false;

    if (view->bitmap)
        DeleteObject(view->bitmap);
    view->bitmap = newBitmap;

    if (height > 0) {
        // The same for every row: the real part of each column, the bound
        // that stands for the threshold, and this processor's kernel.
        std::vector<double> realParts(std::size_t(std::max(width, 0)));
        for (int column = 0; column < width; ++column)
            realParts[std::size_t(column)] = columnToReal(edges, column, width);
        const double squareBound = escapeSquareBound(threshold);
        const KernelPath path = bestKernelPath();
        int firstUnreported = 0;
        ReportClock::time_point lastReport{};
        for (int row = 0; row < height; ++row) {
            RowPainter painter{pixels ? pixels + std::size_t(row) * width : nullptr, limit, binary};
            const RowPoints points{realParts.data(), width, rowToImag(edges, row, height), limit, squareBound};
            if (iterateRow(path, points, StepSink{RowPainter::put, &painter}, stopRequested).stopped)
                cancelled = true;
            if (cancelled)
                row = height;
            // The scan line marks the row that comes next; under the last
            // row it lies outside the picture.
            if (pixels && row + 1 < height)
                std::fill_n(pixels + std::size_t(row + 1) * width, width, 0x00FFFFFFu);
            const ReportClock::time_point now = renderClock();
            if (reportAfterRow(row, height, now - lastReport)) {
                invalidateRows(view->window, width, firstUnreported, row);
                reportProgress(row * 100 / height);
                firstUnreported = row + 1;
                lastReport = now;
            }
        }
    }

    if (theStatusPanel) {
        theStatusPanel->setStatusText(cancelled ? "Cancelled" : "Done");
        theStatusPanel->clearProgress();
    }
    InvalidateRect(view->window, nullptr, TRUE);
    view->busy = false;
}

void requestStop()
{
    stopRequested = true;
}
