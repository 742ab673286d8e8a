// Starting at the location of a file named on the command line: the first
// calculation is the file's. (The end-to-end tests start the program with
// good and bad files.)
#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "shell/start_location.h"
#include "shell/start_up.h"
#include "shell/status_panel.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_location_steps.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

TEST(FrameStartLocation, TheFirstCalculationIsThatOfTheFileNamed)
{
    Location place;
    place.centerReal = PreciseReal("-1.2500000000000000000000000000000000000000000000000000000000013");
    place.centerImag = PreciseReal("0.0000000000000000000000000000000000000000000000000000000000017");
    place.halfHeight = 3e-50;
    place.iterationLimit = 700;
    place.escapeThreshold = 2.5;
    place.binaryColoring = true;
    // A quoted path with blanks and characters beyond ASCII, in UTF-8.
    const std::string path = temporaryPath("start place \xC3\xA9\xE6\x97\xA5.zelvar");
    writeLocationFileAt(path, place);
    const Location start = startLocation((" \"" + path + "\" ").c_str());
    EXPECT_EQ(start, place);

    registerProgramClasses();
    HWND frame = createMainFrame(appInstance, SW_SHOWNORMAL, start);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(theFractalView->calculation, 1u);
    EXPECT_EQ(theFractalView->location(), place);
    EXPECT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->calculation, 1u);
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_FALSE(theFractalView->history.canGoBack());
    DestroyWindow(frame);
    pumpPending();
    takeQuitMessage();
    DeleteFileA(path.c_str());
}
