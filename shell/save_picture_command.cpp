#include "shell/save_picture_command.h"

#include "common/dialog_steps.h"
#include "engine/fractal_view.h"
#include "export/background_save.h"
#include "export/picture_size_dialog.h"
#include "export/save_file_dialog.h"

#include <commdlg.h>

#include <string>

namespace {

const SaveFileRequest pictureFile = {"PNG pictures (*.png)\0*.png\0\0", "Save Picture As", "png"};

} // namespace

void showSavePicture(HWND frame)
{
    if (!theFractalView)
        return;
    char fileName[MAX_PATH] = "";
    if (!chooseFileToSave(frame, pictureFile, fileName, sizeof fileName)) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0)
            showErrorBox(frame,
                         "The file name could not be chosen (common dialog error " + std::to_string(error) + ").");
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
        showErrorBox(frame, result.failure);
}
