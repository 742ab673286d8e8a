#include "engine/deep_kernel.h"

#include "engine/deep_kernel_paths.h"

DeepRowOutcome iterateDeepRow(KernelPath path, const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop)
{
    switch (path) {
    case KernelPath::avx512:
        return iterateDeepRowAvx512(row, sink, stop);
    case KernelPath::avx2:
        return iterateDeepRowAvx2(row, sink, stop);
    case KernelPath::sse2:
        break;
    }
    return iterateDeepRowSse2(row, sink, stop);
}
