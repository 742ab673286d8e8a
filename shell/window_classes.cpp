#include "shell/window_classes.h"

#include "orbits/orbit_window.h"
#include "shell/frame_window.h"
#include "view/fractal_view_window.h"

bool registerWindowClasses(HINSTANCE instance)
{
    return registerFrameClass(instance) != 0 && registerFractalViewClass(instance) != 0 &&
           registerOrbitWindowClass(instance) != 0;
}
