#include "engine/picture_bands.h"

#include "engine/picture_end.h"

#include <algorithm>
#include <memory>
#include <vector>

int bandRowsFor(int width, std::size_t bandBytes)
{
    const std::size_t rowBytes = std::size_t(std::max(width, 1)) * sizeof(std::uint32_t);
    return int(std::max<std::size_t>(1, std::min<std::size_t>(bandBytes / rowBytes, 1 << 30)));
}

BandedPicture bandedPicture(const Location& location, PictureRows rows, int width, int height, int bandRows)
{
    BandedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.maxIterations = location.iterationLimit;
    picture.binaryColoring = location.binaryColoring;
    picture.computeRow = std::move(rows.computeRow);
    picture.prepare = std::move(rows.prepare);
    picture.bandRows = bandRows;
    return picture;
}

namespace {

ReportClock::time_point steadyClock()
{
    return ReportClock::now();
}

// Where one band reports: the picture's rows computed so far, and the end
// of the band, which the calling thread waits for.
class BandProgress final : public PictureEnd {
public:
    BandProgress(int firstRow, int rowCount, const std::atomic<bool>& stop,
                 const std::function<void(int)>& rowsComputed)
        : firstRow_(firstRow), rowCount_(rowCount), stop_(stop), rowsComputed_(rowsComputed)
    {
    }

    void rowsFinished(int, int lastRow, int) override
    {
        // After a stop the last report covers the whole band, computed or not.
        if (rowsComputed_ && lastRow < rowCount_ && !stop_)
            rowsComputed_(firstRow_ + lastRow + 1);
    }

private:
    const int firstRow_;
    const int rowCount_;
    const std::atomic<bool>& stop_;
    const std::function<void(int)>& rowsComputed_;
};

// One band and what it reports to, alive until its last thread is done.
struct Band {
    Band(PictureJob job, int threads, std::atomic<bool>& stop, const std::function<void(int)>& rowsComputed,
         int firstRow)
        : progress(firstRow, job.height, stop, rowsComputed),
          render(std::move(job), threads, stop, progress, steadyClock)
    {
    }

    BandProgress progress;
    PictureRender render;
};

} // namespace

BandsOutcome computeInBands(const BandedPicture& picture, RenderPool& pool, int threads, std::atomic<bool>& stop,
                            BandSink& sink, const std::function<void(int)>& rowsComputed)
{
    if (picture.prepare && !picture.prepare(stop))
        return BandsOutcome::stopped;
    const int bandRows = std::max(1, std::min(picture.bandRows, picture.height));
    const std::size_t bandPixels = std::size_t(bandRows) * std::size_t(picture.width);
    std::vector<std::uint32_t> buffers[2] = {std::vector<std::uint32_t>(bandPixels),
                                             std::vector<std::uint32_t>(bandPixels)};

    auto start = [&](int band) {
        const int firstRow = band * bandRows;
        PictureJob job;
        job.pixels = buffers[band % 2].data();
        job.width = picture.width;
        job.height = std::min(bandRows, picture.height - firstRow);
        job.maxIterations = picture.maxIterations;
        job.binaryColoring = picture.binaryColoring;
        const RowComputer& computeRow = picture.computeRow;
        job.computeRow = [&computeRow, firstRow](int row, StepSink steps, const std::atomic<bool>& stopSeen) {
            return computeRow(firstRow + row, steps, stopSeen);
        };
        // The calling thread is one of the band's threads: it joins the band
        // once it has handed the one before on.
        auto running = std::make_shared<Band>(std::move(job), threads + 1, stop, rowsComputed, firstRow);
        if (threads > 0)
            pool.run(threads, [running](int) { running->render.runThread(); });
        return running;
    };
    // Computes what rows of the band are left, and waits for its end; true
    // when it was computed whole.
    auto finish = [](Band& band) {
        band.render.runThread();
        return band.progress.wait();
    };

    const int bands = (picture.height + bandRows - 1) / bandRows;
    std::shared_ptr<Band> running = start(0);
    for (int band = 0; band < bands; ++band) {
        // A band is given to the pool only once the one before has ended:
        // the pool runs one task at a time.
        const bool whole = finish(*running);
        running.reset();
        if (!whole)
            return BandsOutcome::stopped;
        if (band + 1 < bands)
            running = start(band + 1);
        const int firstRow = band * bandRows;
        if (!sink.takeBand(buffers[band % 2].data(), firstRow, std::min(bandRows, picture.height - firstRow))) {
            stop = true;
            if (running)
                finish(*running);
            return BandsOutcome::refused;
        }
    }
    return BandsOutcome::finished;
}
