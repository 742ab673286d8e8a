#include "export/export_dialog.h"

#include "resources/resource_ids.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/export_test_view.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The list of types of the save dialog.
constexpr int saveTypeList = 0x470;

const char badCountText[] = "You must specify a positive integer for number of iterations!";

std::string pointsShown(HWND dialog)
{
    return itemText(dialog, IDC_EXPORT_POINTS);
}

std::string iterationsShown(HWND dialog)
{
    return itemText(dialog, IDC_EXPORT_ITERATIONS);
}

// Waits for the error box of the export dialog, checks it and dismisses it;
// returns its message, or "<no box>".
std::string dismissError(DWORD uiThread, HWND dialog)
{
    HWND box = waitForDialog(uiThread, "Error", dialog);
    if (!box)
        return "<no box>";
    const SeenMessageBox seen = readMessageBox(box);
    EXPECT_TRUE(seen.errorIcon) << "the box shows the error icon";
    pressButton(box, IDOK);
    EXPECT_TRUE(waitUntilClosed(box));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the export dialog stays open";
    return seen.text;
}

// The counts an opening of the dialog shows; it is cancelled at once.
std::pair<std::string, std::string> countsAtOpening()
{
    std::pair<std::string, std::string> shown("<no dialog>", "<no dialog>");
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        if (!dialog)
            return;
        shown = {pointsShown(dialog), iterationsShown(dialog)};
        pressButton(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    return shown;
}

using Counts = std::pair<std::string, std::string>;

} // namespace

TEST(ExportDialog, FirstOpeningShowsTheStartCounts)
{
    EXPECT_EQ(exportIterations, 64);
    EXPECT_EQ(exportPoints, 255);
    EXPECT_EQ(countsAtOpening(), Counts("255", "64"));
    EXPECT_EQ(exportIterations, 64);
    EXPECT_EQ(exportPoints, 255);
}

TEST(ExportDialog, CountsBelowOneAreRejectedButKept)
{
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        typeCounts(dialog, "0", "10");
        pressButton(dialog, IDOK);
        EXPECT_EQ(dismissError(uiThread, dialog), badCountText);
        EXPECT_EQ(pointsShown(dialog), "0");
        EXPECT_EQ(iterationsShown(dialog), "10");
        EXPECT_EQ(findDialog(uiThread, "Export to..."), nullptr);
        pressButton(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_EQ(exportPoints, 0);
    EXPECT_EQ(exportIterations, 10);
    EXPECT_EQ(countsAtOpening(), Counts("0", "10"));

    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        typeCounts(dialog, "3", "-5");
        pressButton(dialog, IDOK);
        EXPECT_EQ(dismissError(uiThread, dialog), badCountText);
        pressButton(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_EQ(countsAtOpening(), Counts("3", "-5"));
}

TEST(ExportDialog, CountsAreReadAsIntegersAndACancelledSaveWritesNothing)
{
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        HWND save = confirmCounts(uiThread, dialog, "12abc", " 7");
        ASSERT_TRUE(save) << "the counts were accepted";
        EXPECT_EQ(itemText(save, saveNameBox), "");
        const HWND types = GetDlgItem(save, saveTypeList);
        EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 1);
        char type[128] = "";
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(type));
        EXPECT_STREQ(type, "POV-RAY files (*.pov)");
        pressButton(save, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog)) << "cancelling the save dialog ends the export";
        EXPECT_EQ(findDialog(uiThread, "Error"), nullptr);
    });
    EXPECT_EQ(exportPoints, 12);
    EXPECT_EQ(exportIterations, 7);
    EXPECT_EQ(countsAtOpening(), Counts("12", "7"));

    // Beyond the 32-bit range the count is the largest 32-bit value.
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        HWND save = confirmCounts(uiThread, dialog, "99999999999", "+8");
        ASSERT_TRUE(save);
        pressButton(save, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_EQ(countsAtOpening(), Counts("2147483647", "8"));
}

TEST(ExportDialog, ExportsTheChosenFile)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string path = temporaryPath("dialog-example.pov");
    DeleteFileA(path.c_str());
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        HWND save = confirmCounts(uiThread, dialog, "2", "3");
        ASSERT_TRUE(save);
        saveAs(save, path);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_EQ(fileBytes(path), workedExampleFile);
    EXPECT_EQ(countsAtOpening(), Counts("2", "3"));
}

TEST(ExportDialog, NameWithoutExtensionGetsPovAndTheCountsStay)
{
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 10);
    const std::string stem = temporaryPath("dialog-hundred");
    DeleteFileA((stem + ".pov").c_str());
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        HWND save = confirmCounts(uiThread, dialog, "100", "20");
        ASSERT_TRUE(save);
        saveAs(save, stem);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    const std::string text = fileBytes(stem + ".pov");
    ASSERT_NE(text, "<missing>");
    // Point p of 100 from (10, 190) towards (390, 10): x = 3.8 p + 10, y = -1.8 p + 190.
    for (int p : {0, 1, 37, 99}) {
        const double cr = expectedReal(static_cast<int>(380.0 / 100 * p + 10));
        const double ci = expectedImag(static_cast<int>(-180.0 / 100 * p + 190));
        EXPECT_NE(text.find("\r\n" + referenceOrbitLine(cr, ci, 20, false, p == 99) + "\r\n"), std::string::npos) << p;
        EXPECT_NE(text.find("\r\n" + referenceOrbitLine(cr, ci, 20, true, p == 99) + "\r\n"), std::string::npos) << p;
    }
    EXPECT_EQ(countsAtOpening(), Counts("100", "20"));
}

TEST(ExportDialog, AnExistingFileIsReplacedAfterTheQuestion)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string path = temporaryPath("dialog-replaced.pov");
    writeBytes(path, "earlier content\r\n");
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        HWND save = confirmCounts(uiThread, dialog, "2", "3");
        ASSERT_TRUE(save);
        saveAs(save, path);
        EXPECT_TRUE(confirmReplacement(uiThread, save));
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    EXPECT_EQ(fileBytes(path), workedExampleFile);
}

TEST(ExportDialog, FailuresAreReportedAndLeaveTheEarlierFile)
{
    placeExportLine(0.0, 0.0, 1.0, 100, 100, 300, 300);
    const std::string missing = temporaryPath("no-such-folder\\orbits.pov");
    const std::string inUse = temporaryPath("dialog-in-use.pov");
    writeBytes(inUse, "earlier content\r\n");
    HANDLE holder = CreateFileA(inUse.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::vector<std::string> reports;
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
        ASSERT_TRUE(dialog);
        HWND save = confirmCounts(uiThread, dialog, "2", "3");
        ASSERT_TRUE(save);
        saveAs(save, missing);
        reports.push_back(dismissError(uiThread, dialog));

        save = confirmCounts(uiThread, dialog, "2", "3");
        ASSERT_TRUE(save);
        saveAs(save, inUse);
        EXPECT_TRUE(confirmReplacement(uiThread, save));
        reports.push_back(dismissError(uiThread, dialog));

        // Some 3e16 bytes: more than any disk here holds.
        save = confirmCounts(uiThread, dialog, "10000000", "100000000");
        ASSERT_TRUE(save);
        saveAs(save, inUse);
        EXPECT_TRUE(confirmReplacement(uiThread, save));
        reports.push_back(dismissError(uiThread, dialog));

        pressButton(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    CloseHandle(holder);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].rfind("Cannot create the file \"" + missing + "\": ", 0), 0u) << reports[0];
    EXPECT_EQ(reports[1].rfind("Cannot replace the file \"" + inUse + "\": ", 0), 0u) << reports[1];
    EXPECT_EQ(reports[2].rfind("Cannot export 10000000 points of 100000000 iterations: the file would take ", 0), 0u)
        << reports[2];
    EXPECT_EQ(fileBytes(inUse), "earlier content\r\n");
    EXPECT_EQ(exportPoints, 10000000);
    EXPECT_EQ(exportIterations, 100000000);
}
