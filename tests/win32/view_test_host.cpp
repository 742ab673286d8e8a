#include "tests/win32/view_test_host.h"

#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "shell/status_panel.h"
#include "tests/support/view_idle.h"
#include "tests/support/win32_test_support.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line.h"

namespace {

// Room below the view for the status bar.
constexpr int statusRoom = 40;

StatusPanel testPanel;

} // namespace

void ViewTestHost::open(int width, int height, bool waitForFirstPicture)
{
    static const ATOM registered = registerFractalViewClass(appInstance);
    (void)registered;
    delete theZoomBox;
    theZoomBox = nullptr;
    dragHandle = 0;
    host = createTestHost(width, height + statusRoom);
    testPanel.createStatusPanel(host, appInstance);
    theStatusPanel = &testPanel;
    theCalculationReport = &statusPanelReport();
    view = CreateWindowExA(0, "FRACTALCLASS", "", WS_CHILD | WS_VISIBLE, 0, 0, width, height, host, nullptr,
                           appInstance, nullptr);
    if (waitForFirstPicture)
        waitUntilPainted();
}

void ViewTestHost::close()
{
    requestStop();
    waitUntilPainted();
    delete theZoomBox;
    theZoomBox = nullptr;
    dragHandle = 0;
    DestroyWindow(host);
    theStatusPanel = nullptr;
    pumpPending();
}

LRESULT ViewTestHost::press(int x, int y)
{
    return SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

LRESULT ViewTestHost::move(int x, int y)
{
    return SendMessageA(view, WM_MOUSEMOVE, dragHandle || theZoomBox ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

LRESULT ViewTestHost::release(int x, int y)
{
    return SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool ViewTestHost::waitUntilPainted()
{
    return waitUntilIdle() && pumpUntil([this] { return !GetUpdateRect(view, nullptr, FALSE); });
}
