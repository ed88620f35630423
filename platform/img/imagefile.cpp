// Image writers: WIC encoders into memory, our own BMP, and a temporary file beside the
// destination that is renamed into place once the image is complete.
#include "platform/img/imagefile.h"

#include "platform/ole/oleinit.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <ocidl.h>
#include <string>
#include <vector>
#include <wincodec.h>

namespace fw
{
struct ImageDest
{
    std::string path;
    std::string tempPath;
    HANDLE file = INVALID_HANDLE_VALUE; // owned: the temporary file
    bool written = false;
    bool failed = false;
};
} // namespace fw

namespace
{
// Releases a COM interface when it goes out of scope.
template <class T>
class ComPtr
{
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    T** Put() { return &m_p; }

private:
    T* m_p = nullptr;
};

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// An existing destination must be a file we may replace; a missing one is fine.
bool IsReplaceable(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return false;
    const HANDLE probe =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(probe);
    return true;
}

bool WriteAll(HANDLE file, const unsigned char* bytes, std::size_t size)
{
    while (size > 0)
    {
        const DWORD chunk = static_cast<DWORD>(size < 0x10000000 ? size : 0x10000000);
        DWORD done = 0;
        if (!::WriteFile(file, bytes, chunk, &done, nullptr) || done != chunk)
            return false;
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

// Checks the arguments every writer shares and claims the destination's one image.
bool BeginWrite(fw::ImageDest* dest, const unsigned char* rows, int width, int height)
{
    if (!dest || !rows || width <= 0 || height <= 0 || dest->written || dest->failed)
        return false;
    // Rows of width * 3 bytes must be addressable and fit the formats' 32-bit sizes.
    const std::uint64_t bytes = static_cast<std::uint64_t>(width) * 3u * height;
    return bytes < 0x7FFFFFFFu;
}

bool FinishWrite(fw::ImageDest* dest, bool ok)
{
    if (ok)
        dest->written = true;
    else
        dest->failed = true;
    return ok;
}

// WIC takes blue, green, red.
std::vector<BYTE> ToBgr(const unsigned char* rows, int width, int height)
{
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::vector<BYTE> bgr(count * 3);
    for (std::size_t i = 0; i < count; ++i)
    {
        bgr[i * 3] = rows[i * 3 + 2];
        bgr[i * 3 + 1] = rows[i * 3 + 1];
        bgr[i * 3 + 2] = rows[i * 3];
    }
    return bgr;
}

// Optional encoder settings: an encoder that lacks one still writes the image.
void TryWriteOption(IPropertyBag2* options, const wchar_t* name, VARIANT value)
{
    PROPBAG2 option = {};
    option.pstrName = const_cast<LPOLESTR>(name);
    options->Write(1, &option, &value);
}

struct JpegOptions
{
    float quality; // 0..1
};

HRESULT EncodeFrame(IWICBitmapEncoder* encoder, const JpegOptions* jpeg, const BYTE* bgr, int width,
                    int height)
{
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    HRESULT hr = encoder->CreateNewFrame(frame.Put(), options.Put());
    if (FAILED(hr))
        return hr;
    if (jpeg && options.Get())
    {
        VARIANT quality;
        ::VariantInit(&quality);
        quality.vt = VT_R4;
        quality.fltVal = jpeg->quality;
        TryWriteOption(options.Get(), L"ImageQuality", quality);
        VARIANT subsampling;
        ::VariantInit(&subsampling);
        subsampling.vt = VT_UI1;
        subsampling.bVal = WICJpegYCrCbSubsampling444;
        TryWriteOption(options.Get(), L"JpegYCrCbSubsampling", subsampling);
    }
    if (FAILED(hr = frame->Initialize(options.Get())))
        return hr;
    if (FAILED(hr = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
        return hr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(hr = frame->SetPixelFormat(&format)))
        return hr;
    if (!::IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    const UINT stride = static_cast<UINT>(width) * 3;
    hr = frame->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height),
                            const_cast<BYTE*>(bgr));
    if (FAILED(hr))
        return hr;
    return frame->Commit();
}

// Encodes into a memory stream and copies the bytes into the destination's file.
bool EncodeWithWic(fw::ImageDest* dest, const GUID& container, const JpegOptions* jpeg,
                   const unsigned char* rows, int width, int height)
{
    if (!fw::OleInit())
        return false;
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr =
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Put()));
    ComPtr<IStream> memory;
    if (SUCCEEDED(hr))
        hr = ::CreateStreamOnHGlobal(nullptr, TRUE, memory.Put());
    ComPtr<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(container, nullptr, encoder.Put());
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(memory.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = EncodeFrame(encoder.Get(), jpeg, ToBgr(rows, width, height).data(), width, height);
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    HGLOBAL block = nullptr;
    if (SUCCEEDED(hr))
        hr = ::GetHGlobalFromStream(memory.Get(), &block);
    STATSTG stat = {};
    if (SUCCEEDED(hr))
        hr = memory->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr))
        return false;
    const auto* bytes = static_cast<const unsigned char*>(::GlobalLock(block));
    if (!bytes)
        return false;
    const bool ok = WriteAll(dest->file, bytes, static_cast<std::size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(block);
    return ok;
}

void PutLe16(std::vector<unsigned char>& out, std::size_t at, std::uint16_t value)
{
    out[at] = static_cast<unsigned char>(value);
    out[at + 1] = static_cast<unsigned char>(value >> 8);
}

void PutLe32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// File and information headers of a bottom-up 24-bit BMP.
std::vector<unsigned char> BmpHeaders(int width, int height, std::uint32_t imageBytes)
{
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    std::vector<unsigned char> header(kHeaderBytes, 0);
    header[0] = 'B';
    header[1] = 'M';
    PutLe32(header, 2, kHeaderBytes + imageBytes);
    PutLe32(header, 10, kHeaderBytes);
    PutLe32(header, 14, 40);
    PutLe32(header, 18, static_cast<std::uint32_t>(width));
    PutLe32(header, 22, static_cast<std::uint32_t>(height));
    PutLe16(header, 26, 1);  // planes
    PutLe16(header, 28, 24); // bits per pixel
    PutLe32(header, 34, imageBytes);
    PutLe32(header, 38, 2835); // 72 dots per inch, in dots per metre
    PutLe32(header, 42, 2835);
    return header;
}
} // namespace

namespace fw
{
ImageDest* OpenFileDest(const char* path)
{
    if (!path || !*path || !IsReplaceable(path))
        return nullptr;
    char tempPath[MAX_PATH] = {};
    if (!::GetTempFileNameA(FolderOf(path).c_str(), "gvk", 0, tempPath))
        return nullptr;
    const HANDLE file = ::CreateFileA(tempPath, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        ::DeleteFileA(tempPath);
        return nullptr;
    }
    auto* dest = new ImageDest;
    dest->path = path;
    dest->tempPath = tempPath;
    dest->file = file;
    return dest;
}

bool FlipRows(unsigned char* rows, std::size_t rowBytes, int rowCount)
{
    if (!rows || rowBytes == 0 || rowCount <= 0)
        return false;
    std::vector<unsigned char> row(rowBytes);
    for (int top = 0, bottom = rowCount - 1; top < bottom; ++top, --bottom)
    {
        unsigned char* a = rows + static_cast<std::size_t>(top) * rowBytes;
        unsigned char* b = rows + static_cast<std::size_t>(bottom) * rowBytes;
        std::memcpy(row.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, row.data(), rowBytes);
    }
    return true;
}

bool WriteJpg(ImageDest* dest, const unsigned char* rows, int width, int height, int quality)
{
    if (!BeginWrite(dest, rows, width, height))
        return false;
    const int clamped = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
    const JpegOptions options = {static_cast<float>(clamped) / 100.0f};
    return FinishWrite(
        dest, EncodeWithWic(dest, GUID_ContainerFormatJpeg, &options, rows, width, height));
}

bool WritePng(ImageDest* dest, const unsigned char* rows, int width, int height)
{
    if (!BeginWrite(dest, rows, width, height))
        return false;
    return FinishWrite(dest,
                       EncodeWithWic(dest, GUID_ContainerFormatPng, nullptr, rows, width, height));
}

bool WriteTiff(ImageDest* dest, const unsigned char* rows, int width, int height)
{
    if (!BeginWrite(dest, rows, width, height))
        return false;
    return FinishWrite(dest,
                       EncodeWithWic(dest, GUID_ContainerFormatTiff, nullptr, rows, width, height));
}

bool WriteBmp(ImageDest* dest, const unsigned char* rows, int width, int height)
{
    if (!BeginWrite(dest, rows, width, height))
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t paddedBytes = (rowBytes + 3) & ~static_cast<std::size_t>(3);
    const std::vector<unsigned char> header =
        BmpHeaders(width, height, static_cast<std::uint32_t>(paddedBytes * height));
    bool ok = WriteAll(dest->file, header.data(), header.size());
    std::vector<unsigned char> line(paddedBytes, 0);
    for (int y = height - 1; ok && y >= 0; --y)
    {
        const unsigned char* source = rows + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < width; ++x)
        {
            line[x * 3] = source[x * 3 + 2];
            line[x * 3 + 1] = source[x * 3 + 1];
            line[x * 3 + 2] = source[x * 3];
        }
        ok = WriteAll(dest->file, line.data(), line.size());
    }
    return FinishWrite(dest, ok);
}

bool CloseDest(ImageDest* dest)
{
    if (!dest)
        return false;
    bool ok = dest->written && !dest->failed;
    ok = ::FlushFileBuffers(dest->file) && ok;
    ::CloseHandle(dest->file);
    if (ok)
        ok = ::MoveFileExA(dest->tempPath.c_str(), dest->path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok)
        ::DeleteFileA(dest->tempPath.c_str());
    delete dest;
    return ok;
}
} // namespace fw
