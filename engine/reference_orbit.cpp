#include "engine/reference_orbit.h"

#include "engine/deep_view.h"

#include <algorithm>
#include <cmath>

namespace {

namespace mp = boost::multiprecision;

template <unsigned bits>
using Real = mp::number<mp::cpp_bin_float<bits, mp::digit_base_2, void, std::int32_t>, mp::et_off>;

// Appends Z_1 .. Z_end to the orbit, which holds Z_0; false once stop is set.
template <class R>
bool iterateOrbit(ReferenceOrbit& orbit, std::int64_t lastEnd, const std::atomic<bool>& stop)
{
    constexpr std::int64_t stopInterval = std::int64_t{1} << 16;
    const R cr(orbit.centerReal);
    const R ci(orbit.centerImag);
    R zr = 0;
    R zi = 0;
    for (std::int64_t k = 1; k <= lastEnd; ++k) {
        if (k % stopInterval == 0 && stop.load())
            return false;
        const R newZr = zr * zr - zi * zi + cr;
        zi = 2 * zr * zi + ci;
        zr = newZr;
        const double re = static_cast<double>(zr);
        const double im = static_cast<double>(zi);
        orbit.re.push_back(re);
        orbit.im.push_back(im);
        if (re * re + im * im > 4.0) {
            orbit.escaped = true;
            break;
        }
    }
    return true;
}

} // namespace

int referencePrecisionBits(double spacing, double centerModulus)
{
    const double needed = std::ceil(-std::log2(spacing)) + std::max(0.0, std::ceil(std::log2(centerModulus))) + 64.0;
    for (const int bits : {128, 256, 512})
        if (needed <= bits)
            return bits;
    return 1152;
}

std::int64_t referenceEndFor(int maxIterations)
{
    return std::min<std::int64_t>(std::int64_t{std::max(maxIterations, 1)} + 2, maxReferenceEnd);
}

std::shared_ptr<const ReferenceOrbit> computeReferenceOrbit(const ReferenceRequest& request,
                                                            const std::atomic<bool>& stop)
{
    auto orbit = std::make_shared<ReferenceOrbit>();
    orbit->centerReal = request.centerReal;
    orbit->centerImag = request.centerImag;
    const double spacing = pixelSpacing(request.halfHeight, request.height);
    const double modulus = std::hypot(static_cast<double>(request.centerReal), static_cast<double>(request.centerImag));
    orbit->precisionBits = referencePrecisionBits(spacing, modulus);
    orbit->offsetRadius = deepOffsetRadius(request.halfHeight, request.width, request.height);
    orbit->escaped = false;
    orbit->re.push_back(0.0);
    orbit->im.push_back(0.0);

    const std::int64_t lastEnd = referenceEndFor(request.maxIterations);
    bool done = false;
    switch (orbit->precisionBits) {
    case 128:
        done = iterateOrbit<Real<128>>(*orbit, lastEnd, stop);
        break;
    case 256:
        done = iterateOrbit<Real<256>>(*orbit, lastEnd, stop);
        break;
    case 512:
        done = iterateOrbit<Real<512>>(*orbit, lastEnd, stop);
        break;
    default:
        done = iterateOrbit<PreciseReal>(*orbit, lastEnd, stop);
        break;
    }
    if (!done)
        return nullptr;
    orbit->end = std::int64_t(orbit->re.size()) - 1;
    orbit->re.push_back(0.0);
    orbit->im.push_back(0.0);

    std::optional<BlaTable> table =
        BlaTable::build(orbit->re.data(), orbit->im.data(), orbit->end, orbit->offsetRadius, stop);
    if (!table)
        return nullptr;
    orbit->bla = std::move(*table);
    return orbit;
}

bool referenceServes(const ReferenceOrbit& orbit, const ReferenceRequest& request)
{
    const double spacing = pixelSpacing(request.halfHeight, request.height);
    const double modulus = std::hypot(static_cast<double>(request.centerReal), static_cast<double>(request.centerImag));
    return orbit.centerReal == request.centerReal && orbit.centerImag == request.centerImag &&
           orbit.precisionBits >= referencePrecisionBits(spacing, modulus) &&
           orbit.offsetRadius >= deepOffsetRadius(request.halfHeight, request.width, request.height) &&
           (orbit.escaped || orbit.end >= referenceEndFor(request.maxIterations));
}
