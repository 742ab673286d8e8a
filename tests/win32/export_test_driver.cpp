#include "tests/win32/export_test_driver.h"

#include "export/export_dialog.h"
#include "resources/resource_ids.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct DialogSearch {
    std::string title;
    HWND owner;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM parameter)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(parameter);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && IsWindowVisible(window) && windowText(window) == search->title &&
        (!search->owner || GetWindow(window, GW_OWNER) == search->owner)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectDialog(HWND window, LPARAM parameter)
{
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

BOOL CALLBACK findMessageText(HWND child, LPARAM parameter)
{
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    const std::string text = windowText(child);
    if (std::string(className) == "Static" && !text.empty()) {
        *reinterpret_cast<std::string*>(parameter) = text;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND findDialog(DWORD thread, const std::string& title, HWND owner)
{
    DialogSearch search = {title, owner, nullptr};
    EnumThreadWindows(thread, matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForDialog(DWORD thread, const std::string& title, HWND owner)
{
    HWND found = nullptr;
    waitFor([&] { return (found = findDialog(thread, title, owner)) != nullptr; }, 20000);
    return found;
}

std::string itemText(HWND dialog, int id)
{
    return windowText(GetDlgItem(dialog, id));
}

void setItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string messageBoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, findMessageText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void pressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void typeCounts(HWND dialog, const std::string& points, const std::string& iterations)
{
    setItemText(dialog, IDC_EXPORT_POINTS, points);
    setItemText(dialog, IDC_EXPORT_ITERATIONS, iterations);
}

HWND confirmCounts(DWORD uiThread, HWND dialog, const std::string& points, const std::string& iterations)
{
    typeCounts(dialog, points, iterations);
    pressButton(dialog, IDOK);
    return waitForDialog(uiThread, "Export to...", dialog);
}

void saveAs(HWND saveDialog, const std::string& name)
{
    setItemText(saveDialog, saveNameBox, name);
    pressButton(saveDialog, IDOK);
}

bool confirmReplacement(DWORD uiThread, HWND saveDialog)
{
    HWND question = waitForDialog(uiThread, "Export to...", saveDialog);
    if (!question)
        return false;
    pressButton(question, IDYES);
    return true;
}

bool waitForEnd(HWND window)
{
    return waitFor([&] { return !IsWindow(window); });
}

void runExportDialog(HWND owner, const std::function<void(DWORD uiThread)>& script)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> ended{false};
    std::thread driver([&] {
        script(uiThread);
        while (!waitFor([&] { return ended.load(); }, 5000)) {
            std::vector<HWND> dialogs;
            EnumThreadWindows(uiThread, collectDialog, reinterpret_cast<LPARAM>(&dialogs));
            for (HWND dialog : dialogs)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    showExportDialog(owner);
    ended = true;
    driver.join();
}
