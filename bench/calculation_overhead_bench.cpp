// How much longer a calculation in the explorer takes than its computation.
// The real main frame is made, its fractal view sized to a client area of
// 996 x 784, and for several limits this program measures, in one run:
//   - the computation alone: the worker's render kernel over the whole view
//     on this one thread, with no window involved;
//   - a calculation: from startCalculation until busy is false, with this
//     thread serving the worker's messages and repaints as the message loop
//     does, and until the view's final repaint is done;
// then what the parts around a calculation cost: the start itself, a new
// picture, a thread start, repaints and the status bar's progress report.
// After every calculation the worker's picture is compared with the one
// computed alone; a difference is reported, as the two must do the same work.
//   calculation_overhead_bench [ROUNDS]   (5 unless given)
// Each figure is the fastest of its rounds: other work on the machine only
// ever adds to a time, so the fastest round is the least disturbed one. Run
// it on an otherwise idle machine; other work still shifts the figures.
#include "common/app_instance.h"
#include "engine/escape_time.h"
#include "engine/fractal_view.h"
#include "engine/plane_mapping.h"
#include "engine/render_kernel.h"
#include "shell/start_up.h"
#include "shell/status_panel.h"
#include "shell/window_classes.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int viewWidth = 996;
constexpr int viewHeight = 784;
constexpr int limits[] = {32, 256, 4096};

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double fastest(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

// Serves this thread's messages, as the message loop does, until done() is true.
void serveUntil(const std::function<bool()>& done)
{
    MSG message;
    while (!done()) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!done())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

bool viewIsIdle()
{
    return !theFractalView->busy;
}

bool viewIsPainted()
{
    return !GetUpdateRect(theFractalView->window, nullptr, FALSE);
}

SIZE clientSize(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

// Grows the frame, at the top left of the screen, until the view's client
// area has the wanted size; the frame lays its view out on every resize.
bool sizeView(HWND frame)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const SIZE view = clientSize(theFractalView->window);
        if (view.cx == viewWidth && view.cy == viewHeight)
            return true;
        RECT outer = {};
        GetWindowRect(frame, &outer);
        SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left + viewWidth - view.cx,
                     outer.bottom - outer.top + viewHeight - view.cy, SWP_NOZORDER);
        serveUntil(viewIsPainted);
    }
    return false;
}

// The worker's computation of one picture without its reports: the same
// per-pixel steps over the same view, on this thread, into memory.
void computePicture(const FractalView& view, std::uint32_t* pixels)
{
    const int width = view.bitmapWidth;
    const int height = view.bitmapHeight;
    const int limit = view.maxIterations;
    const PlaneEdges edges = planeEdges(view.centerReal, view.centerImag, view.halfHeight, width, height);
    std::vector<double> realParts(static_cast<std::size_t>(width));
    for (int column = 0; column < width; ++column)
        realParts[std::size_t(column)] = columnToReal(edges, column, width);
    const double squareBound = escapeSquareBound(view.threshold);
    const KernelPath path = bestKernelPath();
    const std::atomic<bool> neverStop{false};
    struct Row {
        std::uint32_t* pixels;
        const FractalView* view;
    };
    for (int row = 0; row < height; ++row) {
        Row target{pixels + std::size_t(row) * width, &view};
        const auto put = [](void* context, int column, int steps) {
            const Row* into = static_cast<const Row*>(context);
            into->pixels[column] =
                colorToPixel(stepColor(steps, into->view->maxIterations, into->view->binaryColoring));
        };
        const RowPoints points{realParts.data(), width, rowToImag(edges, row, height), limit, squareBound};
        iterateRow(path, points, StepSink{put, &target}, neverStop);
    }
}

struct Round {
    double kernel;
    double toIdle;
    double toPainted;
    double start;
};

// The number of pixels in which the worker's picture differs from the one
// computed here: 0, or the two do not do the same work.
int differentPixels(const FractalView& view, const std::vector<std::uint32_t>& pixels)
{
    DIBSECTION section = {};
    if (GetObjectA(view.bitmap, sizeof section, &section) != int(sizeof section))
        return int(pixels.size());
    const auto* shown = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    int different = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        different += shown[i] != pixels[i];
    return different;
}

Round measureRound(FractalView& view, std::vector<std::uint32_t>& pixels)
{
    Round round = {};
    Clock::time_point begin = Clock::now();
    computePicture(view, pixels.data());
    round.kernel = millisecondsSince(begin);

    begin = Clock::now();
    view.startCalculation();
    round.start = millisecondsSince(begin);
    serveUntil(viewIsIdle);
    round.toIdle = millisecondsSince(begin);
    serveUntil(viewIsPainted);
    round.toPainted = millisecondsSince(begin);
    return round;
}

// The mean time of one call of step, over count calls.
double meanOf(int count, const std::function<void()>& step)
{
    const Clock::time_point begin = Clock::now();
    for (int i = 0; i < count; ++i)
        step();
    return millisecondsSince(begin) / count;
}

// The mean time of one call of step made on another thread while this one
// serves messages, as the worker's calls are served.
double meanFromAnotherThread(int count, const std::function<void()>& step)
{
    std::atomic<bool> finished{false};
    double mean = 0;
    std::thread caller([&] {
        mean = meanOf(count, step);
        finished = true;
    });
    serveUntil([&] { return finished.load(); });
    caller.join();
    return mean;
}

void repaint(HWND window, const RECT* band)
{
    InvalidateRect(window, band, TRUE);
    UpdateWindow(window);
}

void reportParts(HWND view)
{
    const RECT band = {0, 300, viewWidth, 302};
    std::printf("\nWhat the parts around the rows cost (mean of many calls, ms)\n");
    std::printf("  a new picture, created and deleted           %8.3f\n", meanOf(20, [] {
                    BITMAPINFO info = {};
                    info.bmiHeader = {sizeof(BITMAPINFOHEADER), viewWidth, -viewHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
                    void* bits = nullptr;
                    DeleteObject(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
                }));
    std::printf("  a thread started and ended                   %8.3f\n",
                meanOf(20, [] { std::thread([] {}).join(); }));
    std::printf("  a whole repaint of the view                  %8.3f\n",
                meanOf(20, [view] { repaint(view, nullptr); }));
    std::printf("  a repaint of a two-row band                  %8.3f\n",
                meanOf(200, [view, &band] { repaint(view, &band); }));
    std::printf("  a band invalidated from another thread       %8.3f\n",
                meanFromAnotherThread(200, [view, &band] { InvalidateRect(view, &band, TRUE); }));
    serveUntil(viewIsPainted);
    int percent = 0;
    std::printf("  setProgress served on this thread            %8.3f\n",
                meanOf(200, [&percent] { theStatusPanel->setProgress(percent++ % 100); }));
    std::printf("  setProgress from another thread              %8.3f\n",
                meanFromAnotherThread(200, [&percent] { theStatusPanel->setProgress(percent++ % 100); }));
    theStatusPanel->clearProgress();
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    appInstance = GetModuleHandleA(nullptr);
    if (!registerWindowClasses(appInstance) || !createMainFrame(appInstance, SW_SHOWNORMAL)) {
        std::fprintf(stderr, "The main frame could not be made.\n");
        return 1;
    }
    FractalView& view = *theFractalView;
    serveUntil(viewIsIdle);
    if (!sizeView(GetParent(view.window))) {
        std::fprintf(stderr, "The view could not be sized to %d x %d.\n", viewWidth, viewHeight);
        return 1;
    }
    // One calculation at the new size, so that the picture has its size.
    view.startCalculation();
    serveUntil(viewIsIdle);
    serveUntil(viewIsPainted);

    std::vector<std::uint32_t> pixels(std::size_t(viewWidth) * viewHeight);
    std::printf("View %d x %d, start-up view, fastest of %d rounds (ms)\n", viewWidth, viewHeight, rounds);
    std::printf("%6s %14s %14s %12s %14s %12s\n", "Limit", "Kernel alone", "Start to idle", "Difference",
                "To last paint", "Start call");
    for (int limit : limits) {
        view.maxIterations = limit;
        std::vector<double> kernel, toIdle, toPainted, start;
        for (int i = 0; i < rounds; ++i) {
            const Round round = measureRound(view, pixels);
            if (const int different = differentPixels(view, pixels))
                std::fprintf(stderr, "The worker's picture differs from the kernel's in %d pixels.\n", different);
            kernel.push_back(round.kernel);
            toIdle.push_back(round.toIdle);
            toPainted.push_back(round.toPainted);
            start.push_back(round.start);
        }
        std::printf("%6d %14.1f %14.1f %12.1f %14.1f %12.2f\n", limit, fastest(kernel), fastest(toIdle),
                    fastest(toIdle) - fastest(kernel), fastest(toPainted), fastest(start));
        std::fflush(stdout);
    }
    reportParts(view.window);
    return 0;
}
