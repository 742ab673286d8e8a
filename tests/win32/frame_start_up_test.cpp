// The start-up steps: the class registrations stopping at the first failure,
// the "Lame!" box, a frame that cannot get its objects, and the message loop.
#include "common/app_instance.h"
#include "engine/fractal_view.h"
#include "orbits/orbit_window.h"
#include "resources/resource_ids.h"
#include "shell/frame_window.h"
#include "shell/main_toolbar.h"
#include "shell/message_loop.h"
#include "shell/start_up.h"
#include "shell/status_panel.h"
#include "shell/window_classes.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace {

// Allocation failures on demand: while armed, the nothrow allocation of
// failSize bytes fails once skip earlier ones of that size have been served.
std::atomic<bool> failArmed{false};
std::atomic<std::size_t> failSize{0};
std::atomic<int> failSkip{0};

void armAllocationFailure(std::size_t size, int skip)
{
    failSize = size;
    failSkip = skip;
    failArmed = true;
}

bool classRegistered(const char* name)
{
    WNDCLASSA info = {};
    return GetClassInfoA(appInstance, name, &info) != 0;
}

} // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (failArmed && size == failSize && failSkip-- == 0) {
        failArmed = false;
        return nullptr;
    }
    return std::malloc(size ? size : 1);
}

TEST(FrameStartUp, ClassRegistrationStopsAtTheFirstFailure)
{
    registerProgramClasses();
    for (const char* name : {"Zelvar2", "FRACTALCLASS", "ORBITSCLASS"})
        ASSERT_TRUE(UnregisterClassA(name, appInstance)) << name;

    // The view's class name is taken: the frame's class is registered, the
    // Orbits window's is not tried.
    WNDCLASSA squatter = {};
    squatter.lpfnWndProc = DefWindowProcA;
    squatter.hInstance = appInstance;
    squatter.lpszClassName = "FRACTALCLASS";
    ASSERT_NE(RegisterClassA(&squatter), 0);
    EXPECT_FALSE(registerWindowClasses(appInstance));
    EXPECT_TRUE(classRegistered("Zelvar2"));
    EXPECT_FALSE(classRegistered("ORBITSCLASS"));

    UnregisterClassA("FRACTALCLASS", appInstance);
    UnregisterClassA("Zelvar2", appInstance);
    EXPECT_TRUE(registerWindowClasses(appInstance));

    WNDCLASSA frame = {};
    ASSERT_TRUE(GetClassInfoA(appInstance, "Zelvar2", &frame));
    EXPECT_EQ(frame.lpfnWndProc, frameWindowProc);
    EXPECT_EQ(frame.style, UINT{CS_HREDRAW | CS_VREDRAW});
    EXPECT_EQ(frame.hbrBackground, nullptr);
    EXPECT_EQ(frame.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    // The program's own icon, loaded once at the large icons' size.
    EXPECT_EQ(frame.hIcon, LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_ZELVAR)));
    EXPECT_NE(frame.hIcon, LoadIconA(nullptr, IDI_APPLICATION));
    WNDCLASSEXA withSmallIcon = {};
    withSmallIcon.cbSize = sizeof withSmallIcon;
    ASSERT_TRUE(GetClassInfoExA(appInstance, "Zelvar2", &withSmallIcon));
    EXPECT_EQ(withSmallIcon.hIconSm,
              LoadImageA(appInstance, MAKEINTRESOURCEA(IDI_ZELVAR), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    EXPECT_EQ(frame.lpszMenuName, nullptr);
    EXPECT_EQ(frame.cbClsExtra, 0);
    EXPECT_EQ(frame.cbWndExtra, 0);
    EXPECT_TRUE(classRegistered("FRACTALCLASS"));
    EXPECT_TRUE(classRegistered("ORBITSCLASS"));
}

TEST(FrameStartUp, TheFailureBoxSaysLameWithTheErrorIconAndGivesExitCodeZero)
{
    int exitCode = -1;
    SeenMessageBox seen;
    runBesideScript([&] { exitCode = reportStartupFailure(); },
                    [&](DWORD uiThread) {
                        // Look at the box before answering it.
                        HWND box = waitForDialog(uiThread, "Zelvar2");
                        seen = readMessageBox(box);
                        if (box)
                            pressButton(box, IDOK);
                    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(seen.text, "Lame!");
    EXPECT_TRUE(seen.errorIcon);
}

TEST(FrameStartUp, AFrameWithoutItsObjectsIsNotCreatedAndLeavesNoQuitMessage)
{
    registerProgramClasses();
    struct Case {
        const char* what;
        std::size_t size;
        int skip;
    };
    // The status panel and the toolbar are both two handles; the panel comes first.
    static_assert(sizeof(StatusPanel) == sizeof(MainToolbar), "the cases below count on equal sizes");
    static_assert(sizeof(OrbitWindow) != sizeof(FractalView), "the Orbits window case must not hit the view");
    static_assert(sizeof(FractalView) != sizeof(StatusPanel), "the view case must not hit the panel");
    for (const Case& failing : {Case{"status panel", sizeof(StatusPanel), 0}, Case{"toolbar", sizeof(MainToolbar), 1},
                                Case{"Orbits window", sizeof(OrbitWindow), 0},
                                Case{"view record", sizeof(FractalView), 0}}) {
        armAllocationFailure(failing.size, failing.skip);
        HWND frame = createMainFrame(appInstance, SW_SHOWNORMAL);
        failArmed = false;
        EXPECT_EQ(frame, nullptr) << failing.what;
        EXPECT_FALSE(FindWindowA("Zelvar2", "Zelvar v2.0")) << failing.what;
        // The box that follows must not meet a quit message and close at once.
        EXPECT_FALSE(takeQuitMessage()) << failing.what;
        waitUntilIdle();
    }
    // With every object at hand, the frame is made.
    TestFrame frame;
    EXPECT_NE(frame.window(), nullptr);
}

TEST(FrameStartUp, TheLoopOffersMessagesToTheAcceleratorsAndReturnsTheQuitCode)
{
    TestFrame frame;
    const double halfHeight = theFractalView->halfHeight;
    HACCEL accelerators = LoadAcceleratorsA(appInstance, "Zelvar2");
    ASSERT_NE(accelerators, nullptr);
    // A typed "+" in the view, wherever the focus is, becomes Zoom In at the frame.
    PostMessageA(theFractalViewWindow, WM_CHAR, '+', 1);
    PostQuitMessage(7);
    EXPECT_EQ(runMessageLoop(frame.window(), accelerators), 7);
    EXPECT_EQ(theFractalView->halfHeight, halfHeight / 2);
}
