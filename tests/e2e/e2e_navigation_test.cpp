// Zooming and recalculating from the keyboard, the toolbar, the menu and the
// mouse, while idle and while a calculation runs.
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <cmath>
#include <cstdlib>

namespace {

// The percentage shown in part 2 of the status bar, or -1 when it is empty.
int progressPercent(const ExplorerProcess& explorer)
{
    const std::string text = explorer.statusText(2);
    return text.empty() ? -1 : std::atoi(text.c_str());
}

// Waits until a calculation is under way and has done between 1 and 60 per cent.
bool waitUntilPartDone(const ExplorerProcess& explorer)
{
    return waitFor([&] {
        const int percent = progressPercent(explorer);
        return percent >= 1 && percent <= 60;
    });
}

// Presses F5 until a calculation runs. The worker shows "Done" a moment
// before it is idle, and an F5 in that moment is dropped as one during a
// calculation.
bool recalculate(const ExplorerProcess& explorer)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        pressKey(VK_F5);
        if (waitFor([&] { return progressPercent(explorer) >= 0; }, 5000))
            return true;
    }
    return false;
}

} // namespace

TEST_F(ExplorerTest, PlusMinusAndCtrlRZoomAndReset)
{
    typeText("+");
    view.halfHeight = 0.65;
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after +";
    EXPECT_TRUE(explorer->waitForEnd("Done"));

    typeText("-");
    typeText("-");
    view.halfHeight = 2.6;
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after - -";
    EXPECT_TRUE(explorer->waitForEnd("Done"));

    pressWithModifier(VK_CONTROL, 'R');
    view.halfHeight = 1.5;
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after Ctrl+R";
    EXPECT_TRUE(explorer->waitForEnd("Done"));
}

TEST_F(ExplorerTest, AcceleratorsActWhileTheOrbitsWindowIsActive)
{
    explorer->activate(explorer->orbits());
    pressWithModifier(VK_CONTROL, 'R');
    view.halfHeight = 1.5;
    EXPECT_EQ(waitForPicture(*explorer, view), "");
}

TEST_F(ExplorerTest, ToolbarButtonsZoomInAndOut)
{
    // Positions count the separators: 4 is Zoom In, 5 Zoom Out, 2 Zoom Reset.
    const RECT zoomIn = explorer->toolbarButtonRect(4);
    ASSERT_GT(zoomIn.right, zoomIn.left);
    ASSERT_TRUE(clickAt({(zoomIn.left + zoomIn.right) / 2, (zoomIn.top + zoomIn.bottom) / 2}));
    view.halfHeight = 0.65;
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after Zoom In";
    EXPECT_TRUE(explorer->waitForEnd("Done"));

    const RECT reset = explorer->toolbarButtonRect(2);
    ASSERT_TRUE(clickAt({(reset.left + reset.right) / 2, (reset.top + reset.bottom) / 2}));
    view.halfHeight = 1.5;
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after Zoom Reset";
}

TEST_F(ExplorerTest, ViewMenuZoomsIn)
{
    // Alt opens the menu bar; V the View menu; I its "Zoom &In".
    pressKey(VK_MENU);
    pressKey('V');
    pressKey('I');
    view.halfHeight = 0.65;
    EXPECT_EQ(waitForPicture(*explorer, view), "");
}

TEST_F(ExplorerTest, ThreePlusDuringACalculationEndAtAnEighthOfTheHalfHeight)
{
    // Enough iterations that the start view takes a while: the orbits on the
    // real axis left of -1.4 neither escape nor fall into a repeating cycle.
    // At that limit the gradient is black nearly everywhere, so the pictures
    // are told apart in binary colouring.
    view.maxIterations = 10000000;
    view.binaryColoring = true;
    ASSERT_TRUE(changeParameters(*explorer, "15", "10000000", true));
    ASSERT_TRUE(explorer->waitForEnd("Done"));

    ASSERT_TRUE(recalculate(*explorer));
    ASSERT_TRUE(waitUntilPartDone(*explorer));
    typeText("+++");

    view.halfHeight = 1.3 / 8;
    EXPECT_TRUE(explorer->waitForEnd("Done", 300000));
    EXPECT_EQ(waitForPicture(*explorer, view), "");
    ViewValues quarter = view;
    quarter.halfHeight = 1.3 / 4;
    EXPECT_NE(pictureMismatches(*explorer, quarter), "");
}

TEST_F(ExplorerTest, F5DuringACalculationNeitherStopsNorRestartsIt)
{
    view.maxIterations = 10000000;
    ASSERT_TRUE(changeParameters(*explorer, "15", "10000000", false));
    ASSERT_TRUE(explorer->waitForEnd("Done"));

    // Idle, F5 starts a calculation of the same view.
    ASSERT_TRUE(recalculate(*explorer));
    ASSERT_TRUE(waitUntilPartDone(*explorer));
    const int before = progressPercent(*explorer);
    pressKey(VK_F5);

    // A restart would bring the percentage back to 0; a stop would end in
    // "Cancelled".
    int lowest = before;
    bool done = waitFor(
        [&] {
            const std::string status = explorer->statusText(0);
            const int percent = progressPercent(*explorer);
            if (percent >= 0 && percent < lowest)
                lowest = percent;
            return status != "Calculating...";
        },
        120000);
    EXPECT_TRUE(done);
    EXPECT_EQ(explorer->statusText(0), "Done");
    EXPECT_EQ(lowest, before);
    EXPECT_EQ(waitForPicture(*explorer, view), "");
}

TEST_F(ExplorerTest, EscStopsACalculationAndStopWhileIdleCancelsNothingLater)
{
    view.maxIterations = 1000000000;
    ASSERT_TRUE(changeParameters(*explorer, "15", "1000000000", false));
    ASSERT_TRUE(waitFor([&] { return explorer->statusText(0) == "Calculating..."; }));
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(explorer->waitForEnd("Cancelled"));
    EXPECT_EQ(explorer->statusText(2), "");

    // Esc while idle only raises the stop request; the next calculation
    // clears it and runs to its end.
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(changeParameters(*explorer, "15", "32", false));
    view.maxIterations = 32;
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(*explorer, view), "");
}

TEST_F(ExplorerTest, ADraggedZoomBoxBecomesTheView)
{
    const RECT client = clientRect(explorer->view());
    const int width = client.right;
    const int height = client.bottom;
    // A box centred left of the middle, away from the line's handles.
    const int x = width / 3;
    const int y = height / 2 - 20;
    const int dx = 30;
    const int dy = 40;
    ASSERT_TRUE(dragMouse(clientToScreen(explorer->view(), x, y), clientToScreen(explorer->view(), x + dx, y + dy)));

    const int boxHalfHeight = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    ASSERT_EQ(boxHalfHeight, 50);
    ViewValues zoomed = view;
    zoomed.centerReal = columnReal(view, x, width, height);
    zoomed.centerImag = rowImag(view, y, width, height);
    zoomed.halfHeight = boxHalfHeight * view.halfHeight / (height / 2);
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(*explorer, zoomed), "");
    EXPECT_NE(pictureMismatches(*explorer, view), "");
}

TEST_F(ExplorerTest, AClickWithoutDragDoesNotZoom)
{
    const RECT client = clientRect(explorer->view());
    ASSERT_TRUE(clickAt(clientToScreen(explorer->view(), client.right / 3, client.bottom / 2)));
    // Then a real command, so that the click has surely been handled first.
    typeText("+");
    view.halfHeight = 0.65;
    EXPECT_EQ(waitForPicture(*explorer, view), "");
}
