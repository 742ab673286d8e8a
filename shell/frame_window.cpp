#include "shell/frame_window.h"

#include "common/app_instance.h"
#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "engine/fractal_view.h"
#include "engine/parameters_dialog.h"
#include "engine/render_worker.h"
#include "engine/view_navigation.h"
#include "engine/view_requests.h"
#include "export/background_export.h"
#include "export/background_save.h"
#include "export/export_dialog.h"
#include "orbits/orbit_window.h"
#include "resources/resource_ids.h"
#include "shell/about_dialog.h"
#include "shell/location_commands.h"
#include "shell/main_toolbar.h"
#include "shell/save_picture_command.h"
#include "shell/status_panel.h"
#include "view/orbit_line_points.h"

#include <shellapi.h>
#include <windowsx.h>

#include <new>

HWND theFractalViewWindow = nullptr;
HWND theOrbitWindowHandle = nullptr;

namespace {

// The DPI the frame is laid out for: that of its monitor when it is made,
// then that of each monitor it moves to.
int frameDpi = defaultDpi;

RECT clientRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

struct ChildPlace {
    int x;
    int y;
    int width;
    int height;
};

// The fractal view's place in a frame client area of the given size: the
// whole width, from one pixel (at 96 DPI) below the toolbar down to the
// status bar. A minimized frame has a client height of 0, which gives a
// negative height.
ChildPlace fractalViewPlace(int clientWidth, int clientHeight)
{
    const RECT t = clientRect(theMainToolbar->toolbarWindow);
    const RECT s = clientRect(theStatusPanel->statusBar);
    const int gap = scaleForDpi(1, frameDpi);
    return {0, t.bottom + gap, clientWidth, clientHeight - t.bottom - s.bottom - gap};
}

// Builds the frame's furniture in its fixed order, the view at the start
// location. False when one of the objects that the frame's layout and
// commands rely on cannot be had (the status panel, the toolbar, the view's
// record, the Orbits window's object): the frame is then not created and
// start-up ends.
bool buildFrame(HWND frame, const Location& start)
{
    frameDpi = windowDpi(frame);
    StatusPanel* panel = new (std::nothrow) StatusPanel;
    if (!panel)
        return false;
    panel->createStatusPanel(frame, appInstance);
    theStatusPanel = panel;
    theCalculationReport = &statusPanelReport();

    MainToolbar* toolbar = new (std::nothrow) MainToolbar;
    if (!toolbar)
        return false;
    toolbar->createMainToolbar(frame, appInstance);
    theMainToolbar = toolbar;

    const RECT f = clientRect(frame);
    const ChildPlace place = fractalViewPlace(f.right, f.bottom);

    // The view's creation makes the FractalView and starts the first
    // calculation, of the start location.
    Location viewStart = start;
    theFractalViewWindow = CreateWindowExA(WS_EX_CLIENTEDGE, "FRACTALCLASS", nullptr, WS_CHILD | WS_VISIBLE, place.x,
                                           place.y, place.width, place.height, frame, nullptr, appInstance, &viewStart);
    if (!theFractalViewWindow || !theFractalView || theFractalView->window != theFractalViewWindow)
        return false;

    theOrbitWindowHandle = CreateWindowExA(WS_EX_TOOLWINDOW, "ORBITSCLASS", "Orbits", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                           CW_USEDEFAULT, CW_USEDEFAULT, 64, 64, frame, nullptr, appInstance, nullptr);
    OrbitWindow* orbits = new (std::nothrow) OrbitWindow;
    if (!orbits)
        return false;
    orbits->createOrbitWindow(theOrbitWindowHandle, appInstance);
    theOrbitWindow = orbits;

    UpdateWindow(theFractalViewWindow);
    UpdateWindow(theOrbitWindowHandle);
    // Files dropped on the frame are opened as locations.
    DragAcceptFiles(frame, TRUE);
    return true;
}

// The start location given to CreateWindowEx, or the start-up view.
Location startOf(LPARAM lParam)
{
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* start = static_cast<const Location*>(creation->lpCreateParams);
    return start ? *start : Location{};
}

// Back and Forward are greyed while there is nowhere to go.
void greyHistoryItems(HMENU menu)
{
    const ViewHistory& history = theFractalView->history;
    EnableMenuItem(menu, CMD_BACK, MF_BYCOMMAND | (history.canGoBack() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, CMD_FORWARD, MF_BYCOMMAND | (history.canGoForward() ? MF_ENABLED : MF_GRAYED));
}

// The wheel's message goes to the focus window, which is the frame's; it is
// the view's when the cursor, in screen coordinates, is over the picture.
bool passWheelToView(WPARAM wParam, LPARAM lParam)
{
    RECT picture = {};
    GetClientRect(theFractalViewWindow, &picture);
    MapWindowPoints(theFractalViewWindow, nullptr, reinterpret_cast<POINT*>(&picture), 2);
    const POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!PtInRect(&picture, cursor))
        return false;
    SendMessageA(theFractalViewWindow, WM_MOUSEWHEEL, wParam, lParam);
    return true;
}

// Fits the view between the toolbar and the status bar of a client area of
// the given size, then lets both bars fit themselves.
void layOut(int clientWidth, int clientHeight)
{
    const ChildPlace place = fractalViewPlace(clientWidth, clientHeight);
    MoveWindow(theFractalViewWindow, place.x, place.y, place.width, place.height, TRUE);
    SendMessageA(theStatusPanel->statusBar, WM_SIZE, 0, 0);
    SendMessageA(theMainToolbar->toolbarWindow, WM_SIZE, 0, 0);
}

// The frame has moved to a monitor of another scale: its bars take that
// scale, it takes the rectangle the system suggests for it there, and it
// lays itself out again, whether or not that rectangle changes its size.
void fitToDpi(HWND frame, int dpi, const RECT& suggested)
{
    frameDpi = dpi;
    theMainToolbar->fitToDpi(appInstance, dpi);
    theStatusPanel->fitToDpi(dpi);
    SetWindowPos(frame, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT client = clientRect(frame);
    layOut(client.right, client.bottom);
    theOrbitWindow->placeOrbitWindow();
}

// Runs a modal dialog of the program: view requests that come while it is
// open wait until it has closed.
template <class Show>
void runModal(Show show)
{
    ModalDialogScope dialog;
    show();
}

// Closes the frame, which ends the program. An export being written or a
// picture being saved is stopped first, as its Cancel stops it, and its
// thread waited for: an earlier file of its name stays as it was, no
// temporary file is left, and the program does not linger once its windows
// are gone. Close requests come through even while the dialogs of the
// export or the save keep the frame disabled: from the taskbar, from
// another program, or at the end of the session, after which Windows may
// end the program at once.
void closeFrame(HWND frame)
{
    stopRunningExport();
    stopRunningSave();
    DestroyWindow(frame);
}

LRESULT runCommand(HWND frame, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case CMD_ZOOM_RESET:
        viewRequests().submit([] { changeView([] { theFractalView->resetView(); }); });
        return 0;
    case CMD_ZOOM_IN:
        viewRequests().submit([] { changeView([] { theFractalView->zoomIn(); }); });
        return 0;
    case CMD_ZOOM_OUT:
        viewRequests().submit([] { changeView([] { theFractalView->zoomOut(); }); });
        return 0;
    case CMD_LOCATION:
        chooseLocation(frame);
        return 0;
    case CMD_BACK:
        viewRequests().submit(goBack);
        return 0;
    case CMD_FORWARD:
        viewRequests().submit(goForward);
        return 0;
    case CMD_CHANGE_PARAMETERS:
        viewRequests().submit(
            [] { changeView([] { runModal([] { showParametersDialog(theFractalView); }); }); });
        return 0;
    case CMD_RECALCULATE:
        // Dropped while a calculation runs; it neither stops nor restarts it.
        if (!theFractalView->busy)
            viewRequests().submit([] { theFractalView->startCalculation(); });
        return 0;
    case CMD_STOP:
        requestStop();
        return 0;
    case CMD_EXPORT:
        runModal([frame] { showExportDialog(frame, orbitLinePlanePoints()); });
        return 0;
    case CMD_OPEN_LOCATION:
        openLocationFromDialog(frame);
        return 0;
    case CMD_SAVE_LOCATION:
        saveLocationFromDialog(frame);
        return 0;
    case CMD_SAVE_PICTURE:
        runModal([frame] { showSavePicture(frame); });
        return 0;
    case CMD_EXIT:
        closeFrame(frame);
        return 0;
    case CMD_ABOUT:
        runModal([frame] { showAboutDialog(frame); });
        return 0;
    default:
        return DefWindowProcA(frame, WM_COMMAND, wParam, lParam);
    }
}

} // namespace

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return buildFrame(window, startOf(lParam)) ? 0 : -1;
    case WM_SIZE:
        layOut(LOWORD(lParam), HIWORD(lParam));
        theOrbitWindow->placeOrbitWindow();
        return 0;
    case WM_MOVE:
        theOrbitWindow->placeOrbitWindow();
        return 0;
    case WM_DPICHANGED:
        fitToDpi(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        return runCommand(window, wParam, lParam);
    case WM_INITMENUPOPUP:
        greyHistoryItems(reinterpret_cast<HMENU>(wParam));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_MOUSEWHEEL:
        if (passWheelToView(wParam, lParam))
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DROPFILES:
        openDroppedFile(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        closeFrame(window);
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            closeFrame(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM registerFrameClass(HINSTANCE instance)
{
    WNDCLASSEXA frameClass = {};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = frameWindowProc;
    frameClass.hInstance = instance;
    // The program's icon, large for Alt+Tab and small for the caption and
    // the taskbar, each at the size the system asks for.
    frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZELVAR));
    frameClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ZELVAR), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                       LR_SHARED));
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.lpszClassName = "Zelvar2";
    return RegisterClassExA(&frameClass);
}
