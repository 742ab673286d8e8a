// Every standard header that the kernels' lane templates may use
// (engine/render_kernel_lanes.h and engine/deep_kernel_lanes.h), and the one
// place that lists them.
//
// The files of the wider paths include this header before their
// `#pragma GCC target` region. A standard header first seen inside the region
// would have its inline functions and templates compiled for the wider
// instruction set, and the linker keeps one copy of each for the whole
// program: the SSE2 path, and all the rest of the program, could then run
// AVX2 code on a processor without it. A lanes header includes no standard
// header that is missing here; the test kernel_target_rule checks that, and
// that no path's object holds shared code of the wider instruction set.
#pragma once

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>
