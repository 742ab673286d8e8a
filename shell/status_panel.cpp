#include "shell/status_panel.h"

#include <commctrl.h>

#include <cstdio>

StatusPanel* theStatusPanel = nullptr;

void StatusPanel::createStatusPanel(HWND parent, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(1), instance, nullptr);
    int edges[3] = {100, 250, -1};
    SendMessageA(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));

    RECT client = {};
    GetClientRect(statusBar, &client);
    progressBar = CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 102, 2, 148,
                                  client.bottom - 2, statusBar, nullptr, instance, nullptr);
}

void StatusPanel::setStatusText(const char* text)
{
    SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void StatusPanel::setProgress(int percent)
{
    SendMessageA(progressBar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    SendMessageA(statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(text));
}

void StatusPanel::clearProgress()
{
    SendMessageA(progressBar, PBM_SETPOS, 0, 0);
    SendMessageA(statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(""));
}
