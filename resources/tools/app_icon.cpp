#include "resources/tools/app_icon.h"

#include "engine/escape_time.h"

#include <algorithm>
#include <cmath>

namespace {

// Samples per pixel along each side: 16 in all.
constexpr int samplesPerSide = 4;
constexpr int iconIterations = 48;
constexpr double iconThreshold = 2.0;

struct Colour {
    double red = 0;
    double green = 0;
    double blue = 0;
};

// Whether a point of the icon, in pixels from its top-left corner, lies on
// the tile: a square with rounded corners.
bool onTile(double x, double y, int size)
{
    const double low = appIconMargin * size;
    const double high = size - low;
    const double radius = appIconCornerRadius * size;
    if (x < low || x > high || y < low || y > high)
        return false;
    // The distance into the corner's square, or 0 along the straight edges.
    const double dx = std::max({low + radius - x, x - (high - radius), 0.0});
    const double dy = std::max({low + radius - y, y - (high - radius), 0.0});
    return dx * dx + dy * dy <= radius * radius;
}

// The tile's colour at a point of the plane: the set's, or one between the
// far colour and the edge colour that brightens as the iteration takes
// longer to escape.
Colour planeColour(double re, double im)
{
    const int steps = escapeSteps(re, im, iconIterations, iconThreshold);
    if (steps > iconIterations)
        return {double(appIconSet.red), double(appIconSet.green), double(appIconSet.blue)};
    const double t = std::sqrt(double(steps - 1) / (iconIterations - 1));
    return {appIconFar.red + (appIconEdge.red - appIconFar.red) * t,
            appIconFar.green + (appIconEdge.green - appIconFar.green) * t,
            appIconFar.blue + (appIconEdge.blue - appIconFar.blue) * t};
}

std::uint8_t toByte(double value)
{
    return std::uint8_t(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

IconImage makeAppIcon(int size)
{
    IconImage icon;
    icon.size = size;
    icon.pixels.assign(std::size_t(size) * size, Rgba{0, 0, 0, 0});
    const double unitsPerPixel = 2 * appIconHalfSide / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int covered = 0;
            for (int sy = 0; sy < samplesPerSide; ++sy) {
                for (int sx = 0; sx < samplesPerSide; ++sx) {
                    const double px = x + (sx + 0.5) / samplesPerSide;
                    const double py = y + (sy + 0.5) / samplesPerSide;
                    if (!onTile(px, py, size))
                        continue;
                    const Colour c = planeColour(appIconCenterReal + (px - size / 2.0) * unitsPerPixel,
                                                 (py - size / 2.0) * unitsPerPixel);
                    sum.red += c.red;
                    sum.green += c.green;
                    sum.blue += c.blue;
                    ++covered;
                }
            }
            if (covered == 0)
                continue;
            // The colour of the covered part, with the part as its opacity.
            icon.pixels[std::size_t(y) * size + x] = {
                toByte(sum.red / covered), toByte(sum.green / covered), toByte(sum.blue / covered),
                toByte(255.0 * covered / (samplesPerSide * samplesPerSide))};
        }
    }
    return icon;
}
