// The deep kernel on SSE2: two lanes per vector, which every x86-64 processor
// has. SSE2 has no gather and no 64-bit comparison; both are built from what
// it has.
#include "engine/deep_kernel_paths.h"

#include "engine/deep_kernel_lanes.h"

#include <emmintrin.h>

namespace {

struct Sse2Lanes {
    static constexpr int width = 2;
    static constexpr int groups = 2;
    // Quick blocks pay while at most one group's block in this many is taken
    // again (measured with the deep zoom benchmark).
    static constexpr int troubleShare = 2;

    using Real = __m128d;
    using Count = __m128i;
    using Mask = __m128d;
    using Alive = __m128d;

    static Real load(const double* p) { return _mm_loadu_pd(p); }
    static void store(double* p, Real v) { _mm_storeu_pd(p, v); }
    static Real broadcast(double v) { return _mm_set1_pd(v); }
    static Real add(Real a, Real b) { return _mm_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm_mul_pd(a, b); }
    static Real abs(Real a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }
    static Real max(Real a, Real b) { return _mm_max_pd(a, b); }
    static Count loadCount(const std::int64_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void storeCount(std::int64_t* p, Count v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static Count broadcastCount(std::int64_t v) { return _mm_set1_epi64x(v); }
    static Count addCount(Count a, Count b) { return _mm_add_epi64(a, b); }
    static Count wrapCount(Count m, Count end, Count period)
    {
        // m - end is negative below the end: its high half's sign, spread
        // over the lane, masks the period out.
        const __m128i below = _mm_shuffle_epi32(_mm_srai_epi32(_mm_sub_epi64(m, end), 31), _MM_SHUFFLE(3, 3, 1, 1));
        return _mm_sub_epi64(m, _mm_andnot_si128(below, period));
    }

    static void gather(const double* re, const double* im, Count index, Real& outRe, Real& outIm)
    {
        const std::int64_t low = _mm_cvtsi128_si64(index);
        const std::int64_t high = _mm_cvtsi128_si64(_mm_unpackhi_epi64(index, index));
        outRe = _mm_loadh_pd(_mm_load_sd(re + low), re + high);
        outIm = _mm_loadh_pd(_mm_load_sd(im + low), im + high);
    }

    static Mask less(Real a, Real b) { return _mm_cmplt_pd(a, b); }
    static Mask atLeast(Real a, Real b) { return _mm_cmpge_pd(a, b); }
    static Mask noLanes() { return _mm_setzero_pd(); }
    static Mask equalCount(Count a, Count b)
    {
        // Equal 64-bit lanes are equal in both 32-bit halves.
        const __m128i halves = _mm_cmpeq_epi32(a, b);
        return _mm_castsi128_pd(_mm_and_si128(halves, _mm_shuffle_epi32(halves, _MM_SHUFFLE(2, 3, 0, 1))));
    }
    static Mask either(Mask p, Mask q) { return _mm_or_pd(p, q); }
    static Real select(Mask p, Real a, Real b) { return _mm_or_pd(_mm_and_pd(p, a), _mm_andnot_pd(p, b)); }
    static Real keepUnless(Mask p, Real a) { return _mm_andnot_pd(p, a); }
    static Count selectCount(Mask p, Count a, Count b)
    {
        const __m128i mask = _mm_castpd_si128(p);
        return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
    }

    static Alive allAlive() { return _mm_castsi128_pd(_mm_set1_epi32(-1)); }
    static void countStep(Count& steps, Alive& alive, Real s, Real bound)
    {
        // A lane that is alive is all ones, -1 in each 64-bit half.
        steps = _mm_sub_epi64(steps, _mm_castpd_si128(alive));
        alive = _mm_andnot_pd(_mm_cmpge_pd(s, bound), alive);
    }

    static void countSteps(Count& steps, Alive alive, Count n)
    {
        steps = _mm_add_epi64(steps, _mm_and_si128(_mm_castpd_si128(alive), n));
    }

    static std::uint32_t maskBits(Mask p) { return static_cast<std::uint32_t>(_mm_movemask_pd(p)); }
    // a - b is negative where a < b.
    static std::uint32_t belowBits(Count a, Count b) { return maskBits(_mm_castsi128_pd(_mm_sub_epi64(a, b))); }
    static std::uint32_t escapedBits(Alive alive) { return ~maskBits(alive) & 3u; }
    static std::uint32_t reachedBits(Count steps, Count last)
    {
        // steps - last is negative below the last step.
        return ~maskBits(_mm_castsi128_pd(_mm_sub_epi64(steps, last))) & 3u;
    }
    static std::uint32_t repeatedBits(Count m, Real dr, Real di, const std::int64_t* savedM, const double* savedDr,
                                      const double* savedDi)
    {
        const __m128i differs =
            _mm_or_si128(_mm_xor_si128(m, loadCount(savedM)),
                         _mm_or_si128(_mm_xor_si128(_mm_castpd_si128(dr), _mm_castpd_si128(load(savedDr))),
                                      _mm_xor_si128(_mm_castpd_si128(di), _mm_castpd_si128(load(savedDi)))));
        return maskBits(equalCount(differs, _mm_setzero_si128()));
    }
};

} // namespace

DeepRowOutcome iterateDeepRowSse2(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    return deep_lanes::iterateDeepRowWith<Sse2Lanes>(row, sink, stop);
}
