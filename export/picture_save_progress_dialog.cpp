#include "export/picture_save_progress_dialog.h"

#include "export/progress_window.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <string>

namespace {

// What the window keeps: its saving, and whether it may show yet.
struct ProgressWindow : ProgressWindowState {
    explicit ProgressWindow(PictureSaveRun& saveRun)
        : ProgressWindowState(saveRun.progress.stopRequested), run(&saveRun)
    {
    }

    PictureSaveRun* run;
};

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
    return startWorkThread(run.saver, [dialog, &run] {
        run.result = savePicture(*run.job, run.progress);
        PostMessageA(dialog, WM_PICTURE_SAVED, 0, 0);
    });
}

void initialise(HWND dialog, LPARAM state)
{
    keepProgressWindowState(dialog, state);
    PictureSaveRun& run = *static_cast<ProgressWindow*>(progressWindowState(dialog))->run;
    SendDlgItemMessageA(dialog, IDC_SAVE_PROGRESS_BAR, PBM_SETRANGE32, 0, run.job->height);
    showRows(dialog, run);
    if (!startSaver(dialog, run)) {
        EndDialog(dialog, FALSE);
        return;
    }
    startShowTimer(dialog);
}

} // namespace

bool runPictureSaveProgressDialog(HWND owner, PictureSaveRun& run)
{
    ProgressWindow window(run);
    const INT_PTR result = runProgressWindow(owner, "picturesaveprogress", pictureSaveProgressDialogProc, window);
    return result == TRUE || run.saver.joinable();
}

INT_PTR CALLBACK pictureSaveProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
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
            showWhenDue(dialog, *window, wParam);
        return TRUE;
    case WM_PICTURE_ROWS:
        if (window)
            showRows(dialog, *window->run);
        return TRUE;
    case WM_PICTURE_SAVED:
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
