// A picture of any size computed in bands of rows, so that no more than two
// bands of it are ever in memory. The render threads fill one band while
// the thread that called computeInBands hands the band before it on, to an
// encoder for instance: computing and encoding overlap. Once it has handed a
// band on, that thread computes rows of the next band with the render
// threads, so that it never waits idle while they work, nor takes a core
// from them while it hands a band on.
//
// Each band is rendered as a picture of its own (PictureRender) whose rows
// are the picture's rows from the band's first on, so that its pixels are
// those of the whole picture computed at once.
#pragma once

#include "engine/location.h"
#include "engine/picture_render.h"
#include "engine/picture_rows.h"
#include "engine/render_pool.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>

// The bytes of one band of 32-bit pixels: the two bands of a picture stay
// within 16 MB whatever its size.
constexpr std::size_t pictureBandBytes = std::size_t(8) << 20;

// The rows of a band of that width within bandBytes: at least one.
int bandRowsFor(int width, std::size_t bandBytes = pictureBandBytes);

// Takes the finished bands, in order from the top, on the thread that runs
// computeInBands.
class BandSink {
public:
    // rowCount top-down rows of the picture's width, 0x00RRGGBB, from row
    // firstRow on. False refuses the band: the computation stops.
    virtual bool takeBand(const std::uint32_t* rows, int firstRow, int rowCount) = 0;

protected:
    ~BandSink() = default;
};

struct BandedPicture {
    int width = 0;
    int height = 0;
    int maxIterations = 1;
    bool binaryColoring = false;
    // The picture's rows, numbered from its top.
    RowComputer computeRow;
    // Done once before the first row, on the calling thread, as
    // PictureJob's; may be left out.
    std::function<bool(const std::atomic<bool>& stop)> prepare;
    int bandRows = 1;
};

// The width x height picture of location, at its iteration limit and in its
// colouring, computed by the rows pictureRows gave for it, in bands of
// bandRows rows.
BandedPicture bandedPicture(const Location& location, PictureRows rows, int width, int height, int bandRows);

enum class BandsOutcome { finished, stopped, refused };

// Computes the picture, which has at least one pixel, on `threads` threads
// of pool (grown to them already; none at all is allowed) and on the calling
// thread, and hands each band to sink. Nothing else may run on the pool
// meanwhile. A machine of N cores is best served by N - 1 threads of the
// pool. rowsComputed, if set, is called by the threads that compute, one
// call at a time, with the number of rows from the top that are computed,
// as it rises.
//
// Returns once no render thread works for it any more: finished once every
// band was taken; stopped once stop was seen (no band after it is handed
// on); refused once the sink refused a band, in which case it raises stop
// itself, so that the band being computed ends at once.
BandsOutcome computeInBands(const BandedPicture& picture, RenderPool& pool, int threads, std::atomic<bool>& stop,
                            BandSink& sink, const std::function<void(int rowsComputed)>& rowsComputed = {});
