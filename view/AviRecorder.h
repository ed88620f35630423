// AVI recording of a view's animation: the writer (file, stream, compression chosen in the
// compression-options dialog, errors told once) and the recorder that times the frames.
// The file's main header gets its frame time from our own rate once the file is closed: Wine's
// AVI library writes the inverse there (4,000,000 microseconds a frame at 4 frames a second).
#pragma once

#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cstddef>
#include <vfw.h>

class CCAEView;

// Where the main header's microseconds a frame lie in a file that starts with these bytes
// ("RIFF", "AVI ", the "hdrl" list and its "avih" chunk, in the order every AVI file has), or
// 0 when the bytes are not such a start.
size_t AviFrameTimeOffset(const unsigned char* head, size_t size);

// Microseconds a frame at rate frames per scale seconds, rounded; 0 for a rate or scale of 0.
DWORD AviMicroSecondsPerFrame(DWORD rate, DWORD scale);

class CAviWriter
{
public:
    CAviWriter() = default;
    // Closes what is still open.
    ~CAviWriter();
    CAviWriter(const CAviWriter&) = delete;
    CAviWriter& operator=(const CAviWriter&) = delete;

    // The frame format from the view's client area: 24-bit rows, both sides rounded down to a
    // multiple of 4.
    void SetBitmapInfo(CCAEView* view);
    // The file, the stream and the compressed stream; FALSE after telling the user why (or
    // silently when the compressor choice was cancelled).
    BOOL Open();
    // One key frame of biSizeImage bytes at the next position; FALSE after telling the user.
    BOOL AddFrame(const unsigned char* bits);
    // Ends the file; its main header then tells the frame time of our rate and scale.
    BOOL Close();

    const BITMAPINFOHEADER& GetBitmapInfo() const { return m_bitmapInfo; }
    DWORD GetFrameCount() const { return m_frameCounter; }

    CString m_strFileName = "Untitled.avi";
    DWORD m_dwRate = 1;  // frames per m_dwScale seconds
    DWORD m_dwScale = 0; // set with the rate

private:
    BOOL CreateStreams();
    void WriteFrameTime();

    BITMAPINFOHEADER m_bitmapInfo = {};
    DWORD m_frameCounter = 0;
    PAVIFILE m_file = nullptr;         // owned
    PAVISTREAM m_stream = nullptr;     // owned
    PAVISTREAM m_compressed = nullptr; // owned
    bool m_bLibraryReady = false;      // AVIFileInit called, AVIFileExit owed
    // Our own handle of the file the library writes, opened beside it, so that its header is
    // mended in that file and not in another one of the same name.
    HANDLE m_written = INVALID_HANDLE_VALUE; // owned
};

// Times the frames of one recording: the rate comes from the view's animation interval.
class CAviRecorderWnd : public CWnd
{
public:
    CAviRecorderWnd() = default;
    ~CAviRecorderWnd() override = default;

    // Nonzero when the file is open and ready for frames.
    int Start(CCAEView* view);
    BOOL AddFrame(const unsigned char* bits);
    void Finish();

    const CAviWriter& GetWriter() const { return m_writer; }

    CString m_strFileName = "test.avi";

private:
    CCAEView* m_pView = nullptr; // not owned
    CAviWriter m_writer;
};
