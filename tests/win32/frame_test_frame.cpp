#include "tests/win32/frame_test_frame.h"

#include "engine/fractal_view.h"
#include "shell/app_instance.h"
#include "shell/start_up.h"
#include "shell/window_classes.h"
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

bool waitUntilIdle()
{
    return pumpUntil([] { return !theFractalView || !theFractalView->busy; });
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
    waitUntilIdle();
    if (IsWindow(frame_))
        DestroyWindow(frame_);
    pumpPending();
    takeQuitMessage();
}
