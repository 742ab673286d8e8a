#include "export/background_export.h"

#include "export/export_progress_dialog.h"

#include <thread>

namespace {

// How long the writing may take before the progress window shows.
constexpr DWORD quietMs = 500;

// Dispatches this thread's messages until `finished` is signalled or
// timeoutMs has passed; true when it was signalled. A quit message asks the
// writer to stop and is kept in *quitCode, to be posted again afterwards.
bool dispatchUntil(HANDLE finished, DWORD timeoutMs, WriteProgress& progress, bool* quit, int* quitCode)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                progress.stopRequested = true;
                *quit = true;
                *quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const DWORD waited = GetTickCount() - start;
        if (timeoutMs != INFINITE && waited >= timeoutMs)
            return WaitForSingleObject(finished, 0) == WAIT_OBJECT_0;
        const DWORD left = timeoutMs == INFINITE ? INFINITE : timeoutMs - waited;
        if (MsgWaitForMultipleObjects(1, &finished, FALSE, left, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
    }
}

} // namespace

OrbitFileResult exportInBackground(HWND owner, int iterations, int points, const char* path)
{
    OrbitFileJob job;
    const std::string failure = prepareOrbitFile(iterations, points, path, job);
    if (!failure.empty())
        return OrbitFileResult{false, failure};
    WriteProgress progress;
    progress.total = job.size;

    // Without an event or a thread the file is written here, as a short
    // export always was.
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!finished)
        return writeOrbitJob(job, progress);
    OrbitFileResult result{false, {}};
    std::thread writer;
    try {
        writer = std::thread([&] {
            result = writeOrbitJob(job, progress);
            SetEvent(finished);
        });
    } catch (...) {
        CloseHandle(finished);
        return writeOrbitJob(job, progress);
    }

    bool quit = false;
    int quitCode = 0;
    if (!dispatchUntil(finished, quietMs, progress, &quit, &quitCode)) {
        if (!quit)
            showExportProgressDialog(owner, progress, finished);
        // Whatever ended the window, or kept it from showing, the writer is
        // waited for here.
        dispatchUntil(finished, INFINITE, progress, &quit, &quitCode);
    }
    writer.join();
    CloseHandle(finished);
    if (quit)
        PostQuitMessage(quitCode);
    return result;
}
