// Requests that must wait: commands that come while a dialog is open, and a
// request to close the program while an export is written.
#include "resources/resource_ids.h"
#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/explorer_fixture.h"
#include "tests/e2e/test_folder.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace {

bool answersWithin(HWND window, UINT timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

// The files, not folders, in a folder.
int filesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

} // namespace

TEST_F(ExplorerTest, ParametersAndAZoomPostedTogetherNeverRunTwoCalculations)
{
    // The largest limit, at a view that still ends: the first picture's.
    ASSERT_TRUE(changeParameters(*explorer, "15", "2147483647", false));
    ASSERT_TRUE(explorer->waitForEnd("Done"));

    PostMessageA(explorer->frame(), WM_COMMAND, CMD_CHANGE_PARAMETERS, 0);
    PostMessageA(explorer->frame(), WM_COMMAND, CMD_ZOOM_IN, 0);
    HWND dialog = explorer->waitForTopWindow(parametersCaption);
    ASSERT_NE(dialog, nullptr);
    // The zoom waits for the dialog: no calculation starts under it.
    EXPECT_FALSE(waitFor([&] { return explorer->statusText(0) == "Calculating..."; }, 1500));
    EXPECT_EQ(explorer->statusText(0), "Done");

    waitForForeground(dialog);
    ASSERT_TRUE(fillParametersDialog(dialog, "15", "64", false));
    EXPECT_TRUE(waitForClosed(dialog));
    // The dialog's calculation, then the zoom's, one after the other; the
    // program answers all the while and ends at "Done".
    EXPECT_TRUE(answersWithin(explorer->frame(), 250));
    EXPECT_TRUE(explorer->waitForEnd("Done"));
    EXPECT_TRUE(answersWithin(explorer->frame(), 250));
}

TEST_F(ExplorerTest, ClosingTheFrameDuringAnExportKeepsTheEarlierFileAndEndsTheProgram)
{
    const TestFolder folder("close");
    const std::string path = folder.path() + "\\earlier.pov";

    // Some 300 MB: seconds of writing.
    pressWithModifier(VK_CONTROL, 'E');
    HWND dialog = explorer->waitForTopWindow(exportCaption);
    ASSERT_NE(dialog, nullptr);
    waitForForeground(dialog);
    ASSERT_TRUE(replaceEditText(GetDlgItem(dialog, IDC_EXPORT_POINTS), "1000"));
    ASSERT_TRUE(replaceEditText(GetDlgItem(dialog, IDC_EXPORT_ITERATIONS), "10000"));
    pressKey(VK_RETURN);
    HWND save = explorer->waitForTopWindow(saveCaption);
    ASSERT_NE(save, nullptr);
    waitForForeground(save);
    typeText(path);
    pressKey(VK_RETURN);
    // The file is written under a temporary name and only takes this name
    // once it is whole: a file put there meanwhile is the earlier file.
    ASSERT_NE(explorer->waitForTopWindow("Export Orbits"), nullptr);
    const std::string earlier = "earlier content\r\n";
    std::ofstream(path, std::ios::binary) << earlier;

    const auto start = std::chrono::steady_clock::now();
    PostMessageA(explorer->frame(), WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(explorer->waitForExit(&code, 30000));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("The program ended %.2f s after the close request.\n", seconds);
    EXPECT_EQ(code, 0u);

    std::ifstream file(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(content == earlier) << "the file holds " << content.size() << " bytes";
    EXPECT_EQ(filesIn(folder.path()), 1) << "no temporary file is left";
}
