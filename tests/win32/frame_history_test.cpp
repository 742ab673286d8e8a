// Back and Forward through the frame: every way of changing the view's
// place is recorded, each step back and forward shows that place exactly,
// the items are greyed while there is nowhere to go, and both wait their
// turn while a calculation runs.
#include "engine/deep_view.h"
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/deep_places.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/frame_location_steps.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void command(HWND frame, int id)
{
    SendMessageA(frame, WM_COMMAND, id, 0);
    ASSERT_TRUE(waitUntilIdle()) << id;
}

// A box dragged out with the mouse from (x, y) by (dx, dy).
void dragBox(int x, int y, int dx, int dy)
{
    HWND view = theFractalView->window;
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y + dy));
    SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y + dy));
    ASSERT_TRUE(waitUntilIdle());
}

// A turn of the wheel over client pixel (x, y) of the view, as the frame,
// which has the focus, gets it.
void turnWheel(HWND frame, int x, int y, int delta)
{
    POINT screen = {x, y};
    ClientToScreen(theFractalView->window, &screen);
    SendMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
    ASSERT_TRUE(waitUntilIdle());
}

// Whether the View menu shows Back and Forward greyed once it opens.
struct Greyed {
    bool back;
    bool forward;
};

Greyed historyItems(HWND frame)
{
    HMENU view = GetSubMenu(GetMenu(frame), 2);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), MAKELPARAM(2, FALSE));
    return {(GetMenuState(view, CMD_BACK, MF_BYCOMMAND) & MF_GRAYED) != 0,
            (GetMenuState(view, CMD_FORWARD, MF_BYCOMMAND) & MF_GRAYED) != 0};
}

void changeIterations(HWND frame, const std::string& iterations)
{
    runCommandWith(frame, CMD_CHANGE_PARAMETERS, [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Change Fractal Paramters", frame);
        ASSERT_NE(dialog, nullptr);
        setItemText(dialog, IDC_MAX_ITERATIONS, iterations);
        pressButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    ASSERT_TRUE(waitUntilIdle());
}

} // namespace

TEST(FrameHistory, EveryWayOfMovingIsRecordedAndBackAndForwardShowEachPlaceExactly)
{
    TestFrame frame;
    HWND window = frame.window();
    EXPECT_TRUE(historyItems(window).back);
    EXPECT_TRUE(historyItems(window).forward);

    const std::string file = temporaryPath("history.zelvar");
    Location opened;
    opened.centerReal = PreciseReal("-0.10109636384562216102578544573862256546");
    opened.centerImag = PreciseReal("0.956286510809141500771096057729977435809");
    opened.halfHeight = 1e-33;
    opened.iterationLimit = 600;
    writeLocationFileAt(file, opened);

    std::vector<VisitedView> places = {viewPlace()};
    const std::vector<std::function<void()>> moves = {
        [&] { dragBox(150, 120, 30, 40); },
        [&] { command(window, CMD_ZOOM_IN); },
        [&] { command(window, CMD_ZOOM_OUT); },
        [&] { turnWheel(window, 40, 30, 2 * WHEEL_DELTA); },
        [&] { command(window, CMD_ZOOM_RESET); },
        [&] {
            enterLocation(window, {preperiodic41.centerReal, preperiodic41.centerImag, "1e-40"});
            ASSERT_TRUE(waitUntilIdle());
        },
        // Deep, the wheel moves the precise centre.
        [&] { turnWheel(window, 17, 100, WHEEL_DELTA); },
        [&] {
            EXPECT_EQ(dropFile(window, file), "");
            ASSERT_TRUE(waitUntilIdle());
        },
        [&] { changeIterations(window, "50"); },
    };
    for (std::size_t i = 0; i < moves.size(); ++i) {
        moves[i]();
        ASSERT_NE(viewPlace(), places.back()) << "move " << i;
        places.push_back(viewPlace());
        EXPECT_EQ(theFractalView->history.size(), i + 1);
        EXPECT_FALSE(historyItems(window).back);
        EXPECT_TRUE(historyItems(window).forward);
    }
    EXPECT_TRUE(isDeepView(places[7].location.halfHeight, theFractalView->bitmapHeight));
    EXPECT_NE(places[7].location.centerReal, places[6].location.centerReal);

    for (std::size_t i = places.size() - 1; i > 0; --i) {
        const unsigned before = theFractalView->calculation;
        command(window, CMD_BACK);
        ASSERT_EQ(viewPlace(), places[i - 1]) << "back to " << i - 1;
        EXPECT_EQ(theFractalView->calculation, before + 1);
        EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    }
    EXPECT_TRUE(historyItems(window).back);
    EXPECT_FALSE(historyItems(window).forward);
    // Nowhere to go: nothing happens.
    const unsigned calculations = theFractalView->calculation;
    command(window, CMD_BACK);
    EXPECT_EQ(theFractalView->calculation, calculations);

    for (std::size_t i = 1; i < places.size(); ++i) {
        command(window, CMD_FORWARD);
        ASSERT_EQ(viewPlace(), places[i]) << "forward to " << i;
    }
    EXPECT_FALSE(historyItems(window).back);
    EXPECT_TRUE(historyItems(window).forward);
    DeleteFileA(file.c_str());
}

TEST(FrameHistory, ChangesThatKeepThePlaceRecordNothingAndANewChangeDropsTheWayForward)
{
    TestFrame frame;
    HWND window = frame.window();
    // At the deepest half-height, Zoom In keeps the view and only recalculates it.
    Location deepest;
    deepest.centerReal = PreciseReal("-0.1011");
    deepest.halfHeight = deepestHalfHeight * 1.5;
    theFractalView->moveTo(deepest);
    ASSERT_TRUE(waitUntilIdle());
    const unsigned before = theFractalView->calculation;
    command(window, CMD_ZOOM_IN);
    turnWheel(window, 10, 10, WHEEL_DELTA);
    EXPECT_EQ(theFractalView->calculation, before + 2);
    EXPECT_EQ(theFractalView->location(), deepest);
    // Parameters accepted as they were, and the Location dialog's OK unchanged.
    changeIterations(window, "32");
    pressOkUnchanged(window);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->calculation, before + 4);
    EXPECT_FALSE(theFractalView->history.canGoBack());

    command(window, CMD_ZOOM_OUT);
    command(window, CMD_ZOOM_OUT);
    command(window, CMD_BACK);
    command(window, CMD_BACK);
    EXPECT_TRUE(theFractalView->history.canGoForward());
    command(window, CMD_ZOOM_RESET);
    EXPECT_FALSE(theFractalView->history.canGoForward());
    EXPECT_TRUE(historyItems(window).forward);
    command(window, CMD_BACK);
    EXPECT_EQ(theFractalView->location(), deepest);
    command(window, CMD_FORWARD);
    EXPECT_EQ(theFractalView->halfHeight, 1.5);
}

TEST(FrameHistory, BackAndForwardGivenWhileBusyWaitTheirTurn)
{
    TestFrame frame;
    HWND window = frame.window();
    command(window, CMD_ZOOM_IN);
    command(window, CMD_ZOOM_IN);
    const unsigned started = theFractalView->calculation;
    {
        PretendCalculation busy;
        SendMessageA(window, WM_COMMAND, CMD_BACK, 0);
        SendMessageA(window, WM_COMMAND, CMD_BACK, 0);
        SendMessageA(window, WM_COMMAND, CMD_FORWARD, 0);
        pumpPending();
        EXPECT_TRUE(stopRequested);
        EXPECT_EQ(theFractalView->halfHeight, 0.325);
    }
    // Each ran once, in the order given: 0.65, 1.3, then 0.65.
    ASSERT_TRUE(pumpUntil([&] { return theFractalView->calculation == started + 4 && !theFractalView->busy; }));
    EXPECT_EQ(theFractalView->halfHeight, 0.65);
    EXPECT_TRUE(theFractalView->history.canGoForward());
    EXPECT_TRUE(theFractalView->history.canGoBack());
}
