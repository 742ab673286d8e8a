#include "tests/support/win32_test_support.h"

#include "tests/support/wait_for.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

void pumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return waitFor(done, timeoutMs, [] {
        pumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    });
}

HWND createTestHost(int clientWidth, int clientHeight, DWORD style)
{
    static bool registered = false;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = "ZelvarTestHost";
        RegisterClassA(&windowClass);
        registered = true;
    }
    RECT outer = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&outer, style, FALSE);
    HWND host = CreateWindowExA(0, "ZelvarTestHost", "Zelvar test", style | WS_VISIBLE, 20, 20,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    pumpPending();
    return host;
}

HWND sharedTestHost(int clientWidth, int clientHeight)
{
    static HWND host = nullptr;
    if (!host) {
        host = createTestHost(clientWidth, clientHeight);
        return host;
    }
    RECT outer = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(host, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
    return host;
}

std::string className(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT clientRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

RECT windowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT rectIn(HWND window, HWND parent)
{
    RECT rect = windowRect(window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string windowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string statusPartText(HWND statusBar, int part)
{
    char text[1024] = "";
    const LRESULT length = SendMessageA(statusBar, SB_GETTEXTLENGTHA, part, 0);
    if (LOWORD(length) >= sizeof text)
        return {};
    SendMessageA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

COLORREF screenPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

std::string temporaryPath(const std::string& name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "zelvar-tests";
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\" + name;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

bool sameFileBytes(const std::string& pathA, const std::string& pathB)
{
    std::ifstream a(pathA, std::ios::binary);
    std::ifstream b(pathB, std::ios::binary);
    if (!a || !b)
        return false;
    std::vector<char> blockA(1 << 20);
    std::vector<char> blockB(1 << 20);
    for (;;) {
        a.read(blockA.data(), static_cast<std::streamsize>(blockA.size()));
        b.read(blockB.data(), static_cast<std::streamsize>(blockB.size()));
        if (a.gcount() != b.gcount() || !std::equal(blockA.begin(), blockA.begin() + a.gcount(), blockB.begin()))
            return false;
        if (a.gcount() == 0)
            return true;
    }
}

int strayTemporaryFiles(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "zlv*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}
