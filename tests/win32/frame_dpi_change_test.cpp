// The frame moved to a monitor of another scale: it takes the rectangle the
// system suggests and lays itself out again for the new DPI. Wine has one
// scale for all its monitors and never sends WM_DPICHANGED, so the tests
// send it as the system would.
#include "engine/fractal_view.h"
#include "orbits/orbit_window.h"
#include "shell/frame_window.h"
#include "shell/main_toolbar.h"
#include "shell/status_panel.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

namespace {

void changeDpi(HWND frame, int dpi, RECT suggested)
{
    SendMessageA(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    pumpPending();
}

SIZE imageSize(HIMAGELIST list)
{
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    return {width, height};
}

RECT buttonRect(int index)
{
    RECT rect = {};
    SendMessageA(theMainToolbar->toolbarWindow, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// The geometry of the frame's bars and view that a change of scale touches.
struct Layout {
    RECT view;
    int toolbarHeight;
    int statusHeight;
    SIZE images;
    RECT firstButton;
    RECT lastButton;
    int edges[3];
    RECT progress;
};

Layout layoutOf(HWND frame)
{
    Layout layout = {};
    layout.view = rectIn(theFractalViewWindow, frame);
    layout.toolbarHeight = clientRect(theMainToolbar->toolbarWindow).bottom;
    layout.statusHeight = clientRect(theStatusPanel->statusBar).bottom;
    layout.images = imageSize(theMainToolbar->imageList);
    layout.firstButton = buttonRect(0);
    layout.lastButton = buttonRect(11);
    SendMessageA(theStatusPanel->statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(layout.edges));
    layout.progress = rectIn(theStatusPanel->progressBar, theStatusPanel->statusBar);
    return layout;
}

void expectSameRect(const RECT& a, const RECT& b, const char* what)
{
    EXPECT_EQ(a.left, b.left) << what;
    EXPECT_EQ(a.top, b.top) << what;
    EXPECT_EQ(a.right, b.right) << what;
    EXPECT_EQ(a.bottom, b.bottom) << what;
}

} // namespace

TEST(FrameDpiChange, TakesTheSuggestedRectangleAndLaysOutForTheNewScale)
{
    TestFrame frame;
    const Layout before = layoutOf(frame.window());
    changeDpi(frame.window(), 144, RECT{40, 30, 40 + 750, 30 + 600});

    const RECT outer = windowRect(frame.window());
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 30);
    EXPECT_EQ(outer.right - outer.left, 750);
    EXPECT_EQ(outer.bottom - outer.top, 600);

    // The toolbar shows the pictures for 150 %, and its buttons and its
    // height grow with them.
    const Layout after = layoutOf(frame.window());
    EXPECT_EQ(after.images.cx, 24);
    EXPECT_EQ(after.images.cy, 23);
    EXPECT_EQ(after.firstButton.right - after.firstButton.left,
              before.firstButton.right - before.firstButton.left + 8);
    EXPECT_EQ(after.firstButton.bottom - after.firstButton.top,
              before.firstButton.bottom - before.firstButton.top + 8);
    EXPECT_EQ(after.lastButton.top, after.firstButton.top);
    EXPECT_GT(after.toolbarHeight, before.toolbarHeight);

    // The status bar's parts and progress bar are half as wide again, and
    // its font for 144 DPI makes it higher.
    EXPECT_EQ(after.edges[0], 150);
    EXPECT_EQ(after.edges[1], 375);
    EXPECT_EQ(after.edges[2], -1);
    EXPECT_EQ(after.progress.left, 153);
    EXPECT_EQ(after.progress.top, 3);
    EXPECT_EQ(after.progress.right, 375);
    EXPECT_EQ(after.progress.bottom, after.statusHeight);
    EXPECT_GT(after.statusHeight, before.statusHeight);

    // The view lies between the bars, two pixels below the toolbar.
    const RECT client = clientRect(frame.window());
    EXPECT_EQ(after.view.left, 0);
    EXPECT_EQ(after.view.top, after.toolbarHeight + 2);
    EXPECT_EQ(after.view.right, client.right);
    EXPECT_EQ(after.view.bottom, client.bottom - after.statusHeight);
    const RECT status = rectIn(theStatusPanel->statusBar, frame.window());
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.right, client.right);

    // The Orbits window stays at the frame's corner; its own scale is its
    // monitor's, which Wine leaves at 96 DPI.
    const RECT orbits = windowRect(theOrbitWindowHandle);
    EXPECT_EQ(orbits.left, outer.right - 150);
    EXPECT_EQ(orbits.top, outer.bottom - 150);
    // A change of scale starts no calculation.
    EXPECT_FALSE(theFractalView->busy);
}

TEST(FrameDpiChange, BackAt96DpiEverythingIsAsItWasBefore)
{
    TestFrame frame;
    const RECT start = windowRect(frame.window());
    const Layout before = layoutOf(frame.window());
    changeDpi(frame.window(), 144, RECT{start.left, start.top, start.left + 750, start.top + 600});
    changeDpi(frame.window(), 96, start);

    const Layout after = layoutOf(frame.window());
    expectSameRect(windowRect(frame.window()), start, "frame");
    expectSameRect(after.view, before.view, "view");
    EXPECT_EQ(after.toolbarHeight, before.toolbarHeight);
    EXPECT_EQ(after.statusHeight, before.statusHeight);
    EXPECT_EQ(after.images.cx, 16);
    EXPECT_EQ(after.images.cy, 15);
    expectSameRect(after.firstButton, before.firstButton, "first button");
    expectSameRect(after.lastButton, before.lastButton, "last button");
    for (int part = 0; part < 3; ++part)
        EXPECT_EQ(after.edges[part], before.edges[part]) << part;
    expectSameRect(after.progress, before.progress, "progress bar");
}

TEST(FrameDpiChange, ASuggestedRectangleOfTheSameSizeStillLaysOutAgain)
{
    TestFrame frame;
    const RECT start = windowRect(frame.window());
    changeDpi(frame.window(), 144, start);
    expectSameRect(windowRect(frame.window()), start, "frame");
    const Layout after = layoutOf(frame.window());
    EXPECT_EQ(after.images.cx, 24);
    EXPECT_EQ(after.view.top, after.toolbarHeight + 2);
    EXPECT_EQ(after.view.bottom, clientRect(frame.window()).bottom - after.statusHeight);
    changeDpi(frame.window(), 96, start);
}
