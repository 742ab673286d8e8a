// The render worker: computes the picture of a calculation on the render
// threads, row by row from the top, and can be asked to stop after any pixel.
#pragma once

#include "engine/fractal_view.h"
#include "engine/report_pacing.h"

#include <atomic>

class ReferenceCache;

extern std::atomic<bool> stopRequested;

// The clock by which the worker paces its reports: the steady clock, unless
// a test puts one of its own in its place while no calculation runs.
extern ReportClock::time_point (*renderClock)();

// Whether deep views skip steps by bilinear maps. Only tests turn them off,
// to compare with plain perturbation; it is no setting of the program.
extern std::atomic<bool> deepViewMaps;

// Posted to the view's window by the render threads as the last thing before
// busy falls, with the number of the calculation that ended as wParam.
constexpr UINT WM_CALCULATION_ENDED = WM_APP + 1;

// How many render threads a calculation uses: one per logical processor of
// the process's affinity, unless a test has asked for another number.
int renderThreadCount();

// A test's number of render threads; 0 gives back the machine's.
void setRenderThreadCount(int threads);

// Starts the calculation of job on the render threads and returns at once;
// false when not a single render thread could be had.
bool renderWorker(RenderJob* job);

// The view window's timer, which runs while a calculation runs: at each tick
// the rows that have joined the finished prefix since the last report are
// shown, once a report interval has passed. The render threads report only
// as the prefix grows, so without it rows finished just before a slow row
// would wait for that row to reach the screen.
constexpr UINT_PTR withheldRowsTimer = 1;

// Shows the running calculation's withheld rows; false when no calculation
// runs, and the timer may stop.
bool reportWithheldRows();

// Asks the running calculation to stop; returns at once.
void requestStop();

// The last reference orbit of the view's deep calculations, which a saved
// picture of the same centre takes up too when it serves.
ReferenceCache& viewReferenceCache();
