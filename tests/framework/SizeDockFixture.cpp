// The sizeable docking tests' frame, bar and helpers.
#include "tests/framework/SizeDockFixture.h"

#include "platform/test/pump.h"

namespace sizedock
{
FW_TABLE(CDockTestFrame, COXMDIFrameWndSizeDock, fw::on<WM_CREATE, &CDockTestFrame::OnCreate>())

int CDockTestFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (COXMDIFrameWndSizeDock::OnCreate(cs) == -1)
        return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
}

CRecordingBar::CRecordingBar(DWORD barStyle)
    : COXSizeControlBar(barStyle)
{
}

void CRecordingBar::OnBarResized(int cx, int cy, BOOL floating, int flags)
{
    m_resizes.push_back({cx, cy, floating, flags});
}

COLORREF PixelAt(const CWnd* wnd, CPoint clientPoint)
{
    wnd->ClientToScreen(&clientPoint);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, clientPoint.x, clientPoint.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Text(const SIZE& s)
{
    return std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

std::string Text(const POINT& p)
{
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

SizeDockFixture::SizeDockFixture()
{
    m_frameClass = RUNTIME_CLASS(CDockTestFrame);
}

void SizeDockFixture::SetUp()
{
    MainFrameFixture::SetUp();
    SetClientSize(800, 600);
}

COXMDIFrameWndSizeDock* SizeDockFixture::Frame() const
{
    return static_cast<COXMDIFrameWndSizeDock*>(m_frame);
}

COXSizeDockBar* SizeDockFixture::DockBar(UINT id) const
{
    return dynamic_cast<COXSizeDockBar*>(m_frame->GetControlBar(id));
}

CRect SizeDockFixture::InFrame(const CWnd* wnd) const
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    m_frame->ScreenToClient(&rect);
    return rect;
}

void SizeDockFixture::SetClientSize(int cx, int cy)
{
    // The caption, menu and borders take what they take; the client area is what counts.
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        CRect window;
        CRect client;
        m_frame->GetWindowRect(&window);
        m_frame->GetClientRect(&client);
        if (client.Width() == cx && client.Height() == cy)
            break;
        m_frame->SetWindowPos(nullptr, 0, 0, window.Width() + cx - client.Width(),
                              window.Height() + cy - client.Height(),
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fw::test::Pump();
}

void SizeDockFixture::CreateBar(COXSizeControlBar& bar, UINT id, const char* title, CSize size)
{
    // No side until docked: a bar with one would take it from the frame at once.
    ASSERT_TRUE(bar.CreateBar(m_frame, title, id, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN,
                              CRect(CPoint(0, 0), size)));
    bar.EnableDocking(CBRS_ALIGN_ANY);
}

void SizeDockFixture::Dock(COXSizeControlBar& bar, UINT dockBarId, const CWnd* after)
{
    if (!after)
    {
        m_frame->DockControlBar(&bar, dockBarId);
        return;
    }
    // Just past the other bar's start, in its row.
    CRect place;
    after->GetWindowRect(&place);
    place.OffsetRect(1, 1);
    m_frame->DockControlBar(&bar, DockBar(dockBarId), &place);
}

void SizeDockFixture::DockRow(UINT dockBarId, std::initializer_list<COXSizeControlBar*> bars)
{
    const CWnd* previous = nullptr;
    for (COXSizeControlBar* bar : bars)
    {
        Dock(*bar, dockBarId, previous);
        previous = bar;
    }
    m_frame->RecalcLayout();
    fw::test::Pump();
}

COXMDIFloatWnd* SizeDockFixture::FloatInClient(COXSizeControlBar& bar, int x, int y, DWORD style)
{
    Frame()->FloatControlBarInMDIClient(&bar, x, y, style, TRUE);
    fw::test::Pump();
    return dynamic_cast<COXMDIFloatWnd*>(bar.GetParentFrame());
}

void SizeDockFixture::PostDrag(CWnd* wnd, CPoint clientPoint, const std::vector<CSize>& moves,
                               int holdControlAt)
{
    const HWND hwnd = wnd->m_hWnd;
    ::PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientPoint.x, clientPoint.y));
    CPoint point = clientPoint;
    for (size_t i = 0; i < moves.size(); ++i)
    {
        if (static_cast<int>(i) == holdControlAt)
            ::PostMessageA(hwnd, WM_KEYDOWN, VK_CONTROL, 1);
        point.x += moves[i].cx;
        point.y += moves[i].cy;
        ::PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    if (holdControlAt >= 0)
        ::PostMessageA(hwnd, WM_KEYUP, VK_CONTROL, static_cast<LPARAM>(0xC0000001u));
    fw::test::Pump();
}

void SizeDockFixture::PostClick(CWnd* wnd, CPoint clientPoint, CPoint releasePoint)
{
    const HWND hwnd = wnd->m_hWnd;
    ::PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientPoint.x, clientPoint.y));
    ::PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(releasePoint.x, releasePoint.y));
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(releasePoint.x, releasePoint.y));
    fw::test::Pump();
}
} // namespace sizedock
