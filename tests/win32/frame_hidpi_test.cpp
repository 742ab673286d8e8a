// The frame on a screen at 150 % (144 DPI): everything sized in pixels is
// half as large again, and the picture has the screen's own pixels.
#include "engine/fractal_view.h"
#include "orbits/orbit_window.h"
#include "shell/frame_window.h"
#include "shell/main_toolbar.h"
#include "shell/status_panel.h"
#include "tests/support/screen_dpi.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line.h"

#include <gtest/gtest.h>

namespace {

class FrameAt144Dpi : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(screenAt144Dpi()); }
};

} // namespace

TEST_F(FrameAt144Dpi, IsHalfAsLargeAgainAndLaysOutItsBarsAndViewForTheScale)
{
    TestFrame frame;
    const RECT outer = windowRect(frame.window());
    EXPECT_EQ(outer.right - outer.left, 750);
    EXPECT_EQ(outer.bottom - outer.top, 600);

    // The toolbar shows the pictures drawn for 150 %, all in one row.
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(theMainToolbar->imageList, &width, &height);
    EXPECT_EQ(width, 24);
    EXPECT_EQ(height, 23);
    EXPECT_EQ(ImageList_GetImageCount(theMainToolbar->imageList), 7);
    RECT first = {};
    RECT last = {};
    SendMessageA(theMainToolbar->toolbarWindow, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(theMainToolbar->toolbarWindow, TB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(last.top, first.top);
    EXPECT_GE(first.bottom - first.top, 23);

    // The status bar's parts and its progress bar.
    const RECT s = clientRect(theStatusPanel->statusBar);
    int edges[3] = {};
    ASSERT_EQ(SendMessageA(theStatusPanel->statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 150);
    EXPECT_EQ(edges[1], 375);
    EXPECT_EQ(edges[2], -1);
    const RECT progress = rectIn(theStatusPanel->progressBar, theStatusPanel->statusBar);
    EXPECT_EQ(progress.left, 153);
    EXPECT_EQ(progress.top, 3);
    EXPECT_EQ(progress.right, 375);
    EXPECT_EQ(progress.bottom, s.bottom);

    // The view between the bars, two pixels below the toolbar.
    const RECT f = clientRect(frame.window());
    const RECT t = clientRect(theMainToolbar->toolbarWindow);
    const RECT view = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.top, t.bottom + 2);
    EXPECT_EQ(view.right, f.right);
    EXPECT_EQ(view.bottom, f.bottom - s.bottom);

    // A resize keeps the layout.
    SetWindowPos(frame.window(), nullptr, 30, 40, 900, 700, SWP_NOZORDER);
    pumpPending();
    const RECT resized = rectIn(theFractalViewWindow, frame.window());
    EXPECT_EQ(resized.top, clientRect(theMainToolbar->toolbarWindow).bottom + 2);
    EXPECT_EQ(resized.bottom, clientRect(frame.window()).bottom - clientRect(theStatusPanel->statusBar).bottom);
}

TEST_F(FrameAt144Dpi, ThePictureHasTheScreensOwnPixels)
{
    TestFrame frame;
    // The view fills the frame's client area but for its sunken edge, and
    // its picture has one pixel for each of the view's: half as many again
    // as at 96 DPI, where the frame's client area is 492 pixels wide.
    const RECT f = clientRect(frame.window());
    const RECT viewClient = clientRect(theFractalViewWindow);
    EXPECT_EQ(viewClient.right, f.right - 2 * GetSystemMetrics(SM_CXEDGE));
    EXPECT_GE(viewClient.right, 730);
    EXPECT_EQ(theFractalView->bitmapWidth, viewClient.right);
    EXPECT_EQ(theFractalView->bitmapHeight, viewClient.bottom);
}

TEST_F(FrameAt144Dpi, TheOrbitsWindowStandsAtTheCornerAtTheScale)
{
    TestFrame frame;
    const RECT outer = windowRect(frame.window());
    const RECT orbits = windowRect(theOrbitWindowHandle);
    EXPECT_EQ(orbits.left, outer.right - 225);
    EXPECT_EQ(orbits.top, outer.bottom - 225);
    const RECT client = clientRect(theOrbitWindowHandle);
    EXPECT_EQ(client.right, 191);
    EXPECT_EQ(client.bottom, 144);
    EXPECT_EQ(theOrbitWindow->dpi, 144);
}

TEST_F(FrameAt144Dpi, TheHandlesStartFartherInAndAreHitFromFarther)
{
    TestFrame frame;
    const RECT view = clientRect(theFractalViewWindow);
    EXPECT_EQ(theOrbitLine->handleX[0], 15);
    EXPECT_EQ(theOrbitLine->handleY[0], view.bottom - 15);
    EXPECT_EQ(theOrbitLine->handleX[1], view.right - 15);
    EXPECT_EQ(theOrbitLine->handleY[1], 15);

    // The hit box reaches 8 pixels to each side, both bounds included.
    EXPECT_EQ(theOrbitLine->handleAt(15 + 8, view.bottom - 15 - 8), 1);
    EXPECT_EQ(theOrbitLine->handleAt(15 - 8, view.bottom - 15 + 8), 1);
    EXPECT_EQ(theOrbitLine->handleAt(15 + 9, view.bottom - 15), 0);
    EXPECT_EQ(theOrbitLine->handleAt(view.right - 15 - 8, 15 + 8), 2);
    EXPECT_EQ(theOrbitLine->handleAt(view.right - 15, 15 - 9), 0);

    // A press at the edge of the hit box grabs the handle.
    SendMessageA(theFractalViewWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(view.right - 15 + 8, 15 - 8));
    EXPECT_EQ(dragHandle, 2);
    SendMessageA(theFractalViewWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(view.right - 60, 50));
    SendMessageA(theFractalViewWindow, WM_LBUTTONUP, 0, MAKELPARAM(view.right - 60, 50));
    EXPECT_EQ(dragHandle, 0);
    EXPECT_EQ(theOrbitLine->handleX[1], view.right - 60);
    EXPECT_EQ(theOrbitLine->handleY[1], 50);
    EXPECT_FALSE(theFractalView->busy);
}
