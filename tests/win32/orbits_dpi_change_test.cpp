// The Orbits window moved to a monitor of another scale: it takes the
// pictures for that scale and its place at the owner's corner. Wine never
// sends WM_DPICHANGED, so the tests send it as the system would.
#include "tests/support/win32_test_support.h"
#include "tests/win32/orbits_test_window.h"

using OrbitWindowDpiChange = OrbitWindowTest;

namespace {

void changeDpi(HWND window, int dpi)
{
    // The rectangle the system suggests, which the window does not take.
    RECT suggested = {0, 0, 300, 300};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    pumpPending();
}

} // namespace

TEST_F(OrbitWindowDpiChange, TakesThePicturesAndThePlaceForTheNewScaleAndBack)
{
    changeDpi(window, 144);
    EXPECT_EQ(orbit.dpi, 144);
    expectPlacedAndSized(225, {191, 144}, {192, 144});
    EXPECT_EQ(GetCurrentObject(orbit.scratchDC, OBJ_BITMAP), orbit.scratchBitmap);

    // The start centre -0.5 + 0i lies at (96, 72) at 48 pixels per unit:
    // the crosshairs, two pixels wide, cross there.
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    int whiteRows = 0;
    for (int x = 0; x < 191; ++x)
        whiteRows += picturePixel(x, 71) == whiteColor && picturePixel(x, 72) == whiteColor;
    EXPECT_GT(whiteRows, 40);
    EXPECT_EQ(picturePixel(20, 20), guideBackgroundColor);

    changeDpi(window, 96);
    expectPlacedAndSized(150, {127, 96}, {128, 96});
}
