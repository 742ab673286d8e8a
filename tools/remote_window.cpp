#include "tools/remote_window.h"

#include "common/unique_handle.h"

#include <commctrl.h>

#include <vector>

std::string remoteWindowText(HWND window)
{
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string remoteStatusText(HANDLE process, HWND statusBar, int part)
{
    // SB_GETTEXTA writes into memory of the program that owns the status bar.
    const SIZE_T size = 1024;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return "";
    std::vector<char> text(size, '\0');
    WriteProcessMemory(process, remote, text.data(), size, nullptr);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000,
                            &result))
        ReadProcessMemory(process, remote, text.data(), size - 1, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text.data();
}

std::string statusPartTextOf(HWND frame, int part)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    const DWORD access = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
    const UniqueHandle process(OpenProcess(access, FALSE, processId));
    if (!process.valid())
        return "";
    return remoteStatusText(process.get(), FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr), part);
}
