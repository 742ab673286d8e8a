#include "tests/e2e/dialog_steps.h"

#include "resources/resource_ids.h"
#include "tests/e2e/user_input.h"
#include "tests/support/wait_for.h"

const char* const parametersCaption = "Change Fractal Paramters";
const char* const exportCaption = "Export Properties";
const char* const saveCaption = "Export to...";

bool waitForForeground(HWND window, DWORD timeoutMs)
{
    return waitFor([&] { return GetForegroundWindow() == window; }, timeoutMs);
}

bool waitForClosed(HWND window, DWORD timeoutMs)
{
    return waitFor([&] { return !IsWindow(window); }, timeoutMs);
}

HWND openParametersDialog(const ExplorerProcess& explorer)
{
    explorer.activate();
    pressWithModifier(VK_CONTROL, VK_RETURN);
    HWND dialog = explorer.waitForTopWindow(parametersCaption);
    if (dialog)
        waitForForeground(dialog);
    return dialog;
}

bool replaceEditText(HWND edit, const std::string& text)
{
    // A click puts the caret into the box; Home and Shift+End select its text,
    // which the typing then replaces.
    RECT box = {};
    GetWindowRect(edit, &box);
    if (!clickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2}) ||
        !waitFor([&] { return GetForegroundWindow() == GetAncestor(edit, GA_ROOT); }, 10000))
        return false;
    pressKey(VK_HOME);
    pressWithModifier(VK_SHIFT, VK_END);
    typeText(text);
    return true;
}

bool fillParametersDialog(HWND dialog, const std::string& threshold, const std::string& iterations, bool binary)
{
    if (!replaceEditText(GetDlgItem(dialog, IDC_THRESHOLD), threshold) ||
        !replaceEditText(GetDlgItem(dialog, IDC_MAX_ITERATIONS), iterations))
        return false;
    HWND box = GetDlgItem(dialog, IDC_BINARY_COLORING);
    const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked != binary) {
        RECT rect = {};
        GetWindowRect(box, &rect);
        // The box itself sits at the left of the control, before its label.
        if (!clickAt({rect.left + 6, (rect.top + rect.bottom) / 2}))
            return false;
    }
    // Wait until the dialog has taken every key and click so far.
    const bool taken = waitFor(
        [&] {
            return remoteWindowText(GetDlgItem(dialog, IDC_THRESHOLD)) == threshold &&
                   remoteWindowText(GetDlgItem(dialog, IDC_MAX_ITERATIONS)) == iterations &&
                   (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == binary;
        },
        10000);
    // Enter in the dialog presses its default button, OK.
    pressKey(VK_RETURN);
    return taken;
}

bool changeParameters(const ExplorerProcess& explorer, const std::string& threshold, const std::string& iterations,
                      bool binary)
{
    HWND dialog = openParametersDialog(explorer);
    if (!dialog)
        return false;
    if (!fillParametersDialog(dialog, threshold, iterations, binary) || !waitForClosed(dialog))
        return false;
    // The keys that follow must reach the frame, not whatever window Wine
    // activates once the dialog has gone.
    explorer.activate();
    return true;
}
