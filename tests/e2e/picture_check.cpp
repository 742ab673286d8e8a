#include "tests/e2e/picture_check.h"

#include "tests/e2e/screen_capture.h"
#include "tests/support/wait_for.h"

#include <cstdio>

std::vector<ClientPoint> viewProbePoints(const ExplorerProcess& explorer)
{
    RECT client = {};
    GetClientRect(explorer.view(), &client);
    RECT orbits = {};
    GetWindowRect(explorer.orbits(), &orbits);
    MapWindowPoints(nullptr, explorer.view(), reinterpret_cast<POINT*>(&orbits), 2);
    return probePoints(client.right, client.bottom, orbits.left, orbits.top, orbits.right, orbits.bottom);
}

std::string pictureMismatches(const ExplorerProcess& explorer, const ViewValues& view)
{
    const ScreenCapture capture(explorer.view());
    const std::vector<ClientPoint> points = viewProbePoints(explorer);
    if (points.empty())
        return "no point to look at";
    std::string mismatches;
    int count = 0;
    for (const ClientPoint& point : points) {
        const COLORREF expected = expectedColor(view, point.x, point.y, capture.width(), capture.height());
        const COLORREF seen = capture.pixel(point.x, point.y);
        if (seen != expected && ++count <= 5) {
            char line[96];
            std::snprintf(line, sizeof line, "(%d, %d): %06lx instead of %06lx; ", point.x, point.y,
                          static_cast<unsigned long>(seen), static_cast<unsigned long>(expected));
            mismatches += line;
        }
    }
    if (count > 0)
        mismatches += std::to_string(count) + " of " + std::to_string(points.size()) + " points differ";
    return mismatches;
}

std::string waitForPicture(const ExplorerProcess& explorer, const ViewValues& view, DWORD timeoutMs)
{
    std::string last;
    waitFor([&] { return (last = pictureMismatches(explorer, view)).empty(); }, timeoutMs);
    return last;
}
