#include "export/picture_save_progress_dialog.h"

#include "common/app_instance.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <string>
#include <system_error>

namespace {

// The window shows once the saving has taken this long.
constexpr UINT showTimer = 1;
constexpr UINT showAfterMs = 500;

// What the window keeps: its saving, and whether it may show yet.
struct ProgressWindow {
    PictureSaveRun* run;
    bool mayShow;
};

ProgressWindow* windowState(HWND dialog)
{
    return reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void showRows(HWND dialog, PictureSaveRun& run)
{
    run.rowsPosted = false;
    const int rows = run.progress.rows;
    SendDlgItemMessageA(dialog, IDC_SAVE_PROGRESS_BAR, PBM_SETPOS, rows, 0);
    const std::string text = "Row " + std::to_string(rows) + " of " + std::to_string(run.job->height);
    SetDlgItemTextA(dialog, IDC_SAVE_PROGRESS_TEXT, text.c_str());
}

// Starts the saving thread, which reports its rows and its end to the
// window. The window's thread sleeps meanwhile: every change comes as a
// message. False when no thread could be had.
bool startSaver(HWND dialog, PictureSaveRun& run)
{
    run.progress.rowsChanged = [dialog, &run] {
        if (!run.rowsPosted.exchange(true))
            PostMessageA(dialog, WM_PICTURE_ROWS, 0, 0);
    };
    try {
        run.saver = std::thread([dialog, &run] {
            run.result = savePicture(*run.job, run.progress);
            PostMessageA(dialog, WM_PICTURE_SAVED, 0, 0);
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void initialise(HWND dialog, ProgressWindow* window)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
    SendDlgItemMessageA(dialog, IDC_SAVE_PROGRESS_BAR, PBM_SETRANGE32, 0, window->run->job->height);
    showRows(dialog, *window->run);
    if (!startSaver(dialog, *window->run)) {
        EndDialog(dialog, FALSE);
        return;
    }
    SetTimer(dialog, showTimer, showAfterMs, nullptr);
}

} // namespace

bool runPictureSaveProgressDialog(HWND owner, PictureSaveRun& run)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ProgressWindow window = {&run, false};
    const INT_PTR result = DialogBoxParamA(appInstance, "picturesaveprogress", owner, pictureSaveProgressDialogProc,
                                           reinterpret_cast<LPARAM>(&window));
    return result == TRUE || run.saver.joinable();
}

INT_PTR CALLBACK pictureSaveProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProgressWindow* window = windowState(dialog);
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog, reinterpret_cast<ProgressWindow*>(lParam));
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        // The dialog box shows its window when its message loop first runs
        // idle; a short saving ends before it should be seen.
        if (window && !window->mayShow)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return FALSE;
    case WM_TIMER:
        if (window && wParam == showTimer) {
            KillTimer(dialog, showTimer);
            window->mayShow = true;
            ShowWindow(dialog, SW_SHOW);
        }
        return TRUE;
    case WM_PICTURE_ROWS:
        if (window)
            showRows(dialog, *window->run);
        return TRUE;
    case WM_PICTURE_SAVED:
        KillTimer(dialog, showTimer);
        EndDialog(dialog, TRUE);
        return TRUE;
    case WM_COMMAND:
        // The window stays until the saving has stopped and removed its
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
