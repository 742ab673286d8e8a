// The render worker's iteration of one row of pixels, several points at a
// time in vector lanes. Every step count equals escapeSteps for that point;
// only the speed differs.
#pragma once

#include <atomic>

// The instruction sets the kernel is built for. Every x86-64 processor has
// SSE2; the wider paths run where the processor and the system offer them.
enum class KernelPath { sse2, avx2, avx512 };

// Whether this machine can run the path.
bool kernelPathSupported(KernelPath path);

// The widest path this machine can run.
KernelPath bestKernelPath();

// The smallest double S whose square root exceeds threshold. Since the square
// root is correctly rounded, and so monotone, sqrt(s) > threshold holds for
// a sum of squares s exactly when s >= S; a NaN s fails both tests. When no
// double has a root above threshold (an infinite or NaN threshold), the
// result is NaN, which nothing reaches.
double escapeSquareBound(double threshold);

// The points of one row of the picture and how they are iterated.
struct RowPoints {
    const double* realParts; // one per column
    int width;
    double imagPart; // the same for the whole row
    int maxIterations;
    double squareBound; // escapeSquareBound(threshold)
};

// Takes the step count of each pixel, in column order from column 0.
struct StepSink {
    void (*put)(void* context, int column, int steps);
    void* context;
};

struct RowOutcome {
    int written;  // the pixels handed to the sink: columns 0 to written - 1
    bool stopped; // the stop flag was found set after the last of them
};

// Computes the row on the given path, which the machine must support. After
// each pixel handed to the sink it reads stop; once that is set, it returns
// at once and leaves the pixels after it unwritten, even those already
// computed. A row of width 0 or less reads nothing.
RowOutcome iterateRow(KernelPath path, const RowPoints& row, StepSink sink, const std::atomic<bool>& stop);
