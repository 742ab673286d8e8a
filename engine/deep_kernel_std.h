// Every standard header the deep kernel's lane template uses. The files of
// the wider paths include this before their `#pragma GCC target` region, so
// that no standard header is first compiled for a wider instruction set and
// then shared, as inline code, with the paths that cannot run it.
#pragma once

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>
