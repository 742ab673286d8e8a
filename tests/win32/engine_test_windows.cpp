#include "tests/win32/engine_test_windows.h"

#include "engine/render_worker.h"
#include "tests/support/picture_info.h"
#include "tests/support/win32_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int hostWidth = 640;
constexpr int hostHeight = 480;

const char pictureClassName[] = "EngineTestPicture";

std::vector<int> positions;
WNDPROC progressBarProc = nullptr;

// The worker's own clock, put back after every test.
ReportClock::time_point (*steadyClock)() = nullptr;

// The frame clock; set up by useFrameClock while no worker runs, then read
// by the worker thread only, once per row.
int frameReadings = 0;
int readingsPerFrame = 1;
ReportClock::time_point frameTime;

ReportClock::time_point frameClock()
{
    if (++frameReadings % readingsPerFrame == 0)
        frameTime += reportInterval;
    return frameTime;
}

// Logs every position the progress bar is given, then lets it take it.
LRESULT CALLBACK loggingProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PBM_SETPOS)
        positions.push_back(static_cast<int>(wParam));
    return CallWindowProcA(progressBarProc, window, message, wParam, lParam);
}

// The paint handler of the picture window shows the fractal view.
LRESULT CALLBACK pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (theFractalView && theFractalView->window == window)
            theFractalView->paintFractal(dc);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerPictureClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = pictureProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = pictureClassName;
    RegisterClassA(&windowClass);
    registered = true;
}

// The number of steps of the point c: the iteration starts at z = c and ends
// in the step whose |z| exceeds the threshold, or in step limit + 1.
int expectedSteps(double cRe, double cIm, int limit, double threshold)
{
    double x = cRe;
    double y = cIm;
    for (int step = 1;; ++step) {
        const double nextX = x * x - y * y + cRe;
        const double nextY = 2 * x * y + cIm;
        x = nextX;
        y = nextY;
        if (std::sqrt(x * x + y * y) > threshold || step > limit)
            return step;
    }
}

COLORREF expectedColour(int steps, int limit, bool binary)
{
    if (steps >= limit)
        return colour(0, 0, 0);
    if (binary)
        return colour(255, 255, 255);
    const long long v = static_cast<long long>(steps) * 255 / (limit - 1);
    if (v <= 127)
        return colour(0, 0, static_cast<int>(2 * v));
    const int t = static_cast<int>(2 * (v - 128));
    return colour(t, t, 255);
}

} // namespace

ExpectedView expectedViewOf(const FractalView& view)
{
    return ExpectedView{view.centerReal,   view.centerImag,    view.halfHeight, view.bitmapWidth,
                        view.bitmapHeight, view.maxIterations, view.threshold,  view.binaryColoring};
}

COLORREF expectedPixel(const ExpectedView& view, int x, int y)
{
    const double halfWidth = view.width * view.halfHeight / view.height;
    const double left = view.centerReal - halfWidth;
    const double right = halfWidth + view.centerReal;
    const double top = view.centerImag - view.halfHeight;
    const double bottom = view.halfHeight + view.centerImag;
    const double cRe = left + (right - left) * x / view.width;
    const double cIm = top + (bottom - top) * y / view.height;
    return expectedColour(expectedSteps(cRe, cIm, view.limit, view.threshold), view.limit, view.binary);
}

void EngineWindowTest::SetUp()
{
    registerPictureClass();
    host = sharedTestHost(hostWidth, hostHeight);
    panel.createStatusPanel(host, GetModuleHandleA(nullptr));
    theStatusPanel = &panel;
    theCalculationReport = &statusPanelReport();
    positions.clear();
    steadyClock = renderClock;
    progressBarProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        panel.progressBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(loggingProgressProc)));
}

void EngineWindowTest::TearDown()
{
    if (view && view->busy) {
        requestStop();
        waitUntilIdle();
    }
    renderClock = steadyClock;
    theFractalView = nullptr;
    theStatusPanel = nullptr;
    if (picture)
        DestroyWindow(picture);
    DestroyWindow(panel.statusBar);
    pumpPending();
}

HWND EngineWindowTest::openPicture(int width, int height)
{
    picture = CreateWindowExA(0, pictureClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, width, height, host, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    return picture;
}

FractalView* EngineWindowTest::startView()
{
    view = createFractalView(picture);
    theFractalView = view;
    return view;
}

bool EngineWindowTest::calculate()
{
    view->startCalculation();
    return waitUntilIdle();
}

std::string EngineWindowTest::statusText() const
{
    return statusPartText(panel.statusBar, 0);
}

std::string EngineWindowTest::percentText() const
{
    return statusPartText(panel.statusBar, 2);
}

int EngineWindowTest::progressPosition() const
{
    return static_cast<int>(SendMessageA(panel.progressBar, PBM_GETPOS, 0, 0));
}

std::vector<COLORREF> EngineWindowTest::readPicture() const
{
    const int width = view->bitmapWidth;
    const int height = view->bitmapHeight;
    std::vector<std::uint32_t> bits(std::size_t(width) * height);
    BITMAPINFO info = topDownPictureInfo(width, height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, view->bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rows, height);
    // A 32-bit DIB pixel holds blue in its low byte, a colour reference red.
    std::vector<COLORREF> colours(bits.size());
    for (std::size_t i = 0; i < bits.size(); ++i)
        colours[i] = colour((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    return colours;
}

COLORREF EngineWindowTest::surfacePixel(int x, int y) const
{
    return GetPixel(view->memoryDC, x, y);
}

COLORREF EngineWindowTest::screenPicturePixel(int x, int y)
{
    UpdateWindow(picture);
    return screenPixel(picture, x, y);
}

const std::vector<int>& EngineWindowTest::progressLog() const
{
    return positions;
}

void EngineWindowTest::clearProgressLog()
{
    positions.clear();
}

void EngineWindowTest::useFrameClock(int rowsPerFrame)
{
    frameReadings = 0;
    readingsPerFrame = rowsPerFrame;
    renderClock = frameClock;
}

void expectProgressFromZeroTo(const std::vector<int>& log, int last)
{
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.front(), 0);
    EXPECT_TRUE(std::is_sorted(log.begin(), log.end() - 1)) << testing::PrintToString(log);
    EXPECT_EQ(log[log.size() - 2], last);
    EXPECT_EQ(log.back(), 0);
}
