#include "tests/win32/export_test_steps.h"

#include "export/export_dialog.h"
#include "resources/resource_ids.h"
#include "tests/support/dialog_driver.h"
#include "view/orbit_line_points.h"

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

void runExportDialog(HWND owner, const std::function<void(DWORD uiThread)>& script)
{
    runBesideScript([owner] { showExportDialog(owner, orbitLinePlanePoints()); }, script);
}
