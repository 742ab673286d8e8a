// Sixty box zooms towards a point of the boundary, each to a tenth of the
// height, take the view to a half-height near 1e-60, far below a double's
// resolution: the picture there is still the brute-force picture.
#include "engine/deep_view.h"
#include "engine/picture_rows.h"
#include "engine/view_area.h"
#include "tests/support/deep_places.h"
#include "tests/support/mpfr_brute_force.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ios>
#include <set>
#include <vector>

TEST(BoxZoomsAgainstMpfr, SixtyZoomsToATenthStaySharp)
{
    constexpr int width = 80;
    constexpr int height = 60;
    constexpr int limit = 3000;
    const PreciseReal targetReal(preperiodic41.centerReal);
    const PreciseReal targetImag(preperiodic41.centerImag);

    ViewArea area = areaOf(Location{}, height);
    for (int zoom = 0; zoom < 60; ++zoom) {
        // The pixel nearest the target: its offset is (2x/W - 1) halfWidth.
        const double halfWidth = width * area.halfHeight / height;
        const double offsetReal = static_cast<double>(targetReal - area.preciseReal);
        const double offsetImag = static_cast<double>(targetImag - area.preciseImag);
        const int x = int(std::lround((offsetReal / halfWidth + 1) * width / 2));
        const int y = int(std::lround((offsetImag / area.halfHeight + 1) * height / 2));
        ASSERT_TRUE(x >= 0 && x < width && y >= 0 && y < height) << "zoom " << zoom;
        // A box of 3 pixels in a view of 60 rows: a tenth of the height.
        area = areaZoomedToBox(area, x, y, 3, width, height);
    }
    EXPECT_NEAR(std::log10(area.halfHeight), -60 + std::log10(1.3), 1e-9);
    // Each zoom centred on the pixel nearest the target, half a pixel of the
    // view before it, five of the view after it: the target is still that
    // close to the centre.
    const double spacing = pixelSpacing(area.halfHeight, height);
    EXPECT_LT(std::abs(static_cast<double>(targetReal - area.preciseReal)), 5 * spacing);
    EXPECT_LT(std::abs(static_cast<double>(targetImag - area.preciseImag)), 5 * spacing);

    Location location;
    location.centerReal = area.preciseReal;
    location.centerImag = area.preciseImag;
    location.halfHeight = area.halfHeight;
    location.iterationLimit = limit;
    location.escapeThreshold = 15;
    ReferenceCache cache;
    const std::atomic<bool> stop{false};
    PictureRows rows = pictureRows(location, area.centerReal, area.centerImag, width, height, bestKernelPath(),
                                   true, cache);
    ASSERT_TRUE(rows.prepare && rows.prepare(stop));

    const auto bits = mpfr_prec_t(std::ceil(-std::log2(spacing)) + 96);
    MpReal centerRe(bits), centerIm(bits), cr(bits), ci(bits);
    mpfr_set_str(centerRe.get(), area.preciseReal.str(400, std::ios_base::scientific).c_str(), 10, MPFR_RNDN);
    mpfr_set_str(centerIm.get(), area.preciseImag.str(400, std::ios_base::scientific).c_str(), 10, MPFR_RNDN);
    int compared = 0;
    int same = 0;
    std::set<int> distinct;
    std::vector<int> counts(width);
    for (int y = 0; y < height; y += 3) {
        rows.computeRow(y, StepSink{[](void* row, int x, int steps) { static_cast<int*>(row)[x] = steps; }, counts.data()},
                        stop);
        mpfr_add_d(ci.get(), centerIm.get(), deepRowOffset(y, area.halfHeight, height), MPFR_RNDN);
        for (int x = y % 2; x < width; x += 2) {
            mpfr_add_d(cr.get(), centerRe.get(), deepColumnOffset(x, width, area.halfHeight, height), MPFR_RNDN);
            ++compared;
            distinct.insert(counts[std::size_t(x)]);
            same += counts[std::size_t(x)] == bruteForceSteps(cr.get(), ci.get(), limit, escapeSquareBound(15), bits);
        }
    }
    EXPECT_EQ(same, compared);
    // Sharp: the pixels are not blocks of one count.
    EXPECT_GT(distinct.size(), 20u);
}
