// The status bar along the bottom of the frame, with a progress bar set into
// its middle part.
#pragma once

#include "engine/calculation_report.h"

#include <windows.h>

struct StatusPanel {
    HWND statusBar;
    HWND progressBar;

    // Creates the status bar in parent, with its three parts and the progress
    // bar, sized for the parent's DPI.
    void createStatusPanel(HWND parent, HINSTANCE instance);
    // Gives the bar the font, the parts and the progress bar's place for a
    // new DPI, once its window has moved to a monitor of another scale.
    void fitToDpi(int dpi);
    void setStatusText(const char* text);
    void setProgress(int percent);
    void clearProgress();
};

// The one status panel of the process; null until the frame creates it.
extern StatusPanel* theStatusPanel;

// The view's calculations as theStatusPanel shows them: the status text in
// its left part, the progress in its bar and its right part. Its reports are
// messages sent to the bars, which a render thread's report waits for; while
// there is no status panel they go nowhere.
CalculationReport& statusPanelReport();
