// Locations in the running explorer, driven from outside as a user does: a
// file named on the command line, Save and Open Location, Back and Forward
// from the keyboard, and the mouse wheel.
//
// Dropping a file on the frame is tested in-process (the frame tests send it
// a real HDROP): from outside, a drop needs the shell's drag and drop from
// another window, which the virtual screen of the tests has no program for.
#include "engine/location_file.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/test_folder.h"
#include "tests/e2e/unix_command.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/utf16.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// Writes bytes to the file whose name is given in UTF-8.
void writeFile(const std::string& utf8Path, const std::string& bytes)
{
    HANDLE file = CreateFileW(utf16(utf8Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << utf8Path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A shallow place with parameters of its own, and its view values.
Location shallowPlace()
{
    Location location;
    location.centerReal = PreciseReal(-0.7453);
    location.centerImag = PreciseReal(0.1127);
    location.halfHeight = 0.0065;
    location.iterationLimit = 300;
    location.escapeThreshold = 4;
    return location;
}

ViewValues valuesOf(const Location& location)
{
    ViewValues values;
    values.centerReal = static_cast<double>(location.centerReal);
    values.centerImag = static_cast<double>(location.centerImag);
    values.halfHeight = location.halfHeight;
    values.maxIterations = location.iterationLimit;
    values.threshold = location.escapeThreshold;
    values.binaryColoring = location.binaryColoring;
    return values;
}

// Waits for the error box, checks its message and closes it with Enter.
void expectErrorBox(const ExplorerProcess& explorer, const std::string& text)
{
    HWND box = explorer.waitForTopWindow("Error");
    ASSERT_NE(box, nullptr) << "no error box for: " << text;
    EXPECT_NE(findChild(box, "Static", text), nullptr) << text;
    waitForForeground(box);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(box));
}

// Types a path into the file dialog that has the focus and presses Enter.
void chooseFileName(const ExplorerProcess& explorer, const char* caption, const std::string& path)
{
    HWND dialog = explorer.waitForTopWindow(caption);
    ASSERT_NE(dialog, nullptr) << caption;
    waitForForeground(dialog);
    typeText(path);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(dialog)) << caption;
}

} // namespace

TEST(ExplorerStart, StartsAtTheLocationOfTheFileNamedOnItsCommandLine)
{
    // Blanks and characters beyond ASCII in the name, as Explorer passes it.
    const TestFolder folder("locations");
    const std::string path = folder.path() + "\\start place \xC3\xA9\xE6\x97\xA5.zelvar";
    writeFile(path, locationFileText(shallowPlace()));
    ExplorerProcess explorer("\"" + path + "\"");
    ASSERT_TRUE(explorer.ok());
    ASSERT_TRUE(explorer.waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(explorer, valuesOf(shallowPlace())), "");
    EXPECT_NE(pictureMismatches(explorer, ViewValues{}), "");
}

TEST(ExplorerStart, ABadFileOnItsCommandLineGetsItsMessageAndThenTheStartUpView)
{
    const TestFolder folder("locations");
    const std::string path = folder.path() + "\\bad start.zelvar";
    writeFile(path, "Zelvar location\r\niteration-limit = 0\r\n");
    ExplorerProcess explorer("\"" + path + "\"", "", false);
    // The message comes first, with no frame yet.
    expectErrorBox(explorer, "Cannot take the location from \"" + path +
                                 "\". Line 2: iteration-limit must be a whole number from 1 to 2147483647, not \"0\".");
    ASSERT_TRUE(explorer.waitForWindows());
    ASSERT_TRUE(explorer.waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(explorer, ViewValues{}), "");
}

TEST_F(ExplorerTest, CtrlSSavesTheLocationCtrlOOpensItAndABadFileGetsItsMessage)
{
    const TestFolder folder("locations");
    const std::string saved = folder.path() + "\\saved";
    typeText("+");
    view.halfHeight = 0.65;
    EXPECT_EQ(waitForPicture(*explorer, view), "");
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    // Without an extension, ".zelvar" is added.
    pressWithModifier(VK_CONTROL, 'S');
    chooseFileName(*explorer, "Save Location", saved);
    Location zoomed;
    zoomed.halfHeight = 0.65;
    EXPECT_TRUE(waitFor([&] { return readFile(saved + ".zelvar") == locationFileText(zoomed); }, 10000))
        << readFile(saved + ".zelvar");

    const std::string bad = folder.path() + "\\bad.zelvar";
    writeFile(bad, "Zelvar location\r\nhalf-height = inf\r\n");
    explorer->activate();
    pressWithModifier(VK_CONTROL, 'O');
    chooseFileName(*explorer, "Open Location", bad);
    expectErrorBox(*explorer, "Cannot take the location from \"" + bad +
                                  "\". Line 2: half-height must be a number from 1e-300 to 1e300, not \"inf\".");
    EXPECT_EQ(explorer->statusText(0), "Done");
    EXPECT_EQ(waitForPicture(*explorer, view), "");

    const std::string good = folder.path() + "\\good.zelvar";
    writeFile(good, locationFileText(shallowPlace()));
    explorer->activate();
    pressWithModifier(VK_CONTROL, 'O');
    chooseFileName(*explorer, "Open Location", good);
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(*explorer, valuesOf(shallowPlace())), "");
}

TEST_F(ExplorerTest, AltLeftBackspaceAndAltRightWalkTheHistory)
{
    typeText("+");
    ViewValues zoomed = view;
    zoomed.halfHeight = 0.65;
    EXPECT_EQ(waitForPicture(*explorer, zoomed), "");
    EXPECT_TRUE(explorer->waitForEnd("Done"));

    pressWithModifier(VK_MENU, VK_LEFT);
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after Alt+Left";
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    pressWithModifier(VK_MENU, VK_RIGHT);
    EXPECT_EQ(waitForPicture(*explorer, zoomed), "") << "after Alt+Right";
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    pressKey(VK_BACK);
    EXPECT_EQ(waitForPicture(*explorer, view), "") << "after Backspace";
}

TEST_F(ExplorerTest, TheWheelZoomsAboutThePointUnderTheCursor)
{
    const RECT client = clientRect(explorer->view());
    const int width = client.right;
    const int height = client.bottom;
    const int x = width / 3;
    const int y = height / 3;
    ASSERT_TRUE(moveMouseTo(clientToScreen(explorer->view(), x, y)));
    // The X server's button 4 is a notch of the wheel towards the screen.
    ASSERT_EQ(runHostCommand("xdotool click 4"), 0);

    // The point under the cursor stays there at half the height.
    ViewValues zoomed = view;
    zoomed.halfHeight = view.halfHeight / 2;
    const double halfWidth = width * zoomed.halfHeight / height;
    zoomed.centerReal = columnReal(view, x, width, height) - (2.0 * x / width - 1.0) * halfWidth;
    zoomed.centerImag = rowImag(view, y, width, height) - (2.0 * y / height - 1.0) * zoomed.halfHeight;
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(*explorer, zoomed), "");
}
