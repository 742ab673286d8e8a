// Location files in the explorer: saved and opened again through the common
// dialogs, pictures opened by their location chunk, files dropped on the
// frame, and every kind of bad file refused with a message while the view
// stays where it is. (The writer's own tests replace earlier files.)
#include "engine/decimal_text.h"
#include "engine/fractal_view.h"
#include "engine/location_file.h"
#include "engine/render_worker.h"
#include "export/png_location.h"
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

#include <random>
#include <string>
#include <vector>

namespace {

PreciseReal precise(const std::string& text)
{
    PreciseReal value;
    EXPECT_EQ(readDecimal(text, value), DecimalReading::number) << text.substr(0, 60);
    return value;
}

Location shallowPlace()
{
    Location location;
    location.centerReal = PreciseReal(-0.7436438870371587);
    location.centerImag = PreciseReal(0.131825904205312);
    location.halfHeight = 0.0003;
    location.iterationLimit = 400;
    location.escapeThreshold = 4;
    return location;
}

Location deepPlace()
{
    Location location;
    location.centerReal = precise(preperiodic41.centerReal);
    location.centerImag = precise(preperiodic41.centerImag);
    location.halfHeight = 1e-60;
    location.iterationLimit = 800;
    location.binaryColoring = true;
    return location;
}

void deleteFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Saves the view's location with File > Save Location under the name typed.
void saveThroughTheDialog(HWND frame, const std::string& typed)
{
    runCommandWith(frame, CMD_SAVE_LOCATION, [&](DWORD uiThread) {
        HWND save = waitForDialog(uiThread, "Save Location", frame);
        ASSERT_NE(save, nullptr);
        saveAs(save, typed);
        EXPECT_TRUE(waitUntilClosed(save));
    });
}

void openThroughTheDialog(HWND frame, const std::string& path)
{
    runCommandWith(frame, CMD_OPEN_LOCATION, [&](DWORD uiThread) {
        HWND open = waitForDialog(uiThread, "Open Location", frame);
        ASSERT_NE(open, nullptr);
        saveAs(open, path);
        EXPECT_TRUE(waitUntilClosed(open));
    });
}

void moveThere(const Location& location)
{
    theFractalView->moveTo(location);
    ASSERT_TRUE(waitUntilIdle());
}

std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace

TEST(FrameLocationFiles, ASavedLocationOpensAgainToTheSameViewAndPicture)
{
    TestFrame frame;
    for (const Location& place : {shallowPlace(), deepPlace()}) {
        SCOPED_TRACE(place.halfHeight);
        moveThere(place);
        const std::string picture = viewPixels();
        // No extension given: ".zelvar" is added.
        const std::string typed = temporaryPath("round-trip");
        deleteFile(typed + ".zelvar");
        saveThroughTheDialog(frame.window(), typed);
        ASSERT_EQ(fileBytes(typed + ".zelvar"), locationFileText(place));
        EXPECT_EQ(GetFileAttributesA(typed.c_str()), INVALID_FILE_ATTRIBUTES);

        SendMessageA(frame.window(), WM_COMMAND, CMD_ZOOM_RESET, 0);
        ASSERT_TRUE(waitUntilIdle());
        ASSERT_NE(viewPixels(), picture);
        const unsigned before = theFractalView->calculation;
        openThroughTheDialog(frame.window(), typed + ".zelvar");
        ASSERT_TRUE(waitUntilIdle());
        EXPECT_EQ(theFractalView->calculation, before + 1);
        EXPECT_EQ(theFractalView->location(), place);
        EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
        EXPECT_TRUE(viewPixels() == picture) << "the opened picture differs";
        deleteFile(typed + ".zelvar");
    }
}

TEST(FrameLocationFiles, ADroppedFileOrPictureOpensLikeOpenLocation)
{
    TestFrame frame;
    const std::string file = temporaryPath("dropped.zelvar");
    writeLocationFileAt(file, shallowPlace());
    EXPECT_EQ(dropFile(frame.window(), file), "");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->location(), shallowPlace());

    // A picture the program saved, by its location chunk.
    const std::string picture = temporaryPath("dropped.png");
    writeBytes(picture, std::string("\x89PNG\r\n\x1A\n", 8) +
                            pngTextChunk(pngLocationKeyword, locationFileText(deepPlace())) +
                            std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    EXPECT_EQ(dropFile(frame.window(), picture), "");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->location(), deepPlace());

    // Back goes to each place the files left.
    SendMessageA(frame.window(), WM_COMMAND, CMD_BACK, 0);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->location(), shallowPlace());

    // While a calculation runs, the move waits for its stop, as a zoom does.
    {
        PretendCalculation busy;
        const unsigned running = theFractalView->calculation;
        EXPECT_EQ(dropFile(frame.window(), picture), "");
        EXPECT_TRUE(stopRequested);
        EXPECT_EQ(theFractalView->location(), shallowPlace());
        EXPECT_EQ(theFractalView->calculation, running);
    }
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->location(), deepPlace());
    deleteFile(file);
    deleteFile(picture);
}

TEST(FrameLocationFiles, BadFilesOfAnySizeGetAMessageNamingFileAndLineAndTheViewStays)
{
    TestFrame frame;
    moveThere(shallowPlace());
    const VisitedView before = viewPlace();
    const unsigned calculations = theFractalView->calculation;

    std::mt19937 random(7);
    std::string binary(4096, '\0');
    for (char& value : binary)
        value = static_cast<char>(random());
    std::string millionLines = "Zelvar location\r\n";
    for (int line = 0; line < 1000000; ++line)
        millionLines += "x=1\n";

    const std::string header = "Zelvar location\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        std::string message; // after "Cannot take the location from "PATH""
    };
    const std::vector<Case> cases = {
        {"empty.zelvar", "",
         ". Line 1: this is not a Zelvar location file; its first line must be \"Zelvar location\"."},
        {"binary.zelvar", binary,
         ". Line 1: this is not a Zelvar location file; its first line must be \"Zelvar location\"."},
        {"long-line.zelvar", header + "center-real = " + std::string(100 << 20, '1'),
         ". Line 2: the file goes on beyond 1048576 bytes; no location is that long, so it was not read."},
        {"million-lines.zelvar", millionLines,
         ". Line 262141: the file goes on beyond 1048576 bytes; no location is that long, so it was not read."},
        {"nan.zelvar", header + "half-height = NaN\r\n",
         ". Line 2: half-height must be a number from 1e-300 to 1e300, not \"NaN\"."},
        {"inf.zelvar", header + "iteration-limit = 5\r\ncenter-imag = inf\r\n",
         ". Line 3: center-imag must be a decimal number such as -0.75 or 1.5e-3, not \"inf\"."},
        {"too-deep.zelvar", header + "half-height = 1e-301\r\n",
         ". Line 2: half-height must be a number from 1e-300 to 1e300, not \"1e-301\"."},
        {"too-far.zelvar", header + "center-real = 1" + std::string(100000, '0') + "\r\n",
         ". Line 2: center-real must lie from -1e300 to 1e300, not \"1" + std::string(39, '0') + "...\"."},
        {"no-location.png", std::string("\x89PNG\r\n\x1A\n", 8) + std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12),
         ": the picture holds no location."},
    };
    for (const Case& bad : cases) {
        const std::string path = temporaryPath(bad.name);
        writeBytes(path, bad.bytes);
        EXPECT_EQ(dropFile(frame.window(), path), "Cannot take the location from " + quoted(path) + bad.message);
        pumpPending();
        EXPECT_EQ(viewPlace(), before) << bad.name;
        EXPECT_EQ(theFractalView->calculation, calculations) << bad.name;
        deleteFile(path);
    }

    // A file that is not there, and a folder.
    const std::string missing = temporaryPath("missing.zelvar");
    EXPECT_EQ(dropFile(frame.window(), missing).rfind("Cannot read the file " + quoted(missing) + ": ", 0), 0u);
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    EXPECT_EQ(dropFile(frame.window(), folder).rfind("Cannot ", 0), 0u);
    EXPECT_EQ(viewPlace(), before);
    EXPECT_FALSE(theFractalView->history.canGoForward());

    // A number of a hundred thousand digits that is good is read as its digits say.
    const std::string longDigits = "-0.1010963638456221" + std::string(99980, '0') + "7";
    const std::string path = temporaryPath("long-number.zelvar");
    writeBytes(path, header + "center-real = " + longDigits + "\r\nhalf-height = 1e-200\r\n");
    EXPECT_EQ(dropFile(frame.window(), path), "");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(theFractalView->preciseReal, precise(longDigits));
    EXPECT_EQ(theFractalView->halfHeight, 1e-200);
    deleteFile(path);
}
