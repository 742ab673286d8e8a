// The mouse wheel over the picture: each notch halves or doubles the
// half-height about the point under the cursor, which stays under it; parts
// of a notch add up, and notches given while a calculation runs make one
// zoom once it has stopped.
#include "engine/deep_view.h"
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "shell/main_toolbar.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_location_steps.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

namespace {

POINT screenPoint(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

// A turn of the wheel as the focus window, the frame, gets it.
void turnWheelAt(HWND frame, POINT screen, int delta)
{
    SendMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
}

void turnWheel(HWND frame, int x, int y, int delta)
{
    turnWheelAt(frame, screenPoint(theFractalView->window, x, y), delta);
}

double spacing()
{
    return pixelSpacing(theFractalView->halfHeight, theFractalView->bitmapHeight);
}

} // namespace

TEST(FrameWheel, ANotchZoomsAboutThePointUnderTheCursorWhichStaysThere)
{
    TestFrame frame;
    const int x = 123;
    const int y = 77;
    const double real = theFractalView->pixelToReal(x);
    const double imag = theFractalView->pixelToImag(y);
    turnWheel(frame.window(), x, y, WHEEL_DELTA);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->halfHeight, 0.65);
    EXPECT_NEAR(theFractalView->pixelToReal(x), real, spacing() / 1000);
    EXPECT_NEAR(theFractalView->pixelToImag(y), imag, spacing() / 1000);
    EXPECT_NE(theFractalView->centerReal, -0.5);

    // Three notches back, elsewhere.
    const double real2 = theFractalView->pixelToReal(20);
    const double imag2 = theFractalView->pixelToImag(150);
    turnWheel(frame.window(), 20, 150, -3 * WHEEL_DELTA);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->halfHeight, 5.2);
    EXPECT_NEAR(theFractalView->pixelToReal(20), real2, spacing() / 1000);
    EXPECT_NEAR(theFractalView->pixelToImag(150), imag2, spacing() / 1000);
}

TEST(FrameWheel, PartsOfANotchAddUpAndOnlyTurnsOverThePictureZoom)
{
    TestFrame frame;
    const unsigned started = theFractalView->calculation;
    for (int part = 0; part < 2; ++part)
        turnWheel(frame.window(), 200, 100, 40);
    pumpPending();
    EXPECT_EQ(theFractalView->calculation, started);
    turnWheel(frame.window(), 200, 100, 40);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->calculation, started + 1);
    EXPECT_EQ(theFractalView->halfHeight, 0.65);

    // Over the toolbar, and over the view's edge, the frame keeps the turn.
    RECT toolbar = {};
    GetWindowRect(theMainToolbar->toolbarWindow, &toolbar);
    turnWheelAt(frame.window(), {toolbar.left + 5, toolbar.top + 5}, 5 * WHEEL_DELTA);
    RECT edge = {};
    GetWindowRect(theFractalView->window, &edge);
    turnWheelAt(frame.window(), {edge.left, edge.top}, 5 * WHEEL_DELTA);
    pumpPending();
    EXPECT_EQ(theFractalView->calculation, started + 1);

    // The view takes a turn sent to it too, as when it has the focus.
    const POINT middle = screenPoint(theFractalView->window, 200, 100);
    SendMessageA(theFractalView->window, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(middle.x, middle.y));
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
}

TEST(FrameWheel, NotchesGivenWhileBusyMakeOneZoomAfterTheStop)
{
    TestFrame frame;
    const int x = 60;
    const int y = 200;
    const double real = theFractalView->pixelToReal(x);
    const unsigned started = theFractalView->calculation;
    {
        PretendCalculation busy;
        for (int notch = 0; notch < 3; ++notch) {
            stopRequested = false;
            turnWheel(frame.window(), x, y, WHEEL_DELTA);
        }
        // The first notch asked for the stop; the later ones joined its zoom.
        EXPECT_FALSE(stopRequested);
        EXPECT_FALSE(commandIsQueued(frame.window()));
        turnWheel(frame.window(), x, y, -WHEEL_DELTA / 2);
        turnWheel(frame.window(), x, y, WHEEL_DELTA / 2 + WHEEL_DELTA);
        pumpPending();
        EXPECT_EQ(theFractalView->halfHeight, 1.3);
    }
    ASSERT_TRUE(waitUntilIdle());
    // The pretended calculation and one zoom by four notches.
    EXPECT_EQ(theFractalView->calculation, started + 2);
    EXPECT_EQ(theFractalView->halfHeight, 1.3 / 16);
    EXPECT_NEAR(theFractalView->pixelToReal(x), real, spacing() / 1000);
    EXPECT_EQ(theFractalView->history.size(), 1u);

    // Turns that cancel each other out while busy leave the view and only
    // calculate it anew.
    const VisitedView before = viewPlace();
    {
        PretendCalculation busy;
        turnWheel(frame.window(), x, y, WHEEL_DELTA);
        turnWheel(frame.window(), x, y, -WHEEL_DELTA);
    }
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->calculation, started + 4);
    EXPECT_EQ(viewPlace(), before);
    EXPECT_EQ(theFractalView->history.size(), 1u);
}
