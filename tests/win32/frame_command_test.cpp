// The frame's command table: what each command does while idle and while a
// calculation runs, and the commands the frame leaves alone.
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

TEST(FrameCommands, RecalculateRunsWhenIdleAndIsDroppedWhileBusy)
{
    TestFrame frame;
    {
        PretendCalculation busy;
        EXPECT_EQ(SendMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0), 0);
        EXPECT_FALSE(commandIsQueued(frame.window()));
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

    PretendCalculation busy;
    SendMessageA(frame.window(), WM_COMMAND, CMD_STOP, 0);
    EXPECT_TRUE(stopRequested);
    EXPECT_FALSE(commandIsQueued(frame.window()));
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
    PretendCalculation busy;
    {
        DialogAnswerer closer("Export Properties");
        SendMessageA(frame.window(), WM_COMMAND, CMD_EXPORT, 0);
        EXPECT_TRUE(closer.appeared());
    }
    {
        DialogAnswerer closer("About");
        SendMessageA(frame.window(), WM_COMMAND, CMD_ABOUT, 0);
        EXPECT_TRUE(closer.appeared());
    }
    EXPECT_FALSE(commandIsQueued(frame.window()));
    EXPECT_FALSE(stopRequested);
    EXPECT_TRUE(IsWindow(frame.window()));
}

TEST(FrameCommands, ExitDestroysTheFrameAndPostsQuitZeroEvenWhileBusy)
{
    TestFrame frame;
    PretendCalculation busy;
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
    EXPECT_FALSE(commandIsQueued(frame.window()));
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
