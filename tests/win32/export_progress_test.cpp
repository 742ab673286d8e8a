// A long export through the real dialogs: its progress window, its Cancel,
// and the program that stays alive while the file is written.
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "export/export_dialog.h"
#include "export/orbit_file_writer.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/view_idle.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"
#include "tests/win32/export_test_view.h"
#include "view/orbit_line_points.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {

// Some 300 MB: a few seconds of writing.
const char longPoints[] = "1000";
const char longIterations[] = "10000";
const char longTotalText[] = " MB of 300.0 MB written";

const char earlierContent[] = "earlier content\r\n";

std::string folderOfTests()
{
    const std::string probe = temporaryPath("x");
    return probe.substr(0, probe.size() - 1);
}

// Sends a message to a window of the test's thread. The script must not
// hang when the window's thread has stopped answering, because that thread
// waits for the script once the export dialog has ended.
LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 2000, &answer) ? answer : -1;
}

std::string askText(HWND window, UINT message = WM_GETTEXT, WPARAM wParam = 0)
{
    char text[256] = "";
    if (message == WM_GETTEXT)
        wParam = sizeof text;
    ask(window, message, wParam, reinterpret_cast<LPARAM>(text));
    return text;
}

int barPosition(HWND progressWindow)
{
    return static_cast<int>(ask(GetDlgItem(progressWindow, IDC_EXPORT_PROGRESS_BAR), PBM_GETPOS));
}

std::string progressLine(HWND progressWindow)
{
    return askText(GetDlgItem(progressWindow, IDC_EXPORT_PROGRESS_TEXT));
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Goes through the export dialog and the save dialog to a long export into
// path, which exists already, and waits for the progress window; null when
// none came. The export dialog is left in *dialog.
HWND startLongExport(DWORD uiThread, const std::string& path, HWND* dialog)
{
    *dialog = waitForDialog(uiThread, "Export Properties", exportTestHost());
    if (!*dialog)
        return nullptr;
    HWND save = confirmCounts(uiThread, *dialog, longPoints, longIterations);
    if (!save)
        return nullptr;
    saveAs(save, path);
    EXPECT_TRUE(confirmReplacement(uiThread, save));
    return waitForDialog(uiThread, "Export Orbits", *dialog);
}

bool answersAtOnce(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 250, &answer) != 0;
}

// The status panel of a frame on the test's host, which a calculation reaches
// through messages to this thread, as in the explorer.
class HostStatusPanel {
public:
    HostStatusPanel()
    {
        panel_.createStatusPanel(exportTestHost(), GetModuleHandleA(nullptr));
        theStatusPanel = &panel_;
        theCalculationReport = &statusPanelReport();
    }

    ~HostStatusPanel()
    {
        requestStop();
        waitUntilIdle();
        theFractalView->maxIterations = limit_;
        theStatusPanel = nullptr;
        DestroyWindow(panel_.statusBar);
    }

    std::string status() const { return askText(panel_.statusBar, SB_GETTEXTA, 0); }
    std::string percentage() const { return askText(panel_.statusBar, SB_GETTEXTA, 2); }

private:
    StatusPanel panel_;
    const int limit_ = theFractalView->maxIterations;
};

// The counts of the long exports stay in the dialog; the other tests of the
// program expect the counts they left.
class ExportProgress : public testing::Test {
protected:
    ~ExportProgress() override
    {
        exportPoints = points_;
        exportIterations = iterations_;
    }

private:
    const int points_ = exportPoints;
    const int iterations_ = exportIterations;
};

} // namespace

TEST_F(ExportProgress, ALongExportShowsItsProgressWhileTheProgramStaysAlive)
{
    // A view on the edge of the main cardioid, whose orbits neither escape
    // nor fall into a repeating cycle: its calculation runs far longer than
    // the export, with its progress rising all the while. The file's size
    // does not depend on the view.
    placeExportLine(-0.3905408702184, -0.5867879073469687, 3e-6, 10, 190, 390, 10);
    const std::string path = temporaryPath("progress-cancelled.pov");
    writeBytes(path, earlierContent);
    HostStatusPanel statusPanel;
    theFractalView->maxIterations = 100000;
    theFractalView->startCalculation();

    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = nullptr;
        HWND progress = startLongExport(uiThread, path, &dialog);
        ASSERT_TRUE(progress) << "the progress window shows";
        char className[64] = "";
        GetClassNameA(GetDlgItem(progress, IDC_EXPORT_PROGRESS_BAR), className, sizeof className);
        EXPECT_STREQ(className, "msctls_progress32");
        EXPECT_EQ(askText(GetDlgItem(progress, IDCANCEL)), "Cancel");
        EXPECT_FALSE(IsWindowEnabled(exportTestHost())) << "the frame stays disabled";
        EXPECT_FALSE(IsWindowEnabled(dialog)) << "the progress window is modal";

        const int first = barPosition(progress);
        const std::string firstText = progressLine(progress);
        EXPECT_TRUE(endsWith(firstText, longTotalText)) << firstText;
        EXPECT_TRUE(waitFor([&] { return barPosition(progress) > first; })) << "the progress rises";
        EXPECT_NE(progressLine(progress), firstText);

        // The frame answers, the view repaints, and the calculation is served.
        EXPECT_TRUE(answersAtOnce(exportTestHost()));
        const HWND view = theFractalView->window;
        InvalidateRect(view, nullptr, FALSE);
        EXPECT_TRUE(waitFor([&] { return !GetUpdateRect(view, nullptr, FALSE); })) << "the view repaints";
        const std::string percentage = statusPanel.percentage();
        EXPECT_TRUE(waitFor([&] { return statusPanel.percentage() != percentage; }))
            << "the calculation goes on past " << percentage;
        requestStop();
        EXPECT_TRUE(waitFor([&] { return !theFractalView->busy; }));
        EXPECT_EQ(statusPanel.status(), "Cancelled");
        EXPECT_TRUE(IsWindow(progress)) << "all of this while the file is written";

        pressButton(progress, IDCANCEL);
        EXPECT_TRUE(waitUntilClosed(dialog)) << "a cancelled export ends the dialog";
        EXPECT_EQ(findDialog(uiThread, "Error"), nullptr);
    });
    EXPECT_EQ(fileBytes(path), earlierContent);
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
    EXPECT_EQ(exportPoints, 1000);
    EXPECT_EQ(exportIterations, 10000);
}

TEST_F(ExportProgress, EscapeAndTheCloseBoxCancelToo)
{
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 10);
    const std::string path = temporaryPath("progress-closed.pov");
    writeBytes(path, earlierContent);
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "escape" : "close box");
        runExportDialog(exportTestHost(), [&](DWORD uiThread) {
            HWND dialog = nullptr;
            HWND progress = startLongExport(uiThread, path, &dialog);
            ASSERT_TRUE(progress);
            if (escape)
                PostMessageA(GetDlgItem(progress, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 1);
            else
                PostMessageA(progress, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(waitUntilClosed(dialog));
            EXPECT_EQ(findDialog(uiThread, "Error"), nullptr);
        });
        EXPECT_EQ(fileBytes(path), earlierContent);
        EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
    }
}

TEST_F(ExportProgress, ALongExportLeftToFinishWritesTheWritersBytes)
{
    placeExportLine(-0.5, 0.0, 1.3, 10, 190, 390, 10);
    const std::string path = temporaryPath("progress-finished.pov");
    const std::string direct = temporaryPath("progress-direct.pov");
    writeBytes(path, earlierContent);
    int highest = -1;
    runExportDialog(exportTestHost(), [&](DWORD uiThread) {
        HWND dialog = nullptr;
        HWND progress = startLongExport(uiThread, path, &dialog);
        ASSERT_TRUE(progress);
        // The bar is read until the window ends with the writing.
        waitFor([&] {
            highest = std::max(highest, barPosition(progress));
            return !IsWindow(progress);
        });
        EXPECT_TRUE(waitUntilClosed(dialog));
        EXPECT_EQ(findDialog(uiThread, "Error"), nullptr);
    });
    EXPECT_GT(highest, 0);
    const OrbitFileResult result = writeOrbitFile(10000, 1000, direct.c_str(), orbitLinePlanePoints());
    ASSERT_TRUE(result.written) << result.failure;
    EXPECT_TRUE(sameFileBytes(path, direct));
    EXPECT_EQ(strayTemporaryFiles(folderOfTests()), 0);
    DeleteFileA(path.c_str());
    DeleteFileA(direct.c_str());
}
