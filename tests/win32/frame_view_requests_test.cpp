// Commands that change the view while a calculation runs or a dialog is
// open: they wait, in the order given, and each runs exactly once; a dialog
// never sees a calculation started under it, and nothing spins meanwhile.
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "orbits/orbit_window.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {

// A view on the edge of the main cardioid: at a limit of a billion its
// calculation only ends by a stop.
void makeEndless(FractalView& view)
{
    view.centerReal = -0.3905408702184;
    view.centerImag = -0.5867879073469687;
    view.halfHeight = 3e-6;
    view.maxIterations = 1000000000;
}

void postCommand(HWND frame, int command)
{
    PostMessageA(frame, WM_COMMAND, command, 0);
}

// A window of the test's thread that notes what the view was like when a
// message posted to it came through. Posted messages of a thread come
// through in the order they were posted, so a note taken after a posted
// command shows what that command did.
class QueueMark {
public:
    QueueMark()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = markProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZelvarTestQueueMark";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "ZelvarTestQueueMark", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~QueueMark() { DestroyWindow(window_); }

    void post() { PostMessageA(window_, WM_APP, 0, 0); }
    bool seen() const { return seen_; }
    bool busyThen() const { return busyThen_; }
    double halfHeightThen() const { return halfHeightThen_; }

private:
    static LRESULT CALLBACK markProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_APP)
            return DefWindowProcA(window, message, wParam, lParam);
        seen_ = true;
        busyThen_ = theFractalView->busy.load();
        halfHeightThen_ = theFractalView->halfHeight;
        return 0;
    }

    HWND window_;
    static inline std::atomic<bool> seen_{false};
    static inline std::atomic<bool> busyThen_{false};
    static inline std::atomic<double> halfHeightThen_{0};
};

} // namespace

TEST(FrameViewRequests, CommandsGivenWhileBusyRunOnceEachInTheOrderGiven)
{
    TestFrame frame;
    const unsigned started = theFractalView->calculation;
    {
        PretendCalculation busy;
        for (int command : {CMD_ZOOM_RESET, CMD_ZOOM_IN, CMD_ZOOM_IN, CMD_ZOOM_OUT}) {
            stopRequested = false;
            SendMessageA(frame.window(), WM_COMMAND, command, 0);
            EXPECT_TRUE(stopRequested) << command;
        }
        // Nothing is sent round again: the queue stays empty, and the view
        // keeps its place while the calculation runs.
        pumpPending();
        EXPECT_FALSE(commandIsQueued(frame.window()));
        EXPECT_EQ(theFractalView->halfHeight, 1.3);
    }
    // Reset, in, in, out: 1.5, 0.75, 0.375, 0.75. Each started a
    // calculation, which the next one stopped.
    ASSERT_TRUE(pumpUntil([&] { return theFractalView->calculation == started + 5 && !theFractalView->busy; }));
    EXPECT_EQ(theFractalView->halfHeight, 0.75);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
}

TEST(FrameViewRequests, ParametersAndAZoomGivenWhileBusyNeverRunTwoCalculations)
{
    TestFrame frame;
    const double halfHeight = 3e-6;
    makeEndless(*theFractalView);
    SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
    ASSERT_TRUE(theFractalView->busy);
    const unsigned started = theFractalView->calculation;

    // The dialog opens once the calculation has stopped. The zoom given
    // after it waits; so does one given while the dialog is open, which
    // comes through the dialog's own message loop.
    QueueMark mark;
    bool busyWhileOpen = true;
    std::string statusWhileOpen;
    {
        DialogAnswerer answerer("Change Fractal Paramters", IDOK, [&](HWND dialog) {
            postCommand(frame.window(), CMD_ZOOM_IN);
            mark.post();
            waitFor([&] { return mark.seen(); }, 10000);
            busyWhileOpen = mark.busyThen();
            char text[64] = "";
            SendMessageTimeoutA(theStatusPanel->statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                2000, nullptr);
            statusWhileOpen = text;
            SetDlgItemTextA(dialog, IDC_MAX_ITERATIONS, "50");
        });
        postCommand(frame.window(), CMD_CHANGE_PARAMETERS);
        postCommand(frame.window(), CMD_ZOOM_IN);
        ASSERT_TRUE(pumpUntil([&] { return answerer.appeared(); }));
        ASSERT_TRUE(pumpUntil([&] { return theFractalView->halfHeight == halfHeight / 4 && !theFractalView->busy; }));
    }
    EXPECT_FALSE(busyWhileOpen);
    EXPECT_EQ(statusWhileOpen, "Cancelled");
    // The dialog's calculation, then one for each zoom.
    EXPECT_EQ(theFractalView->calculation, started + 3);
    EXPECT_EQ(theFractalView->maxIterations, 50);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    theFractalView->maxIterations = 32;
}

TEST(FrameViewRequests, ACommandGivenWhileAnyDialogIsOpenRunsOnceItHasClosed)
{
    TestFrame frame;
    QueueMark mark;
    const struct {
        int command;
        const char* caption;
    } dialogs[] = {{CMD_EXPORT, "Export Properties"}, {CMD_ABOUT, "About"}};
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog.caption);
        const double before = theFractalView->halfHeight;
        const unsigned started = theFractalView->calculation;
        {
            DialogAnswerer answerer(dialog.caption, IDCANCEL, [&](HWND) {
                postCommand(frame.window(), CMD_ZOOM_IN);
                mark.post();
                waitFor([&] { return mark.seen(); }, 10000);
            });
            SendMessageA(frame.window(), WM_COMMAND, dialog.command, 0);
            EXPECT_TRUE(answerer.appeared());
        }
        EXPECT_TRUE(mark.seen());
        EXPECT_FALSE(mark.busyThen()) << "no calculation under the open dialog";
        EXPECT_EQ(mark.halfHeightThen(), before);
        // Once the dialog had closed, the zoom ran, once.
        EXPECT_EQ(theFractalView->halfHeight, before / 2);
        EXPECT_EQ(theFractalView->calculation, started + 1);
        ASSERT_TRUE(waitUntilIdle());
    }
}

TEST(FrameViewRequests, WhileACommandWaitsTheProgramAnswersAndTheOrbitsWindowFollowsTheMouse)
{
    TestFrame frame;
    auto busy = std::make_unique<PretendCalculation>();
    postCommand(frame.window(), CMD_ZOOM_IN);
    pumpPending();
    EXPECT_FALSE(commandIsQueued(frame.window())) << "the command is not sent round again";

    std::atomic<bool> answered{false};
    std::thread asker([&] {
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(frame.window(), WM_NULL, 0, 0, SMTO_NORMAL, 250, &result) != 0;
    });
    pumpUntil([&] { return answered.load(); }, 5000);
    asker.join();
    EXPECT_TRUE(answered);

    const HWND view = theFractalView->window;
    PostMessageA(view, WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
    pumpPending();
    EXPECT_EQ(theOrbitWindow->pointRe, theFractalView->pixelToReal(40));
    EXPECT_EQ(theOrbitWindow->pointIm, theFractalView->pixelToImag(30));
    EXPECT_EQ(theFractalView->halfHeight, 1.3);

    busy.reset();
    EXPECT_TRUE(pumpUntil([] { return theFractalView->halfHeight == 0.65 && !theFractalView->busy; }));
}

TEST(FrameViewRequests, StartingACalculationWhileOneRunsOnlyStopsTheRunningOne)
{
    TestFrame frame;
    makeEndless(*theFractalView);
    SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
    ASSERT_TRUE(theFractalView->busy);
    const unsigned started = theFractalView->calculation;
    const double halfHeight = theFractalView->halfHeight;

    theFractalView->startCalculation();
    theFractalView->zoomIn();
    theFractalView->zoomToBox(100, 100, 20);
    EXPECT_TRUE(stopRequested);
    EXPECT_EQ(theFractalView->calculation, started);
    EXPECT_EQ(theFractalView->halfHeight, halfHeight);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Cancelled");
    theFractalView->maxIterations = 32;
}
