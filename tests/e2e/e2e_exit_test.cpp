// Ending the explorer: Ctrl+X, the File menu and closing the frame, idle and
// while a calculation runs, always with exit code 0.
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/user_input.h"

namespace {

// Starts a calculation that runs for a long time.
void startLongCalculation(const ExplorerProcess& explorer)
{
    ASSERT_TRUE(changeParameters(explorer, "15", "1000000000", false));
    ASSERT_EQ(explorer.statusText(0), "Calculating...");
    explorer.activate();
}

} // namespace

TEST_F(ExplorerTest, CtrlXEndsTheProgramWithExitCodeZero)
{
    pressWithModifier(VK_CONTROL, 'X');
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ExplorerTest, CtrlXDuringACalculationEndsTheProgramAtOnce)
{
    startLongCalculation(*explorer);
    pressWithModifier(VK_CONTROL, 'X');
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code, 20000));
    EXPECT_EQ(code, 0u);
}

// Without a window manager on the test display the frame has no caption of
// its own to click; Alt+F4 closes it the same way, through WM_CLOSE.
TEST_F(ExplorerTest, ClosingTheFrameEndsTheProgramWithExitCodeZero)
{
    pressWithModifier(VK_MENU, VK_F4);
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ExplorerTest, ClosingTheFrameDuringACalculationEndsTheProgramAtOnce)
{
    startLongCalculation(*explorer);
    pressWithModifier(VK_MENU, VK_F4);
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code, 20000));
    EXPECT_EQ(code, 0u);
}

TEST_F(ExplorerTest, AltF4OnTheOrbitsWindowLeavesItOpen)
{
    RECT orbits = {};
    GetClientRect(explorer->orbits(), &orbits);
    ASSERT_TRUE(clickAt(clientToScreen(explorer->orbits(), orbits.right / 2, orbits.bottom / 2)));
    explorer->activate(explorer->orbits());
    pressWithModifier(VK_MENU, VK_F4);
    // Ctrl+R comes after the close request through the same queue: once its
    // picture shows, the request has been handled.
    pressWithModifier(VK_CONTROL, 'R');
    view.halfHeight = 1.5;
    EXPECT_EQ(waitForPicture(*explorer, view), "");
    EXPECT_TRUE(IsWindow(explorer->orbits()));
    EXPECT_TRUE(IsWindowVisible(explorer->orbits()));

    // Alt+F4 on the frame still ends the program.
    ASSERT_TRUE(explorer->waitForEnd("Done"));
    explorer->activate();
    pressWithModifier(VK_MENU, VK_F4);
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ExplorerTest, FileMenuExitEndsTheProgram)
{
    // Alt opens the menu bar; F the File menu; X its "E&xit".
    pressKey(VK_MENU);
    pressKey('F');
    pressKey('X');
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code));
    EXPECT_EQ(code, 0u);
}
