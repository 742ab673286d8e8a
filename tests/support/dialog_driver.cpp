#include "tests/support/dialog_driver.h"

#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// How long a dialog or a box the script waits for may take to come or go.
constexpr DWORD dialogTimeoutMs = 20000;

bool isDialogWindow(HWND window)
{
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

struct DialogSearch {
    const std::string& caption;
    HWND owner;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM parameter)
{
    DialogSearch& search = *reinterpret_cast<DialogSearch*>(parameter);
    if (!isDialogWindow(window) || !IsWindowVisible(window))
        return TRUE;
    if (search.owner && GetWindow(window, GW_OWNER) != search.owner)
        return TRUE;
    if (!search.caption.empty() && windowText(window) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

// Every dialog of the thread, message boxes first: they lie above what
// they came from.
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
    if (_stricmp(className, "Static") != 0)
        return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        seen.errorIcon = icon && icon == LoadIconA(nullptr, IDI_ERROR);
    } else if (seen.text.empty()) {
        seen.text = windowText(child);
    }
    return TRUE;
}

DWORD threadOf(HWND window)
{
    return GetWindowThreadProcessId(window, nullptr);
}

} // namespace

HWND findDialog(DWORD thread, const std::string& caption, HWND owner)
{
    DialogSearch search = {caption, owner, nullptr};
    EnumThreadWindows(thread, matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForDialog(DWORD thread, const std::string& caption, HWND owner)
{
    HWND found = nullptr;
    waitFor([&] { return (found = findDialog(thread, caption, owner)) != nullptr; }, dialogTimeoutMs);
    return found;
}

bool waitUntilClosed(HWND window)
{
    return waitFor([&] { return !IsWindow(window); });
}

std::string itemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    const LRESULT length = SendMessageA(item, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(item, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

void setItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void pressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void clickButton(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

SeenMessageBox readMessageBox(HWND box)
{
    SeenMessageBox seen;
    if (!box)
        return seen;
    seen.shown = true;
    seen.caption = windowText(box);
    EnumChildWindows(box, readMessageBoxChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

SeenMessageBox answerMessageBox(HWND owner)
{
    HWND box = waitForDialog(threadOf(owner), {}, owner);
    const SeenMessageBox seen = readMessageBox(box);
    if (box) {
        clickButton(box, IDOK);
        EXPECT_TRUE(waitUntilClosed(box)) << "the message box did not close";
    }
    return seen;
}

bool messageBoxOpen(HWND owner)
{
    // A sent message is handled only once the owner's procedure has returned
    // to a message loop, by which time any further box would exist.
    SendMessageA(owner, WM_NULL, 0, 0);
    return findDialog(threadOf(owner), {}, owner) != nullptr;
}

void runBesideScript(const std::function<void()>& open, const std::function<void(DWORD uiThread)>& script,
                     DWORD leftOpenMs)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> ended{false};
    std::thread driver([&] {
        script(uiThread);
        const auto openEnded = [&] { return ended.load(); };
        for (DWORD wait = leftOpenMs; !waitFor(openEnded, wait); wait = std::max<DWORD>(leftOpenMs, 10))
            EnumThreadWindows(uiThread, cancelDialog, 0);
    });
    open();
    ended = true;
    driver.join();
}

void runCommandWith(HWND window, int command, const std::function<void(DWORD uiThread)>& script, DWORD leftOpenMs)
{
    runBesideScript([&] { SendMessageA(window, WM_COMMAND, command, 0); }, script, leftOpenMs);
}

bool driveModalDialog(const std::string& caption, const std::function<void()>& open,
                      const std::function<void(HWND dialog)>& script)
{
    bool appeared = false;
    runBesideScript(open,
                    [&](DWORD uiThread) {
                        HWND dialog = waitForDialog(uiThread, caption);
                        appeared = dialog != nullptr;
                        if (dialog)
                            script(dialog);
                    },
                    0);
    EXPECT_TRUE(appeared) << "no dialog titled \"" << caption << "\" appeared";
    return appeared;
}
