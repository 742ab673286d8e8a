// The deep kernel of each instruction set; iterateDeepRow chooses among them.
#pragma once

#include "engine/deep_kernel.h"

DeepRowOutcome iterateDeepRowSse2(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop);
DeepRowOutcome iterateDeepRowAvx2(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop);
DeepRowOutcome iterateDeepRowAvx512(const DeepRowPoints& row, StepSink sink, const std::atomic<bool>& stop);
