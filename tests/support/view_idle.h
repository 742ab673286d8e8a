// The one wait of the in-process tests for the fractal view to be idle.
#pragma once

#include <windows.h>

// Dispatches this thread's messages until no calculation of theFractalView
// runs: neither the last one nor one that its end started. The end's
// message, which runs the requests that waited for the calculation, is
// dispatched before the view counts as idle. True at once without a view;
// false when the view is still busy after timeoutMs.
bool waitUntilIdle(DWORD timeoutMs = 60000);
