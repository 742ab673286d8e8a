#include "shell/start_up.h"

#include "common/dpi_scale.h"
#include "common/window_dpi.h"

HWND createMainFrame(HINSTANCE instance, int showCommand, const Location& start)
{
    HMENU menu = LoadMenuA(instance, "Zelvar2");
    // The frame appears on the main monitor, whose scale is the system's.
    const int dpi = systemDpi();
    Location frameStart = start;
    HWND frame = CreateWindowExA(0, "Zelvar2", "Zelvar v2.0", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 scaleForDpi(500, dpi), scaleForDpi(400, dpi), nullptr, menu, instance,
                                 &frameStart);
    if (!frame) {
        // A frame whose creation failed has been destroyed again, and its
        // destruction posted the quit message. Take that message away, or it
        // would close the failure box before the user could read it.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return nullptr;
    }
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);
    return frame;
}

int reportStartupFailure()
{
    MessageBoxA(nullptr, "Lame!", "Zelvar2", MB_ICONERROR);
    return 0;
}
