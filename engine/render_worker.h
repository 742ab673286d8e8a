// The render worker: computes the picture of a calculation on a thread of its
// own, row by row, and can be asked to stop after any pixel.
#pragma once

#include "engine/fractal_view.h"
#include "engine/report_pacing.h"

#include <atomic>

extern std::atomic<bool> stopRequested;

// The clock by which the worker paces its reports: the steady clock, unless
// a test puts one of its own in its place while no calculation runs.
extern ReportClock::time_point (*renderClock)();

// The thread procedure of one calculation.
void renderWorker(RenderJob* job);

// Asks the running worker to stop; returns at once.
void requestStop();
