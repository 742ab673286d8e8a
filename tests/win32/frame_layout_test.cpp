// The frame's layout on WM_SIZE and WM_MOVE: the view between the bars, the
// bars re-fitted, the Orbits window kept at the lower right, and no new
// calculation.
#include "engine/fractal_view.h"
#include "shell/frame_window.h"
#include "shell/main_toolbar.h"
#include "shell/status_panel.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

namespace {

void expectOrbitsAtLowerRight(HWND frame)
{
    const RECT outer = windowRect(frame);
    const RECT orbits = windowRect(theOrbitWindowHandle);
    EXPECT_EQ(orbits.left, outer.right - 150);
    EXPECT_EQ(orbits.top, outer.bottom - 150);
}

} // namespace

TEST(FrameLayout, ResizingFitsTheViewAndTheBarsAndMovesTheOrbitsWindow)
{
    TestFrame frame;
    const int picturesWidth = theFractalView->bitmapWidth;
    for (SIZE outer : {SIZE{700, 520}, SIZE{320, 260}, SIZE{500, 400}}) {
        SetWindowPos(frame.window(), nullptr, 30, 40, outer.cx, outer.cy, SWP_NOZORDER);
        pumpPending();
        const RECT f = clientRect(frame.window());
        const RECT t = clientRect(theMainToolbar->toolbarWindow);
        const RECT s = clientRect(theStatusPanel->statusBar);
        const RECT view = rectIn(theFractalViewWindow, frame.window());
        EXPECT_EQ(view.left, 0) << outer.cx;
        EXPECT_EQ(view.top, t.bottom + 1) << outer.cx;
        EXPECT_EQ(view.right, f.right) << outer.cx;
        EXPECT_EQ(view.bottom, f.bottom - s.bottom) << outer.cx;
        // The bars follow the frame's width: the toolbar along the top, the
        // status bar along the bottom.
        const RECT toolbar = rectIn(theMainToolbar->toolbarWindow, frame.window());
        EXPECT_EQ(toolbar.top, 0) << outer.cx;
        EXPECT_EQ(toolbar.right - toolbar.left, f.right) << outer.cx;
        const RECT status = rectIn(theStatusPanel->statusBar, frame.window());
        EXPECT_EQ(status.bottom, f.bottom) << outer.cx;
        EXPECT_EQ(status.right - status.left, f.right) << outer.cx;
        expectOrbitsAtLowerRight(frame.window());
    }
    // No resize starts a calculation.
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(theFractalView->bitmapWidth, picturesWidth);
}

TEST(FrameLayout, AZeroClientSizeIsPassedOnAndARestoreLaysOutAgain)
{
    TestFrame frame;
    const RECT before = rectIn(theFractalViewWindow, frame.window());
    const RECT t = clientRect(theMainToolbar->toolbarWindow);
    const RECT s = clientRect(theStatusPanel->statusBar);

    SendMessageA(frame.window(), WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    // The height 0 - T - S - 1 is negative; the window takes it as empty.
    const RECT minimized = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(minimized.left, 0);
    EXPECT_EQ(minimized.top, t.bottom + 1);
    EXPECT_EQ(minimized.right - minimized.left, 0);
    EXPECT_EQ(minimized.bottom - minimized.top, 0);

    // A client height that leaves exactly nothing for the view.
    SendMessageA(frame.window(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, t.bottom + s.bottom + 1));
    const RECT empty = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(empty.right - empty.left, 200);
    EXPECT_EQ(empty.bottom - empty.top, 0);

    const RECT f = clientRect(frame.window());
    SendMessageA(frame.window(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(f.right, f.bottom));
    const RECT after = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_FALSE(theFractalView->busy);
}

TEST(FrameLayout, MinimizingAndRestoringTheFrameKeepsThePicture)
{
    TestFrame frame;
    const RECT before = rectIn(theFractalViewWindow, frame.window());
    ShowWindow(frame.window(), SW_MINIMIZE);
    pumpPending();
    ShowWindow(frame.window(), SW_RESTORE);
    pumpPending();
    const RECT after = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
}

TEST(FrameLayout, MovingTheFrameTakesTheOrbitsWindowAlong)
{
    TestFrame frame;
    SetWindowPos(frame.window(), nullptr, 90, 70, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    pumpPending();
    expectOrbitsAtLowerRight(frame.window());
    // A user's drag of the Orbits window holds only until the frame moves.
    SetWindowPos(theOrbitWindowHandle, nullptr, 5, 5, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(frame.window(), nullptr, 60, 50, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    pumpPending();
    expectOrbitsAtLowerRight(frame.window());
}
