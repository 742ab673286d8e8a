#include "tests/support/png_picture.h"

#include <windows.h>
#include <wincodec.h>

#include <initializer_list>

DecodedPicture decodePngPicture(const std::string& path)
{
    DecodedPicture decoded;
    const HRESULT entered = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    const std::wstring widePath(path.begin(), path.end());
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(result))
        result = factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, &frame);
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(result))
        result = frame->GetSize(&width, &height);
    if (SUCCEEDED(result))
        result = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                       WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(result)) {
        decoded.width = width;
        decoded.height = height;
        decoded.pixels.resize(std::size_t(width) * height);
        result = converter->CopyPixels(nullptr, width * 4, UINT(decoded.pixels.size() * 4),
                                       reinterpret_cast<BYTE*>(decoded.pixels.data()));
    }
    for (std::uint32_t& pixel : decoded.pixels)
        pixel &= 0xFFFFFFu;
    if (FAILED(result))
        decoded.failure = "decoding " + path + " failed with " + std::to_string(static_cast<unsigned long>(result));
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
        if (object)
            object->Release();
    }
    if (SUCCEEDED(entered))
        CoUninitialize();
    return decoded;
}
