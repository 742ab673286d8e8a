#include "export/export_progress_dialog.h"

#include "resources/resource_ids.h"
#include "shell/app_instance.h"

#include <commctrl.h>

namespace {

// How often the window shows the count anew and looks whether the writing
// has ended.
constexpr UINT refreshTimer = 1;
constexpr UINT refreshMs = 100;

struct ProgressWatch {
    WriteProgress* progress;
    HANDLE finished;
};

void showCount(HWND dialog, const WriteProgress& progress)
{
    const std::uint64_t written = progress.written;
    SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS_BAR, PBM_SETPOS, progressBarPosition(written, progress.total), 0);
    SetDlgItemTextA(dialog, IDC_EXPORT_PROGRESS_TEXT, progressText(written, progress.total).c_str());
}

} // namespace

void showExportProgressDialog(HWND owner, WriteProgress& progress, HANDLE finished)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ProgressWatch watch = {&progress, finished};
    DialogBoxParamA(appInstance, "exportprogress", owner, exportProgressDialogProc, reinterpret_cast<LPARAM>(&watch));
}

INT_PTR CALLBACK exportProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ProgressWatch* watch = reinterpret_cast<const ProgressWatch*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        watch = reinterpret_cast<const ProgressWatch*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, IDC_EXPORT_PROGRESS_BAR, PBM_SETRANGE32, 0, progressBarRange);
        showCount(dialog, *watch->progress);
        SetTimer(dialog, refreshTimer, refreshMs, nullptr);
        return TRUE;
    case WM_TIMER:
        if (WaitForSingleObject(watch->finished, 0) == WAIT_OBJECT_0) {
            KillTimer(dialog, refreshTimer);
            EndDialog(dialog, 0);
        } else {
            showCount(dialog, *watch->progress);
        }
        return TRUE;
    case WM_COMMAND:
        // The window stays until the writer has stopped and removed its
        // temporary file; the next tick ends it.
        if (LOWORD(wParam) == IDCANCEL) {
            watch->progress->stopRequested = true;
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
