#include "export/export_dialog.h"

#include "common/app_instance.h"
#include "common/dialog_steps.h"
#include "engine/number_text.h"
#include "export/background_export.h"
#include "export/save_file_dialog.h"
#include "resources/resource_ids.h"

#include <commdlg.h>

#include <string>

int exportIterations = 64;
int exportPoints = 255;

namespace {

// Each edit box is read into a buffer of this size.
constexpr int textBufferSize = 256;

const char badCountText[] = "You must specify a positive integer for number of iterations!";

const SaveFileRequest exportFile = {"POV-RAY files (*.pov)\0*.pov\0\0", "Export to...", "pov"};

void confirmExport(HWND dialog)
{
    const std::string iterationsText = dialogItemText(dialog, IDC_EXPORT_ITERATIONS, textBufferSize);
    const std::string pointsText = dialogItemText(dialog, IDC_EXPORT_POINTS, textBufferSize);
    // Both are stored before they are judged, so that a rejected value shows
    // again at the next opening.
    exportIterations = parseInteger(iterationsText.c_str());
    exportPoints = parseInteger(pointsText.c_str());
    if (exportIterations < 1 || exportPoints < 1) {
        showErrorBox(dialog, badCountText);
        return;
    }

    char fileName[260] = "";
    if (!chooseFileToSave(dialog, exportFile, fileName, sizeof fileName)) {
        // A cancelled save dialog ends the export without writing anything.
        const DWORD error = CommDlgExtendedError();
        if (error == 0) {
            EndDialog(dialog, 0);
            return;
        }
        const std::string text = "The file name could not be chosen (common dialog error " + std::to_string(error) + ").";
        showErrorBox(dialog, text);
        return;
    }
    // After a failure the dialog stays open, so that the user can choose
    // another file or cancel. A stopped export ends it as a written one does.
    const auto* samplePoints = reinterpret_cast<const OrbitPointSampler*>(GetWindowLongPtrA(dialog, DWLP_USER));
    const OrbitFileResult result =
        writeOrbitFileWhileResponsive(dialog, exportIterations, exportPoints, fileName, *samplePoints);
    if (!result.written && !result.stopped) {
        showErrorBox(dialog, result.failure);
        return;
    }
    EndDialog(dialog, 0);
}

} // namespace

void showExportDialog(HWND owner, const OrbitPointSampler& samplePoints)
{
    DialogBoxParamA(appInstance, "export", owner, exportDialogProc, reinterpret_cast<LPARAM>(&samplePoints));
}

INT_PTR CALLBACK exportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, IDC_EXPORT_ITERATIONS, formatInteger(exportIterations).c_str());
        SetDlgItemTextA(dialog, IDC_EXPORT_POINTS, formatInteger(exportPoints).c_str());
        return TRUE;
    case WM_COMMAND:
        // While its progress window or a message box is open the dialog is
        // disabled: a command posted to it then is not taken.
        if (!IsWindowEnabled(dialog))
            return TRUE;
        switch (LOWORD(wParam)) {
        case IDOK:
            confirmExport(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
