#include "engine/parameters_dialog.h"

#include "common/app_instance.h"
#include "common/dialog_steps.h"
#include "engine/number_text.h"
#include "resources/resource_ids.h"

namespace {

// Each edit box is read into a buffer of this size.
constexpr int textBufferSize = 256;

FractalView* dialogView(HWND dialog)
{
    return reinterpret_cast<FractalView*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void initialise(HWND dialog, FractalView* view)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(view));
    // Only the first textBufferSize - 1 characters are read back on OK.
    SetDlgItemTextA(dialog, IDC_THRESHOLD, formatPositiveReal(view->threshold, textBufferSize - 1).c_str());
    SetDlgItemTextA(dialog, IDC_MAX_ITERATIONS, formatInteger(view->maxIterations).c_str());
    if (view->binaryColoring)
        CheckDlgButton(dialog, IDC_BINARY_COLORING, BST_CHECKED);
}

void accept(HWND dialog)
{
    const std::string thresholdText = dialogItemText(dialog, IDC_THRESHOLD, textBufferSize);
    const std::string iterationsText = dialogItemText(dialog, IDC_MAX_ITERATIONS, textBufferSize);

    // Written as "not greater than" so that a text read as NaN is refused too.
    const double threshold = parseReal(thresholdText.c_str());
    if (!(threshold > 0)) {
        showErrorBox(dialog, "Error!  Distance threshold must be a positive number!");
        return;
    }
    const int iterations = parseInteger(iterationsText.c_str());
    if (!(iterations > 0)) {
        showErrorBox(dialog, "Error!  Max iterations must be a positive integer!");
        return;
    }

    // Ending only marks the dialog to close once this procedure returns.
    EndDialog(dialog, 0);
    FractalView* view = dialogView(dialog);
    view->threshold = threshold;
    view->maxIterations = iterations;
    view->binaryColoring = IsDlgButtonChecked(dialog, IDC_BINARY_COLORING) == BST_CHECKED;
    view->startCalculation();
}

} // namespace

void showParametersDialog(FractalView* view)
{
    DialogBoxParamA(appInstance, "changeparameters", view->window, parametersDialogProc,
                    reinterpret_cast<LPARAM>(view));
}

INT_PTR CALLBACK parametersDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog, reinterpret_cast<FractalView*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            accept(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
