// The deep kernel on AVX-512F: eight lanes per vector, with mask registers.
#include "engine/deep_kernel_paths.h"
#include "engine/deep_pixel_steps.h"
#include "engine/kernel_lanes_std.h"

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx512f")

#include "engine/deep_kernel_lanes.h"

namespace {

struct Avx512Lanes {
    static constexpr int width = 8;
    static constexpr int groups = 3;
    // Quick blocks pay while at most one group's block in this many is taken
    // again (measured with the deep zoom benchmark).
    static constexpr int troubleShare = 6;

    using Real = __m512d;
    using Count = __m512i;
    using Mask = __mmask8;
    using Alive = __mmask8;

    static Real load(const double* p) { return _mm512_loadu_pd(p); }
    static void store(double* p, Real v) { _mm512_storeu_pd(p, v); }
    static Real broadcast(double v) { return _mm512_set1_pd(v); }
    static Real add(Real a, Real b) { return _mm512_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm512_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm512_mul_pd(a, b); }
    static Real abs(Real a)
    {
        return _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(a), _mm512_set1_epi64(INT64_MAX)));
    }
    // a > b ? a : b, as maxpd; the intrinsics of maxpd and of a gather start
    // from an undefined vector, which the compiler warns of.
    static Real max(Real a, Real b) { return _mm512_mask_blend_pd(_mm512_cmp_pd_mask(a, b, _CMP_GT_OQ), b, a); }
    static Count loadCount(const std::int64_t* p) { return _mm512_loadu_si512(p); }
    static void storeCount(std::int64_t* p, Count v) { _mm512_storeu_si512(p, v); }
    static Count broadcastCount(std::int64_t v) { return _mm512_set1_epi64(v); }
    static Count addCount(Count a, Count b) { return _mm512_add_epi64(a, b); }
    static Count wrapCount(Count m, Count end, Count period)
    {
        return _mm512_mask_sub_epi64(m, _mm512_cmpge_epi64_mask(m, end), m, period);
    }
    static void gather(const double* re, const double* im, Count index, Real& outRe, Real& outIm)
    {
        outRe = _mm512_mask_i64gather_pd(_mm512_setzero_pd(), 0xFF, index, re, 8);
        outIm = _mm512_mask_i64gather_pd(_mm512_setzero_pd(), 0xFF, index, im, 8);
    }

    static Mask less(Real a, Real b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
    static Mask atLeast(Real a, Real b) { return _mm512_cmp_pd_mask(a, b, _CMP_GE_OQ); }
    static Mask noLanes() { return 0; }
    static Mask equalCount(Count a, Count b) { return _mm512_cmpeq_epi64_mask(a, b); }
    static Mask either(Mask p, Mask q) { return static_cast<Mask>(p | q); }
    static Real select(Mask p, Real a, Real b) { return _mm512_mask_blend_pd(p, b, a); }
    static Real keepUnless(Mask p, Real a) { return _mm512_maskz_mov_pd(static_cast<Mask>(~p), a); }
    static Count selectCount(Mask p, Count a, Count b) { return _mm512_mask_blend_epi64(p, b, a); }

    static Alive allAlive() { return 0xFF; }
    static void countStep(Count& steps, Alive& alive, Real s, Real bound)
    {
        steps = _mm512_mask_add_epi64(steps, alive, steps, _mm512_set1_epi64(1));
        // Not (s >= bound), with a NaN s staying alive.
        alive = _mm512_mask_cmp_pd_mask(alive, s, bound, _CMP_NGE_UQ);
    }

    static void countSteps(Count& steps, Alive alive, Count n) { steps = _mm512_mask_add_epi64(steps, alive, steps, n); }

    static std::uint32_t maskBits(Mask p) { return p; }
    static std::uint32_t belowBits(Count a, Count b) { return _mm512_cmplt_epi64_mask(a, b); }
    static std::uint32_t escapedBits(Alive alive) { return ~static_cast<std::uint32_t>(alive) & 0xFFu; }
    static std::uint32_t reachedBits(Count steps, Count last) { return _mm512_cmpge_epi64_mask(steps, last); }
    static std::uint32_t repeatedBits(Count m, Real dr, Real di, const std::int64_t* savedM, const double* savedDr,
                                      const double* savedDi)
    {
        const __mmask8 sameM = _mm512_cmpeq_epi64_mask(m, _mm512_loadu_si512(savedM));
        const __mmask8 sameR = _mm512_mask_cmpeq_epi64_mask(sameM, _mm512_castpd_si512(dr), _mm512_loadu_si512(savedDr));
        return _mm512_mask_cmpeq_epi64_mask(sameR, _mm512_castpd_si512(di), _mm512_loadu_si512(savedDi));
    }
};

} // namespace

DeepRowOutcome iterateDeepRowAvx512(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    return deep_lanes::iterateDeepRowWith<Avx512Lanes>(row, sink, stop);
}

#pragma GCC pop_options
