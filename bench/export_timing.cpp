// Times one orbit export under Wine, the way the explorer makes it, and
// reports the process's peak memory:
//   export_timing direct|background POINTS ITERATIONS PATH
// "direct" writes on the calling thread; "background" writes as the export
// dialog does, on a thread of its own with the progress window over a host
// window. The line lies where the explorer first puts it.
#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "export/background_export.h"
#include "export/orbit_file_writer.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line_points.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND createHost(HINSTANCE instance)
{
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = instance;
    hostClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    hostClass.lpszClassName = "ExportTimingHost";
    RegisterClassA(&hostClass);
    HWND host = CreateWindowExA(0, "ExportTimingHost", "Export timing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 500,
                                400, nullptr, nullptr, instance, nullptr);
    RECT client;
    GetClientRect(host, &client);
    registerFractalViewClass(instance);
    CreateWindowExA(0, "FRACTALCLASS", "", WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom, host, nullptr,
                    instance, nullptr);
    return host;
}

void dispatchUntilIdle()
{
    while (!theFractalView || theFractalView->busy) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 || (std::strcmp(argv[1], "direct") != 0 && std::strcmp(argv[1], "background") != 0)) {
        std::fprintf(stderr, "usage: export_timing direct|background POINTS ITERATIONS PATH\n");
        return 2;
    }
    const bool background = std::strcmp(argv[1], "background") == 0;
    const int points = std::atoi(argv[2]);
    const int iterations = std::atoi(argv[3]);

    appInstance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND host = createHost(appInstance);
    dispatchUntilIdle();

    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    const OrbitFileResult result =
        background ? writeOrbitFileWhileResponsive(host, iterations, points, argv[4], orbitLinePlanePoints())
                   : writeOrbitFile(iterations, points, argv[4], orbitLinePlanePoints());
    QueryPerformanceCounter(&end);

    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%s: %s in %.2f s; peak working set %.1f MB, peak committed %.1f MB\n", argv[1],
                result.written ? "written" : result.failure.c_str(), seconds(start, end),
                static_cast<double>(memory.PeakWorkingSetSize) / 1e6, static_cast<double>(memory.PeakPagefileUsage) / 1e6);
    DestroyWindow(host);
    return result.written ? 0 : 1;
}
