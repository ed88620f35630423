// Device contexts and their temporaries.
#include "platform/win/dc.h"

#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hdc)
{
    if (!hdc)
        return nullptr;
    if (CDC* permanent = FromHandlePermanent(hdc))
        return permanent;
    auto& slot = fw::GetThreadState().tempDCs[hdc];
    if (!slot)
    {
        slot = std::make_unique<CDC>();
        slot->m_hDC = hdc;
        slot->m_hAttribDC = hdc;
    }
    return slot.get();
}

CDC* CDC::FromHandlePermanent(HDC hdc)
{
    const auto& dcs = fw::GetThreadState().dcs;
    const auto found = dcs.find(hdc);
    return found != dcs.end() ? found->second : nullptr;
}

namespace
{
void Unmap(HDC hdc, const CDC* dc)
{
    auto& dcs = fw::GetThreadState().dcs;
    const auto found = dcs.find(hdc);
    if (found != dcs.end() && found->second == dc)
        dcs.erase(found);
}
} // namespace

BOOL CDC::Attach(HDC hdc)
{
    if (!hdc || m_hDC)
        return FALSE;
    m_hDC = hdc;
    m_hAttribDC = hdc;
    fw::GetThreadState().dcs[hdc] = this;
    return TRUE;
}

HDC CDC::Detach()
{
    const HDC hdc = m_hDC;
    if (hdc)
        Unmap(hdc, this);
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return hdc;
}

BOOL CDC::CreateDC(const char* driver, const char* device, const char* output,
                   const DEVMODEA* initData)
{
    return Attach(::CreateDCA(driver, device, output, initData));
}

BOOL CDC::CreateIC(const char* driver, const char* device, const char* output,
                   const DEVMODEA* initData)
{
    return Attach(::CreateICA(driver, device, output, initData));
}

void CDC::SetAttribDC(HDC hdc)
{
    m_hAttribDC = hdc;
}

void CDC::SetOutputDC(HDC hdc)
{
    if (m_hDC)
        Unmap(m_hDC, this);
    m_hDC = hdc;
    if (hdc)
        fw::GetThreadState().dcs[hdc] = this;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    if (m_hDC)
        Unmap(m_hDC, this);
    m_hDC = nullptr;
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(dc ? dc->GetSafeHdc() : nullptr));
}

BOOL CDC::DeleteDC()
{
    const HDC hdc = Detach();
    return hdc ? ::DeleteDC(hdc) : FALSE;
}

CPen* CDC::SelectObject(CPen* pen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->GetSafeHandle())));
}

CFont* CDC::SelectObject(CFont* font)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->GetSafeHandle())));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return CBitmap::FromHandle(
        static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->GetSafeHandle())));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CPoint CDC::MoveTo(int x, int y) const
{
    POINT previous = {};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous.x, previous.y);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) const
{
    return ::Rectangle(m_hDC, left, top, right, bottom);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) const
{
    const COLORREF old = ::SetBkColor(m_hDC, color);
    const RECT rect = {x, y, x + width, y + height};
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

BOOL CDC::TextOut(int x, int y, const char* text, int length) const
{
    return ::TextOutA(m_hDC, x, y, text, length);
}

CSize CDC::GetTextExtent(const char* text, int length) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(m_hAttribDC, text, length, &size);
    return CSize(size.cx, size.cy);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) const
{
    return ::SetPixel(m_hDC, x, y, color);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                 DWORD rop) const
{
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->GetSafeHdc() : nullptr, sourceX,
                    sourceY, rop);
}

CClientDC::CClientDC(CWnd* wnd)
    : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (const HDC hdc = Detach())
        ::ReleaseDC(m_hWnd, hdc);
}

CPaintDC::CPaintDC(CWnd* wnd)
    : m_ps()
    , m_hWnd(wnd->GetSafeHwnd())
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}
