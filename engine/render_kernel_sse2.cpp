// The render kernel on SSE2: two lanes per vector, which every x86-64
// processor has.
#include "engine/render_kernel_paths.h"

#include "engine/render_kernel_lanes.h"

#include <emmintrin.h>

#include <cstdint>

namespace {

struct Sse2Lanes {
    static constexpr int width = 2;
    static constexpr int groups = 2;
    static constexpr int blockSteps = 4;

    using Real = __m128d;
    using Count = __m128i;
    using Alive = __m128d;

    static Real load(const double* p) { return _mm_loadu_pd(p); }
    static void store(double* p, Real v) { _mm_storeu_pd(p, v); }
    static Real broadcast(double v) { return _mm_set1_pd(v); }
    static Real add(Real a, Real b) { return _mm_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm_mul_pd(a, b); }
    static Count loadCount(const std::int64_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void storeCount(std::int64_t* p, Count v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static Count broadcastCount(std::int64_t v) { return _mm_set1_epi64x(v); }
    static Alive allAlive() { return _mm_castsi128_pd(_mm_set1_epi32(-1)); }

    static void countStep(Count& steps, Alive& alive, Real s, Real bound)
    {
        // A lane that is alive is all ones, -1 in each 64-bit half.
        steps = _mm_sub_epi64(steps, _mm_castpd_si128(alive));
        alive = _mm_andnot_pd(_mm_cmpge_pd(s, bound), alive);
    }

    static std::uint32_t escapedBits(Alive alive) { return ~static_cast<std::uint32_t>(_mm_movemask_pd(alive)) & 3u; }

    static std::uint32_t reachedBits(Count steps, Count last)
    {
        // SSE2 has no 64-bit comparison: steps - last is negative below it.
        return ~static_cast<std::uint32_t>(_mm_movemask_pd(_mm_castsi128_pd(_mm_sub_epi64(steps, last)))) & 3u;
    }

    static std::uint32_t repeatedBits(Real x, Real y, const double* savedX, const double* savedY)
    {
        const __m128i differs = _mm_or_si128(_mm_xor_si128(_mm_castpd_si128(x), _mm_loadu_si128(reinterpret_cast<const __m128i*>(savedX))),
                                             _mm_xor_si128(_mm_castpd_si128(y), _mm_loadu_si128(reinterpret_cast<const __m128i*>(savedY))));
        // SSE2 compares 32-bit halves: a lane repeats when both of its are 0.
        const auto halves = static_cast<std::uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(differs, _mm_setzero_si128()))));
        const std::uint32_t both = halves & (halves >> 1);
        return (both & 1u) | (both >> 1 & 2u);
    }
};

} // namespace

RowOutcome iterateRowSse2(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    return kernel_lanes::iterateRowWith<Sse2Lanes>(row, sink, stop);
}
