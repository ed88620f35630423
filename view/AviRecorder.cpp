// AVI recording through the Video for Windows file functions. The messages are the writer's
// own English texts in plain boxes.
#include "view/AviRecorder.h"

#include "platform/base/progress.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "view/CAEView.h"

#include <algorithm>

namespace
{
// Video for Windows 1.10 or later.
constexpr WORD kFirstVersion = 266;

struct Reason
{
    HRESULT code;
    const char* text;
};

// The reason of code from the table, or nothing.
const char* ReasonOf(HRESULT code, const Reason* reasons, size_t count)
{
    for (size_t i = 0; i < count; ++i)
    {
        if (reasons[i].code == code)
            return reasons[i].text;
    }
    return "";
}

const Reason kOpenReasons[] = {
    {AVIERR_BADFORMAT, "The file couldn't be read, indicating a corrupt file or an unrecognized "
                       "format."},
    {AVIERR_MEMORY, "The file could not be opened because of insufficient memory."},
    {AVIERR_FILEREAD, "A disk error occurred while reading the file."},
    {AVIERR_FILEOPEN, "A disk error occurred while opening the file."},
    {REGDB_E_CLASSNOTREG, "According to the registry, the type of file specified in AVIFileOpen "
                          "does not have a handler to process it"},
};

const Reason kCompressReasons[] = {
    {AVIERR_UNSUPPORTED, "Compression is not supported for this type of data. This error might "
                         "be returned if you try to compress data that is not audio or video."},
    {AVIERR_MEMORY, " There is not enough memory to complete the operation."},
    {AVIERR_NOCOMPRESSOR, " A suitable compressor cannot be found."},
};

void Tell(const CString& text)
{
    AfxMessageBox(text.GetString(), MB_OK);
}

bool HasTag(const unsigned char* at, const char* tag)
{
    return std::equal(at, at + 4, tag);
}

DWORD ReadDword(const unsigned char* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<DWORD>(at[3]) << 24;
}

// Bytes of a file read or written at an offset through a handle.
bool ReadAt(HANDLE file, DWORD offset, void* bytes, DWORD size)
{
    OVERLAPPED at = {};
    at.Offset = offset;
    DWORD done = 0;
    return ::ReadFile(file, bytes, size, &done, &at) && done == size;
}

bool WriteAt(HANDLE file, DWORD offset, const void* bytes, DWORD size)
{
    OVERLAPPED at = {};
    at.Offset = offset;
    DWORD done = 0;
    return ::WriteFile(file, bytes, size, &done, &at) && done == size;
}
} // namespace

size_t AviFrameTimeOffset(const unsigned char* head, size_t size)
{
    // "RIFF" size "AVI " "LIST" size "hdrl" "avih" size, then the header's first field.
    constexpr size_t kFrameTime = 32;
    if (size < kFrameTime + 4 || !HasTag(head, "RIFF") || !HasTag(head + 8, "AVI ") ||
        !HasTag(head + 12, "LIST") || !HasTag(head + 20, "hdrl") || !HasTag(head + 24, "avih") ||
        ReadDword(head + 28) < 4)
        return 0;
    return kFrameTime;
}

DWORD AviMicroSecondsPerFrame(DWORD rate, DWORD scale)
{
    if (rate == 0 || scale == 0)
        return 0;
    const unsigned long long microseconds = 1000000ull * scale;
    return static_cast<DWORD>((microseconds + rate / 2) / rate);
}

CAviWriter::~CAviWriter()
{
    Close();
}

void CAviWriter::SetBitmapInfo(CCAEView* view)
{
    CRect client;
    view->GetClientRect(&client);
    const int width = std::max(0, client.Width()) / 4 * 4;
    const int height = std::max(0, client.Height()) / 4 * 4;
    m_bitmapInfo = {};
    m_bitmapInfo.biSize = sizeof(BITMAPINFOHEADER);
    m_bitmapInfo.biWidth = width;
    m_bitmapInfo.biHeight = height;
    m_bitmapInfo.biPlanes = 1;
    m_bitmapInfo.biBitCount = 24;
    m_bitmapInfo.biCompression = BI_RGB;
    m_bitmapInfo.biSizeImage = static_cast<DWORD>((width * 24 + 31) / 32 * 4 * height);
}

BOOL CAviWriter::Open()
{
    if (HIWORD(::VideoForWindowsVersion()) < kFirstVersion)
    {
        Tell("Version of Video for Windows too old. Come on, join the 21th century!");
        return FALSE;
    }
    ::AVIFileInit();
    m_bLibraryReady = true;
    const HRESULT opened =
        ::AVIFileOpenA(&m_file, m_strFileName.GetString(), OF_WRITE | OF_CREATE, nullptr);
    if (opened != AVIERR_OK)
    {
        m_file = nullptr;
        CString text;
        text.Format("AVI Engine failed to initialize. Check filename %s.",
                    m_strFileName.GetString());
        Tell(text + ReasonOf(opened, kOpenReasons, std::size(kOpenReasons)));
        return FALSE;
    }
    // Without this handle (a library that shares nothing) the file keeps the library's header.
    m_written = ::CreateFileA(m_strFileName.GetString(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return CreateStreams();
}

BOOL CAviWriter::CreateStreams()
{
    AVISTREAMINFOA info = {};
    info.fccType = streamtypeVIDEO;
    info.dwScale = m_dwScale;
    info.dwRate = m_dwRate;
    info.dwSuggestedBufferSize = m_bitmapInfo.biSizeImage;
    ::SetRect(&info.rcFrame, 0, 0, m_bitmapInfo.biWidth, m_bitmapInfo.biHeight);
    HRESULT result = ::AVIFileCreateStreamA(m_file, &m_stream, &info);
    if (result != AVIERR_OK)
    {
        m_stream = nullptr;
        Tell(CString("AVI Stream creation failed. Check Bitmap info.") +
             (result == AVIERR_READONLY ? " Read only file." : ""));
        return FALSE;
    }
    AVICOMPRESSOPTIONS options = {};
    LPAVICOMPRESSOPTIONS chosen[1] = {&options};
    if (!sys::Get().AVISaveOptions(nullptr, 0, 1, &m_stream, chosen))
    {
        ::AVISaveOptionsFree(1, chosen);
        return FALSE;
    }
    result = ::AVIMakeCompressedStream(&m_compressed, m_stream, &options, nullptr);
    if (result != AVIERR_OK)
    {
        m_compressed = nullptr;
        ::AVISaveOptionsFree(1, chosen);
        Tell(CString("AVI Compressed Stream creation failed.") +
             ReasonOf(result, kCompressReasons, std::size(kCompressReasons)));
        return FALSE;
    }
    if (::AVISaveOptionsFree(1, chosen) != AVIERR_OK)
    {
        Tell("Error releasing memory");
        return FALSE;
    }
    const LONG formatSize = static_cast<LONG>(m_bitmapInfo.biSize + 4 * m_bitmapInfo.biClrUsed);
    if (::AVIStreamSetFormat(m_compressed, 0, &m_bitmapInfo, formatSize) != AVIERR_OK)
    {
        Tell("AVI Compressed Stream format setting failed.");
        return FALSE;
    }
    m_frameCounter = 0;
    return TRUE;
}

BOOL CAviWriter::AddFrame(const unsigned char* bits)
{
    if (m_compressed == nullptr)
        return FALSE;
    const HRESULT written = ::AVIStreamWrite(
        m_compressed, static_cast<LONG>(m_frameCounter), 1, const_cast<unsigned char*>(bits),
        static_cast<LONG>(m_bitmapInfo.biSizeImage), AVIIF_KEYFRAME, nullptr, nullptr);
    ++m_frameCounter;
    fw::NoteProgress();
    if (written != AVIERR_OK)
    {
        Tell("Unable to write data to stream.");
        return FALSE;
    }
    return TRUE;
}

BOOL CAviWriter::Close()
{
    for (PAVISTREAM* stream : {&m_stream, &m_compressed})
    {
        if (*stream != nullptr)
            ::AVIStreamRelease(*stream);
        *stream = nullptr;
    }
    // The library writes its headers as it lets the file go.
    if (m_file != nullptr)
        ::AVIFileRelease(m_file);
    m_file = nullptr;
    WriteFrameTime();
    if (m_bLibraryReady)
        ::AVIFileExit();
    m_bLibraryReady = false;
    return TRUE;
}

void CAviWriter::WriteFrameTime()
{
    if (m_written == INVALID_HANDLE_VALUE)
        return;
    unsigned char head[36] = {};
    const DWORD frameTime = AviMicroSecondsPerFrame(m_dwRate, m_dwScale);
    if (frameTime != 0 && ReadAt(m_written, 0, head, sizeof head))
    {
        if (const size_t at = AviFrameTimeOffset(head, sizeof head))
        {
            const unsigned char bytes[4] = {static_cast<unsigned char>(frameTime),
                                            static_cast<unsigned char>(frameTime >> 8),
                                            static_cast<unsigned char>(frameTime >> 16),
                                            static_cast<unsigned char>(frameTime >> 24)};
            WriteAt(m_written, static_cast<DWORD>(at), bytes, sizeof bytes);
        }
    }
    ::CloseHandle(m_written);
    m_written = INVALID_HANDLE_VALUE;
}

int CAviRecorderWnd::Start(CCAEView* view)
{
    m_pView = view;
    const int interval = std::max(1, view->Animation().Interval());
    if (interval <= 1000)
    {
        m_writer.m_dwScale = 1;
        m_writer.m_dwRate = static_cast<DWORD>(1000 / interval);
    }
    else
    {
        // Slower than a frame a second: the rate is per interval.
        m_writer.m_dwScale = static_cast<DWORD>(interval);
        m_writer.m_dwRate = 1000;
    }
    m_writer.SetBitmapInfo(view);
    m_writer.m_strFileName = m_strFileName;
    if (!m_writer.Open())
    {
        m_writer.Close();
        return 0;
    }
    return 1;
}

BOOL CAviRecorderWnd::AddFrame(const unsigned char* bits)
{
    return m_writer.AddFrame(bits);
}

void CAviRecorderWnd::Finish()
{
    m_writer.Close();
}
