#include "shell/status_panel.h"

#include "common/dpi_scale.h"
#include "common/window_dpi.h"

#include <commctrl.h>

#include <cstdio>

StatusPanel* theStatusPanel = nullptr;

namespace {

// The right edges of the status text's part and of the progress bar's part
// at 96 DPI; the percentage takes the rest.
constexpr int textPartEdge = 100;
constexpr int progressPartEdge = 250;
// The progress bar's distance from the left and the top of its part.
constexpr int progressInset = 2;

// The font made for the status bar at its last change of scale; null while
// the bar shows the font it chose itself.
HFONT scaledFont = nullptr;

void setParts(HWND statusBar, int dpi)
{
    int edges[3] = {scaleForDpi(textPartEdge, dpi), scaleForDpi(progressPartEdge, dpi), -1};
    SendMessageA(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

// The progress bar's place in the status bar: its part, less the inset, down
// to the bar's bottom.
RECT progressPlace(HWND statusBar, int dpi)
{
    RECT client = {};
    GetClientRect(statusBar, &client);
    return {scaleForDpi(textPartEdge + progressInset, dpi), scaleForDpi(progressInset, dpi),
            scaleForDpi(progressPartEdge, dpi), client.bottom};
}

class StatusPanelReport final : public CalculationReport {
public:
    void showStatus(const char* text) override
    {
        if (theStatusPanel)
            theStatusPanel->setStatusText(text);
    }

    void showProgress(int percent) override
    {
        if (theStatusPanel)
            theStatusPanel->setProgress(percent);
    }

    void clearProgress() override
    {
        if (theStatusPanel)
            theStatusPanel->clearProgress();
    }
};

} // namespace

void StatusPanel::createStatusPanel(HWND parent, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    const int dpi = windowDpi(parent);
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(1), instance, nullptr);
    setParts(statusBar, dpi);

    const RECT place = progressPlace(statusBar, dpi);
    progressBar = CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, statusBar, nullptr, instance,
                                  nullptr);
}

void StatusPanel::fitToDpi(int dpi)
{
    const LOGFONTW font = statusFontForDpi(dpi);
    HFONT made = CreateFontIndirectW(&font);
    if (made) {
        SendMessageA(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
        if (scaledFont)
            DeleteObject(scaledFont);
        scaledFont = made;
    }
    // The bar takes the height of its new font.
    SendMessageA(statusBar, WM_SIZE, 0, 0);
    setParts(statusBar, dpi);
    const RECT place = progressPlace(statusBar, dpi);
    MoveWindow(progressBar, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    InvalidateRect(statusBar, nullptr, TRUE);
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

CalculationReport& statusPanelReport()
{
    static StatusPanelReport report;
    return report;
}
