#include "view/orbit_line_points.h"

#include "engine/fractal_view.h"
#include "view/orbit_line.h"

std::function<void(double* reals, double* imags, int points)> orbitLinePlanePoints()
{
    const OrbitLine* line = theOrbitLine;
    const FractalView* view = theFractalView;
    if (!line || !view)
        return {};
    return [line, view](double* reals, double* imags, int points) {
        line->samplePoints(reals, imags, points);
        for (int p = 0; p < points; ++p) {
            reals[p] = view->pixelToReal(static_cast<int>(reals[p]));
            imags[p] = view->pixelToImag(static_cast<int>(imags[p]));
        }
    };
}
