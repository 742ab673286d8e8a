// The little-endian numbers of the BMP and ICO files that the resource
// pictures are written in.
#pragma once

#include <cstdint>
#include <vector>

// Appends the low 16 bits of value, low byte first.
inline void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

// Appends value, low byte first.
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
