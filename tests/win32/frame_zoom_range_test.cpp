// Zoom In and Zoom Out at the ends of the range of a double: the view stops
// there and comes back exactly.
#include "engine/deep_view.h"
#include "engine/fractal_view.h"
#include "resources/resource_ids.h"
#include "shell/frame_window.h"
#include "shell/status_panel.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Gives the frame the command, as its menu, key or button does, and waits
// for the calculation it starts to end.
void press(HWND frame, int command)
{
    theStatusPanel->setStatusText("before");
    SendMessageA(frame, WM_COMMAND, command, 0);
    ASSERT_TRUE(waitUntilIdle(30000));
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done") << command;
}

// Shrinks the frame until the view's client area is only a few rows high,
// which keeps each calculation short.
void shrinkPicture(HWND frame)
{
    RECT outer = {};
    GetWindowRect(frame, &outer);
    RECT view = {};
    GetClientRect(theFractalView->window, &view);
    MoveWindow(frame, 0, 0, 200, (outer.bottom - outer.top) - (view.bottom - 4), TRUE);
    ASSERT_TRUE(waitUntilIdle());
    GetClientRect(theFractalView->window, &view);
    ASSERT_EQ(view.bottom, 4);
}

// Presses the command until the half-height no longer changes; each press
// before that doubles or halves it exactly. Gives the number of changes.
int pressUntilItStays(HWND frame, int command)
{
    const double factor = command == CMD_ZOOM_OUT ? 2 : 0.5;
    for (int changes = 0; changes < 1200; ++changes) {
        const double before = theFractalView->halfHeight;
        press(frame, command);
        if (theFractalView->halfHeight == before)
            return changes;
        EXPECT_EQ(theFractalView->halfHeight, before * factor);
        if (theFractalView->halfHeight != before * factor)
            return changes;
    }
    ADD_FAILURE() << "no limit for " << command;
    return 0;
}

// Every pixel of the view maps to a finite point, and the half-height is a
// positive normal number.
void expectViewInRange()
{
    RECT client = {};
    GetClientRect(theFractalView->window, &client);
    EXPECT_TRUE(std::isnormal(theFractalView->halfHeight));
    EXPECT_GT(theFractalView->halfHeight, 0);
    EXPECT_TRUE(std::isfinite(client.right * theFractalView->halfHeight / client.bottom));
    for (int x : {0, int(client.right) - 1, int(client.right)})
        EXPECT_TRUE(std::isfinite(theFractalView->pixelToReal(x))) << x;
    for (int y : {0, int(client.bottom) - 1, int(client.bottom)})
        EXPECT_TRUE(std::isfinite(theFractalView->pixelToImag(y))) << y;
}

} // namespace

TEST(FrameZoomRange, ZoomOutStopsAtTheLargestViewAndZoomInComesBackExactly)
{
    TestFrame frame;
    shrinkPicture(frame.window());
    // From the start view this end lies more than a thousand presses away;
    // the test starts a thousand doublings above the start view.
    const double startUp = theFractalView->halfHeight;
    const double start = std::ldexp(startUp, 1000);
    theFractalView->halfHeight = start;

    const int outs = pressUntilItStays(frame.window(), CMD_ZOOM_OUT);
    EXPECT_GT(outs, 0);
    const double largest = theFractalView->halfHeight;
    expectViewInRange();
    // At the end, each press still recalculates the same view.
    press(frame.window(), CMD_ZOOM_OUT);
    EXPECT_EQ(theFractalView->halfHeight, largest);

    for (int i = 0; i < outs; ++i)
        press(frame.window(), CMD_ZOOM_IN);
    EXPECT_EQ(theFractalView->halfHeight, start);
    EXPECT_EQ(theFractalView->centerReal, -0.5);
    EXPECT_EQ(theFractalView->centerImag, 0.0);
}

TEST(FrameZoomRange, ZoomInStopsAtTheDeepestHalfHeightAndZoomOutComesBack)
{
    TestFrame frame;
    shrinkPicture(frame.window());
    // From the start view this end lies almost a thousand presses away, like
    // the other; the test starts eleven halvings above it.
    const double start = std::ldexp(1.3, -985);
    theFractalView->halfHeight = start;

    const int ins = pressUntilItStays(frame.window(), CMD_ZOOM_IN);
    EXPECT_EQ(ins, 11);
    EXPECT_GE(theFractalView->halfHeight, deepestHalfHeight);
    EXPECT_LT(theFractalView->halfHeight * 0.5, deepestHalfHeight);
    expectViewInRange();
    press(frame.window(), CMD_ZOOM_IN);
    EXPECT_EQ(theFractalView->halfHeight, std::ldexp(1.3, -996));

    for (int i = 0; i < ins; ++i)
        press(frame.window(), CMD_ZOOM_OUT);
    EXPECT_EQ(theFractalView->halfHeight, start);
}
