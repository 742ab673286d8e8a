#include "engine/shallow_rows.h"

#include "engine/plane_mapping.h"

#include <algorithm>
#include <memory>
#include <vector>

RowComputer shallowRows(double centerReal, double centerImag, double halfHeight, int width, int height,
                        int maxIterations, double threshold, KernelPath path)
{
    // The same for every row: the real part of each column and the bound
    // that stands for the threshold.
    const PlaneEdges edges = planeEdges(centerReal, centerImag, halfHeight, width, height);
    auto realParts = std::make_shared<std::vector<double>>(std::size_t(std::max(width, 0)));
    for (int column = 0; column < width; ++column)
        (*realParts)[std::size_t(column)] = columnToReal(edges, column, width);
    const double squareBound = escapeSquareBound(threshold);
    return [=](int row, StepSink sink, const std::atomic<bool>& stop) {
        const RowPoints points{realParts->data(), width, rowToImag(edges, row, height), maxIterations, squareBound};
        return iterateRow(path, points, sink, stop);
    };
}
