// The splash window.
#include "app/SplashWnd.h"

#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "platform/win/resource.h"

BOOL CSplashWnd::s_enabled = FALSE;
CSplashWnd* CSplashWnd::s_current = nullptr;

FW_TABLE(CSplashWnd, CWnd, fw::on<WM_CREATE, &CSplashWnd::OnCreate>(),
         fw::on<WM_PAINT, &CSplashWnd::OnPaint>(), fw::on<WM_TIMER, &CSplashWnd::OnTimer>())

void CSplashWnd::EnableSplash(BOOL enable)
{
    s_enabled = enable;
}

void CSplashWnd::ShowSplash(CWnd* parent, UINT bitmapId)
{
    if (!s_enabled || s_current != nullptr)
        return;
    s_current = new CSplashWnd; // deletes itself once its window is gone
    if (!s_current->Create(parent, bitmapId))
    {
        // A window that failed to be made has deleted its object already (which cleared
        // s_current); one without its bitmap never had a window.
        delete s_current;
        return;
    }
    s_current->UpdateWindow();
}

CSplashWnd::~CSplashWnd()
{
    if (s_current == this)
        s_current = nullptr;
    m_bitmap.DeleteObject();
}

BOOL CSplashWnd::Create(CWnd* parent, UINT bitmapId)
{
    if (!m_bitmap.Attach(fw::LoadResourceBitmap(bitmapId)))
        return FALSE;
    BITMAP info = {};
    m_bitmap.GetBitmap(&info);
    const char* className = fw::RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    return CreateEx(0, className, nullptr, WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth, info.bmHeight,
                    parent ? parent->m_hWnd : nullptr, nullptr);
}

void CSplashWnd::HideSplash()
{
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd != nullptr)
        main->UpdateWindow();
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}

int CSplashWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CenterWindow();
    SetTimer(kTimerId, kShowMs);
    return 0;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    BITMAP info = {};
    m_bitmap.GetBitmap(&info);
    CBitmap* previous = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}

void CSplashWnd::OnTimer(UINT_PTR)
{
    HideSplash();
}
