#include "tests/win32/export_test_view.h"

#include "engine/fractal_view.h"
#include "tests/support/view_idle.h"
#include "tests/support/win32_test_support.h"
#include "view/fractal_view_window.h"
#include "view/orbit_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

HWND exportTestHost()
{
    static HWND host = nullptr;
    if (!host) {
        host = createTestHost(exportViewWidth, exportViewHeight);
        registerFractalViewClass(GetModuleHandleA(nullptr));
        CreateWindowExA(0, "FRACTALCLASS", "", WS_CHILD | WS_VISIBLE, 0, 0, exportViewWidth, exportViewHeight, host,
                        nullptr, GetModuleHandleA(nullptr), nullptr);
        pumpPending();
    }
    return host;
}

void placeExportLine(double centerReal, double centerImag, double halfHeight, int x1, int y1, int x2, int y2)
{
    exportTestHost();
    waitUntilIdle();
    theFractalView->centerReal = centerReal;
    theFractalView->centerImag = centerImag;
    theFractalView->halfHeight = halfHeight;
    theOrbitLine->moveHandle(1, x1, y1);
    theOrbitLine->moveHandle(2, x2, y2);
}

double expectedReal(int x)
{
    const double center = theFractalView->centerReal;
    const double halfWidth = exportViewWidth * theFractalView->halfHeight / exportViewHeight;
    return (center - halfWidth) + ((halfWidth + center) - (center - halfWidth)) * x / exportViewWidth;
}

double expectedImag(int y)
{
    const double center = theFractalView->centerImag;
    const double half = theFractalView->halfHeight;
    return (center - half) + ((half + center) - (center - half)) * y / exportViewHeight;
}

std::string referenceExponentText(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%+.6e", value);
    std::string result(text);
    const std::size_t mark = result.find('e');
    std::string digits = result.substr(mark + 2);
    while (digits.size() < 3)
        digits.insert(0, "0");
    return result.substr(0, mark + 2) + digits;
}

std::string referenceOrbitLine(double cr, double ci, int iterations, bool imaginaryParts, bool last)
{
    std::string line = "{";
    double re = cr;
    double im = ci;
    for (int k = 0; k < iterations; ++k) {
        const double value = imaginaryParts ? im : re;
        line += (k > 0 ? "," : "") + referenceExponentText(std::isfinite(value) ? value : 9999999.0);
        const double square = re * re - im * im;
        im = re * im * 2 + ci;
        re = square + cr;
    }
    return line + (last ? "} }" : "},");
}

