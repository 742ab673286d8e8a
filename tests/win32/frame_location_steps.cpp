#include "tests/win32/frame_location_steps.h"

#include "engine/escape_time.h"
#include "engine/fractal_view.h"
#include "engine/location_file.h"
#include "engine/picture_rows.h"
#include "engine/render_worker.h"
#include "resources/resource_ids.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/wait_for.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/export_test_steps.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

LocationTexts shownTexts(HWND dialog)
{
    return {itemText(dialog, IDC_LOCATION_REAL), itemText(dialog, IDC_LOCATION_IMAG),
            itemText(dialog, IDC_LOCATION_HALF_HEIGHT)};
}

HDROP dropOf(const std::string& path)
{
    // The block, the path and the empty name that ends the list, zeroed.
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    path.copy(reinterpret_cast<char*>(files + 1), path.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

} // namespace

LocationTexts enterLocation(HWND frame, const LocationTexts& typed, const std::function<void(HWND)>& atSight)
{
    LocationTexts shown;
    runCommandWith(frame, CMD_LOCATION, [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Location", frame);
        if (!dialog) {
            ADD_FAILURE() << "the Location dialog did not open";
            return;
        }
        shown = shownTexts(dialog);
        if (atSight)
            atSight(dialog);
        setItemText(dialog, IDC_LOCATION_REAL, typed.centerReal);
        setItemText(dialog, IDC_LOCATION_IMAG, typed.centerImag);
        setItemText(dialog, IDC_LOCATION_HALF_HEIGHT, typed.halfHeight);
        pressButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog)) << typed.centerReal.substr(0, 40) << " was not taken";
    });
    return shown;
}

LocationTexts pressOkUnchanged(HWND frame)
{
    LocationTexts shown;
    runCommandWith(frame, CMD_LOCATION, [&](DWORD uiThread) {
        HWND dialog = waitForDialog(uiThread, "Location", frame);
        if (!dialog) {
            ADD_FAILURE() << "the Location dialog did not open";
            return;
        }
        shown = shownTexts(dialog);
        pressButton(dialog, IDOK);
        EXPECT_TRUE(waitUntilClosed(dialog));
    });
    return shown;
}

std::string dropFile(HWND frame, const std::string& path)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::atomic<bool> handled{false};
    std::string message;
    std::thread answerer([&] {
        HWND box = nullptr;
        waitFor([&] { return handled || (box = findDialog(uiThread, "Error", frame)) != nullptr; }, 60000);
        if (box) {
            message = readMessageBox(box).text;
            pressButton(box, IDOK);
        }
    });
    SendMessageA(frame, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(path)), 0);
    handled = true;
    answerer.join();
    return message;
}

VisitedView viewPlace()
{
    return theFractalView->visitedView();
}

std::string viewPixels()
{
    const std::size_t count = std::size_t(theFractalView->bitmapWidth) * std::size_t(theFractalView->bitmapHeight);
    const char* pixels = reinterpret_cast<const char*>(renderJob.newPixels);
    return pixels ? std::string(pixels, count * 4) : std::string();
}

std::string expectedPixels(const Location& location)
{
    const int width = theFractalView->bitmapWidth;
    const int height = theFractalView->bitmapHeight;
    ReferenceCache cache;
    const std::atomic<bool> stop{false};
    PictureRows rows = pictureRows(location, static_cast<double>(location.centerReal),
                                   static_cast<double>(location.centerImag), width, height, bestKernelPath(), true,
                                   cache);
    if (rows.prepare && !rows.prepare(stop))
        return {};
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height));
    std::vector<int> counts(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const StepSink sink{[](void* row, int x, int steps) { static_cast<int*>(row)[x] = steps; }, counts.data()};
        rows.computeRow(y, sink, stop);
        for (int x = 0; x < width; ++x) {
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                colorToPixel(stepColor(counts[std::size_t(x)], location.iterationLimit, location.binaryColoring));
        }
    }
    return std::string(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
}

void writeLocationFileAt(const std::string& path, const Location& location)
{
    writeBytes(path, locationFileText(location));
}
