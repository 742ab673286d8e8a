#include "tests/win32/engine_test_windows.h"

#include "tests/support/picture_info.h"
#include "tests/support/win32_test_support.h"

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <set>

namespace {

constexpr COLORREF black = colour(0, 0, 0);
constexpr COLORREF white = colour(255, 255, 255);

// A centre is a sum of values of up to about 4; their last bits differ.
constexpr double centreTolerance = 1e-14;

// Resizes a child window without starting a calculation.
void resizeWindow(HWND window, int width, int height)
{
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The number of pixels of the picture that differ from the view computed
// here; the first of them is reported.
int countWrongPixels(const std::vector<COLORREF>& picture, const ExpectedView& expected)
{
    int wrong = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const COLORREF want = expectedPixel(expected, x, y);
            const COLORREF got = picture[std::size_t(y) * expected.width + x];
            if (got != want && wrong++ == 0)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << got << ", expected " << want;
        }
    }
    return wrong;
}

// A 32-bit surface of our own for the view to paint into.
class PaintTarget {
public:
    PaintTarget(int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = topDownPictureInfo(width, height);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        EXPECT_NE(bitmap_, nullptr);
        bits_ = static_cast<std::uint32_t*>(bits);
        dc = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc, bitmap_);
    }
    ~PaintTarget()
    {
        SelectObject(dc, old_);
        DeleteDC(dc);
        DeleteObject(bitmap_);
    }
    PaintTarget(const PaintTarget&) = delete;
    PaintTarget& operator=(const PaintTarget&) = delete;

    void fill(COLORREF c)
    {
        std::fill_n(bits_, std::size_t(width_) * height_,
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }

    // A 32-bit DIB pixel holds blue in its low byte, a colour reference red.
    COLORREF at(int x, int y) const
    {
        const std::uint32_t p = bits_[std::size_t(y) * width_ + x];
        return colour((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    HDC dc;

private:
    int width_;
    int height_;
    HBITMAP bitmap_;
    std::uint32_t* bits_;
    HGDIOBJ old_;
};

} // namespace

using FractalViewTest = EngineWindowTest;

TEST_F(FractalViewTest, FirstCalculationShowsTheStartUpView)
{
    openPicture(600, 400);
    ASSERT_NE(startView(), nullptr);
    // The worker's status messages wait until this thread pumps, so the
    // start of the calculation is still on show.
    EXPECT_EQ(statusText(), "Calculating...");
    EXPECT_TRUE(view->busy);
    EXPECT_EQ(view->window, picture);
    EXPECT_EQ(view->centerReal, -0.5);
    EXPECT_EQ(view->centerImag, 0.0);
    EXPECT_EQ(view->halfHeight, 1.3);
    EXPECT_EQ(view->maxIterations, 32);
    EXPECT_EQ(view->threshold, 15.0);
    EXPECT_FALSE(view->binaryColoring);
    EXPECT_EQ(view->bitmapWidth, 600);
    EXPECT_EQ(view->bitmapHeight, 400);
    EXPECT_NE(view->memoryDC, nullptr);

    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_EQ(percentText(), "");
    EXPECT_EQ(progressPosition(), 0);

    // Reports come at most once a frame: 0 after the first row, the last
    // row's 99 at the end, never 100; then the progress is cleared.
    expectProgressFromZeroTo(progressLog(), 99);

    DIBSECTION section = {};
    ASSERT_EQ(GetObjectA(view->bitmap, sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 600);
    EXPECT_EQ(section.dsBm.bmHeight, 400);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(GetCurrentObject(view->memoryDC, OBJ_BITMAP), view->bitmap);
}

TEST_F(FractalViewTest, RowsThatTakeAFrameAreEachReported)
{
    openPicture(600, 400);
    useFrameClock();
    startView();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");

    // Row py shows py * 100 / 400 when it is finished, then the progress is
    // cleared.
    std::vector<int> expected;
    for (int row = 0; row < 400; ++row)
        expected.push_back(row / 4);
    expected.push_back(0);
    EXPECT_EQ(progressLog(), expected);
    EXPECT_EQ(countWrongPixels(readPicture(), expectedViewOf(*view)), 0);
}

TEST_F(FractalViewTest, PictureColoursForBothColouringsAndSeveralLimits)
{
    struct Case {
        int limit;
        bool binary;
        double threshold;
        // Pixels (0, 0), (0, 200) and (300, 200): c = -2.45 - 1.3i escapes
        // in step 2 (step 1 with threshold 2), c = -2.45 in step 3 (step 1),
        // c = -0.5 never.
        COLORREF corner;
        COLORREF left;
        COLORREF centre;
    };
    const Case cases[] = {
        {32, false, 15.0, colour(0, 0, 32), colour(0, 0, 48), black},
        {32, true, 15.0, white, white, black},
        {255, false, 15.0, colour(0, 0, 4), colour(0, 0, 6), black},
        {255, true, 15.0, white, white, black},
        {1, false, 15.0, black, black, black},
        {1, true, 15.0, black, black, black},
        {2, false, 15.0, black, black, black},
        {2, true, 15.0, black, black, black},
        {2, false, 2.0, colour(254, 254, 255), colour(254, 254, 255), black},
        {2, true, 2.0, white, white, black},
    };

    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "limit " << c.limit << (c.binary ? " binary" : " gradient")
                                        << " threshold " << c.threshold);
        view->maxIterations = c.limit;
        view->binaryColoring = c.binary;
        view->threshold = c.threshold;
        ASSERT_TRUE(calculate());
        EXPECT_EQ(statusText(), "Done");

        const std::vector<COLORREF> pixels = readPicture();
        ASSERT_EQ(pixels.size(), 600u * 400u);
        EXPECT_EQ(countWrongPixels(pixels, expectedViewOf(*view)), 0);

        EXPECT_EQ(pixels[0], c.corner);
        EXPECT_EQ(pixels[200 * 600], c.left);
        EXPECT_EQ(pixels[200 * 600 + 300], c.centre);
        EXPECT_EQ(surfacePixel(0, 0), c.corner);
        EXPECT_EQ(surfacePixel(0, 200), c.left);
        EXPECT_EQ(surfacePixel(300, 200), c.centre);
        EXPECT_EQ(screenPicturePixel(0, 0), c.corner);
        EXPECT_EQ(screenPicturePixel(0, 200), c.left);
        EXPECT_EQ(screenPicturePixel(300, 200), c.centre);

        // The screen shows the memory surface one to one.
        int wrongOnScreen = 0;
        for (int y = 3; y < 400; y += 37)
            for (int x = 5; x < 600; x += 41)
                wrongOnScreen += screenPicturePixel(x, y) != pixels[std::size_t(y) * 600 + x];
        EXPECT_EQ(wrongOnScreen, 0);

        const std::set<COLORREF> colours(pixels.begin(), pixels.end());
        if (c.limit == 1) {
            EXPECT_EQ(colours, std::set<COLORREF>{black});
        }
        if (c.limit == 32 && !c.binary) {
            EXPECT_GT(colours.size(), 10u);
        }
        if (c.binary) {
            std::set<COLORREF> binaryColours = colours;
            binaryColours.erase(black);
            binaryColours.erase(white);
            EXPECT_TRUE(binaryColours.empty());
        }
    }
}

TEST_F(FractalViewTest, MappingFollowsTheCurrentClientSize)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    // Half-width 600 * 1.3 / 400 = 1.95 around -0.5.
    EXPECT_DOUBLE_EQ(view->pixelToReal(0), -2.45);
    EXPECT_DOUBLE_EQ(view->pixelToReal(300), -0.5);
    EXPECT_DOUBLE_EQ(view->pixelToReal(600), 1.45);
    EXPECT_DOUBLE_EQ(view->pixelToImag(0), -1.3);
    EXPECT_NEAR(view->pixelToImag(200), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(view->pixelToImag(100), -0.65);

    // Resized without a new calculation: the mapping uses the new size.
    resizeWindow(picture, 300, 400);
    EXPECT_DOUBLE_EQ(view->pixelToReal(0), -1.475);
    EXPECT_DOUBLE_EQ(view->pixelToReal(150), -0.5);
    EXPECT_DOUBLE_EQ(view->pixelToImag(0), -1.3);
    EXPECT_EQ(view->bitmapWidth, 600);
    resizeWindow(picture, 600, 200);
    EXPECT_DOUBLE_EQ(view->pixelToReal(0), -4.4);
    EXPECT_NEAR(view->pixelToImag(100), 0.0, 1e-15);
}

TEST_F(FractalViewTest, PaintStretchesThePictureOverTheClientArea)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    const std::vector<COLORREF> pixels = readPicture();

    // A window twice the picture's size, painted into a surface of our own.
    resizeWindow(picture, 1200, 800);
    PaintTarget target(1200, 800);
    SetStretchBltMode(target.dc, COLORONCOLOR);
    view->paintFractal(target.dc);
    GdiFlush();

    int wrong = 0;
    for (int y = 1; y < 400; y += 13) {
        for (int x = 2; x < 600; x += 17) {
            const COLORREF want = pixels[std::size_t(y) * 600 + x];
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    wrong += target.at(2 * x + dx, 2 * y + dy) != want;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(FractalViewTest, PaintOfTheSameSizeCopiesOnlyThePartBeingPainted)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    const std::vector<COLORREF> pixels = readPicture();

    // Clipped as a paint of a band of rows is: inside the band the picture
    // one to one, outside it the surface's own content.
    const RECT band = {0, 120, 600, 131};
    const COLORREF marker = colour(1, 2, 3);
    PaintTarget target(600, 400);
    target.fill(marker);
    IntersectClipRect(target.dc, band.left, band.top, band.right, band.bottom);
    view->paintFractal(target.dc);
    GdiFlush();

    int wrong = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 600; ++x) {
            const POINT point = {x, y};
            const COLORREF want = PtInRect(&band, point) ? pixels[std::size_t(y) * 600 + x] : marker;
            if (target.at(x, y) != want && wrong++ == 0)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << target.at(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);

    // Unclipped, the whole picture.
    SelectClipRgn(target.dc, nullptr);
    view->paintFractal(target.dc);
    GdiFlush();
    int wrongWhole = 0;
    for (int y = 0; y < 400; y += 3)
        for (int x = 0; x < 600; x += 5)
            wrongWhole += target.at(x, y) != pixels[std::size_t(y) * 600 + x];
    EXPECT_EQ(wrongWhole, 0);
}

TEST_F(FractalViewTest, ZoomInAndOutHalveAndDoubleExactly)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());

    view->zoomIn();
    EXPECT_TRUE(view->busy);
    EXPECT_EQ(statusText(), "Calculating...");
    EXPECT_EQ(view->halfHeight, 0.65);
    EXPECT_EQ(view->centerReal, -0.5);
    EXPECT_EQ(view->centerImag, 0.0);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_DOUBLE_EQ(view->pixelToImag(0), -0.65);
    EXPECT_EQ(countWrongPixels(readPicture(), expectedViewOf(*view)), 0);

    view->zoomOut();
    EXPECT_TRUE(view->busy);
    EXPECT_EQ(view->halfHeight, 1.3);
    ASSERT_TRUE(waitUntilIdle());

    for (int i = 0; i < 3; ++i) {
        view->zoomIn();
        ASSERT_TRUE(waitUntilIdle());
    }
    EXPECT_EQ(view->halfHeight, 0.1625);
    for (int i = 0; i < 4; ++i) {
        view->zoomOut();
        ASSERT_TRUE(waitUntilIdle());
    }
    EXPECT_EQ(view->halfHeight, 2.6);
    EXPECT_EQ(view->centerReal, -0.5);
    EXPECT_EQ(view->centerImag, 0.0);
}

TEST_F(FractalViewTest, BoxZoomsThatWouldLeaveTheRangeRecalculateTheSameView)
{
    openPicture(60, 40);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    // Box half-heights against half the client height, 20: 3 shrinks the
    // half-height to 0.15 of it, 400 grows it twentyfold.
    struct Case {
        double halfHeight;
        int boxHalfHeight;
        bool zooms;
    };
    // Deep views go down to a half-height of 1e-300.
    const Case cases[] = {
        {1e-299, 3, true},
        {6e-300, 3, false}, // 9e-301 lies beyond the deepest view
        {1e300, 400, true},
        {1e306, 400, false}, // 60 columns times the width 6e307 overflow
    };
    for (const Case& c : cases) {
        view->centerReal = -0.5;
        view->centerImag = 0.0;
        view->halfHeight = c.halfHeight;
        view->zoomToBox(10, 10, c.boxHalfHeight);
        EXPECT_TRUE(view->busy) << c.halfHeight;
        EXPECT_EQ(statusText(), "Calculating...") << c.halfHeight;
        if (c.zooms) {
            EXPECT_EQ(view->halfHeight, c.boxHalfHeight * c.halfHeight / 20) << c.halfHeight;
            EXPECT_NE(view->centerImag, 0.0) << c.halfHeight;
        } else {
            EXPECT_EQ(view->halfHeight, c.halfHeight);
            EXPECT_EQ(view->centerReal, -0.5);
            EXPECT_EQ(view->centerImag, 0.0);
        }
        ASSERT_TRUE(waitUntilIdle());
        EXPECT_EQ(statusText(), "Done") << c.halfHeight;
    }
}

TEST_F(FractalViewTest, ResetViewIsTallerAndKeepsTheParameters)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    view->maxIterations = 50;
    view->threshold = 4.0;
    view->binaryColoring = true;
    view->zoomToBox(100, 100, 50);
    ASSERT_TRUE(waitUntilIdle());
    ASSERT_NE(view->centerReal, -0.5);

    view->resetView();
    EXPECT_TRUE(view->busy);
    EXPECT_EQ(statusText(), "Calculating...");
    EXPECT_EQ(view->centerReal, -0.5);
    EXPECT_EQ(view->centerImag, 0.0);
    EXPECT_EQ(view->halfHeight, 1.5);
    EXPECT_EQ(view->maxIterations, 50);
    EXPECT_EQ(view->threshold, 4.0);
    EXPECT_TRUE(view->binaryColoring);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_DOUBLE_EQ(view->pixelToImag(0), -1.5);
    EXPECT_DOUBLE_EQ(view->pixelToImag(400), 1.5);
    // Half-width 600 * 1.5 / 400 = 2.25.
    EXPECT_DOUBLE_EQ(view->pixelToReal(0), -2.75);
    EXPECT_EQ(countWrongPixels(readPicture(), ExpectedView{-0.5, 0.0, 1.5, 600, 400, 50, 4.0, true}), 0);
}

TEST_F(FractalViewTest, BoxesBelowThreePixelsDoNotZoom)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    const HBITMAP shownBitmap = view->bitmap;
    clearProgressLog();

    for (int boxHalfHeight : {2, 1, 0, -7}) {
        view->zoomToBox(100, 100, boxHalfHeight);
        EXPECT_FALSE(view->busy) << boxHalfHeight;
    }
    pumpPending();
    EXPECT_EQ(statusText(), "Done");
    EXPECT_EQ(view->centerReal, -0.5);
    EXPECT_EQ(view->centerImag, 0.0);
    EXPECT_EQ(view->halfHeight, 1.3);
    EXPECT_EQ(view->bitmap, shownBitmap);
    EXPECT_TRUE(progressLog().empty());

    // Three pixels zoom, centred on the box: column 150 is
    // -2.45 + 3.9 * 150 / 600, row 100 is -1.3 + 2.6 * 100 / 400.
    view->zoomToBox(150, 100, 3);
    EXPECT_TRUE(view->busy);
    EXPECT_EQ(statusText(), "Calculating...");
    EXPECT_NEAR(view->centerReal, -1.475, centreTolerance);
    EXPECT_NEAR(view->centerImag, -0.65, centreTolerance);
    EXPECT_DOUBLE_EQ(view->halfHeight, 3 * 1.3 / 200);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_EQ(countWrongPixels(readPicture(), expectedViewOf(*view)), 0);
}

TEST_F(FractalViewTest, BoxOfHalfTheClientHeightOnlyRecentres)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());

    // Column 450 is -2.45 + 3.9 * 450 / 600, row 300 is -1.3 + 2.6 * 300 / 400.
    view->zoomToBox(450, 300, 200);
    EXPECT_NEAR(view->centerReal, 0.475, centreTolerance);
    EXPECT_NEAR(view->centerImag, 0.65, centreTolerance);
    EXPECT_DOUBLE_EQ(view->halfHeight, 1.3);
    ASSERT_TRUE(waitUntilIdle());

    // With 401 rows half the height is 200 whole pixels, not 200.5.
    resizeWindow(picture, 600, 401);
    const double halfWidth = 600 * 1.3 / 401;
    const double oldReal = view->centerReal;
    const double oldImag = view->centerImag;
    view->zoomToBox(300, 200, 200);
    EXPECT_DOUBLE_EQ(view->halfHeight, 1.3);
    EXPECT_NEAR(view->centerReal, oldReal - halfWidth + 2 * halfWidth * 300 / 600, centreTolerance);
    EXPECT_NEAR(view->centerImag, oldImag - 1.3 + 2.6 * 200 / 401, centreTolerance);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(view->bitmapHeight, 401);
}

TEST_F(FractalViewTest, BoxInAViewLessThanTwoPixelsHighDoesNotZoom)
{
    openPicture(600, 400);
    startView();
    ASSERT_TRUE(waitUntilIdle());
    for (int height : {1, 0}) {
        resizeWindow(picture, 600, height);
        view->zoomToBox(300, 0, 10);
        EXPECT_FALSE(view->busy) << height;
        EXPECT_EQ(view->halfHeight, 1.3) << height;
        EXPECT_EQ(view->centerReal, -0.5) << height;
        EXPECT_EQ(view->centerImag, 0.0) << height;
    }
    pumpPending();
    EXPECT_EQ(statusText(), "Done");
}

TEST_F(FractalViewTest, HeightOfZeroEndsDone)
{
    openPicture(600, 0);
    startView();
    EXPECT_EQ(statusText(), "Calculating...");
    EXPECT_TRUE(view->busy);
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_EQ(view->bitmapHeight, 0);
    EXPECT_EQ(progressPosition(), 0);
    EXPECT_EQ(percentText(), "");
    // No row, so no percentage: only the clearing at the end.
    EXPECT_EQ(progressLog(), std::vector<int>{0});

    // The next calculation of the empty view ends the same way.
    clearProgressLog();
    view->zoomIn();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_EQ(progressLog(), std::vector<int>{0});
}

TEST_F(FractalViewTest, WidthOfZeroRunsEveryRowWithoutPixels)
{
    openPicture(0, 400);
    useFrameClock();
    startView();
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(statusText(), "Done");
    EXPECT_EQ(view->bitmapWidth, 0);
    ASSERT_EQ(progressLog().size(), 401u);
    EXPECT_EQ(progressLog()[0], 0);
    EXPECT_EQ(progressLog()[399], 99);
    EXPECT_EQ(progressLog()[400], 0);
    EXPECT_EQ(percentText(), "");
}
