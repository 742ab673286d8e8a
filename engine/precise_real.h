// The real numbers that place a deep view: a binary floating-point number of
// 1152 bits. The deepest view has a half-height of 1e-300; in a picture of up
// to 65535 rows its pixels lie about 2^-1011 apart, and the centre needs 64
// bits below that to stay exact through long chains of zooms.
#pragma once

#include <boost/multiprecision/cpp_bin_float.hpp>

#include <cstdint>

using PreciseReal = boost::multiprecision::number<
    boost::multiprecision::cpp_bin_float<1152, boost::multiprecision::digit_base_2, void, std::int32_t>,
    boost::multiprecision::et_off>;
