// The render kernel on AVX2: four lanes per vector.
#include "engine/render_kernel_paths.h"
#include "engine/kernel_lanes_std.h"

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

#include "engine/render_kernel_lanes.h"

namespace {

struct Avx2Lanes {
    static constexpr int width = 4;
    static constexpr int groups = 2;
    static constexpr int blockSteps = 8;

    using Real = __m256d;
    using Count = __m256i;
    using Alive = __m256d;

    static Real load(const double* p) { return _mm256_loadu_pd(p); }
    static void store(double* p, Real v) { _mm256_storeu_pd(p, v); }
    static Real broadcast(double v) { return _mm256_set1_pd(v); }
    static Real add(Real a, Real b) { return _mm256_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm256_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm256_mul_pd(a, b); }
    static Count loadCount(const std::int64_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void storeCount(std::int64_t* p, Count v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static Count broadcastCount(std::int64_t v) { return _mm256_set1_epi64x(v); }
    static Alive allAlive() { return _mm256_castsi256_pd(_mm256_set1_epi64x(-1)); }

    static void countStep(Count& steps, Alive& alive, Real s, Real bound)
    {
        // A lane that is alive is all ones, -1 as a 64-bit integer.
        steps = _mm256_sub_epi64(steps, _mm256_castpd_si256(alive));
        alive = _mm256_andnot_pd(_mm256_cmp_pd(s, bound, _CMP_GE_OQ), alive);
    }

    static std::uint32_t escapedBits(Alive alive) { return ~static_cast<std::uint32_t>(_mm256_movemask_pd(alive)) & 15u; }

    static std::uint32_t reachedBits(Count steps, Count last)
    {
        return static_cast<std::uint32_t>(_mm256_movemask_pd(_mm256_castsi256_pd(_mm256_cmpgt_epi64(last, steps)))) ^ 15u;
    }

    static std::uint32_t repeatedBits(Real x, Real y, const double* savedX, const double* savedY)
    {
        const __m256i sameX = _mm256_cmpeq_epi64(_mm256_castpd_si256(x), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(savedX)));
        const __m256i sameY = _mm256_cmpeq_epi64(_mm256_castpd_si256(y), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(savedY)));
        return static_cast<std::uint32_t>(_mm256_movemask_pd(_mm256_castsi256_pd(_mm256_and_si256(sameX, sameY))));
    }
};

} // namespace

RowOutcome iterateRowAvx2(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    return kernel_lanes::iterateRowWith<Avx2Lanes>(row, sink, stop);
}

#pragma GCC pop_options
