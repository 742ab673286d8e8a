#include "tests/win32/orbits_test_window.h"

#include "common/app_instance.h"
#include "tests/support/win32_test_support.h"

namespace {

HWND sharedHost = nullptr;
HWND sharedWindow = nullptr;
RECT hostStart = {};

SIZE bitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

} // namespace

void OrbitWindowTest::SetUp()
{
    // Registered by the first test that needs the class, whichever runs first.
    registerOrbitWindowClass(appInstance);
    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(appInstance, "ORBITSCLASS", &registered));
    if (!sharedWindow) {
        sharedHost = createTestHost(500, 400);
        GetWindowRect(sharedHost, &hostStart);
        sharedWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "ORBITSCLASS", "Orbits", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                                       CW_USEDEFAULT, CW_USEDEFAULT, 64, 64, sharedHost, nullptr, appInstance, nullptr);
        ASSERT_NE(sharedWindow, nullptr);
    }
    host = sharedHost;
    window = sharedWindow;
    MoveWindow(host, hostStart.left, hostStart.top, hostStart.right - hostStart.left, hostStart.bottom - hostStart.top,
               TRUE);
    orbit.createOrbitWindow(window, appInstance);
    theOrbitWindow = &orbit;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    pumpPending();
}

void OrbitWindowTest::TearDown()
{
    theOrbitWindow = nullptr;
    HGDIOBJ guide = GetCurrentObject(orbit.guideDC, OBJ_BITMAP);
    DeleteDC(orbit.guideDC);
    DeleteObject(guide);
    DeleteDC(orbit.scratchDC);
    DeleteObject(orbit.scratchBitmap);
    pumpPending();
}

void OrbitWindowTest::showPoint(double re, double im)
{
    orbit.setOrbitPoint(re, im);
    UpdateWindow(window);
}

COLORREF OrbitWindowTest::picturePixel(int x, int y) const
{
    return GetPixel(orbit.scratchDC, x, y);
}

COLORREF OrbitWindowTest::windowPixel(int x, int y) const
{
    return screenPixel(window, x, y);
}

void OrbitWindowTest::expectPlacedAndSized(int cornerOffset, SIZE client, SIZE picture) const
{
    RECT owner = {};
    RECT placed = {};
    RECT area = {};
    GetWindowRect(host, &owner);
    GetWindowRect(window, &placed);
    GetClientRect(window, &area);
    EXPECT_EQ(placed.left, owner.right - cornerOffset);
    EXPECT_EQ(placed.top, owner.bottom - cornerOffset);
    EXPECT_EQ(area.right, client.cx);
    EXPECT_EQ(area.bottom, client.cy);
    const SIZE scratch = bitmapSize(orbit.scratchBitmap);
    EXPECT_EQ(scratch.cx, picture.cx);
    EXPECT_EQ(scratch.cy, picture.cy);
    const SIZE guide = bitmapSize(static_cast<HBITMAP>(GetCurrentObject(orbit.guideDC, OBJ_BITMAP)));
    EXPECT_EQ(guide.cx, picture.cx);
    EXPECT_EQ(guide.cy, picture.cy);
}
