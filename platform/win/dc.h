// Device contexts: CDC keeps the output handle and an attribute handle for metrics; client and
// paint DCs release what they acquired when they go. An attached DC is the permanent object of
// its output handle, so a DC that reaches a handler through a message keeps its attribute
// handle and printing flag; other handles get temporaries that own nothing.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/gdiobj.h"

#include <windows.h>

class CWnd;

class CDC
{
public:
    CDC() = default;
    // Deletes a DC made by CreateCompatibleDC or attached; temporaries own nothing.
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    static CDC* FromHandle(HDC hdc);
    static CDC* FromHandlePermanent(HDC hdc);

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL CreateDC(const char* driver, const char* device, const char* output,
                  const DEVMODEA* initData);
    BOOL CreateIC(const char* driver, const char* device, const char* output,
                  const DEVMODEA* initData);
    BOOL DeleteDC();
    // Separate output and attribute handles (print preview draws into a metafile while the
    // printer's information context answers the metrics). Neither is owned.
    virtual void SetAttribDC(HDC hdc);
    virtual void SetOutputDC(HDC hdc);
    virtual void ReleaseAttribDC();
    virtual void ReleaseOutputDC();

    int SaveDC() const { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) const { return ::RestoreDC(m_hDC, saved); }

    // Each returns the object selected before, as a temporary.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectStockObject(int index);

    COLORREF SetBkColor(COLORREF color) const { return ::SetBkColor(m_hDC, color); }
    COLORREF SetTextColor(COLORREF color) const { return ::SetTextColor(m_hDC, color); }
    int SetBkMode(int mode) const { return ::SetBkMode(m_hDC, mode); }

    CPoint MoveTo(int x, int y) const;
    BOOL LineTo(int x, int y) const { return ::LineTo(m_hDC, x, y); }
    BOOL Rectangle(int left, int top, int right, int bottom) const;
    void FillSolidRect(int x, int y, int width, int height, COLORREF color) const;
    BOOL TextOut(int x, int y, const char* text, int length) const;
    CSize GetTextExtent(const char* text, int length) const;
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF color) const;
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                DWORD rop) const;
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hAttribDC, index); }

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr; // metrics come from here; the same as m_hDC on screen
    BOOL m_bPrinting = FALSE;
};

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
