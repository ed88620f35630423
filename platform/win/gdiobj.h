// GDI object wrappers: pens, brushes, fonts and bitmaps. An object deletes the handle it
// created or attached and is the permanent object of that handle; FromHandle returns it, or a
// temporary that owns nothing and is freed at idle.
#pragma once

#include <windows.h>

class CDC;

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    static CGdiObject* FromHandle(HGDIOBJ handle);
    static CGdiObject* FromHandlePermanent(HGDIOBJ handle);

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    int GetObject(int size, void* buffer) const;

    HGDIOBJ m_hObject = nullptr;

private:
    bool m_isStock = false; // stock objects are never deleted
};

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    static CPen* FromHandle(HPEN handle);
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    static CBrush* FromHandle(HBRUSH handle);
    BOOL CreateSolidBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject
{
public:
    static CFont* FromHandle(HFONT handle);
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    int GetLogFont(LOGFONT* logFont) const { return GetObject(sizeof(LOGFONT), logFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject
{
public:
    static CBitmap* FromHandle(HBITMAP handle);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
