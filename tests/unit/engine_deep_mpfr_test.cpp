// The deep kernel against brute force: every pixel of small pictures iterated
// in MPFR at the precision its depth needs, with the program's step rule.
// Built natively only.
#include "engine/deep_kernel.h"
#include "engine/deep_view.h"
#include "engine/render_kernel.h"
#include "tests/support/deep_places.h"
#include "tests/support/mpfr_brute_force.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ios>
#include <string>
#include <vector>

namespace {

struct DeepCase {
    DeepPlace place;
    double halfHeight;
    int width;
    int height;
    int limit;
    // Where the centre lies from the place, in half-heights: off it, the
    // centre's own orbit escapes before some of the pixels' orbits do.
    // (With a shift of a whole number of pixels, a pixel falls within 2^-53
    // of a pixel's width of a preperiodic point, where its count depends on
    // its distance from it at a scale the doubles around a rebased pixel
    // cannot hold.)
    double shiftRe;
    double shiftIm;
    double minimumShare; // of pixels with the brute-force count
};

ReferenceRequest requestFor(const DeepCase& view)
{
    PreciseReal re(view.place.centerReal);
    PreciseReal im(view.place.centerImag);
    re += PreciseReal(view.shiftRe * view.halfHeight);
    im += PreciseReal(view.shiftIm * view.halfHeight);
    return ReferenceRequest{re, im, view.halfHeight, view.width, view.height, view.limit};
}

// The counts of every pixel, row after row, from the deep kernel.
std::vector<int> deepCounts(const ReferenceOrbit& reference, const DeepCase& view, bool useBla)
{
    std::vector<int> counts(std::size_t(view.width) * std::size_t(view.height), -1);
    std::vector<double> offsets;
    for (int x = 0; x < view.width; ++x)
        offsets.push_back(deepColumnOffset(x, view.width, view.halfHeight, view.height));
    const std::atomic<bool> stop{false};
    for (int y = 0; y < view.height; ++y) {
        int* row = counts.data() + std::size_t(y) * std::size_t(view.width);
        const DeepRowPoints points{&reference, offsets.data(), view.width, deepRowOffset(y, view.halfHeight, view.height),
                                   view.limit, escapeSquareBound(2.0), useBla};
        iterateDeepRow(bestKernelPath(), points,
                       StepSink{[](void* context, int x, int steps) { static_cast<int*>(context)[x] = steps; }, row},
                       stop);
    }
    return counts;
}

std::vector<int> bruteForceCounts(const ReferenceRequest& request, const DeepCase& view)
{
    const double spacing = pixelSpacing(view.halfHeight, view.height);
    const auto bits = mpfr_prec_t(std::ceil(-std::log2(spacing)) + 96);
    MpReal centerRe(bits), centerIm(bits), cr(bits), ci(bits);
    mpfr_set_str(centerRe.get(), request.centerReal.str(400, std::ios_base::scientific).c_str(), 10, MPFR_RNDN);
    mpfr_set_str(centerIm.get(), request.centerImag.str(400, std::ios_base::scientific).c_str(), 10, MPFR_RNDN);
    std::vector<int> counts;
    for (int y = 0; y < view.height; ++y) {
        mpfr_add_d(ci.get(), centerIm.get(), deepRowOffset(y, view.halfHeight, view.height), MPFR_RNDN);
        for (int x = 0; x < view.width; ++x) {
            mpfr_add_d(cr.get(), centerRe.get(), deepColumnOffset(x, view.width, view.halfHeight, view.height), MPFR_RNDN);
            counts.push_back(bruteForceSteps(cr.get(), ci.get(), view.limit, escapeSquareBound(2.0), bits));
        }
    }
    return counts;
}

const double depths[] = {1e-14, 1e-30, 1e-60, 1e-100, 1e-200, 1e-300};

std::vector<DeepCase> corpus()
{
    std::vector<DeepCase> cases;
    for (const double depth : depths) {
        cases.push_back({preperiodic41, depth, 25, 16, 20000, 0, 0, 1.0});
        cases.push_back({preperiodic31, depth, 25, 16, 20000, 0, 0, 1.0});
        cases.push_back({seahorse, depth, 23, 14, 20000, 0, 0, 0.995});
        cases.push_back({preperiodic31, depth, 23, 14, 20000, 0.317, 0.211, 0.995});
    }
    cases.push_back({neck105, 1e-31, 12, 8, 100000, 0, 0, 0.995});
    cases.push_back({nucleus713, 3e-48, 12, 8, 20000, 0, 0, 0.995});
    cases.push_back({nucleus713, 3e-48, 12, 8, 20000, 0.817, 0.611, 0.995});
    return cases;
}

} // namespace

TEST(DeepKernelAgainstMpfr, CountsMatchBruteForceWithAndWithoutBla)
{
    for (const DeepCase& view : corpus()) {
        const ReferenceRequest request = requestFor(view);
        const std::atomic<bool> stop{false};
        const auto reference = computeReferenceOrbit(request, stop);
        ASSERT_TRUE(reference);
        const std::vector<int> expected = bruteForceCounts(request, view);
        const std::vector<int> plain = deepCounts(*reference, view, false);
        const std::vector<int> withBla = deepCounts(*reference, view, true);
        int samePlain = 0, sameBla = 0, blaAgrees = 0;
        for (std::size_t k = 0; k < expected.size(); ++k) {
            samePlain += plain[k] == expected[k];
            sameBla += withBla[k] == expected[k];
            blaAgrees += withBla[k] == plain[k];
            if (plain[k] != expected[k] || withBla[k] != expected[k])
                std::printf("  pixel (%zu, %zu): brute force %d, perturbation %d, with maps %d\n", k % std::size_t(view.width),
                            k / std::size_t(view.width), expected[k], plain[k], withBla[k]);
            const bool black = expected[k] >= view.limit;
            EXPECT_EQ(plain[k] >= view.limit, black) << view.place.name << " " << view.halfHeight << " pixel " << k;
            EXPECT_EQ(withBla[k] >= view.limit, black) << view.place.name << " " << view.halfHeight << " pixel " << k;
        }
        const double pixels = double(expected.size());
        std::printf("%-14s %s half-height %-6g limit %-6d: perturbation %.1f%%, with maps %.1f%%, maps = no maps %.1f%%\n",
                    view.place.name, view.shiftRe != 0 ? "off centre" : "          ", view.halfHeight, view.limit,
                    100 * samePlain / pixels, 100 * sameBla / pixels, 100 * blaAgrees / pixels);
        EXPECT_GE(samePlain, view.minimumShare * pixels) << view.place.name << " " << view.halfHeight;
        EXPECT_GE(sameBla, view.minimumShare * pixels) << view.place.name << " " << view.halfHeight;
        if (view.shiftRe != 0) {
            EXPECT_TRUE(reference->escaped && *std::max_element(expected.begin(), expected.end()) > reference->end)
                << "the centre's orbit should escape before a pixel's: " << view.halfHeight;
        }
    }
}
