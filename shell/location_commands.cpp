#include "shell/location_commands.h"

#include "common/dialog_steps.h"
#include "engine/fractal_view.h"
#include "engine/location_dialog.h"
#include "engine/view_navigation.h"
#include "engine/view_requests.h"
#include "export/location_file_writer.h"
#include "export/location_source.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// Long enough for any path the A functions take.
constexpr DWORD pathBufferSize = 32768;

const char openFilter[] = "Locations and pictures (*.zelvar, *.png)\0*.zelvar;*.png\0"
                          "Zelvar locations (*.zelvar)\0*.zelvar\0"
                          "PNG pictures (*.png)\0*.png\0";
const char saveFilter[] = "Zelvar locations (*.zelvar)\0*.zelvar\0";

// An error box over frame; view requests given meanwhile wait for it.
void showError(HWND frame, const std::string& text)
{
    ModalDialogScope box;
    showErrorBox(frame, text);
}

int viewHeight()
{
    RECT client = {};
    GetClientRect(theFractalView->window, &client);
    return client.bottom;
}

// Moves the view to target in its turn, as a zoom does.
void submitMove(const Location& target)
{
    viewRequests().submit([target] { changeView([&] { theFractalView->moveTo(target); }); });
}

// Runs a common file dialog; true with the chosen path, false when the user
// cancelled it, and a message when the dialog itself failed.
template <class Dialog>
bool chooseFile(HWND frame, Dialog dialog, OPENFILENAMEA& request, std::vector<char>& path)
{
    path.assign(pathBufferSize, '\0');
    request.lStructSize = sizeof request;
    request.hwndOwner = frame;
    request.lpstrFile = path.data();
    request.nMaxFile = pathBufferSize;
    bool chosen = false;
    {
        ModalDialogScope scope;
        chosen = dialog(&request) != 0;
    }
    const DWORD error = chosen ? 0 : CommDlgExtendedError();
    if (error != 0)
        showError(frame, "The file name could not be chosen (common dialog error " + std::to_string(error) + ").");
    return chosen;
}

} // namespace

void chooseLocation(HWND frame)
{
    Location chosen = theFractalView->location();
    bool accepted = false;
    {
        ModalDialogScope dialog;
        accepted = askForLocation(frame, chosen, viewHeight());
    }
    if (!accepted)
        return;
    // Only the place is taken: the parameters are the view's when the move
    // runs, after any change of them given before it.
    viewRequests().submit([chosen] {
        Location target = theFractalView->location();
        target.centerReal = chosen.centerReal;
        target.centerImag = chosen.centerImag;
        target.halfHeight = chosen.halfHeight;
        changeView([&] { theFractalView->moveTo(target); });
    });
}

void openLocationFromDialog(HWND frame)
{
    OPENFILENAMEA request = {};
    request.lpstrFilter = openFilter;
    request.lpstrTitle = "Open Location";
    request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    std::vector<char> path;
    if (chooseFile(frame, GetOpenFileNameA, request, path))
        openLocationFile(frame, path.data());
}

void openLocationFile(HWND frame, const char* path)
{
    Location location;
    const std::string problem = readLocationFrom(path, location);
    if (!problem.empty()) {
        showError(frame, problem);
        return;
    }
    submitMove(location);
}

void openDroppedFile(HWND frame, HDROP drop)
{
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(DragQueryFileA(drop, 0, &path[0], length + 1));
    DragFinish(drop);
    if (!path.empty())
        openLocationFile(frame, path.c_str());
}

void saveLocationFromDialog(HWND frame)
{
    OPENFILENAMEA request = {};
    request.lpstrFilter = saveFilter;
    request.lpstrTitle = "Save Location";
    request.lpstrDefExt = "zelvar";
    request.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    std::vector<char> path;
    if (!chooseFile(frame, GetSaveFileNameA, request, path))
        return;
    const std::string problem = writeLocationFile(path.data(), theFractalView->location());
    if (!problem.empty())
        showError(frame, problem);
}
