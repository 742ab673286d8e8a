#include "engine/fractal_view.h"
#include "shell/status_panel.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

TEST(FractalViewSmoke, FirstCalculationEndsDone)
{
    HWND host = createTestHost(600, 400);
    StatusPanel panel;
    panel.createStatusPanel(host, GetModuleHandleA(nullptr));
    theStatusPanel = &panel;
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, host, nullptr, nullptr, nullptr);
    FractalView* view = createFractalView(child);
    ASSERT_TRUE(pumpUntil([&] { return !view->busy; }));
    EXPECT_EQ(statusPartText(panel.statusBar, 0), "Done");
}
