#include "engine/render_kernel.h"

#include "engine/render_kernel_paths.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

double fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint64_t toBits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

bool kernelPathSupported(KernelPath path)
{
    __builtin_cpu_init();
    switch (path) {
    case KernelPath::sse2:
        return true;
    case KernelPath::avx2:
        return __builtin_cpu_supports("avx2");
    case KernelPath::avx512:
        return __builtin_cpu_supports("avx512f");
    }
    return false;
}

KernelPath bestKernelPath()
{
    if (kernelPathSupported(KernelPath::avx512))
        return KernelPath::avx512;
    if (kernelPathSupported(KernelPath::avx2))
        return KernelPath::avx2;
    return KernelPath::sse2;
}

double escapeSquareBound(double threshold)
{
    // Over the non-negative doubles, from +0 to +inf, the order of the values
    // is the order of their bit patterns, so a bisection over the patterns
    // finds the first one whose root exceeds the threshold.
    const auto escapes = [threshold](std::uint64_t bits) { return std::sqrt(fromBits(bits)) > threshold; };
    std::uint64_t low = toBits(0.0);
    std::uint64_t high = toBits(std::numeric_limits<double>::infinity());
    if (!escapes(high))
        return std::numeric_limits<double>::quiet_NaN();
    if (escapes(low))
        return 0.0;
    while (high - low > 1) {
        const std::uint64_t middle = low + (high - low) / 2;
        if (escapes(middle))
            high = middle;
        else
            low = middle;
    }
    return fromBits(high);
}

RowOutcome iterateRow(KernelPath path, const RowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    switch (path) {
    case KernelPath::avx512:
        return iterateRowAvx512(row, sink, stop);
    case KernelPath::avx2:
        return iterateRowAvx2(row, sink, stop);
    case KernelPath::sse2:
        break;
    }
    return iterateRowSse2(row, sink, stop);
}
