// A picture of the running explorer for the project's documentation: the
// frame with its first picture and the Orbits window showing an orbit.
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/unix_command.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"

#include <cstdio>

TEST_F(ExplorerTest, ScreenshotOfTheRunningExplorer)
{
    ASSERT_EQ(waitForPicture(*explorer, view), "");
    RECT client = {};
    GetClientRect(explorer->view(), &client);
    // A point inside the set whose orbit spirals in towards its fixed point.
    const double re = -0.4;
    const double im = 0.5;
    const double halfWidth = client.right * view.halfHeight / client.bottom;
    const int x = static_cast<int>((re - (view.centerReal - halfWidth)) * client.right / (2 * halfWidth));
    const int y = static_cast<int>((im - (view.centerImag - view.halfHeight)) * client.bottom / (2 * view.halfHeight));
    ASSERT_TRUE(moveMouseTo(clientToScreen(explorer->view(), x, y)));
    // The Orbits window shows the point once its vertical crosshair is there.
    const int px = static_cast<int>((columnReal(view, x, client.right, client.bottom) + 2.5) * 32);
    ASSERT_TRUE(waitFor([&] {
        const ScreenCapture orbits(explorer->orbits());
        int white = 0;
        for (int row = 0; row < orbits.height(); ++row)
            white += orbits.pixel(px, row) == RGB(255, 255, 255);
        return white >= 20;
    }));

    // The frame from its menu bar down: on a screen without a window manager
    // the caption above it stays empty.
    RECT frame = {};
    GetWindowRect(explorer->frame(), &frame);
    const RECT frameClient = clientScreenRect(explorer->frame());
    const LONG top = frameClient.top - GetSystemMetrics(SM_CYMENU) - 1;
    const std::string target = std::string(ZELVAR_SOURCE_DIR) + "/docs/screenshot.png";
    char geometry[64];
    std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", frame.right - frame.left, frame.bottom - top,
                  frame.left, top);
    const int status = runHostCommand("mkdir -p " + shellQuoted(std::string(ZELVAR_SOURCE_DIR) + "/docs") +
                                      " && import -window root -crop " + geometry + " +repage -strip " +
                                      shellQuoted("png:" + target));
    EXPECT_EQ(status, 0);
    EXPECT_NE(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
}
