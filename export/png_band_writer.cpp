#include "export/png_band_writer.h"

#include "export/file_stream.h"
#include "export/png_location.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// Rows are converted and handed to the encoder in parts of about this size.
constexpr std::size_t conversionBytes = 1 << 22;

// The platform's sentence for a failed call, or its code where there is none.
std::string resultText(HRESULT result)
{
    if (HRESULT_FACILITY(result) == FACILITY_WIN32)
        return systemText(HRESULT_CODE(result));
    const std::string text = systemText(static_cast<DWORD>(result));
    if (text.rfind("Error ", 0) != 0)
        return text;
    char code[32];
    std::snprintf(code, sizeof code, "Error 0x%08lX.", static_cast<unsigned long>(result));
    return code;
}

template <class Interface>
void releaseInterface(Interface*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}

} // namespace

PngBandWriter::PngBandWriter(const std::atomic<bool>& stopRequested) : stopRequested_(stopRequested) {}

PngBandWriter::~PngBandWriter()
{
    release();
}

bool PngBandWriter::fail(const std::string& message)
{
    failure_ = message;
    release();
    return false;
}

bool PngBandWriter::failWith(const char* action, HRESULT result)
{
    // The encoder may report a failed write of its stream only as a general
    // failure; the stream knows the cause, such as a full disk.
    const DWORD writeError = stream_ ? stream_->writeError() : 0;
    const std::string reason = writeError ? systemText(writeError) : resultText(result);
    return fail("Cannot " + std::string(action) + " " + quotedPath(path_) + ": " + reason +
                " An earlier file of that name is left as it was.");
}

bool PngBandWriter::checkStop()
{
    if (!stopRequested_)
        return false;
    stopped_ = true;
    release();
    return true;
}

void PngBandWriter::release()
{
    ended_ = true;
    releaseInterface(frame_);
    releaseInterface(encoder_);
    // The temporary file must be closed before it can go.
    if (stream_)
        stream_->close();
    releaseInterface(stream_);
    releaseInterface(factory_);
    replacement_.reset();
    converted_ = std::vector<unsigned char>();
    if (leaveCom_)
        CoUninitialize();
    leaveCom_ = false;
}

bool PngBandWriter::open(const char* path, int width, int height)
{
    if (ended_ || factory_)
        return fail("The picture writer was already used.");
    path_ = path ? path : "";
    if (path_.empty())
        return fail("No file name was chosen.");
    if (width < 1 || height < 1 || width > pngLongestSide || height > pngLongestSide ||
        static_cast<long long>(width) * height > pngMostPixels) {
        return fail("Cannot save a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels: each side must have 1 to " + std::to_string(pngLongestSide) +
                    " pixels, and the picture at most " + std::to_string(pngMostPixels) + " pixels in all.");
    }
    width_ = width;
    height_ = height;

    DWORD openError = 0;
    switch (inspectTarget(path, &openError)) {
    case TargetKind::folder:
        return fail("Cannot create the file " + quotedPath(path_) + ": it is a folder.");
    case TargetKind::unreachable:
        return fail("Cannot create the file " + quotedPath(path_) + ": " + systemText(openError));
    case TargetKind::device:
        return fail("Cannot save a picture as " + quotedPath(path_) + ": it is a device, not a file.");
    case TargetKind::regularFile:
        if (GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY)
            return fail("Cannot replace the file " + quotedPath(path_) +
                        ": it is read-only. The earlier file is left as it was.");
        break;
    case TargetKind::absent:
        break;
    }
    if (checkStop())
        return false;

    replacement_ = std::make_unique<FileReplacement>(path_);
    if (!replacement_->failure().empty())
        return fail(replacement_->failure());

    const HRESULT entered = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // A thread that is already in an apartment keeps it.
    leaveCom_ = SUCCEEDED(entered);
    if (FAILED(entered) && entered != RPC_E_CHANGED_MODE)
        return failWith("start the picture encoder for", entered);

    UniqueHandle file = replacement_->openForWriting();
    if (!file.valid())
        return fail(replacement_->failure());
    stream_ = new FileStream(std::move(file));

    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory_));
    if (SUCCEEDED(result))
        result = factory_->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder_);
    if (SUCCEEDED(result))
        result = encoder_->Initialize(stream_, WICBitmapEncoderNoCache);
    IPropertyBag2* options = nullptr;
    if (SUCCEEDED(result))
        result = encoder_->CreateNewFrame(&frame_, &options);
    if (SUCCEEDED(result))
        result = frame_->Initialize(options);
    releaseInterface(options);
    if (SUCCEEDED(result))
        result = frame_->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(result))
        result = frame_->SetPixelFormat(&format);
    if (SUCCEEDED(result) && format != GUID_WICPixelFormat24bppBGR)
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (FAILED(result))
        return failWith("start the picture", result);

    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    converted_.resize(std::max(rowBytes, conversionBytes / rowBytes * rowBytes));
    return true;
}

bool PngBandWriter::writeBand(const std::uint32_t* rows, int rowCount)
{
    if (ended_)
        return false;
    if (!frame_)
        return fail("The picture writer was not opened.");
    if (rowCount < 0 || rowCount > height_ - rowsWritten_)
        return fail("Cannot write " + std::to_string(rowCount) + " more rows into the picture " + quotedPath(path_) +
                    ": it has " + std::to_string(height_ - rowsWritten_) + " rows left.");
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
    const int partRows = static_cast<int>(converted_.size() / rowBytes);
    for (int done = 0; done < rowCount;) {
        if (checkStop())
            return false;
        const int part = std::min(partRows, rowCount - done);
        const std::size_t pixels = static_cast<std::size_t>(part) * static_cast<std::size_t>(width_);
        const std::uint32_t* source = rows + static_cast<std::size_t>(done) * static_cast<std::size_t>(width_);
        unsigned char* target = converted_.data();
        for (std::size_t i = 0; i < pixels; ++i) {
            const std::uint32_t pixel = source[i];
            *target++ = static_cast<unsigned char>(pixel);
            *target++ = static_cast<unsigned char>(pixel >> 8);
            *target++ = static_cast<unsigned char>(pixel >> 16);
        }
        const HRESULT result = frame_->WritePixels(static_cast<UINT>(part), static_cast<UINT>(rowBytes),
                                                   static_cast<UINT>(pixels * 3), converted_.data());
        if (FAILED(result))
            return failWith("write the picture", result);
        done += part;
        rowsWritten_ += part;
    }
    return true;
}

bool PngBandWriter::finish(const std::string& locationText)
{
    if (ended_)
        return false;
    if (!frame_)
        return fail("The picture writer was not opened.");
    if (rowsWritten_ != height_)
        return fail("Cannot finish the picture " + quotedPath(path_) + ": " + std::to_string(height_ - rowsWritten_) +
                    " of its rows are not written.");
    if (checkStop())
        return false;
    HRESULT result = frame_->Commit();
    if (SUCCEEDED(result))
        result = encoder_->Commit();
    if (FAILED(result))
        return failWith("write the picture", result);
    releaseInterface(frame_);
    releaseInterface(encoder_);
    stream_->close();
    releaseInterface(stream_);

    const std::string inserted = insertPngLocation(replacement_->temporaryPath().c_str(), locationText);
    if (!inserted.empty())
        return fail("Cannot put the location into the picture " + quotedPath(path_) + ": " + inserted +
                    " An earlier file of that name is left as it was.");
    if (checkStop())
        return false;
    const std::string replaced = replacement_->replaceTarget();
    if (!replaced.empty())
        return fail(replaced);
    release();
    return true;
}
