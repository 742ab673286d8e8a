// The parameters, export and About dialogs, opened and filled in as a user
// does, and what they change.
#include "resources/resource_ids.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/unix_command.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

const char* const thresholdMessage = "Error!  Distance threshold must be a positive number!";
const char* const iterationsMessage = "Error!  Max iterations must be a positive integer!";

// Waits for the error box of dialog, checks its text and closes it with Enter.
void expectErrorBox(const ExplorerProcess& explorer, const std::string& text)
{
    HWND box = explorer.waitForTopWindow("Error");
    ASSERT_NE(box, nullptr) << "no error box for: " << text;
    EXPECT_NE(findChild(box, "Static", text), nullptr) << text;
    waitForForeground(box);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(box));
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A new, empty folder for this test run's files.
std::string temporaryFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "zelvar-e2e-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

} // namespace

TEST_F(ExplorerTest, ParametersDialogShowsTheValuesRejectsBadOnesAndAppliesNewOnes)
{
    HWND dialog = openParametersDialog(*explorer);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_THRESHOLD)), "15.000000");
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_MAX_ITERATIONS)), "32");
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_BINARY_COLORING), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // The frame is disabled while the dialog is open.
    EXPECT_FALSE(IsWindowEnabled(explorer->frame()));

    // A threshold of 0 is refused, whatever the iterations say; the error box
    // belongs to the dialog.
    ASSERT_TRUE(fillParametersDialog(dialog, "0", "abc", false));
    expectErrorBox(*explorer, thresholdMessage);
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_MAX_ITERATIONS)), "abc");
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_THRESHOLD)), "0");

    // With a good threshold, iterations of -1 are refused.
    ASSERT_TRUE(fillParametersDialog(dialog, "4", "-1", false));
    expectErrorBox(*explorer, iterationsMessage);
    ASSERT_TRUE(IsWindow(dialog));

    // Good values: the dialog closes and the new picture is computed.
    ASSERT_TRUE(fillParametersDialog(dialog, "4", "50", true));
    EXPECT_TRUE(waitForClosed(dialog));
    view.threshold = 4;
    view.maxIterations = 50;
    view.binaryColoring = true;
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    EXPECT_EQ(waitForPicture(*explorer, view), "");

    // The next opening shows the stored values; Cancel changes nothing.
    dialog = openParametersDialog(*explorer);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_THRESHOLD)), "4.000000");
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_MAX_ITERATIONS)), "50");
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_BINARY_COLORING), BM_GETCHECK, 0, 0), BST_CHECKED);
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitForClosed(dialog));
    EXPECT_TRUE(IsWindowEnabled(explorer->frame()));
    EXPECT_EQ(explorer->statusText(0), "Done");
}

TEST_F(ExplorerTest, AboutOpensFromCtrlAAndFromTheHelpMenu)
{
    pressWithModifier(VK_CONTROL, 'A');
    HWND about = explorer->waitForTopWindow("About");
    ASSERT_NE(about, nullptr);
    EXPECT_NE(remoteWindowText(GetDlgItem(about, IDC_ABOUT_TEXT)), "");
    waitForForeground(about);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(about));

    explorer->activate();
    pressKey(VK_MENU);
    pressKey('H');
    pressKey('A');
    about = explorer->waitForTopWindow("About");
    ASSERT_NE(about, nullptr);
    waitForForeground(about);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(about));
}

TEST_F(ExplorerTest, ExportThroughBothDialogsWritesTheOrbitFile)
{
    // The example scene includes the orbits under this name.
    const std::string folder = temporaryFolder();
    const std::string path = folder + "\\exported-orbits.pov";
    DeleteFileA(path.c_str());

    pressWithModifier(VK_CONTROL, 'E');
    HWND dialog = explorer->waitForTopWindow(exportCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_EXPORT_POINTS)), "255");
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_EXPORT_ITERATIONS)), "64");
    waitForForeground(dialog);
    ASSERT_TRUE(replaceEditText(GetDlgItem(dialog, IDC_EXPORT_POINTS), "6"));
    ASSERT_TRUE(replaceEditText(GetDlgItem(dialog, IDC_EXPORT_ITERATIONS), "5"));
    waitFor([&] { return remoteWindowText(GetDlgItem(dialog, IDC_EXPORT_ITERATIONS)) == "5"; });
    pressKey(VK_RETURN);

    HWND save = explorer->waitForTopWindow(saveCaption);
    ASSERT_NE(save, nullptr);
    waitForForeground(save);
    typeText(path);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitForClosed(dialog));
    ASSERT_TRUE(waitFor([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    const std::string text = readFile(path);
    EXPECT_NE(text.find("#declare\torbitsNumberIterations\t= 5;\r\n"), std::string::npos);
    EXPECT_NE(text.find("#declare\torbitsNumberPoints\t= 6;\r\n"), std::string::npos);
    // The first sample is handle 1, 10 pixels in from the view's lower left.
    const RECT client = clientRect(explorer->view());
    char start[160];
    std::snprintf(start, sizeof start, "#declare\torbitsStartX\t= %f;\r\n#declare\torbitsStartY\t= %f;\r\n",
                  columnReal(view, 10, client.right, client.bottom),
                  rowImag(view, client.bottom - 10, client.right, client.bottom));
    EXPECT_NE(text.find(start), std::string::npos) << start;
    // Six points: six lines in each of the two arrays.
    size_t lines = 0;
    for (size_t at = text.find("\r\n{"); at != std::string::npos; at = text.find("\r\n{", at + 1))
        ++lines;
    EXPECT_EQ(lines, 12u);

    // POV-Ray renders the example scene over the exported orbits.
    const std::string hostFolder = hostPath(folder);
    ASSERT_NE(hostFolder, "");
    const std::string scene = std::string(ZELVAR_SOURCE_DIR) + "/examples/orbits.pov";
    const int status = runHostCommand("cd " + shellQuoted(hostFolder) + " && cp " + shellQuoted(scene) +
                                      " orbits.pov && povray +Iorbits.pov +Oorbits.png +W160 +H120 -D >povray.log 2>&1");
    EXPECT_EQ(status, 0) << "see " << hostFolder << "/povray.log";
    EXPECT_NE(GetFileAttributesA((folder + "\\orbits.png").c_str()), INVALID_FILE_ATTRIBUTES);
    if (status == 0)
        runHostCommand("rm -rf " + shellQuoted(hostFolder));

    // The next opening shows the counts of this export.
    explorer->activate();
    pressWithModifier(VK_CONTROL, 'E');
    dialog = explorer->waitForTopWindow(exportCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_EXPORT_POINTS)), "6");
    EXPECT_EQ(remoteWindowText(GetDlgItem(dialog, IDC_EXPORT_ITERATIONS)), "5");
    waitForForeground(dialog);
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitForClosed(dialog));
}
