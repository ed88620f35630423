// AVI recording of a view's animation: the writer (file, stream, compression chosen in the
// compression-options dialog, errors told once) and the recorder that times the frames.
#pragma once

#include "platform/base/string.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <vfw.h>

class CCAEView;

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
    BOOL Close();

    const BITMAPINFOHEADER& GetBitmapInfo() const { return m_bitmapInfo; }
    DWORD GetFrameCount() const { return m_frameCounter; }

    CString m_strFileName = "Untitled.avi";
    DWORD m_dwRate = 1;  // frames per m_dwScale seconds
    DWORD m_dwScale = 0; // set with the rate

private:
    BOOL CreateStreams();

    BITMAPINFOHEADER m_bitmapInfo = {};
    DWORD m_frameCounter = 0;
    PAVIFILE m_file = nullptr;         // owned
    PAVISTREAM m_stream = nullptr;     // owned
    PAVISTREAM m_compressed = nullptr; // owned
    bool m_bLibraryReady = false;      // AVIFileInit called, AVIFileExit owed
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
