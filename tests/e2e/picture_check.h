// Compares the explorer's picture on the screen with the expected colours.
#pragma once

#include "tests/e2e/expected_picture.h"
#include "tests/e2e/explorer_process.h"

#include <string>

// The probe points of the explorer's view, away from the orbit line and the
// Orbits window.
std::vector<ClientPoint> viewProbePoints(const ExplorerProcess& explorer);

// An empty string when every probe point shows the colour of view; else what
// differs.
std::string pictureMismatches(const ExplorerProcess& explorer, const ViewValues& view);

// Waits until the picture shows view; returns the last mismatches (empty when
// it does).
std::string waitForPicture(const ExplorerProcess& explorer, const ViewValues& view, DWORD timeoutMs = 60000);
