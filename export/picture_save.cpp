#include "export/picture_save.h"

#include "engine/location_file.h"
#include "engine/picture_rows.h"
#include "engine/render_worker.h"
#include "export/png_band_writer.h"

#include <algorithm>

namespace {

// The render threads of saved pictures, apart from the view's: a save
// computes while the view's own calculation goes on, each into pictures of
// its own. Made at the first save and kept for the life of the process;
// like the view's, they yield to the user-interface thread.
RenderPool& savePool()
{
    static RenderPool* pool =
        new RenderPool([] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL); });
    return *pool;
}

void countRows(PictureSaveProgress& progress, int rows)
{
    progress.rows = rows;
    if (progress.rowsChanged)
        progress.rowsChanged();
}

// Hands the bands to the encoder as they are finished.
class EncoderSink final : public BandSink {
public:
    explicit EncoderSink(PngBandWriter& writer) : writer_(writer) {}

    bool takeBand(const std::uint32_t* rows, int, int rowCount) override { return writer_.writeBand(rows, rowCount); }

private:
    PngBandWriter& writer_;
};

// The view's finished picture, band by band, as if it had just been computed.
bool writeFinishedPicture(const PictureSaveJob& job, PngBandWriter& writer, PictureSaveProgress& progress)
{
    const int bandRows = bandRowsFor(job.width, job.bandBytes);
    for (int first = 0; first < job.height; first += bandRows) {
        const int rows = std::min(bandRows, job.height - first);
        if (!writer.writeBand(job.finishedPixels + std::size_t(first) * std::size_t(job.width), rows))
            return false;
        countRows(progress, first + rows);
    }
    return true;
}

// Computes the picture in bands and encodes each once it is finished: on
// the save's render threads and on this thread, which encodes the bands and
// computes rows in between, one thread for each core in all.
bool computeAndWrite(const PictureSaveJob& job, PngBandWriter& writer, PictureSaveProgress& progress)
{
    const int wanted = renderThreadCount() - 1;
    const int threads = std::min(savePool().grow(wanted), wanted);
    PictureRows rows = pictureRows(job.location, job.centerReal, job.centerImag, job.width, job.height,
                                   bestKernelPath(), deepViewMaps, viewReferenceCache());
    const BandedPicture picture =
        bandedPicture(job.location, std::move(rows), job.width, job.height, bandRowsFor(job.width, job.bandBytes));
    EncoderSink sink(writer);
    return computeInBands(picture, savePool(), threads, progress.stopRequested, sink,
                          [&progress](int computed) { countRows(progress, computed); }) == BandsOutcome::finished;
}

} // namespace

PictureSaveResult savePicture(const PictureSaveJob& job, PictureSaveProgress& progress)
{
    PngBandWriter writer(progress.stopRequested);
    bool drawn = writer.open(job.path.c_str(), job.width, job.height);
    if (drawn)
        drawn = job.finishedPixels ? writeFinishedPicture(job, writer, progress)
                                   : computeAndWrite(job, writer, progress);
    PictureSaveResult result;
    result.written = drawn && writer.finish(locationFileText(job.location));
    if (!result.written) {
        // The writer keeps the first reason it failed for; a stop that only
        // the render threads saw leaves it without one.
        result.failure = writer.failure();
        result.stopped = result.failure.empty();
    }
    return result;
}
