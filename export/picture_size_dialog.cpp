#include "export/picture_size_dialog.h"

#include "common/app_instance.h"
#include "common/dialog_steps.h"
#include "resources/resource_ids.h"

#include <string>

namespace {

struct SizeDialog {
    int viewWidth;
    int viewHeight;
    PictureSize* chosen;
    // A side is being set in proportion to the other: its change must not
    // set the other in turn.
    bool settingSide;
};

SizeDialog* dialogState(HWND dialog)
{
    return reinterpret_cast<SizeDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void setSide(HWND dialog, SizeDialog& state, int id, int side)
{
    state.settingSide = true;
    SetDlgItemTextA(dialog, id, std::to_string(side).c_str());
    state.settingSide = false;
}

// Sets the side `other` in proportion to the side `changed` has now, when
// the proportions are kept and the changed side is a valid one.
void keepProportions(HWND dialog, SizeDialog& state, int changed)
{
    if (state.settingSide || IsDlgButtonChecked(dialog, IDC_PICTURE_KEEP_PROPORTIONS) != BST_CHECKED)
        return;
    const bool width = changed == IDC_PICTURE_WIDTH;
    const int other = width ? proportionalSide(dialogItemText(dialog, changed), state.viewWidth, state.viewHeight)
                            : proportionalSide(dialogItemText(dialog, changed), state.viewHeight, state.viewWidth);
    if (other > 0)
        setSide(dialog, state, width ? IDC_PICTURE_HEIGHT : IDC_PICTURE_WIDTH, other);
}

void initialise(HWND dialog, SizeDialog* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    setSide(dialog, *state, IDC_PICTURE_WIDTH, state->viewWidth);
    setSide(dialog, *state, IDC_PICTURE_HEIGHT, state->viewHeight);
    CheckDlgButton(dialog, IDC_PICTURE_KEEP_PROPORTIONS, BST_CHECKED);
}

void accept(HWND dialog, SizeDialog& state)
{
    const std::string problem =
        readPictureSize(dialogItemText(dialog, IDC_PICTURE_WIDTH), dialogItemText(dialog, IDC_PICTURE_HEIGHT),
                        *state.chosen);
    if (!problem.empty()) {
        showErrorBox(dialog, problem);
        return;
    }
    EndDialog(dialog, IDOK);
}

} // namespace

bool askPictureSize(HWND owner, int viewWidth, int viewHeight, PictureSize* size)
{
    SizeDialog state = {viewWidth, viewHeight, size, false};
    return DialogBoxParamA(appInstance, "picturesize", owner, pictureSizeDialogProc,
                           reinterpret_cast<LPARAM>(&state)) == IDOK;
}

INT_PTR CALLBACK pictureSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    SizeDialog* state = dialogState(dialog);
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog, reinterpret_cast<SizeDialog*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (!state)
            return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_PICTURE_WIDTH:
        case IDC_PICTURE_HEIGHT:
            if (HIWORD(wParam) == EN_CHANGE)
                keepProportions(dialog, *state, LOWORD(wParam));
            return TRUE;
        case IDC_PICTURE_KEEP_PROPORTIONS:
            // Checked again, the box brings the height into the view's
            // proportions with the width.
            if (HIWORD(wParam) == BN_CLICKED)
                keepProportions(dialog, *state, IDC_PICTURE_WIDTH);
            return TRUE;
        case IDOK:
            accept(dialog, *state);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
