// Three hundred notches of the wheel towards a point of the boundary take
// the view to a half-height near 1e-90: the point under the cursor stays
// exactly where it was at every notch, as MPFR sums it, and the picture
// there is the brute-force picture.
#include "engine/deep_view.h"
#include "engine/picture_rows.h"
#include "engine/view_area.h"
#include "tests/support/deep_places.h"
#include "tests/support/mpfr_brute_force.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

constexpr int width = 80;
constexpr int height = 60;
// Enough bits for a centre near 1 and offsets down to 2^-1100.
constexpr mpfr_prec_t sumBits = 1300;

// Sets target to value exactly: value, scaled up so that none of its bits
// lies below the doubles' range, is the sum of the doubles that its leading
// bits give one after another.
void setExactly(mpfr_ptr target, PreciseReal value)
{
    constexpr int scale = 600;
    value = ldexp(value, scale);
    mpfr_set_zero(target, 1);
    while (value != 0) {
        const double part = static_cast<double>(value);
        mpfr_add_d(target, target, part, MPFR_RNDN);
        value -= part;
    }
    mpfr_div_2ui(target, target, scale, MPFR_RNDN);
}

// The point of pixel (x, y) as the deep kernel takes it, summed in MPFR.
void pixelPoint(const ViewArea& area, int x, int y, MpReal& real, MpReal& imag)
{
    setExactly(real.get(), area.preciseReal);
    setExactly(imag.get(), area.preciseImag);
    mpfr_add_d(real.get(), real.get(), deepColumnOffset(x, width, area.halfHeight, height), MPFR_RNDN);
    mpfr_add_d(imag.get(), imag.get(), deepRowOffset(y, area.halfHeight, height), MPFR_RNDN);
}

} // namespace

TEST(WheelZoomsAgainstMpfr, ThreeHundredNotchesKeepThePointUnderTheCursor)
{
    constexpr int limit = 3000;
    const PreciseReal targetReal(preperiodic41.centerReal);
    const PreciseReal targetImag(preperiodic41.centerImag);

    ViewArea area = areaOf(Location{}, height);
    int moved = 0;
    for (int notch = 0; notch < 300; ++notch) {
        // The target's place in pixels, and the cursor's: a zoom about pixel
        // p takes a point at t to 2t - p, so the cursor stands where that
        // brings the target back to the middle of the picture, or as near
        // as the picture's edge lets it.
        const double halfWidth = width * area.halfHeight / height;
        const double tx = (static_cast<double>(targetReal - area.preciseReal) / halfWidth + 1) * width / 2;
        const double ty = (static_cast<double>(targetImag - area.preciseImag) / area.halfHeight + 1) * height / 2;
        const int x = std::clamp(int(std::lround(2 * tx - width / 2)), 0, width - 1);
        const int y = std::clamp(int(std::lround(2 * ty - height / 2)), 0, height - 1);
        ASSERT_TRUE(x >= 0 && x < width && y >= 0 && y < height) << "notch " << notch;
        const ViewArea zoomed = areaZoomedAbout(area, x, y, area.halfHeight / 2, width, height);
        ASSERT_EQ(zoomed.halfHeight, area.halfHeight / 2) << "notch " << notch;
        if (isDeepView(area.halfHeight, height)) {
            MpReal beforeReal(sumBits), beforeImag(sumBits), afterReal(sumBits), afterImag(sumBits);
            pixelPoint(area, x, y, beforeReal, beforeImag);
            pixelPoint(zoomed, x, y, afterReal, afterImag);
            ASSERT_TRUE(mpfr_equal_p(beforeReal.get(), afterReal.get())) << "notch " << notch;
            ASSERT_TRUE(mpfr_equal_p(beforeImag.get(), afterImag.get())) << "notch " << notch;
            moved += zoomed.preciseReal != area.preciseReal;
        }
        area = zoomed;
    }
    EXPECT_NEAR(std::log2(area.halfHeight), std::log2(1.3) - 300, 1e-9);
    // The cursor left the centre's pixel at most notches: the centre moved.
    EXPECT_GT(moved, 100);
    const double spacing = pixelSpacing(area.halfHeight, height);
    EXPECT_LT(std::abs(static_cast<double>(targetReal - area.preciseReal)), width * spacing);
    EXPECT_LT(std::abs(static_cast<double>(targetImag - area.preciseImag)), height * spacing);

    Location location;
    location.centerReal = area.preciseReal;
    location.centerImag = area.preciseImag;
    location.halfHeight = area.halfHeight;
    location.iterationLimit = limit;
    ReferenceCache cache;
    const std::atomic<bool> stop{false};
    PictureRows rows = pictureRows(location, area.centerReal, area.centerImag, width, height, bestKernelPath(),
                                   true, cache);
    ASSERT_TRUE(rows.prepare && rows.prepare(stop));

    const auto bits = mpfr_prec_t(std::ceil(-std::log2(spacing)) + 96);
    MpReal cr(bits), ci(bits);
    int compared = 0;
    int same = 0;
    std::set<int> distinct;
    std::vector<int> counts(width);
    for (int y = 1; y < height; y += 3) {
        const StepSink sink{[](void* row, int x, int steps) { static_cast<int*>(row)[x] = steps; }, counts.data()};
        rows.computeRow(y, sink, stop);
        for (int x = y % 2; x < width; x += 2) {
            MpReal real(sumBits), imag(sumBits);
            pixelPoint(area, x, y, real, imag);
            mpfr_set(cr.get(), real.get(), MPFR_RNDN);
            mpfr_set(ci.get(), imag.get(), MPFR_RNDN);
            ++compared;
            distinct.insert(counts[std::size_t(x)]);
            same += counts[std::size_t(x)] == bruteForceSteps(cr.get(), ci.get(), limit, escapeSquareBound(15), bits);
        }
    }
    EXPECT_EQ(same, compared);
    EXPECT_GT(distinct.size(), 20u);
}
