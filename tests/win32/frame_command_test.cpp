// The frame's command table: what each command does while idle and while a
// calculation runs, the stop-and-repost rule, and the commands the frame
// leaves alone.
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "resources/resource_ids.h"
#include "shell/frame_window.h"
#include "shell/status_panel.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// The posted command waiting in the queue for frame, if any, left in place.
bool commandIsQueued(HWND frame, WPARAM* wParam, LPARAM* lParam)
{
    MSG message;
    if (!PeekMessageA(&message, frame, WM_COMMAND, WM_COMMAND, PM_NOREMOVE))
        return false;
    *wParam = message.wParam;
    *lParam = message.lParam;
    return true;
}

// Holds the view's busy flag set, as while a worker runs, without a worker:
// the frame's reaction can then be watched step by step.
class PretendBusy {
public:
    PretendBusy()
    {
        waitUntilIdle();
        stopRequested = false;
        theFractalView->busy = true;
    }
    ~PretendBusy() { theFractalView->busy = false; }
};

// Closes the first visible window of this process with the given caption
// (a modal dialog) once it appears, from a thread of its own, and tells
// whether it appeared.
class DialogCloser {
public:
    explicit DialogCloser(std::string caption)
        : caption_(std::move(caption)), thread_([this] { run(); })
    {
    }
    ~DialogCloser()
    {
        stop_ = true;
        thread_.join();
    }
    bool appeared() const { return appeared_; }

private:
    void run()
    {
        HWND dialog = nullptr;
        waitFor(
            [&] {
                if (stop_)
                    return true;
                dialog = FindWindowA("#32770", caption_.c_str());
                DWORD process = 0;
                if (dialog && IsWindowVisible(dialog))
                    GetWindowThreadProcessId(dialog, &process);
                appeared_ = process == GetCurrentProcessId();
                return appeared_.load();
            },
            30000);
        if (appeared_)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    std::string caption_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> appeared_{false};
    std::thread thread_;
};

// Alt+F4 as the keyboard gives it to window: a system key press with the
// Alt bit in its key data, which the default handling turns into SC_CLOSE.
void pressAltF4(HWND window)
{
    PostMessageA(window, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    PostMessageA(window, WM_SYSKEYUP, VK_F4, static_cast<LPARAM>(0xE03E0001u));
}

// Runs the thread's messages until the quit message comes, and gives its
// code; false when none comes in time.
bool runUntilQuit(WPARAM* code)
{
    bool quit = false;
    return waitFor([&] { return quit; }, 30000, [&] {
        MSG message;
        while (!quit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                *code = message.wParam;
                quit = true;
            } else {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        if (!quit)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    });
}

} // namespace

TEST(FrameCommands, ViewChangingCommandsWhileBusyStopAndPostThemselvesAgain)
{
    TestFrame frame;
    for (int command : {CMD_ZOOM_RESET, CMD_ZOOM_IN, CMD_ZOOM_OUT, CMD_CHANGE_PARAMETERS}) {
        const double halfHeight = theFractalView->halfHeight;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        {
            PretendBusy busy;
            const WPARAM sent = MAKEWPARAM(command, 1);
            const LPARAM control = 0x1234;
            EXPECT_EQ(SendMessageA(frame.window(), WM_COMMAND, sent, control), 0) << command;
            EXPECT_TRUE(stopRequested) << command;
            EXPECT_EQ(theFractalView->halfHeight, halfHeight) << command;
            ASSERT_TRUE(commandIsQueued(frame.window(), &wParam, &lParam)) << command;
            EXPECT_EQ(wParam, sent) << command;
            EXPECT_EQ(lParam, control) << command;

            // While the flag stays set, each copy raises the stop again and
            // comes back once more.
            stopRequested = false;
            MSG copy;
            PeekMessageA(&copy, frame.window(), WM_COMMAND, WM_COMMAND, PM_REMOVE);
            DispatchMessageA(&copy);
            EXPECT_TRUE(stopRequested) << command;
            EXPECT_TRUE(commandIsQueued(frame.window(), &wParam, &lParam)) << command;
        }
        if (command == CMD_CHANGE_PARAMETERS) {
            // Once idle, the copy opens the dialog.
            DialogCloser closer("Change Fractal Paramters");
            pumpPending();
            EXPECT_TRUE(pumpUntil([&] { return closer.appeared(); })) << command;
        } else {
            // Once idle, the copy runs the command and starts a calculation.
            const double expected = command == CMD_ZOOM_RESET ? 1.5
                                    : command == CMD_ZOOM_IN  ? halfHeight / 2
                                                              : halfHeight * 2;
            EXPECT_TRUE(pumpUntil([&] { return theFractalView->halfHeight == expected; })) << command;
            ASSERT_TRUE(waitUntilIdle());
            EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done") << command;
        }
        EXPECT_FALSE(commandIsQueued(frame.window(), &wParam, &lParam)) << command;
    }
}

TEST(FrameCommands, RecalculateRunsWhenIdleAndIsDroppedWhileBusy)
{
    TestFrame frame;
    {
        PretendBusy busy;
        EXPECT_EQ(SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0), 0);
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        EXPECT_FALSE(commandIsQueued(frame.window(), &wParam, &lParam));
        EXPECT_FALSE(stopRequested);
    }
    theStatusPanel->setStatusText("before");
    SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Calculating...");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
}

TEST(FrameCommands, StopRaisesTheRequestWithoutLookingAtTheFlag)
{
    TestFrame frame;
    stopRequested = false;
    SendMessageA(frame.window(), WM_COMMAND, CMD_STOP, 0);
    EXPECT_TRUE(stopRequested);
    // The next calculation clears it and runs to its end.
    SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");

    PretendBusy busy;
    SendMessageA(frame.window(), WM_COMMAND, CMD_STOP, 0);
    EXPECT_TRUE(stopRequested);
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    EXPECT_FALSE(commandIsQueued(frame.window(), &wParam, &lParam));
}

TEST(FrameCommands, StopEndsARunningCalculationWithCancelled)
{
    TestFrame frame;
    theFractalView->maxIterations = 1000000;
    SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
    ASSERT_TRUE(theFractalView->busy);
    SendMessageA(frame.window(), WM_COMMAND, CMD_STOP, 0);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Cancelled");
    theFractalView->maxIterations = 32;
}

TEST(FrameCommands, ExportAndAboutOpenTheirDialogsEvenWhileBusy)
{
    TestFrame frame;
    PretendBusy busy;
    {
        DialogCloser closer("Export Properties");
        SendMessageA(frame.window(), WM_COMMAND, CMD_EXPORT, 0);
        EXPECT_TRUE(closer.appeared());
    }
    {
        DialogCloser closer("About");
        SendMessageA(frame.window(), WM_COMMAND, CMD_ABOUT, 0);
        EXPECT_TRUE(closer.appeared());
    }
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    EXPECT_FALSE(commandIsQueued(frame.window(), &wParam, &lParam));
    EXPECT_FALSE(stopRequested);
    EXPECT_TRUE(IsWindow(frame.window()));
}

TEST(FrameCommands, ExitDestroysTheFrameAndPostsQuitZeroEvenWhileBusy)
{
    TestFrame frame;
    PretendBusy busy;
    EXPECT_EQ(SendMessageA(frame.window(), WM_COMMAND, CMD_EXIT, 0), 0);
    EXPECT_FALSE(IsWindow(frame.window()));
    EXPECT_FALSE(IsWindow(theOrbitWindowHandle));
    WPARAM code = 99;
    EXPECT_TRUE(takeQuitMessage(&code));
    EXPECT_EQ(code, 0u);
}

TEST(FrameCommands, OrbitsMenuIdsAndUnknownIdsDoNothingAtTheFrame)
{
    TestFrame frame;
    const double halfHeight = theFractalView->halfHeight;
    for (int command : {CMD_GUIDE, CMD_LINES, CMD_DOTS, CMD_CROSSHAIRS, 40008, 1}) {
        EXPECT_EQ(SendMessageA(frame.window(), WM_COMMAND, command, 0), 0) << command;
        EXPECT_FALSE(theFractalView->busy) << command;
    }
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    EXPECT_FALSE(commandIsQueued(frame.window(), &wParam, &lParam));
    EXPECT_EQ(theFractalView->halfHeight, halfHeight);
    EXPECT_TRUE(IsWindow(frame.window()));
}

TEST(FrameCommands, AltF4LeavesTheOrbitsWindowAndEndsTheProgramFromTheFrame)
{
    TestFrame frame;
    pressAltF4(theOrbitWindowHandle);
    pumpPending();
    EXPECT_TRUE(IsWindow(theOrbitWindowHandle));
    EXPECT_TRUE(IsWindow(frame.window()));
    EXPECT_FALSE(takeQuitMessage());

    pressAltF4(frame.window());
    WPARAM code = 99;
    ASSERT_TRUE(runUntilQuit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(frame.window()));
    EXPECT_FALSE(IsWindow(theOrbitWindowHandle));
}
