// The progress window of a picture being saved.
#pragma once

#include "export/picture_save.h"

#include <windows.h>

#include <atomic>
#include <thread>

// Posted by the saving thread to the progress window: once the picture is
// saved or the saving has stopped, and when more rows are computed.
constexpr UINT WM_PICTURE_SAVED = WM_APP + 3;
constexpr UINT WM_PICTURE_ROWS = WM_APP + 4;

// One picture being saved: the job, its progress, its thread and its outcome.
struct PictureSaveRun {
    const PictureSaveJob* job;
    PictureSaveProgress progress;
    PictureSaveResult result;
    std::thread saver;
    // A WM_PICTURE_ROWS waits in the window's queue: the rows that come
    // meanwhile need no message of their own.
    std::atomic<bool> rowsPosted{false};
};

// Runs the modal progress window "Save Picture" over owner, which starts
// run's saving thread: a bar with the share of the rows computed, "Row N of
// M", and a Cancel button that asks the saving to stop (Escape and the close
// box mean Cancel too). The window is made at once but shows only once the
// saving has taken half a second. It ends when the saving thread reports its
// end. False when the window could not be made, in which case no thread was
// started.
bool runPictureSaveProgressDialog(HWND owner, PictureSaveRun& run);
INT_PTR CALLBACK pictureSaveProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
