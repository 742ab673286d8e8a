// The render kernel of each instruction set; iterateRow chooses among them.
#pragma once

#include "engine/render_kernel.h"

RowOutcome iterateRowSse2(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop);
RowOutcome iterateRowAvx2(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop);
RowOutcome iterateRowAvx512(const RowPoints& row, StepSink sink, const std::atomic<bool>& stop);
