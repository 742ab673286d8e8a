// The render kernel on AVX-512F: eight lanes per vector, with mask registers.
#include "engine/render_kernel_paths.h"
#include "engine/kernel_lanes_std.h"

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx512f")

#include "engine/render_kernel_lanes.h"

namespace {

struct Avx512Lanes {
    static constexpr int width = 8;
    static constexpr int groups = 3;
    static constexpr int blockSteps = 8;

    using Real = __m512d;
    using Count = __m512i;
    using Alive = __mmask8;

    static Real load(const double* p) { return _mm512_loadu_pd(p); }
    static void store(double* p, Real v) { _mm512_storeu_pd(p, v); }
    static Real broadcast(double v) { return _mm512_set1_pd(v); }
    static Real add(Real a, Real b) { return _mm512_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm512_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm512_mul_pd(a, b); }
    static Count loadCount(const std::int64_t* p) { return _mm512_loadu_si512(p); }
    static void storeCount(std::int64_t* p, Count v) { _mm512_storeu_si512(p, v); }
    static Count broadcastCount(std::int64_t v) { return _mm512_set1_epi64(v); }
    static Alive allAlive() { return 0xFF; }

    static void countStep(Count& steps, Alive& alive, Real s, Real bound)
    {
        steps = _mm512_mask_add_epi64(steps, alive, steps, _mm512_set1_epi64(1));
        // Not (s >= bound), with a NaN s staying alive.
        alive = _mm512_mask_cmp_pd_mask(alive, s, bound, _CMP_NGE_UQ);
    }

    static std::uint32_t escapedBits(Alive alive) { return ~static_cast<std::uint32_t>(alive) & 0xFFu; }

    static std::uint32_t reachedBits(Count steps, Count last) { return _mm512_cmpge_epi64_mask(steps, last); }

    static std::uint32_t repeatedBits(Real x, Real y, const double* savedX, const double* savedY)
    {
        const __mmask8 sameX = _mm512_cmpeq_epi64_mask(_mm512_castpd_si512(x), _mm512_loadu_si512(savedX));
        return _mm512_mask_cmpeq_epi64_mask(sameX, _mm512_castpd_si512(y), _mm512_loadu_si512(savedY));
    }
};

} // namespace

RowOutcome iterateRowAvx512(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    return kernel_lanes::iterateRowWith<Avx512Lanes>(row, sink, stop);
}

#pragma GCC pop_options
