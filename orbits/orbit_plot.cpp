#include "orbits/orbit_plot.h"

#include <cmath>

namespace {

// 2^63: the first magnitude a signed 64-bit integer cannot hold.
constexpr double twoTo63 = 9223372036854775808.0;

} // namespace

std::int32_t scaledToCoordinate(double scaled)
{
    // The comparison is false for NaN, so NaN joins the infinities here.
    if (!(std::fabs(scaled) < twoTo63))
        return 0;
    const std::int64_t whole = static_cast<std::int64_t>(scaled);
    // The low 32 bits, read as a signed number without relying on how a
    // narrowing conversion treats values that do not fit.
    const std::uint32_t low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole));
    if (low < 0x80000000u)
        return static_cast<std::int32_t>(low);
    return static_cast<std::int32_t>(low - 0x80000000u) + INT32_MIN;
}

std::int32_t realToColumn(double re, double pixelsPerUnit)
{
    return scaledToCoordinate((re - orbitPlaneLeft) * pixelsPerUnit);
}

std::int32_t imagToRow(double im, double pixelsPerUnit)
{
    return scaledToCoordinate((im - orbitPlaneTop) * pixelsPerUnit);
}

int iterateGreenLevel(int k)
{
    return (256 - 2 * k) % 256;
}

std::uint32_t iterateColor(int k)
{
    return static_cast<std::uint32_t>(iterateGreenLevel(k)) << 8;
}

OrbitPlot plotOrbit(double cRe, double cIm, double pixelsPerUnit)
{
    OrbitPlot plot;
    plot.start = {realToColumn(cRe, pixelsPerUnit), imagToRow(cIm, pixelsPerUnit)};
    double zr = cRe;
    double zi = cIm;
    for (PlotPoint& point : plot.iterates) {
        const double nextRe = cRe + (zr * zr - zi * zi);
        const double nextIm = (zr * zi) * 2 + cIm;
        zr = nextRe;
        zi = nextIm;
        point = {realToColumn(zr, pixelsPerUnit), imagToRow(zi, pixelsPerUnit)};
    }
    return plot;
}
