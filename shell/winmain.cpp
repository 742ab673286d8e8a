// The program's entry point.
#include "common/app_instance.h"
#include "shell/message_loop.h"
#include "shell/start_location.h"
#include "shell/start_up.h"
#include "shell/window_classes.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand)
{
    appInstance = instance;
    if (!registerWindowClasses(instance))
        return reportStartupFailure();
    HWND frame = createMainFrame(instance, showCommand, startLocation(arguments));
    if (!frame)
        return reportStartupFailure();
    return runMessageLoop(frame, LoadAcceleratorsA(instance, "Zelvar2"));
}
