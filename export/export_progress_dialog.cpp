#include "export/export_progress_dialog.h"

#include "common/app_instance.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <system_error>

namespace {

// The window shows once the writing has taken this long, and while it shows
// it renews the count this often.
constexpr UINT showTimer = 1;
constexpr UINT showAfterMs = 500;
constexpr UINT refreshTimer = 2;
constexpr UINT refreshMs = 100;

// What the window keeps: its export, and whether it may show yet.
struct ProgressWindow {
    ExportRun* run;
    bool mayShow;
};

ProgressWindow* windowState(HWND dialog)
{
    return reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

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
    try {
        run.writer = std::thread([dialog, &run] {
            run.result = writeOrbitJob(*run.job, run.progress);
            PostMessageA(dialog, WM_EXPORT_WRITTEN, 0, 0);
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void initialise(HWND dialog, ProgressWindow* window)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
    SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS_BAR, PBM_SETRANGE32, 0, progressBarRange);
    showCount(dialog, window->run->progress);
    if (!startWriter(dialog, *window->run)) {
        EndDialog(dialog, FALSE);
        return;
    }
    SetTimer(dialog, showTimer, showAfterMs, nullptr);
}

void onTimer(HWND dialog, ProgressWindow* window, UINT_PTR timer)
{
    if (timer == showTimer) {
        KillTimer(dialog, showTimer);
        window->mayShow = true;
        ShowWindow(dialog, SW_SHOW);
        SetTimer(dialog, refreshTimer, refreshMs, nullptr);
    }
    showCount(dialog, window->run->progress);
}

} // namespace

bool runExportProgressDialog(HWND owner, ExportRun& run)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ProgressWindow window = {&run, false};
    const INT_PTR result =
        DialogBoxParamA(appInstance, "exportprogress", owner, exportProgressDialogProc, reinterpret_cast<LPARAM>(&window));
    return result == TRUE || run.writer.joinable();
}

INT_PTR CALLBACK exportProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProgressWindow* window = windowState(dialog);
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog, reinterpret_cast<ProgressWindow*>(lParam));
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        // The dialog box shows its window when its message loop first runs
        // idle; a short export ends before it should be seen.
        if (window && !window->mayShow)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return FALSE;
    case WM_TIMER:
        if (window)
            onTimer(dialog, window, wParam);
        return TRUE;
    case WM_EXPORT_WRITTEN:
        KillTimer(dialog, showTimer);
        KillTimer(dialog, refreshTimer);
        EndDialog(dialog, TRUE);
        return TRUE;
    case WM_COMMAND:
        // The window stays until the writer has stopped and removed its
        // temporary file, and reported its end.
        if (LOWORD(wParam) == IDCANCEL && window) {
            window->run->progress.stopRequested = true;
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
