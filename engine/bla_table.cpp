#include "engine/bla_table.h"

#include <algorithm>
#include <cmath>

BlaMap mergeBlaMaps(const BlaMap& x, const BlaMap& y, double cmax)
{
    BlaMap merged;
    merged.ar = y.ar * x.ar - y.ai * x.ai;
    merged.ai = y.ar * x.ai + y.ai * x.ar;
    merged.br = (y.ar * x.br - y.ai * x.bi) + y.br;
    merged.bi = (y.ar * x.bi + y.ai * x.br) + y.bi;
    // A NaN or negative bound (overflowing coefficients, an |A_x| of 0 with
    // R_x = 0) leaves the map invalid.
    const double bound = (y.radius - std::hypot(x.br, x.bi) * cmax) / std::hypot(x.ar, x.ai);
    merged.radius = bound >= x.radius ? x.radius : (bound > 0.0 ? bound : 0.0);
    return merged;
}

std::size_t BlaTable::bytes() const
{
    std::size_t total = segments_.capacity() * sizeof(BlaSegment) + prefixes_.capacity() * sizeof(BlaPrefix);
    for (const std::vector<BlaMap>& level : levels_)
        total += level.capacity() * sizeof(BlaMap);
    return total;
}

std::optional<BlaTable> BlaTable::build(const double* re, const double* im, std::int64_t end, double cmax,
                                        const std::atomic<bool>& stop)
{
    constexpr std::int64_t stopInterval = std::int64_t{1} << 16;
    BlaTable table;
    // The steps from index 1 to end - 1; the step from Z_0 = 0 has no radius.
    const std::int64_t steps = end - 1;
    std::int64_t made = 0;
    const auto single = [&](std::int64_t m) {
        return BlaMap{re[m] + re[m], im[m] + im[m], 1.0, 0.0, blaStepRadius(re[m], im[m])};
    };
    for (std::int64_t span = 2; span / 2 < steps; span *= 2) {
        const std::int64_t count = (steps + span - 1) / span;
        std::vector<BlaMap> level(std::size_t(count), BlaMap{});
        const std::vector<BlaMap>* lower = table.levels_.empty() ? nullptr : &table.levels_.back();
        for (std::int64_t i = 0; i < count; ++i) {
            if (++made % stopInterval == 0 && stop.load())
                return std::nullopt;
            const std::int64_t first = 1 + i * span;
            const std::int64_t second = first + span / 2;
            const BlaMap x = lower ? (*lower)[std::size_t(2 * i)] : single(first);
            if (second > steps) {
                level[std::size_t(i)] = x;
                continue;
            }
            const BlaMap y = lower ? (*lower)[std::size_t(2 * i + 1)] : single(second);
            level[std::size_t(i)] = mergeBlaMaps(x, y, cmax);
        }
        table.levels_.push_back(std::move(level));
    }
    // The segments, each from its start s as long as its prefix map keeps a
    // positive radius; the step that ends one belongs to none.
    constexpr std::int64_t shortestSegment = 32;
    for (std::int64_t s = 1; s <= steps;) {
        BlaMap prefix = single(s);
        if (!(prefix.radius > 0.0)) {
            ++s;
            continue;
        }
        const std::size_t first = table.prefixes_.size();
        std::int64_t k = s; // the last step the prefix map covers
        for (; k < steps; ++k) {
            if (++made % stopInterval == 0 && stop.load())
                return std::nullopt;
            const BlaMap longer = mergeBlaMaps(prefix, single(k + 1), cmax);
            if (!(longer.radius > 0.0))
                break;
            prefix = longer;
            if ((k + 1) % 8 == 0)
                table.prefixes_.push_back(BlaPrefix{prefix, k + 2});
        }
        if (k + 1 - s >= shortestSegment) {
            if (k % 8 != 0)
                table.prefixes_.push_back(BlaPrefix{prefix, k + 1});
            table.segments_.push_back(
                BlaSegment{s, std::int64_t(first), std::int64_t(table.prefixes_.size() - first)});
        } else {
            table.prefixes_.resize(first);
        }
        s = k + 2;
    }
    table.prefixes_.shrink_to_fit();
    table.segments_.shrink_to_fit();
    std::int64_t m = 1;
    double size = cmax;
    while (m < end) {
        int level = m == 1 ? table.topLevel() : std::min(__builtin_ctzll(static_cast<unsigned long long>(m - 1)), table.topLevel());
        while (level >= 1 && !(size < table.map(level, (m - 1) >> level).radius))
            --level;
        if (level == 0)
            break;
        const BlaMap& map = table.map(level, (m - 1) >> level);
        size = std::hypot(map.ar, map.ai) * size + std::hypot(map.br, map.bi) * cmax;
        m = std::min(m + (std::int64_t{1} << level), end);
    }
    table.openingSteps_ = m - 1;
    return table;
}
