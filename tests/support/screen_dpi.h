// The DPI of the screen a test runs on. The suites whose names end in
// At144Dpi need a screen at 144 DPI (150 %): CTest runs them so, as
// NAME_144dpi (tests/CMakeLists.txt).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

inline testing::AssertionResult screenAt144Dpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dpi == 144)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the screen is at " << dpi
                                       << " DPI; the At144Dpi suites run on a screen at 144 DPI (ctest -R 144dpi)";
}
