#include "common/dpi_scale.h"

#include <cstdint>

int scaleForDpi(int pixels, int dpi)
{
    if (dpi <= 0)
        return pixels;
    const std::int64_t product = std::int64_t(pixels) * dpi;
    const std::int64_t half = defaultDpi / 2;
    return int(product >= 0 ? (product + half) / defaultDpi : -((-product + half) / defaultDpi));
}

int pictureDpiFor(int dpi)
{
    int chosen = pictureDpis[0];
    for (int candidate : pictureDpis) {
        if (candidate <= dpi)
            chosen = candidate;
    }
    return chosen;
}

int scalePercent(int dpi)
{
    return dpi * 100 / defaultDpi;
}

std::string scaledResourceName(const std::string& base, int pictureDpi)
{
    return pictureDpi == defaultDpi ? base : base + std::to_string(scalePercent(pictureDpi));
}
