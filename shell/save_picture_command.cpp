#include "shell/save_picture_command.h"

#include "engine/fractal_view.h"
#include "export/background_save.h"
#include "export/picture_size_dialog.h"

#include <commdlg.h>

#include <string>

namespace {

void showError(HWND owner, const std::string& text)
{
    MessageBoxA(owner, text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

// Asks for the file with the save dialog; false when the user cancelled it
// or the dialog failed, which CommDlgExtendedError then tells apart.
bool chooseFile(HWND owner, char* fileName, DWORD size)
{
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(OPENFILENAMEA);
    request.hwndOwner = owner;
    request.lpstrFilter = "PNG pictures (*.png)\0*.png\0\0";
    request.lpstrFile = fileName;
    request.nMaxFile = size;
    request.lpstrTitle = "Save Picture As";
    request.Flags = OFN_OVERWRITEPROMPT;
    request.lpstrDefExt = "png";
    return GetSaveFileNameA(&request) != 0;
}

} // namespace

void showSavePicture(HWND frame)
{
    if (!theFractalView)
        return;
    char fileName[MAX_PATH] = "";
    if (!chooseFile(frame, fileName, sizeof fileName)) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0)
            showError(frame, "The file name could not be chosen (common dialog error " + std::to_string(error) + ").");
        return;
    }

    // The view's size is the size of its window, at which a new
    // calculation would compute it.
    RECT client = {};
    GetClientRect(theFractalView->window, &client);
    PictureSize size;
    if (!askPictureSize(frame, client.right, client.bottom, &size))
        return;

    PictureSaveJob job;
    job.path = fileName;
    job.location = theFractalView->location();
    job.centerReal = theFractalView->centerReal;
    job.centerImag = theFractalView->centerImag;
    job.width = size.width;
    job.height = size.height;
    // No calculation starts before the save has ended, so a finished
    // picture of the view stays as it is meanwhile.
    job.finishedPixels = theFractalView->finishedPicture(size.width, size.height);
    const PictureSaveResult result = savePictureWhileResponsive(frame, job);
    if (!result.failure.empty())
        showError(frame, result.failure);
}
