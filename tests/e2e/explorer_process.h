// A running zelvar.exe, started by the test in a process of its own, and the
// windows of it that a user sees.
#pragma once

#include "tools/remote_window.h"

#include <windows.h>

#include <string>

class ExplorerProcess {
public:
    // Starts zelvar.exe from the test program's own folder, or the program
    // given, with the command-line arguments given (in UTF-8), and unless
    // told otherwise waits until its frame, view, bars and Orbits window
    // exist. ok() tells whether they do.
    explicit ExplorerProcess(const std::string& arguments = "", const std::string& program = "",
                             bool waitForWindows = true);
    // Ends the program if it still runs.
    ~ExplorerProcess();
    ExplorerProcess(const ExplorerProcess&) = delete;
    ExplorerProcess& operator=(const ExplorerProcess&) = delete;

    bool ok() const { return frame_ && view_ && statusBar_ && toolbar_ && orbits_; }

    // Waits until the frame, view, bars and Orbits window exist, as the
    // constructor does unless told not to; tells whether they do.
    bool waitForWindows(DWORD timeoutMs = 30000);

    HWND frame() const { return frame_; }
    HWND view() const { return view_; }
    HWND statusBar() const { return statusBar_; }
    HWND toolbar() const { return toolbar_; }
    HWND orbits() const { return orbits_; }

    // The text of part `part` of the status bar, read inside the program.
    std::string statusText(int part) const;
    // Waits until a calculation has ended with text ("Done" or "Cancelled"):
    // part 0 shows it and the percentage in part 2 has been cleared.
    bool waitForEnd(const std::string& text, DWORD timeoutMs = 60000) const;

    // A visible top-level window of the program's thread with this caption
    // (a dialog or a message box), or null.
    HWND findTopWindow(const std::string& caption) const;
    HWND waitForTopWindow(const std::string& caption, DWORD timeoutMs = 30000) const;

    // The screen rectangle of toolbar button `index` (separators counted).
    RECT toolbarButtonRect(int index) const;

    // Brings a window of the program to the front, where the keyboard input goes.
    void activate() const { activate(frame_); }
    void activate(HWND window) const;

    // Waits for the process to end; true with its exit code in *code.
    bool waitForExit(DWORD* code, DWORD timeoutMs = 30000) const;

private:
    PROCESS_INFORMATION process_ = {};
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND orbits_ = nullptr;
};

// The texts of another process's windows (remoteWindowText, remoteStatusText,
// statusPartTextOf) are those of tools/remote_window.h.

// The child of parent with the given class and text (texts are compared only
// when text is not empty), or null.
HWND findChild(HWND parent, const std::string& className, const std::string& text = "");
