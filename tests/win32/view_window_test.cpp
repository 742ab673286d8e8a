#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "orbits/orbit_window.h"
#include "shell/status_panel.h"
#include "tests/support/view_plane.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/view_test_host.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The start-up view: centre -0.5 + 0i, half-height 1.3.
const ViewPlace startView{};

RECT updateRect(HWND window)
{
    RECT area = {};
    GetUpdateRect(window, &area, FALSE);
    return area;
}

void expectRect(const RECT& area, int left, int top, int right, int bottom)
{
    EXPECT_EQ(area.left, left);
    EXPECT_EQ(area.top, top);
    EXPECT_EQ(area.right, right);
    EXPECT_EQ(area.bottom, bottom);
}

// A calculation that runs far longer than any test: only a stop ends it.
void startLongCalculation()
{
    theFractalView->maxIterations = 1000000000;
    theFractalView->startCalculation();
}

class FractalViewWindow : public testing::Test {
protected:
    ViewTestHost window;

    void TearDown() override { window.close(); }
};

} // namespace

TEST(FractalViewClass, IsRegisteredWithTheCrossCursorABlackBackgroundAndNoDoubleClicks)
{
    registerFractalViewClass(appInstance);
    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(appInstance, "FRACTALCLASS", &registered));
    EXPECT_EQ(registered.style, UINT(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(registered.lpfnWndProc, &fractalViewProc);
    EXPECT_EQ(registered.hCursor, LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_EQ(registered.hbrBackground, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(registered.cbClsExtra, 0);
    EXPECT_EQ(registered.cbWndExtra, 0);
    EXPECT_EQ(registered.hIcon, nullptr);
}

TEST_F(FractalViewWindow, CreationBuildsTheViewAndTheLineAndCalculatesTheFirstPicture)
{
    window.open(500, 300);
    ASSERT_NE(theFractalView, nullptr);
    ASSERT_NE(theOrbitLine, nullptr);
    EXPECT_EQ(theFractalView->window, window.view);
    EXPECT_EQ(theOrbitLine->window, window.view);
    EXPECT_EQ(theOrbitLine->handleX[0], 10);
    EXPECT_EQ(theOrbitLine->handleY[0], 290);
    EXPECT_EQ(theOrbitLine->handleX[1], 490);
    EXPECT_EQ(theOrbitLine->handleY[1], 10);
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_EQ(dragHandle, 0);
}

TEST_F(FractalViewWindow, DraggingAHandleMovesItRepaintsTheWholeViewAndDoesNotZoom)
{
    window.open(500, 300);
    EXPECT_EQ(window.press(493, 13), 0);
    EXPECT_EQ(dragHandle, 2);
    EXPECT_EQ(theZoomBox, nullptr);

    window.move(250, 150);
    EXPECT_EQ(theOrbitLine->handleX[1], 250);
    EXPECT_EQ(theOrbitLine->handleY[1], 150);
    EXPECT_EQ(theOrbitLine->handleX[0], 10);
    expectRect(updateRect(window.view), 0, 0, 500, 300);

    window.release(250, 150);
    EXPECT_EQ(dragHandle, 0);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(theFractalView->halfHeight, 1.3);

    // Handle 1 is grabbed at the far corner of its hit box.
    window.press(15, 295);
    EXPECT_EQ(dragHandle, 1);
    window.move(40, 260);
    window.release(40, 260);
    EXPECT_EQ(theOrbitLine->handleX[0], 40);
    EXPECT_EQ(theOrbitLine->handleY[0], 260);
}

TEST_F(FractalViewWindow, APressOnAHandleStartsADragEvenWhileACalculationRuns)
{
    window.open(500, 300);
    startLongCalculation();
    window.press(10, 290);
    EXPECT_EQ(dragHandle, 1);
    EXPECT_FALSE(stopRequested);
    EXPECT_TRUE(theFractalView->busy);
    window.move(30, 270);
    EXPECT_EQ(theOrbitLine->handleX[0], 30);
    EXPECT_EQ(theOrbitLine->handleY[0], 270);
    window.release(30, 270);
    EXPECT_FALSE(stopRequested);
}

TEST_F(FractalViewWindow, APressAwayFromTheHandlesMakesABoxThatFollowsTheMouseAndZoomsOnRelease)
{
    window.open(400, 300);
    window.press(200, 150);
    ASSERT_NE(theZoomBox, nullptr);
    EXPECT_EQ(theZoomBox->window, window.view);
    EXPECT_EQ(theZoomBox->centerX, 200);
    EXPECT_EQ(theZoomBox->centerY, 150);
    EXPECT_EQ(theZoomBox->halfHeight, 0);
    EXPECT_EQ(theZoomBox->aspect, 4.0f / 3.0f);
    expectRect(updateRect(window.view), 0, 0, 400, 300);
    pumpUntil([&] { return !GetUpdateRect(window.view, nullptr, FALSE); });

    // Only the union of the old and the new box is repainted.
    window.move(250, 150);
    EXPECT_EQ(theZoomBox->halfHeight, 50);
    expectRect(updateRect(window.view), 133, 100, 266, 200);
    pumpUntil([&] { return !GetUpdateRect(window.view, nullptr, FALSE); });
    window.move(230, 190);
    EXPECT_EQ(theZoomBox->halfHeight, 50);
    window.move(200, 170);
    EXPECT_EQ(theZoomBox->halfHeight, 20);
    expectRect(updateRect(window.view), 133, 100, 266, 200);
    window.move(250, 150);

    const double newReal = columnReal(startView, 200, 400, 300);
    const double newImag = rowImag(startView, 150, 400, 300);
    window.release(250, 150);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_TRUE(theFractalView->busy);
    EXPECT_DOUBLE_EQ(theFractalView->halfHeight, 50 * 1.3 / 150);
    EXPECT_DOUBLE_EQ(theFractalView->centerReal, newReal);
    EXPECT_NEAR(theFractalView->centerImag, newImag, 1e-15);
    ASSERT_TRUE(window.waitUntilPainted());
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
}

TEST_F(FractalViewWindow, AClickWithoutADragOnlyRepaints)
{
    window.open(400, 300);
    window.press(120, 80);
    ASSERT_NE(theZoomBox, nullptr);
    window.release(120, 80);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
    EXPECT_EQ(theFractalView->centerReal, -0.5);
    EXPECT_EQ(theFractalView->centerImag, 0.0);
    expectRect(updateRect(window.view), 0, 0, 400, 300);

    // A second press replaces a box that was never released.
    window.press(50, 60);
    window.press(70, 90);
    ASSERT_NE(theZoomBox, nullptr);
    EXPECT_EQ(theZoomBox->centerX, 70);
    EXPECT_EQ(theZoomBox->centerY, 90);
}

TEST_F(FractalViewWindow, APressDuringACalculationStopsItAndComesBackAsABoxAtThePressPoint)
{
    window.open(500, 300);
    startLongCalculation();
    ASSERT_TRUE(theFractalView->busy);
    window.press(120, 80);
    EXPECT_TRUE(stopRequested);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_EQ(dragHandle, 0);

    ASSERT_TRUE(pumpUntil([] { return theZoomBox != nullptr; }));
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(theZoomBox->centerX, 120);
    EXPECT_EQ(theZoomBox->centerY, 80);
    EXPECT_EQ(theZoomBox->halfHeight, 0);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Cancelled");
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
}

// A keyboard command can start a calculation while a box is dragged. The
// release then stops it and zooms by the box once the worker has ended; it
// never starts a second calculation beside the running one.
TEST_F(FractalViewWindow, AReleaseDuringACalculationWaitsForTheStopAndThenZooms)
{
    window.open(400, 300);
    window.press(200, 150);
    window.move(250, 150);
    startLongCalculation();

    window.release(250, 150);
    EXPECT_TRUE(stopRequested);
    ASSERT_NE(theZoomBox, nullptr);
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
    EXPECT_EQ(theFractalView->centerReal, -0.5);

    ASSERT_TRUE(pumpUntil([] { return theZoomBox == nullptr; }));
    EXPECT_DOUBLE_EQ(theFractalView->halfHeight, 50 * 1.3 / 150);
    EXPECT_DOUBLE_EQ(theFractalView->centerReal, columnReal(startView, 200, 400, 300));
    // The zoom started the one calculation now running.
    EXPECT_TRUE(theFractalView->busy);
    EXPECT_FALSE(stopRequested);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Calculating...");
}

TEST_F(FractalViewWindow, AReleaseDuringACalculationDropsABoxTooSmallToZoom)
{
    window.open(400, 300);
    window.press(200, 150);
    window.move(202, 150);
    ASSERT_EQ(theZoomBox->halfHeight, 2);
    startLongCalculation();

    window.release(202, 150);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_FALSE(stopRequested);
    EXPECT_TRUE(theFractalView->busy);
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
    pumpPending();
    EXPECT_TRUE(theFractalView->busy);
}

TEST_F(FractalViewWindow, WhileAHandleIsDraggedALeftOverBoxStaysAndTheNextReleaseZoomsByIt)
{
    window.open(400, 300);
    // A box whose release happened outside the view.
    window.press(200, 150);
    window.move(200, 210);
    ASSERT_EQ(theZoomBox->halfHeight, 60);

    window.press(390, 10);
    EXPECT_EQ(dragHandle, 2);
    window.move(300, 40);
    EXPECT_EQ(theZoomBox->halfHeight, 60);
    EXPECT_EQ(theOrbitLine->handleX[1], 300);
    EXPECT_EQ(theOrbitLine->handleY[1], 40);

    window.release(300, 40);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_DOUBLE_EQ(theFractalView->halfHeight, 60 * 1.3 / 150);
}

TEST_F(FractalViewWindow, TheCursorIsTheArrowExactlyOverAHandle)
{
    window.open(500, 300);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    window.move(10, 290);
    EXPECT_EQ(GetCursor(), arrow);
    window.move(16, 290);
    EXPECT_EQ(GetCursor(), cross);
    window.move(485, 15);
    EXPECT_EQ(GetCursor(), arrow);
    window.move(250, 150);
    EXPECT_EQ(GetCursor(), cross);
    window.move(490, 4);
    EXPECT_EQ(GetCursor(), cross);
}

TEST_F(FractalViewWindow, MouseMovesFeedTheOrbitWindowDuringDragsToo)
{
    window.open(500, 300);
    registerOrbitWindowClass(appInstance);
    HWND orbitHandle = CreateWindowExA(WS_EX_TOOLWINDOW, "ORBITSCLASS", "Orbits", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                       CW_USEDEFAULT, CW_USEDEFAULT, 64, 64, window.host, nullptr, appInstance,
                                       nullptr);
    OrbitWindow orbits = {};
    orbits.createOrbitWindow(orbitHandle, appInstance);
    theOrbitWindow = &orbits;

    window.move(250, 150);
    EXPECT_DOUBLE_EQ(orbits.pointRe, columnReal(startView, 250, 500, 300));
    EXPECT_NEAR(orbits.pointIm, 0.0, 1e-15);
    window.move(0, 0);
    EXPECT_DOUBLE_EQ(orbits.pointRe, columnReal(startView, 0, 500, 300));
    EXPECT_DOUBLE_EQ(orbits.pointIm, -1.3);

    window.press(100, 100);
    window.move(120, 60);
    EXPECT_DOUBLE_EQ(orbits.pointRe, columnReal(startView, 120, 500, 300));
    EXPECT_DOUBLE_EQ(orbits.pointIm, rowImag(startView, 60, 500, 300));
    window.move(100, 100);
    window.release(100, 100);
    ASSERT_FALSE(theFractalView->busy);

    window.press(490, 10);
    window.move(470, 200);
    EXPECT_DOUBLE_EQ(orbits.pointRe, columnReal(startView, 470, 500, 300));
    EXPECT_DOUBLE_EQ(orbits.pointIm, rowImag(startView, 200, 500, 300));
    window.release(470, 200);

    theOrbitWindow = nullptr;
    DestroyWindow(orbitHandle);
}

TEST_F(FractalViewWindow, MouseCoordinatesAreUnsignedSixteenBitWords)
{
    window.open(400, 300);
    window.press(10, 290);
    window.move(0, 0);
    window.release(0, 0);
    ASSERT_EQ(theOrbitLine->handleX[0], 0);
    ASSERT_EQ(theOrbitLine->handleY[0], 0);
    // As signed words 0xFFFC and 0xFFFD would be (-4, -3), over handle 1.
    SendMessageA(window.view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0xFFFC, 0xFFFD));
    EXPECT_EQ(dragHandle, 0);
    ASSERT_NE(theZoomBox, nullptr);
    EXPECT_EQ(theZoomBox->centerX, 0xFFFC);
    EXPECT_EQ(theZoomBox->centerY, 0xFFFD);
    SendMessageA(window.view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(theZoomBox->halfHeight, int(std::sqrt(double(0xFFFC) * 0xFFFC + double(0xFFFD) * 0xFFFD)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(FractalViewWindow, AViewWithoutHeightGivesAFiniteBoxAndNoZoom)
{
    window.open(400, 0);
    window.press(100, 0);
    ASSERT_NE(theZoomBox, nullptr);
    EXPECT_TRUE(std::isfinite(theZoomBox->aspect));
    window.move(100, 40);
    EXPECT_EQ(theZoomBox->halfHeight, 40);
    window.release(100, 40);
    EXPECT_EQ(theZoomBox, nullptr);
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(theFractalView->halfHeight, 1.3);
}

TEST_F(FractalViewWindow, WithoutItsRecordsTheWindowStillTakesPaintsAndTheMouse)
{
    window.open(400, 300);
    FractalView* view = theFractalView;
    OrbitLine* line = theOrbitLine;
    theFractalView = nullptr;
    theOrbitLine = nullptr;

    InvalidateRect(window.view, nullptr, TRUE);
    UpdateWindow(window.view);
    window.move(10, 290);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_CROSS));
    window.press(10, 290);
    EXPECT_EQ(dragHandle, 0);
    EXPECT_EQ(theZoomBox, nullptr);
    window.move(60, 200);
    window.release(60, 200);
    pumpPending();
    EXPECT_FALSE(GetUpdateRect(window.view, nullptr, FALSE));

    theFractalView = view;
    theOrbitLine = line;
}
