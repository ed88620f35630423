// Decoding image files through WIC.
#include "platform/test/decode_image.h"

#include <wincodec.h>

namespace fw::test
{
DecodedImage DecodeImage(const std::string& path)
{
    DecodedImage out;
    IWICImagingFactory* factory = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))))
        return out;
    const std::wstring widePath(path.begin(), path.end());
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HRESULT hr = factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr))
        hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                   nullptr, 0, WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = converter->GetSize(&out.width, &out.height);
    if (SUCCEEDED(hr))
    {
        out.bgr.resize(static_cast<size_t>(out.width) * out.height * 3);
        hr = converter->CopyPixels(nullptr, out.width * 3, static_cast<UINT>(out.bgr.size()),
                                   out.bgr.data());
    }
    if (FAILED(hr))
        out = DecodedImage();
    for (IUnknown* p : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                        static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
    {
        if (p)
            p->Release();
    }
    return out;
}
} // namespace fw::test
