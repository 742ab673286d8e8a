// Encodes a picture into a PNG file band by band with the platform's imaging
// component (WIC), so that no more than a band of it is ever in memory, and
// puts the location into the finished file.
//
// The file is written under a temporary name beside the target and replaces
// an earlier file only once it is whole and holds the location; a stop, a
// full disk or any other failure leaves the earlier file as it was and no
// temporary file behind.
//
// Threading: one writer is used on one thread, which may be a thread of its
// own. open() enters COM's multithreaded apartment on that thread, unless the
// thread is already in an apartment, and the writer leaves it again when it
// ends; the stop request may be raised from any thread.
#pragma once

#include "export/file_replacement.h"
#include "export/picture_size.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FileStream;
struct IWICImagingFactory;
struct IWICBitmapEncoder;
struct IWICBitmapFrameEncode;

class PngBandWriter {
public:
    // The writing stops at its next step once stopRequested is raised.
    explicit PngBandWriter(const std::atomic<bool>& stopRequested);
    // Discards a file that was not finished.
    ~PngBandWriter();
    PngBandWriter(const PngBandWriter&) = delete;
    PngBandWriter& operator=(const PngBandWriter&) = delete;

    // Starts a picture of width x height pixels for path, in the active code
    // page. Each call returns false once the writing has failed or stopped;
    // failure() and stopped() tell which, and every later call returns false
    // and leaves them as they are.
    bool open(const char* path, int width, int height);

    // Encodes the next rowCount rows: top-down rows of width 32-bit pixels
    // 0x00RRGGBB, one after another, as the program's pictures hold them.
    // They are written as 24-bit BGR, a few rows at a time.
    bool writeBand(const std::uint32_t* rows, int rowCount);

    // Once every row is written: completes the PNG file, puts locationText
    // into it and lets it replace the target.
    bool finish(const std::string& locationText);

    // The message for the user after a false answer that was not a stop;
    // it names the file.
    const std::string& failure() const { return failure_; }
    bool stopped() const { return stopped_; }

private:
    bool fail(const std::string& message);
    bool failWith(const char* action, HRESULT result);
    bool checkStop();
    void release();

    const std::atomic<bool>& stopRequested_;
    std::string path_;
    int width_ = 0;
    int height_ = 0;
    int rowsWritten_ = 0;
    bool leaveCom_ = false;
    bool ended_ = false;
    bool stopped_ = false;
    std::string failure_;
    std::vector<unsigned char> converted_;
    std::unique_ptr<FileReplacement> replacement_;
    IWICImagingFactory* factory_ = nullptr;
    FileStream* stream_ = nullptr;
    IWICBitmapEncoder* encoder_ = nullptr;
    IWICBitmapFrameEncode* frame_ = nullptr;
};
