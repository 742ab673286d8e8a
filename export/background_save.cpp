#include "export/background_save.h"

#include "export/picture_save_progress_dialog.h"
#include "export/progress_window.h"

namespace {

// The picture being saved, if any.
PictureSaveRun* runningSave = nullptr;

} // namespace

PictureSaveResult savePictureWhileResponsive(HWND owner, const PictureSaveJob& job)
{
    PictureSaveRun run;
    run.job = &job;
    runningSave = &run;
    // Without its window the picture is saved here.
    if (!runPictureSaveProgressDialog(owner, run))
        run.result = savePicture(job, run.progress);
    // The window may also have ended before the saving, when a quit message
    // or the end of its owner took it away: the saving stops then.
    stopWorkThread(run.progress.stopRequested, run.saver);
    runningSave = nullptr;
    return run.result;
}

void stopRunningSave()
{
    if (!runningSave)
        return;
    stopWorkThread(runningSave->progress.stopRequested, runningSave->saver);
}
