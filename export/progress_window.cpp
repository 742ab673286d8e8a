#include "export/progress_window.h"

#include "common/app_instance.h"

#include <commctrl.h>

#include <system_error>
#include <utility>

namespace {

constexpr UINT showAfterMs = 500;

} // namespace

INT_PTR runProgressWindow(HWND owner, const char* templateName, DLGPROC proc, ProgressWindowState& state)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return DialogBoxParamA(appInstance, templateName, owner, proc, reinterpret_cast<LPARAM>(&state));
}

ProgressWindowState* progressWindowState(HWND dialog)
{
    return reinterpret_cast<ProgressWindowState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void keepProgressWindowState(HWND dialog, LPARAM state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, state);
}

bool startWorkThread(std::thread& thread, std::function<void()> work)
{
    try {
        thread = std::thread(std::move(work));
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void startShowTimer(HWND dialog)
{
    SetTimer(dialog, progressShowTimer, showAfterMs, nullptr);
}

void keepHiddenUntilDue(const ProgressWindowState* state, LPARAM windowPos)
{
    if (state && !state->mayShow)
        reinterpret_cast<WINDOWPOS*>(windowPos)->flags &= ~SWP_SHOWWINDOW;
}

bool showWhenDue(HWND dialog, ProgressWindowState& state, WPARAM timer)
{
    if (timer != progressShowTimer)
        return false;
    KillTimer(dialog, progressShowTimer);
    state.mayShow = true;
    ShowWindow(dialog, SW_SHOW);
    return true;
}

void askToStop(HWND dialog, ProgressWindowState& state)
{
    state.stopRequested = true;
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
}

void endProgressWindow(HWND dialog)
{
    KillTimer(dialog, progressShowTimer);
    EndDialog(dialog, TRUE);
}

void stopWorkThread(std::atomic<bool>& stopRequested, std::thread& thread)
{
    stopRequested = true;
    if (thread.joinable())
        thread.join();
}
