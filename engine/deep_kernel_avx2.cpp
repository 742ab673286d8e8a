// The deep kernel on AVX2: four lanes per vector.
#include "engine/deep_kernel_paths.h"
#include "engine/deep_pixel_steps.h"
#include "engine/kernel_lanes_std.h"

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

#include "engine/deep_kernel_lanes.h"

namespace {

struct Avx2Lanes {
    static constexpr int width = 4;
    static constexpr int groups = 3;
    // Quick blocks pay while at most one group's block in this many is taken
    // again (measured with the deep zoom benchmark).
    static constexpr int troubleShare = 4;

    using Real = __m256d;
    using Count = __m256i;
    using Mask = __m256d;
    using Alive = __m256d;

    static Real load(const double* p) { return _mm256_loadu_pd(p); }
    static void store(double* p, Real v) { _mm256_storeu_pd(p, v); }
    static Real broadcast(double v) { return _mm256_set1_pd(v); }
    static Real add(Real a, Real b) { return _mm256_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm256_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm256_mul_pd(a, b); }
    static Real abs(Real a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
    static Real max(Real a, Real b) { return _mm256_max_pd(a, b); }
    static Count loadCount(const std::int64_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void storeCount(std::int64_t* p, Count v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static Count broadcastCount(std::int64_t v) { return _mm256_set1_epi64x(v); }
    static Count addCount(Count a, Count b) { return _mm256_add_epi64(a, b); }
    static Count wrapCount(Count m, Count end, Count period)
    {
        return _mm256_sub_epi64(m, _mm256_andnot_si256(_mm256_cmpgt_epi64(end, m), period));
    }
    static void gather(const double* re, const double* im, Count index, Real& outRe, Real& outIm)
    {
        outRe = _mm256_i64gather_pd(re, index, 8);
        outIm = _mm256_i64gather_pd(im, index, 8);
    }

    static Mask less(Real a, Real b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static Mask atLeast(Real a, Real b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
    static Mask noLanes() { return _mm256_setzero_pd(); }
    static Mask equalCount(Count a, Count b) { return _mm256_castsi256_pd(_mm256_cmpeq_epi64(a, b)); }
    static Mask either(Mask p, Mask q) { return _mm256_or_pd(p, q); }
    static Real select(Mask p, Real a, Real b) { return _mm256_blendv_pd(b, a, p); }
    static Real keepUnless(Mask p, Real a) { return _mm256_andnot_pd(p, a); }
    static Count selectCount(Mask p, Count a, Count b)
    {
        return _mm256_castpd_si256(_mm256_blendv_pd(_mm256_castsi256_pd(b), _mm256_castsi256_pd(a), p));
    }

    static Alive allAlive() { return _mm256_castsi256_pd(_mm256_set1_epi64x(-1)); }
    static void countStep(Count& steps, Alive& alive, Real s, Real bound)
    {
        // A lane that is alive is all ones, -1 as a 64-bit integer.
        steps = _mm256_sub_epi64(steps, _mm256_castpd_si256(alive));
        alive = _mm256_andnot_pd(_mm256_cmp_pd(s, bound, _CMP_GE_OQ), alive);
    }

    static void countSteps(Count& steps, Alive alive, Count n)
    {
        steps = _mm256_add_epi64(steps, _mm256_and_si256(_mm256_castpd_si256(alive), n));
    }

    static std::uint32_t maskBits(Mask p) { return static_cast<std::uint32_t>(_mm256_movemask_pd(p)); }
    static std::uint32_t belowBits(Count a, Count b) { return maskBits(_mm256_castsi256_pd(_mm256_cmpgt_epi64(b, a))); }
    static std::uint32_t escapedBits(Alive alive) { return ~maskBits(alive) & 15u; }
    static std::uint32_t reachedBits(Count steps, Count last)
    {
        return maskBits(_mm256_castsi256_pd(_mm256_cmpgt_epi64(last, steps))) ^ 15u;
    }
    static std::uint32_t repeatedBits(Count m, Real dr, Real di, const std::int64_t* savedM, const double* savedDr,
                                      const double* savedDi)
    {
        const __m256i sameM = _mm256_cmpeq_epi64(m, loadCount(savedM));
        const __m256i sameR = _mm256_cmpeq_epi64(_mm256_castpd_si256(dr), loadCount(reinterpret_cast<const std::int64_t*>(savedDr)));
        const __m256i sameI = _mm256_cmpeq_epi64(_mm256_castpd_si256(di), loadCount(reinterpret_cast<const std::int64_t*>(savedDi)));
        return maskBits(_mm256_castsi256_pd(_mm256_and_si256(sameM, _mm256_and_si256(sameR, sameI))));
    }
};

} // namespace

DeepRowOutcome iterateDeepRowAvx2(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    return deep_lanes::iterateDeepRowWith<Avx2Lanes>(row, sink, stop);
}

#pragma GCC pop_options
