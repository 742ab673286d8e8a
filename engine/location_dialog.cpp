#include "engine/location_dialog.h"

#include "common/app_instance.h"
#include "common/dialog_steps.h"
#include "engine/location_fields.h"
#include "resources/resource_ids.h"

#include <string>

namespace {

// What the dialog was opened with and what it gives back.
struct LocationRequest {
    Location* location;
    LocationTexts shown;
    bool accepted;
};

LocationRequest* dialogRequest(HWND dialog)
{
    return reinterpret_cast<LocationRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

int fieldControl(LocationField field)
{
    switch (field) {
    case LocationField::centerImag:
        return IDC_LOCATION_IMAG;
    case LocationField::halfHeight:
        return IDC_LOCATION_HALF_HEIGHT;
    default:
        return IDC_LOCATION_REAL;
    }
}

void showField(HWND dialog, int id, const std::string& text)
{
    // Typed values may have any number of digits.
    SendDlgItemMessageA(dialog, id, EM_SETLIMITTEXT, 0, 0);
    SetDlgItemTextA(dialog, id, text.c_str());
}

void initialise(HWND dialog, LocationRequest* request)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(request));
    showField(dialog, IDC_LOCATION_REAL, request->shown.centerReal);
    showField(dialog, IDC_LOCATION_IMAG, request->shown.centerImag);
    showField(dialog, IDC_LOCATION_HALF_HEIGHT, request->shown.halfHeight);
}

void accept(HWND dialog)
{
    LocationRequest* request = dialogRequest(dialog);
    const LocationTexts typed{dialogItemText(dialog, IDC_LOCATION_REAL), dialogItemText(dialog, IDC_LOCATION_IMAG),
                              dialogItemText(dialog, IDC_LOCATION_HALF_HEIGHT)};
    const LocationFieldsReading reading = readLocationTexts(typed, request->shown, *request->location);
    if (!reading.problem.empty()) {
        showErrorBox(dialog, reading.problem);
        // The field at fault takes the focus, its text selected for typing over.
        HWND field = GetDlgItem(dialog, fieldControl(reading.field));
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        return;
    }
    request->accepted = true;
    EndDialog(dialog, IDOK);
}

} // namespace

bool askForLocation(HWND owner, Location& location, int height)
{
    LocationRequest request{&location, locationTexts(location, height), false};
    DialogBoxParamA(appInstance, "location", owner, locationDialogProc, reinterpret_cast<LPARAM>(&request));
    return request.accepted;
}

INT_PTR CALLBACK locationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog, reinterpret_cast<LocationRequest*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            accept(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
