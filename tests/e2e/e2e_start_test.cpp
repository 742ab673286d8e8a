// The explorer as it first appears: its windows, their places and sizes, the
// first picture and the Orbits window following the mouse.
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <cmath>

TEST_F(ExplorerTest, FrameIsTitledAndSizedAndHasAMenu)
{
    EXPECT_EQ(remoteWindowText(explorer->frame()), "Zelvar v2.0");
    const RECT frame = windowRect(explorer->frame());
    EXPECT_EQ(frame.right - frame.left, 500);
    EXPECT_EQ(frame.bottom - frame.top, 400);
    // The menu bar takes room above the client area (its items are used by
    // the menu tests).
    EXPECT_NE(GetMenu(explorer->frame()), nullptr);
}

TEST_F(ExplorerTest, ViewLiesBetweenToolbarAndStatusBar)
{
    const RECT frameClient = clientRect(explorer->frame());
    const RECT toolbar = clientRect(explorer->toolbar());
    const RECT status = clientRect(explorer->statusBar());
    RECT viewRect = windowRect(explorer->view());
    MapWindowPoints(nullptr, explorer->frame(), reinterpret_cast<POINT*>(&viewRect), 2);

    EXPECT_GT(toolbar.bottom, 0);
    EXPECT_GT(status.bottom, 0);
    EXPECT_EQ(viewRect.left, 0);
    EXPECT_EQ(viewRect.top, toolbar.bottom + 1);
    EXPECT_EQ(viewRect.right, frameClient.right);
    EXPECT_EQ(viewRect.bottom - viewRect.top, frameClient.bottom - toolbar.bottom - status.bottom - 1);
}

TEST_F(ExplorerTest, OrbitsWindowStandsAtTheFramesLowerRight)
{
    EXPECT_EQ(remoteWindowText(explorer->orbits()), "Orbits");
    const RECT frame = windowRect(explorer->frame());
    const RECT orbits = windowRect(explorer->orbits());
    EXPECT_EQ(orbits.left, frame.right - 150);
    EXPECT_EQ(orbits.top, frame.bottom - 150);
    const RECT client = clientRect(explorer->orbits());
    EXPECT_EQ(client.right, 127);
    EXPECT_EQ(client.bottom, 96);
    EXPECT_TRUE(GetWindowLongA(explorer->orbits(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(explorer->orbits(), GW_OWNER), explorer->frame());
}

TEST_F(ExplorerTest, FirstPictureShowsTheStartViewAndTheStatusIsDone)
{
    EXPECT_EQ(explorer->statusText(0), "Done");
    EXPECT_EQ(explorer->statusText(2), "");
    EXPECT_EQ(waitForPicture(*explorer, view), "");

    // The probes tell this view from its neighbours.
    ViewValues zoomed = view;
    zoomed.halfHeight = view.halfHeight / 2;
    EXPECT_NE(pictureMismatches(*explorer, zoomed), "");
}

TEST_F(ExplorerTest, OrbitsWindowShowsTheCrosshairsAtThePointUnderTheMouse)
{
    const RECT client = clientRect(explorer->view());
    // A point of the view well inside the picture, away from the orbit line.
    const int x = client.right / 4;
    const int y = client.bottom / 4;
    const double re = columnReal(view, x, client.right, client.bottom);
    const double im = rowImag(view, y, client.right, client.bottom);
    const int px = static_cast<int>((re + 2.5) * 32);
    const int py = static_cast<int>((im + 1.5) * 32);
    ASSERT_GE(px, 0);
    ASSERT_LT(px, 127);
    ASSERT_GE(py, 0);
    ASSERT_LT(py, 96);

    ASSERT_TRUE(moveMouseTo(clientToScreen(explorer->view(), x, y)));
    const int otherColumn = (px + 40) % 127;
    EXPECT_TRUE(waitFor([&] {
        const ScreenCapture orbits(explorer->orbits());
        return orbits.whitePixelsInColumn(px) >= 20 && orbits.whitePixelsInRow(py) >= 20 &&
               orbits.whitePixelsInColumn(otherColumn) <= 1;
    }));

    // Another point moves the crosshairs with it.
    const int x2 = client.right / 2;
    const double re2 = columnReal(view, x2, client.right, client.bottom);
    const int px2 = static_cast<int>((re2 + 2.5) * 32);
    ASSERT_NE(px2, px);
    ASSERT_TRUE(moveMouseTo(clientToScreen(explorer->view(), x2, y)));
    EXPECT_TRUE(waitFor([&] {
        const ScreenCapture orbits(explorer->orbits());
        return orbits.whitePixelsInColumn(px2) >= 20 && orbits.whitePixelsInColumn(px) <= 1;
    }));
}
