// The status bar with its three parts and the progress bar in the middle one.
#include "shell/status_panel.h"

#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <climits>

namespace {

RECT rectInParent(HWND window)
{
    return rectIn(window, GetParent(window));
}

// A status panel along the bottom of the shared host, made anew for each test.
class StatusPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = sharedTestHost(640, 480);
        panel.createStatusPanel(host, GetModuleHandleA(nullptr));
    }

    void TearDown() override
    {
        DestroyWindow(panel.statusBar);
        pumpPending();
    }

    std::string statusText() const { return statusPartText(panel.statusBar, 0); }
    std::string percentText() const { return statusPartText(panel.statusBar, 2); }
    int progressPosition() const { return static_cast<int>(SendMessageA(panel.progressBar, PBM_GETPOS, 0, 0)); }

    HWND host = nullptr;
    StatusPanel panel = {};
};

} // namespace

TEST_F(StatusPanelTest, StatusBarHasThreeFixedPartsAndASizingGrip)
{
    EXPECT_EQ(className(panel.statusBar), "msctls_statusbar32");
    EXPECT_EQ(GetParent(panel.statusBar), host);
    EXPECT_EQ(GetDlgCtrlID(panel.statusBar), 1);
    const LONG style = GetWindowLongA(panel.statusBar, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & SBARS_SIZEGRIP);

    int edges[4] = {};
    ASSERT_EQ(SendMessageA(panel.statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 250);
    EXPECT_EQ(edges[2], -1);

    // The bar lies along the bottom of its parent.
    RECT hostClient = {};
    GetClientRect(host, &hostClient);
    const RECT bar = rectInParent(panel.statusBar);
    EXPECT_EQ(bar.bottom, hostClient.bottom);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, hostClient.right);
}

TEST_F(StatusPanelTest, ProgressBarIsASmoothChildOfTheStatusBar)
{
    EXPECT_EQ(className(panel.progressBar), "msctls_progress32");
    EXPECT_EQ(GetParent(panel.progressBar), panel.statusBar);
    EXPECT_EQ(GetDlgCtrlID(panel.progressBar), 0);
    const LONG style = GetWindowLongA(panel.progressBar, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & PBS_SMOOTH);

    RECT statusClient = {};
    GetClientRect(panel.statusBar, &statusClient);
    const RECT bar = rectInParent(panel.progressBar);
    EXPECT_EQ(bar.left, 102);
    EXPECT_EQ(bar.top, 2);
    EXPECT_EQ(bar.right - bar.left, 148);
    EXPECT_EQ(bar.bottom, statusClient.bottom);

    PBRANGE range = {};
    SendMessageA(panel.progressBar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    EXPECT_EQ(progressPosition(), 0);
    EXPECT_EQ(percentText(), "");
}

TEST_F(StatusPanelTest, StatusTextGoesToTheLeftPart)
{
    panel.setStatusText("Calculating...");
    EXPECT_EQ(statusText(), "Calculating...");
    EXPECT_EQ(statusPartText(panel.statusBar, 1), "");
    EXPECT_EQ(percentText(), "");
    panel.setStatusText("Done");
    EXPECT_EQ(statusText(), "Done");
}

TEST_F(StatusPanelTest, ProgressShowsThePositionAndThePercentage)
{
    panel.setStatusText("Calculating...");
    panel.setProgress(37);
    EXPECT_EQ(progressPosition(), 37);
    EXPECT_EQ(percentText(), "37%");
    EXPECT_EQ(statusText(), "Calculating...");

    panel.setProgress(100);
    EXPECT_EQ(progressPosition(), 100);
    EXPECT_EQ(percentText(), "100%");

    panel.setProgress(0);
    EXPECT_EQ(progressPosition(), 0);
    EXPECT_EQ(percentText(), "0%");

    // Every 32-bit value fits the percentage text.
    panel.setProgress(INT_MIN);
    EXPECT_EQ(percentText(), "-2147483648%");
    panel.setProgress(INT_MAX);
    EXPECT_EQ(percentText(), "2147483647%");
}

TEST_F(StatusPanelTest, ClearingTheProgressKeepsTheStatusText)
{
    panel.setStatusText("Cancelled");
    panel.setProgress(64);
    panel.clearProgress();
    EXPECT_EQ(progressPosition(), 0);
    EXPECT_EQ(percentText(), "");
    EXPECT_EQ(statusText(), "Cancelled");
}

TEST_F(StatusPanelTest, PartEdgesStayWhenTheFrameIsResized)
{
    RECT before = {};
    SendMessageA(panel.statusBar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&before));
    RECT outer = {};
    GetWindowRect(host, &outer);
    SetWindowPos(host, nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    // The frame lays its bars out again when it is resized.
    SendMessageA(panel.statusBar, WM_SIZE, 0, 0);
    pumpPending();

    int edges[3] = {};
    SendMessageA(panel.statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 250);
    EXPECT_EQ(edges[2], -1);
    RECT after = {};
    SendMessageA(panel.statusBar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - before.right, 100);

    const RECT bar = rectInParent(panel.progressBar);
    EXPECT_EQ(bar.left, 102);
    EXPECT_EQ(bar.top, 2);
}
