// Where a calculation of the view tells how it goes: its status text
// ("Calculating...", "Done", "Cancelled", "Start failed"), its progress in
// percent and the clearing of the progress at its end. The shell's status bar
// implements it; the engine knows nothing of the window that shows it.
//
// The render threads report through it as well as the user-interface thread,
// in the order of the calculation's steps; whoever implements it must take a
// report from any thread and be done with it before it returns, as a message
// sent to a window of the user-interface thread is.
#pragma once

class CalculationReport {
public:
    virtual void showStatus(const char* text) = 0;
    virtual void showProgress(int percent) = 0;
    virtual void clearProgress() = 0;

protected:
    ~CalculationReport() = default;
};

// Where the view's calculations report; null until the shell gives one, and
// while it is null they report to nobody.
extern CalculationReport* theCalculationReport;
