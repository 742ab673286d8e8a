// When the render worker reports its progress to the screen. A display shows
// at most one picture per frame, so several reports within one frame would be
// work that nobody sees: the worker reports after the first and the last row
// and at a stop, and in between only once a frame has passed since its last
// report. Rows that take a frame or more are therefore each reported.
#pragma once

#include <chrono>

// The clock the worker reads at the end of each row.
using ReportClock = std::chrono::steady_clock;

// One frame of a display refreshed 60 times a second, rounded down.
constexpr std::chrono::milliseconds reportInterval{16};

// Whether the worker reports after finishing row `row` of a picture `height`
// rows high, `sinceLastReport` after its previous report. After a stop the
// row number is `height`.
bool reportAfterRow(int row, int height, ReportClock::duration sinceLastReport);
