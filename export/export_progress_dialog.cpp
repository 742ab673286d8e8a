#include "export/export_progress_dialog.h"

#include "export/progress_window.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

namespace {

// While the window shows it renews the count this often.
constexpr UINT refreshTimer = 2;
constexpr UINT refreshMs = 100;

// What the window keeps: its export, and whether it may show yet.
struct ProgressWindow : ProgressWindowState {
    explicit ProgressWindow(ExportRun& exportRun)
        : ProgressWindowState(exportRun.progress.stopRequested), run(&exportRun)
    {
    }

    ExportRun* run;
};

void showCount(HWND dialog, const WriteProgress& progress)
{
    const std::uint64_t written = progress.written;
    SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS_BAR, PBM_SETPOS, progressBarPosition(written, progress.total), 0);
    SetDlgItemTextA(dialog, IDC_EXPORT_PROGRESS_TEXT, progressText(written, progress.total).c_str());
}

// Starts the writing thread, which reports its end to the window. False
// when no thread could be had.
bool startWriter(HWND dialog, ExportRun& run)
{
    return startWorkThread(run.writer, [dialog, &run] {
        run.result = writeOrbitJob(*run.job, run.progress);
        PostMessageA(dialog, WM_EXPORT_WRITTEN, 0, 0);
    });
}

void initialise(HWND dialog, LPARAM state)
{
    keepProgressWindowState(dialog, state);
    ExportRun& run = *static_cast<ProgressWindow*>(progressWindowState(dialog))->run;
    SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS_BAR, PBM_SETRANGE32, 0, progressBarRange);
    showCount(dialog, run.progress);
    if (!startWriter(dialog, run)) {
        EndDialog(dialog, FALSE);
        return;
    }
    startShowTimer(dialog);
}

void onTimer(HWND dialog, ProgressWindow& window, WPARAM timer)
{
    if (showWhenDue(dialog, window, timer))
        SetTimer(dialog, refreshTimer, refreshMs, nullptr);
    showCount(dialog, window.run->progress);
}

} // namespace

bool runExportProgressDialog(HWND owner, ExportRun& run)
{
    ProgressWindow window(run);
    const INT_PTR result = runProgressWindow(owner, "exportprogress", exportProgressDialogProc, window);
    return result == TRUE || run.writer.joinable();
}

INT_PTR CALLBACK exportProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProgressWindow* window = static_cast<ProgressWindow*>(progressWindowState(dialog));
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog, lParam);
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        keepHiddenUntilDue(window, lParam);
        return FALSE;
    case WM_TIMER:
        if (window)
            onTimer(dialog, *window, wParam);
        return TRUE;
    case WM_EXPORT_WRITTEN:
        KillTimer(dialog, refreshTimer);
        endProgressWindow(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL && window) {
            askToStop(dialog, *window);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
