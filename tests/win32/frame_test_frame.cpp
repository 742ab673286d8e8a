#include "tests/win32/frame_test_frame.h"

#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "shell/start_up.h"
#include "shell/window_classes.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"

void registerProgramClasses()
{
    static const bool registered = registerWindowClasses(appInstance);
    (void)registered;
}

bool takeQuitMessage(WPARAM* code)
{
    MSG quit;
    if (!PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    if (code)
        *code = quit.wParam;
    return true;
}

TestFrame::TestFrame()
{
    registerProgramClasses();
    frame_ = createMainFrame(appInstance, SW_SHOWNORMAL);
    waitUntilIdle();
    pumpPending();
}

TestFrame::~TestFrame()
{
    // Commands still on their way run first, and their calculations end.
    pumpPending();
    waitUntilIdle();
    if (IsWindow(frame_))
        DestroyWindow(frame_);
    pumpPending();
    takeQuitMessage();
}

PretendCalculation::PretendCalculation()
{
    waitUntilIdle();
    stopRequested = false;
    theFractalView->busy = true;
    ++theFractalView->calculation;
}

PretendCalculation::~PretendCalculation()
{
    PostMessageA(theFractalView->window, WM_CALCULATION_ENDED, theFractalView->calculation, 0);
    theFractalView->busy = false;
}

bool commandIsQueued(HWND frame, WPARAM* wParam, LPARAM* lParam)
{
    MSG message;
    if (!PeekMessageA(&message, frame, WM_COMMAND, WM_COMMAND, PM_NOREMOVE))
        return false;
    if (wParam)
        *wParam = message.wParam;
    if (lParam)
        *lParam = message.lParam;
    return true;
}

DialogAnswerer::DialogAnswerer(std::string caption, int button, std::function<void(HWND)> atSight)
    : caption_(std::move(caption)), button_(button), atSight_(std::move(atSight)), uiThread_(GetCurrentThreadId()),
      thread_([this] { run(); })
{
}

DialogAnswerer::~DialogAnswerer()
{
    stop_ = true;
    thread_.join();
}

void DialogAnswerer::run()
{
    HWND dialog = nullptr;
    waitFor([&] { return stop_ || (dialog = findDialog(uiThread_, caption_)) != nullptr; }, 30000);
    appeared_ = dialog != nullptr;
    if (!appeared_)
        return;
    if (atSight_)
        atSight_(dialog);
    pressButton(dialog, button_);
}
