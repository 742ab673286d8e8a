// The rows of a picture whose pixels lie far enough apart for doubles: each
// pixel is mapped to its point in double precision and iterated by the render
// kernel.
#pragma once

#include "engine/picture_render.h"
#include "engine/render_kernel.h"

// The rows of the picture of width x height pixels centred on the given
// point, iterated on the given kernel path.
RowComputer shallowRows(double centerReal, double centerImag, double halfHeight, int width, int height,
                        int maxIterations, double threshold, KernelPath path);
