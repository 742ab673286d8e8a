#include "export/background_export.h"

#include "export/export_progress_dialog.h"
#include "export/progress_window.h"

namespace {

// The export being written, if any.
ExportRun* runningExport = nullptr;

} // namespace

OrbitFileResult writeOrbitFileWhileResponsive(HWND owner, int iterations, int points, const char* path,
                                              const OrbitPointSampler& samplePoints)
{
    OrbitFileJob job;
    const std::string failure = prepareOrbitFile(iterations, points, path, samplePoints, job);
    if (!failure.empty())
        return OrbitFileResult{false, failure};

    ExportRun run;
    run.job = &job;
    run.progress.total = job.size;
    runningExport = &run;
    // Without its window the file is written here, as a short export
    // always was.
    if (!runExportProgressDialog(owner, run))
        run.result = writeOrbitJob(job, run.progress);
    // The window may also have ended before the writer, when a quit
    // message or the end of its owner took it away: the writing stops then.
    stopWorkThread(run.progress.stopRequested, run.writer);
    runningExport = nullptr;
    return run.result;
}

void stopRunningExport()
{
    if (!runningExport)
        return;
    stopWorkThread(runningExport->progress.stopRequested, runningExport->writer);
}
