// The render worker: computes the picture of a calculation on a thread of its
// own, row by row, and can be asked to stop after any pixel.
#pragma once

#include "engine/fractal_view.h"

#include <atomic>

extern std::atomic<bool> stopRequested;

// The thread procedure of one calculation.
void renderWorker(RenderJob* job);

// Asks the running worker to stop; returns at once.
void requestStop();
