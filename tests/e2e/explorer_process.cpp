#include "tests/e2e/explorer_process.h"

#include "tests/e2e/utf16.h"
#include "tests/support/wait_for.h"

#include <commctrl.h>

#include <vector>

namespace {

std::string programPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "zelvar.exe";
}

std::string className(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> threadWindows(DWORD threadId)
{
    std::vector<HWND> windows;
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace

HWND findChild(HWND parent, const std::string& wantedClass, const std::string& text)
{
    struct Search {
        std::string wantedClass;
        std::string text;
        HWND found;
    } search = {wantedClass, text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            if (_stricmp(className(window).c_str(), s->wantedClass.c_str()) == 0 &&
                (s->text.empty() || remoteWindowText(window) == s->text)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ExplorerProcess::ExplorerProcess(const std::string& arguments, const std::string& program, bool waitForWindows)
{
    // As the shell starts a program: its command line in UTF-16, whatever
    // the code page of either program.
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + (program.empty() ? programPath() : program) + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    std::wstring wideCommand = utf16(command);
    if (!CreateProcessW(nullptr, &wideCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        return;
    if (waitForWindows)
        this->waitForWindows();
}

bool ExplorerProcess::waitForWindows(DWORD timeoutMs)
{
    WaitForInputIdle(process_.hProcess, timeoutMs);
    return waitFor(
        [&] {
            for (HWND window : threadWindows(process_.dwThreadId)) {
                if (className(window) == "Zelvar2")
                    frame_ = window;
                else if (className(window) == "ORBITSCLASS")
                    orbits_ = window;
            }
            if (!frame_ || !orbits_ || !IsWindowVisible(frame_))
                return false;
            view_ = FindWindowExA(frame_, nullptr, "FRACTALCLASS", nullptr);
            statusBar_ = FindWindowExA(frame_, nullptr, STATUSCLASSNAMEA, nullptr);
            toolbar_ = FindWindowExA(frame_, nullptr, TOOLBARCLASSNAMEA, nullptr);
            return ok();
        },
        timeoutMs);
}

ExplorerProcess::~ExplorerProcess()
{
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string ExplorerProcess::statusText(int part) const
{
    return remoteStatusText(process_.hProcess, statusBar_, part);
}

bool ExplorerProcess::waitForEnd(const std::string& text, DWORD timeoutMs) const
{
    return waitFor([&] { return statusText(0) == text && statusText(2).empty(); }, timeoutMs);
}

HWND ExplorerProcess::findTopWindow(const std::string& caption) const
{
    for (HWND window : threadWindows(process_.dwThreadId)) {
        if (IsWindowVisible(window) && remoteWindowText(window) == caption)
            return window;
    }
    return nullptr;
}

HWND ExplorerProcess::waitForTopWindow(const std::string& caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    waitFor([&] { return (found = findTopWindow(caption)) != nullptr; }, timeoutMs);
    return found;
}

RECT ExplorerProcess::toolbarButtonRect(int index) const
{
    RECT rect = {};
    void* remote = VirtualAllocEx(process_.hProcess, nullptr, sizeof rect, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return rect;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(toolbar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000,
                            &result) &&
        result)
        ReadProcessMemory(process_.hProcess, remote, &rect, sizeof rect, nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    MapWindowPoints(toolbar_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExplorerProcess::activate(HWND window) const
{
    SetForegroundWindow(window);
    waitFor([&] { return GetForegroundWindow() == window; }, 10000);
}

bool ExplorerProcess::waitForExit(DWORD* code, DWORD timeoutMs) const
{
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_.hProcess, code) != 0;
}
