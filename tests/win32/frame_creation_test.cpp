// What the frame builds when it is created, in which order, and where.
#include "engine/fractal_view.h"
#include "orbits/orbit_window.h"
#include "shell/frame_window.h"
#include "shell/main_toolbar.h"
#include "shell/status_panel.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

TEST(FrameCreation, BuildsTheBarsTheViewAndTheOrbitsWindow)
{
    TestFrame frame;
    ASSERT_NE(frame.window(), nullptr);
    EXPECT_EQ(windowText(frame.window()), "Zelvar v2.0");
    RECT outer = {};
    GetWindowRect(frame.window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 500);
    EXPECT_EQ(outer.bottom - outer.top, 400);
    EXPECT_TRUE(IsWindowVisible(frame.window()));
    ASSERT_NE(GetMenu(frame.window()), nullptr);
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame.window())), 4);

    ASSERT_NE(theStatusPanel, nullptr);
    EXPECT_EQ(GetParent(theStatusPanel->statusBar), frame.window());
    EXPECT_EQ(className(theStatusPanel->statusBar), STATUSCLASSNAMEA);
    ASSERT_NE(theMainToolbar, nullptr);
    EXPECT_EQ(GetParent(theMainToolbar->toolbarWindow), frame.window());
    EXPECT_EQ(className(theMainToolbar->toolbarWindow), TOOLBARCLASSNAMEA);

    ASSERT_NE(theFractalViewWindow, nullptr);
    EXPECT_EQ(GetParent(theFractalViewWindow), frame.window());
    EXPECT_EQ(className(theFractalViewWindow), "FRACTALCLASS");
    EXPECT_TRUE(GetWindowLongA(theFractalViewWindow, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetDlgCtrlID(theFractalViewWindow), 0);
    ASSERT_NE(theFractalView, nullptr);
    EXPECT_EQ(theFractalView->window, theFractalViewWindow);

    ASSERT_NE(theOrbitWindowHandle, nullptr);
    EXPECT_EQ(className(theOrbitWindowHandle), "ORBITSCLASS");
    EXPECT_EQ(windowText(theOrbitWindowHandle), "Orbits");
    EXPECT_EQ(GetWindow(theOrbitWindowHandle, GW_OWNER), frame.window());
    const LONG style = GetWindowLongA(theOrbitWindowHandle, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongA(theOrbitWindowHandle, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsWindowVisible(theOrbitWindowHandle));
    ASSERT_NE(theOrbitWindow, nullptr);
    EXPECT_EQ(theOrbitWindow->window, theOrbitWindowHandle);
    EXPECT_EQ(theOrbitWindow->owner, frame.window());
}

TEST(FrameCreation, TheViewLiesBetweenTheBarsAndItsFirstPictureHasItsSize)
{
    TestFrame frame;
    const RECT f = clientRect(frame.window());
    const RECT t = clientRect(theMainToolbar->toolbarWindow);
    const RECT s = clientRect(theStatusPanel->statusBar);
    ASSERT_GT(t.bottom, 0);
    ASSERT_GT(s.bottom, 0);
    const RECT view = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.top, t.bottom + 1);
    EXPECT_EQ(view.right, f.right);
    EXPECT_EQ(view.bottom, f.bottom - s.bottom);

    // The toolbar existed before the view was made: the first picture was
    // computed at the view's place under it, not over the whole client area.
    const RECT viewClient = clientRect(theFractalViewWindow);
    EXPECT_EQ(theFractalView->bitmapWidth, viewClient.right);
    EXPECT_EQ(theFractalView->bitmapHeight, viewClient.bottom);
}

TEST(FrameCreation, TheStatusPanelExistedWhenTheFirstCalculationReported)
{
    TestFrame frame;
    // The calculation started during the view's creation; its final word
    // can only have reached a status bar that was made before.
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 2), "");
}

TEST(FrameCreation, TheOrbitsWindowStandsAtTheLowerRightOfTheFrame)
{
    TestFrame frame;
    RECT outer = {};
    GetWindowRect(frame.window(), &outer);
    RECT orbits = {};
    GetWindowRect(theOrbitWindowHandle, &orbits);
    EXPECT_EQ(orbits.left, outer.right - 150);
    EXPECT_EQ(orbits.top, outer.bottom - 150);
    const RECT client = clientRect(theOrbitWindowHandle);
    EXPECT_EQ(client.right, 127);
    EXPECT_EQ(client.bottom, 96);
}
