// The explorer on a screen at 150 % (144 DPI), as it first appears: its
// windows half as large again, its picture at the screen's own pixels, and
// a screenshot of it.
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/unix_command.h"
#include "tests/e2e/user_input.h"
#include "tests/support/screen_dpi.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <cstdio>

namespace {

// The column of the Orbits window's picture of a real part, at 48 pixels
// per unit.
int orbitsColumn(double re)
{
    return static_cast<int>((re + 2.5) * 48);
}

class ExplorerAt144Dpi : public ExplorerTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(screenAt144Dpi());
        ExplorerTest::SetUp();
    }
};

} // namespace

TEST_F(ExplorerAt144Dpi, StartsHalfAsLargeAgainWithThePictureAtTheScreensPixels)
{
    const RECT frame = windowRect(explorer->frame());
    EXPECT_EQ(frame.right - frame.left, 750);
    EXPECT_EQ(frame.bottom - frame.top, 600);

    const RECT frameClient = clientRect(explorer->frame());
    const RECT toolbar = clientRect(explorer->toolbar());
    const RECT status = clientRect(explorer->statusBar());
    RECT viewRect = windowRect(explorer->view());
    MapWindowPoints(nullptr, explorer->frame(), reinterpret_cast<POINT*>(&viewRect), 2);
    EXPECT_EQ(viewRect.left, 0);
    EXPECT_EQ(viewRect.top, toolbar.bottom + 2);
    EXPECT_EQ(viewRect.right, frameClient.right);
    EXPECT_EQ(viewRect.bottom - viewRect.top, frameClient.bottom - toolbar.bottom - status.bottom - 2);
    // The toolbar's buttons hold pictures of 24 x 23 pixels.
    const RECT button = explorer->toolbarButtonRect(0);
    EXPECT_GT(button.bottom - button.top, 23);

    const RECT orbits = windowRect(explorer->orbits());
    EXPECT_EQ(orbits.left, frame.right - 225);
    EXPECT_EQ(orbits.top, frame.bottom - 225);
    const RECT orbitsClient = clientRect(explorer->orbits());
    EXPECT_EQ(orbitsClient.right, 191);
    EXPECT_EQ(orbitsClient.bottom, 144);

    // Every probe of the picture, at the view's own size in pixels, shows
    // the colour of its point of the plane.
    EXPECT_GE(clientRect(explorer->view()).right, 730);
    EXPECT_EQ(waitForPicture(*explorer, view), "");
}

TEST_F(ExplorerAt144Dpi, ScreenshotOfTheRunningExplorer)
{
    ASSERT_EQ(waitForPicture(*explorer, view), "");
    const RECT client = clientRect(explorer->view());
    // The point of the screenshot at 96 DPI, whose orbit spirals in.
    const double re = -0.4;
    const double im = 0.5;
    const double halfWidth = client.right * view.halfHeight / client.bottom;
    const int x = static_cast<int>((re - (view.centerReal - halfWidth)) * client.right / (2 * halfWidth));
    const int y = static_cast<int>((im - (view.centerImag - view.halfHeight)) * client.bottom / (2 * view.halfHeight));
    ASSERT_TRUE(moveMouseTo(clientToScreen(explorer->view(), x, y)));
    // The crosshairs, two pixels wide, stand at the point's column.
    const int px = orbitsColumn(columnReal(view, x, client.right, client.bottom));
    ASSERT_TRUE(waitFor([&] {
        const ScreenCapture orbits(explorer->orbits());
        return orbits.whitePixelsInColumn(px - 1) >= 30 && orbits.whitePixelsInColumn(px) >= 30;
    }));

    RECT frame = {};
    GetWindowRect(explorer->frame(), &frame);
    const RECT frameClient = clientScreenRect(explorer->frame());
    const LONG top = frameClient.top - GetSystemMetrics(SM_CYMENU) - 1;
    const std::string target = std::string(ZELVAR_SOURCE_DIR) + "/docs/screenshot-144dpi.png";
    char geometry[64];
    std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", frame.right - frame.left, frame.bottom - top,
                  frame.left, top);
    const int status = runHostCommand("mkdir -p " + shellQuoted(std::string(ZELVAR_SOURCE_DIR) + "/docs") +
                                      " && import -window root -crop " + geometry + " +repage -strip " +
                                      shellQuoted("png:" + target));
    EXPECT_EQ(status, 0);
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
}
