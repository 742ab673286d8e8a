#include "tests/win32/shell_dialog_driver.h"

#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

DWORD uiThread = 0;

struct Search {
    const char* caption;
    HWND owner;
    HWND found;
};

bool isDialogWindow(HWND window)
{
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter)
{
    Search& search = *reinterpret_cast<Search*>(parameter);
    if (!isDialogWindow(window) || !IsWindowVisible(window))
        return TRUE;
    if (search.owner && GetWindow(window, GW_OWNER) != search.owner)
        return TRUE;
    if (search.caption && windowText(window) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND findDialog(const char* caption, HWND owner)
{
    Search search = {caption, owner, nullptr};
    EnumThreadWindows(uiThread, matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK cancelDialog(HWND window, LPARAM)
{
    if (isDialogWindow(window))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

BOOL CALLBACK readMessageBoxChild(HWND child, LPARAM parameter)
{
    SeenMessageBox& seen = *reinterpret_cast<SeenMessageBox*>(parameter);
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) != "Static")
        return TRUE;
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        seen.errorIcon = icon && icon == LoadIconA(nullptr, IDI_ERROR);
    } else if (!windowText(child).empty()) {
        seen.text = windowText(child);
    }
    return TRUE;
}

} // namespace

DWORD dialogThread() { return uiThread; }

bool driveModalDialog(const char* caption, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& script)
{
    uiThread = GetCurrentThreadId();
    std::atomic<bool> appeared{false};
    std::thread driver([&] {
        HWND dialog = nullptr;
        pumpUntil([&] { return (dialog = findDialog(caption, nullptr)) != nullptr; }, 20000);
        if (dialog) {
            appeared = true;
            script(dialog);
        }
        // Whatever the script left open is cancelled, message boxes first.
        pumpUntil([] {
            if (!findDialog(nullptr, nullptr))
                return true;
            EnumThreadWindows(uiThread, cancelDialog, 0);
            return false;
        });
    });
    open();
    driver.join();
    EXPECT_TRUE(appeared) << "no dialog titled \"" << caption << "\" appeared";
    return appeared;
}

void clickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

void typeText(HWND dialog, int id, const std::string& text) { SetWindowTextA(GetDlgItem(dialog, id), text.c_str()); }

bool waitUntilClosed(HWND dialog)
{
    return pumpUntil([&] { return !IsWindow(dialog); }, 20000);
}

SeenMessageBox answerMessageBox(HWND owner)
{
    SeenMessageBox seen;
    HWND box = nullptr;
    if (!pumpUntil([&] { return (box = findDialog(nullptr, owner)) != nullptr; }, 20000))
        return seen;
    seen.shown = true;
    seen.caption = windowText(box);
    EnumChildWindows(box, readMessageBoxChild, reinterpret_cast<LPARAM>(&seen));
    clickButton(box, IDOK);
    EXPECT_TRUE(waitUntilClosed(box)) << "the message box did not close";
    return seen;
}

bool messageBoxOpen(HWND owner)
{
    // A sent message is handled only once the owner's procedure has returned
    // to a message loop, by which time any further box would exist.
    SendMessageA(owner, WM_NULL, 0, 0);
    return findDialog(nullptr, owner) != nullptr;
}
