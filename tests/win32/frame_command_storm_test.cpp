// A storm of view commands given while every render thread is busy, with
// more threads than the machine has cores: every zoom is carried out once,
// the last picture is whole and right, and nothing runs on afterwards.
#include "engine/escape_time.h"
#include "engine/fractal_view.h"
#include "engine/render_worker.h"
#include "resources/resource_ids.h"
#include "shell/status_panel.h"
#include "tests/support/view_idle.h"
#include "tests/support/view_plane.h"
#include "tests/support/win32_test_support.h"
#include "tests/win32/frame_test_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// Computes the view's picture with the plain iteration, pixel by pixel.
std::vector<std::uint32_t> plainPicture(const FractalView& view)
{
    const ViewPlace place{view.centerReal, view.centerImag, view.halfHeight};
    const int width = view.bitmapWidth;
    const int height = view.bitmapHeight;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int steps = escapeSteps(columnReal(place, x, width, height), rowImag(place, y, width, height),
                                          view.maxIterations, view.threshold);
            pixels.push_back(colorToPixel(stepColor(steps, view.maxIterations, view.binaryColoring)));
        }
    return pixels;
}

// Five render threads, more than the machine has cores, for this test only.
struct StormSettings {
    StormSettings() { setRenderThreadCount(5); }
    ~StormSettings() { setRenderThreadCount(0); }
};

} // namespace

TEST(FrameCommandStorm, ZoomsRecalculationsAndStopsOnAllThreadsEndDoneWithTheRightPicture)
{
    StormSettings settings;
    TestFrame frame;
    // Near the edge of the main cardioid every calculation takes a while, so
    // that the commands meet running calculations.
    theFractalView->centerReal = -0.39054;
    theFractalView->centerImag = -0.58679;
    theFractalView->halfHeight = 1e-3;
    theFractalView->maxIterations = 3000;
    const double startHalfHeight = theFractalView->halfHeight;

    std::mt19937 random(20261209);
    int zoomsIn = 0;
    int zoomsOut = 0;
    for (int i = 0; i < 80; ++i) {
        const int pick = int(random() % 4);
        const int command = pick == 0 ? CMD_ZOOM_IN : pick == 1 ? CMD_ZOOM_OUT : pick == 2 ? CMD_RECALCULATE : CMD_STOP;
        zoomsIn += command == CMD_ZOOM_IN;
        zoomsOut += command == CMD_ZOOM_OUT;
        PostMessageA(frame.window(), WM_COMMAND, command, 0);
        if (random() % 3 == 0)
            pumpPending();
    }
    ASSERT_TRUE(waitUntilIdle());
    // A stop given last may have cancelled the last picture.
    if (statusPartText(theStatusPanel->statusBar, 0) != "Done") {
        PostMessageA(frame.window(), WM_COMMAND, CMD_RECALCULATE, 0);
        pumpPending();
        ASSERT_TRUE(waitUntilIdle());
    }
    EXPECT_EQ(statusPartText(theStatusPanel->statusBar, 0), "Done");
    EXPECT_EQ(theFractalView->halfHeight, std::ldexp(startHalfHeight, zoomsOut - zoomsIn));

    // Nothing runs on: no calculation starts once the storm has passed.
    const unsigned calculation = theFractalView->calculation;
    pumpPending();
    EXPECT_FALSE(theFractalView->busy);
    EXPECT_EQ(theFractalView->calculation, calculation);

    const std::vector<std::uint32_t> expected = plainPicture(*theFractalView);
    const std::uint32_t* pixels = renderJob.newPixels;
    ASSERT_NE(pixels, nullptr);
    int wrong = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        wrong += pixels[i] != expected[i];
    EXPECT_EQ(wrong, 0) << "of " << expected.size();
    theFractalView->maxIterations = 32;
}
