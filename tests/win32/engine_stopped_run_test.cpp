#include "tests/win32/engine_test_windows.h"

#include "engine/render_worker.h"
#include "tests/support/win32_test_support.h"

#include <climits>

namespace {

constexpr COLORREF black = colour(0, 0, 0);
constexpr COLORREF white = colour(255, 255, 255);
constexpr int width = 600;
constexpr int height = 400;

// A view on the edge of the main cardioid, where its orbits turn about their
// fixed point by the golden angle. Its rows each hold some 400 points that
// take a hundred thousand steps, since their orbits neither escape nor fall
// into a repeating cycle: a row takes tens of milliseconds even with every
// vector lane busy. In binary colouring the points outside are white, the
// points inside black, and the first pixel of the top row lies outside.
void makeSlow(FractalView& view)
{
    view.centerReal = -0.3905408702184;
    view.centerImag = -0.5867879073469687;
    view.halfHeight = 3e-6;
    view.maxIterations = 100000;
    view.binaryColoring = true;
}

COLORREF at(const std::vector<COLORREF>& pixels, int x, int y)
{
    return pixels[std::size_t(y) * width + x];
}

// The first column of row y that differs from the expected picture; width
// when none does.
int firstWrongColumn(const std::vector<COLORREF>& pixels, const ExpectedView& expected, int y)
{
    for (int x = 0; x < width; ++x)
        if (at(pixels, x, y) != expectedPixel(expected, x, y))
            return x;
    return width;
}

int countOtherThan(const std::vector<COLORREF>& pixels, int fromRow, COLORREF colour)
{
    int count = 0;
    for (std::size_t i = std::size_t(fromRow) * width; i < pixels.size(); ++i)
        count += pixels[i] != colour;
    return count;
}

} // namespace

using StoppedRunTest = EngineWindowTest;

TEST_F(StoppedRunTest, StopInTheMiddleOfARowKeepsThePartDrawn)
{
    openPicture(width, height);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    makeSlow(*view);
    clearProgressLog();
    useFrameClock();
    view->startCalculation();
    // Wait for the first row, both its position and its text, then stop.
    ASSERT_TRUE(pumpUntil([this] { return !progressLog().empty() && percentText() == "0%"; }));
    requestStop();
    ASSERT_TRUE(waitUntilIdle());

    EXPECT_EQ(statusText(), "Cancelled");
    EXPECT_EQ(progressPosition(), 0);
    EXPECT_EQ(percentText(), "");

    // One report per finished row, then 100 for the stop, then the clearing.
    const std::vector<int> log = progressLog();
    ASSERT_GE(log.size(), 3u);
    const int finishedRows = int(log.size()) - 2;
    ASSERT_LT(finishedRows, height);
    for (int row = 0; row < finishedRows; ++row)
        EXPECT_EQ(log[row], row * 100 / height) << row;
    EXPECT_EQ(log[log.size() - 2], 100);
    EXPECT_EQ(log.back(), 0);

    const ExpectedView expected = expectedViewOf(*view);
    const std::vector<COLORREF> pixels = readPicture();
    for (int row = 0; row < finishedRows; ++row)
        EXPECT_EQ(firstWrongColumn(pixels, expected, row), width) << row;

    // The interrupted row: its pixels before the one in work as computed,
    // the rest white from the scan line under the row above. The pixel in
    // work may be the row's first: a stop seen inside a slow pixel leaves it
    // unwritten, and a render thread that the machine starves may not have
    // finished even the first pixel of its row.
    const int stopped = finishedRows;
    const int wrong = firstWrongColumn(pixels, expected, stopped);
    for (int x = wrong; x < width; ++x)
        EXPECT_EQ(at(pixels, x, stopped), white) << x;
    // The rows below keep the new surface's first content, without a scan
    // line under the interrupted row.
    EXPECT_EQ(countOtherThan(pixels, stopped + 1, black), 0);

    // The screen shows the partial picture after the final repaint.
    EXPECT_EQ(screenPicturePixel(width - 1, stopped), white);
    EXPECT_EQ(screenPicturePixel(0, stopped + 1), black);
    EXPECT_EQ(screenPicturePixel(0, stopped - 1), at(pixels, 0, stopped - 1));
    EXPECT_EQ(screenPicturePixel(300, stopped + 2), black);
}

TEST_F(StoppedRunTest, ReportsBringEveryFinishedRowToTheScreen)
{
    openPicture(width, height);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    makeSlow(*view);
    clearProgressLog();
    // Reports after rows 0, 9, 19, ...: each band holds the ten rows
    // finished since the report before.
    useFrameClock(10);
    view->startCalculation();
    ASSERT_TRUE(pumpUntil([this] { return progressLog().size() >= 3; }));

    // Rows 0 to 19 are on the screen while the calculation goes on.
    const ExpectedView expected = expectedViewOf(*view);
    UpdateWindow(picture);
    int wrong = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < width; x += 7)
            if (screenPixel(picture, x, y) != expectedPixel(expected, x, y) && wrong++ == 0)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs on the screen";
    EXPECT_TRUE(view->busy);

    requestStop();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Cancelled");
    const std::vector<int> log = progressLog();
    expectProgressFromZeroTo(log, 100);
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[1], 9 * 100 / height);
    EXPECT_EQ(log[2], 19 * 100 / height);
}

TEST_F(StoppedRunTest, StopBeforeTheFirstRowEndsLeavesTheFirstContent)
{
    openPicture(width, height);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    makeSlow(*view);
    clearProgressLog();
    view->startCalculation();
    requestStop();
    ASSERT_TRUE(waitUntilIdle());

    EXPECT_EQ(statusText(), "Cancelled");
    EXPECT_EQ(progressLog(), (std::vector<int>{100, 0}));

    // Row 0 has no scan line above it: past the pixel in work it keeps the
    // surface's first content. Its first pixel, which lies outside the set,
    // was computed all the same.
    const ExpectedView expected = expectedViewOf(*view);
    const std::vector<COLORREF> pixels = readPicture();
    const int wrong = firstWrongColumn(pixels, expected, 0);
    EXPECT_GE(wrong, 1);
    EXPECT_EQ(at(pixels, 0, 0), white);
    for (int x = wrong; x < width; ++x)
        EXPECT_EQ(at(pixels, x, 0), black) << x;
    EXPECT_EQ(countOtherThan(pixels, 1, black), 0);
}

TEST_F(StoppedRunTest, StopDuringASlowPixelLeavesTheFasterOnesAfterItUnwritten)
{
    // A picture of 16 x 16 pixels whose top row lies on the real axis, from
    // -12.25 to 25.25 in steps of 2.5. Every point of it escapes within three
    // steps but the cusp 0.25 at column 5, in the middle of the kernel's
    // first vector: its orbit creeps up to its fixed point for over a
    // hundred million steps before it repeats. The later columns are
    // computed long before it is done.
    constexpr int side = 16;
    openPicture(side, side);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    view->centerReal = 7.75;
    view->centerImag = 20.0;
    view->halfHeight = 20.0;
    view->maxIterations = INT_MAX;
    view->binaryColoring = true;
    clearProgressLog();
    view->startCalculation();
    ASSERT_TRUE(pumpUntil([this] { return surfacePixel(4, 0) == white; }));
    requestStop();
    ASSERT_TRUE(waitUntilIdle());

    EXPECT_EQ(statusText(), "Cancelled");
    EXPECT_EQ(progressLog(), (std::vector<int>{100, 0}));
    // The columns before the cusp are white; the cusp, which never escapes,
    // and every pixel after it keep the surface's first content, black.
    const std::vector<COLORREF> pixels = readPicture();
    for (int x = 0; x < side; ++x)
        EXPECT_EQ(pixels[std::size_t(x)], x < 5 ? white : black) << x;
    for (std::size_t i = side; i < pixels.size(); ++i)
        EXPECT_EQ(pixels[i], black) << i;
}

TEST_F(StoppedRunTest, StopWhileIdleIsForgottenByTheNextCalculation)
{
    openPicture(width, height);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    requestStop();
    EXPECT_EQ(statusText(), "Done");
    clearProgressLog();
    ASSERT_TRUE(calculate());
    EXPECT_EQ(statusText(), "Done");
    expectProgressFromZeroTo(progressLog(), 99);
    const ExpectedView expected = expectedViewOf(*view);
    const std::vector<COLORREF> pixels = readPicture();
    int wrongRows = 0;
    for (int row = 0; row < height; ++row)
        wrongRows += firstWrongColumn(pixels, expected, row) != width;
    EXPECT_EQ(wrongRows, 0);
}
