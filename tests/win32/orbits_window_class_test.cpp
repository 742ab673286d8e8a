#include "tests/win32/orbits_test_window.h"

#include "common/app_instance.h"
#include "resources/resource_ids.h"
#include "tests/support/win32_test_support.h"

using OrbitWindowClass = OrbitWindowTest;

TEST_F(OrbitWindowClass, IsRegisteredWithArrowCursorAndBlackBackground)
{
    WNDCLASSA windowClass = {};
    ASSERT_TRUE(GetClassInfoA(appInstance, "ORBITSCLASS", &windowClass));
    EXPECT_EQ(windowClass.style, UINT(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(windowClass.lpfnWndProc, orbitWindowProc);
    EXPECT_EQ(windowClass.cbClsExtra, 0);
    EXPECT_EQ(windowClass.cbWndExtra, 0);
    EXPECT_EQ(windowClass.hIcon, nullptr);
    EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(windowClass.hbrBackground, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(windowClass.lpszMenuName, nullptr);
    // A second registration of the same class fails.
    EXPECT_EQ(registerOrbitWindowClass(appInstance), 0);
}

TEST_F(OrbitWindowClass, CreationKeepsTheOwnerAndStartsWithGuideDotsCrosshairs)
{
    EXPECT_EQ(orbit.window, window);
    EXPECT_EQ(orbit.owner, host);
    EXPECT_EQ(orbit.showGuide, 1);
    EXPECT_EQ(orbit.drawLines, 0);
    EXPECT_EQ(orbit.showCrosshairs, 1);
    EXPECT_EQ(orbit.pointRe, -0.5);
    EXPECT_EQ(orbit.pointIm, 0.0);
    // Creation has already moved the window to the owner's lower right.
    RECT ownerRect = {};
    RECT placed = {};
    RECT client = {};
    GetWindowRect(host, &ownerRect);
    GetWindowRect(window, &placed);
    GetClientRect(window, &client);
    EXPECT_EQ(placed.left, ownerRect.right - 150);
    EXPECT_EQ(placed.top, ownerRect.bottom - 150);
    EXPECT_EQ(client.right, 127);
    EXPECT_EQ(client.bottom, 96);
    ASSERT_NE(orbit.contextMenu, nullptr);
    EXPECT_EQ(GetMenuItemCount(orbit.contextMenu), 6);
    BITMAP scratch = {};
    ASSERT_TRUE(GetObjectA(orbit.scratchBitmap, sizeof scratch, &scratch));
    EXPECT_EQ(scratch.bmWidth, 128);
    EXPECT_EQ(scratch.bmHeight, 96);
    EXPECT_EQ(GetCurrentObject(orbit.scratchDC, OBJ_BITMAP), orbit.scratchBitmap);
    BITMAP guide = {};
    ASSERT_TRUE(GetObjectA(GetCurrentObject(orbit.guideDC, OBJ_BITMAP), sizeof guide, &guide));
    EXPECT_EQ(guide.bmWidth, 128);
    EXPECT_EQ(guide.bmHeight, 96);
}

TEST_F(OrbitWindowClass, FirstPaintShowsTheStartCentre)
{
    // The crosshairs of -0.5 + 0i cross at (64, 48) from the first paint on.
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    int whiteOnRow48 = 0;
    int whiteOnRow47 = 0;
    for (int x = 0; x < 127; ++x) {
        whiteOnRow48 += windowPixel(x, 48) == whiteColor;
        whiteOnRow47 += windowPixel(x, 47) == whiteColor && x != 64;
    }
    int whiteOnColumn64 = 0;
    int whiteOnColumn63 = 0;
    for (int y = 0; y < 96; ++y) {
        whiteOnColumn64 += windowPixel(64, y) == whiteColor;
        whiteOnColumn63 += windowPixel(63, y) == whiteColor && y != 48;
    }
    EXPECT_GT(whiteOnRow48, 20);
    EXPECT_GT(whiteOnColumn64, 15);
    EXPECT_EQ(whiteOnRow47, 0);
    EXPECT_EQ(whiteOnColumn63, 0);
    EXPECT_EQ(windowPixel(20, 20), guideBackgroundColor);
}

TEST_F(OrbitWindowClass, PlacesItselfAtTheOwnersLowerRight)
{
    MoveWindow(host, 100, 100, 500, 400, TRUE);
    RECT ownerRect = {};
    GetWindowRect(host, &ownerRect);
    ASSERT_EQ(ownerRect.left, 100);
    ASSERT_EQ(ownerRect.right, 600);
    ASSERT_EQ(ownerRect.bottom, 500);
    orbit.placeOrbitWindow();
    RECT placed = {};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, 450);
    EXPECT_EQ(placed.top, 350);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 127);
    EXPECT_EQ(client.bottom, 96);

    // It follows the owner, and keeps its size.
    MoveWindow(host, 30, 40, 640, 480, TRUE);
    orbit.placeOrbitWindow();
    RECT moved = {};
    GetWindowRect(window, &moved);
    EXPECT_EQ(moved.left, 30 + 640 - 150);
    EXPECT_EQ(moved.top, 40 + 480 - 150);
    EXPECT_EQ(moved.right - moved.left, placed.right - placed.left);
    EXPECT_EQ(moved.bottom - moved.top, placed.bottom - placed.top);
}

TEST_F(OrbitWindowClass, StaysOpenWhenAskedToClose)
{
    // Alt+F4 arrives as a system key press with the Alt bit in its key data;
    // the default handling asks the window's top level to close with
    // SC_CLOSE, and SC_CLOSE sends WM_CLOSE.
    const LPARAM altF4Down = 0x203E0001;
    const LPARAM altF4Up = static_cast<LPARAM>(0xE03E0001u);
    PostMessageA(window, WM_SYSKEYDOWN, VK_F4, altF4Down);
    PostMessageA(window, WM_SYSKEYUP, VK_F4, altF4Up);
    pumpPending();
    EXPECT_TRUE(IsWindow(window)) << "Alt+F4";

    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    pumpPending();
    EXPECT_TRUE(IsWindow(window)) << "SC_CLOSE";

    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    pumpPending();
    ASSERT_TRUE(IsWindow(window)) << "WM_CLOSE";
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(OrbitWindowWithoutObject, PaintIsValidatedWithoutDrawing)
{
    registerOrbitWindowClass(appInstance);
    theOrbitWindow = nullptr;
    HWND host = createTestHost(300, 200);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "ORBITSCLASS", "Orbits", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 64, 64, host, nullptr, appInstance, nullptr);
    ASSERT_NE(window, nullptr);
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_TRUE(pumpUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }));
    SendMessageA(window, WM_COMMAND, CMD_LINES, 0);
    SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(screenPixel(window, 5, 5), blackColor) << "the class's black background";
    DestroyWindow(window);
    DestroyWindow(host);
}
