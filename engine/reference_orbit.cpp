#include "engine/reference_orbit.h"

#include "engine/deep_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

namespace mp = boost::multiprecision;

template <unsigned bits>
using Real = mp::number<mp::cpp_bin_float<bits, mp::digit_base_2, void, std::int32_t>, mp::et_off>;

// Finds the loop of an orbit that did not escape: the smallest p such that
// the orbit's second half repeats with period p bit for bit, and the first
// index from which it does. An orbit that lingers near a repelling cycle
// repeats its points exactly for a while, but not for long; one that repeats
// over more than an eighth but less than half has just settled, and is
// looked at again when it is longer (which spares scanning the multiples of
// its period).
void findLoop(ReferenceOrbit& orbit)
{
    orbit.loopLength = 0;
    orbit.loopEnd = orbit.end;
    if (orbit.escaped)
        return;
    const auto same = [&orbit](std::int64_t a, std::int64_t b) {
        return std::memcmp(&orbit.re[std::size_t(a)], &orbit.re[std::size_t(b)], sizeof(double)) == 0 &&
               std::memcmp(&orbit.im[std::size_t(a)], &orbit.im[std::size_t(b)], sizeof(double)) == 0;
    };
    for (std::int64_t p = 1; 2 * p + 16 <= orbit.end; ++p) {
        std::int64_t start = orbit.end - p;
        while (start > 1 && same(start - 1, start - 1 + p))
            --start;
        const std::int64_t repeated = orbit.end - start;
        if (!same(start, start + p) || repeated < 2 * p + 16 || repeated < orbit.end / 8)
            continue;
        if (repeated >= orbit.end - orbit.end / 2) {
            orbit.loopLength = p;
            orbit.loopEnd = start + p;
        }
        return;
    }
}

// Appends Z_1 .. Z_end to the orbit, which holds Z_0, and sets its end and
// loop; false once stop is set. The orbit ends early once it escapes, or
// once it loops: a pixel never needs more of it then.
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
        // Looks for a loop at each power of two, which costs the orbit's
        // length at most once more.
        if (k >= 4096 && (k & (k - 1)) == 0 && k < lastEnd) {
            orbit.end = k;
            findLoop(orbit);
            if (orbit.loopLength > 0)
                return true;
        }
    }
    orbit.end = std::int64_t(orbit.re.size()) - 1;
    findLoop(orbit);
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
           (orbit.escaped || orbit.loopLength > 0 || orbit.end >= referenceEndFor(request.maxIterations));
}
