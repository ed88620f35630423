// The bar tests' frame, view, fixed-size bar and helpers.
#include "tests/platform/bars/bars_fixture.h"

#include "platform/test/pump.h"

#include <cstdio>

void PrintTo(const CRect& rect, std::ostream* out)
{
    *out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

void PrintTo(const CSize& size, std::ostream* out)
{
    *out << size.cx << "x" << size.cy;
}

void PrintTo(const CPoint& point, std::ostream* out)
{
    *out << "(" << point.x << "," << point.y << ")";
}

namespace fw::test
{
CBoxBar::CBoxBar(int length, int thickness)
    : m_length(length)
    , m_thickness(thickness)
{
}

BOOL CBoxBar::Create(CWnd* parent, UINT id, DWORD style)
{
    m_dwStyle = style & CBRS_ALL;
    return CWnd::Create(nullptr, nullptr, style & ~CBRS_ALL, CRect(0, 0, 0, 0), parent, id);
}

CSize CBoxBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    const CSize least = CControlBar::CalcFixedLayout(stretch, horz);
    CRect inside;
    CalcInsideRect(inside, horz);
    const CSize size = horz ? CSize(m_length, m_thickness) : CSize(m_thickness, m_length);
    return CSize(std::max<LONG>(least.cx, size.cx - inside.Width()),
                 std::max<LONG>(least.cy, size.cy - inside.Height()));
}

FW_TABLE(CBarsView, CTestView, fw::update<kCmdFirst, &CBarsView::OnUpdateFirst>(),
         fw::command<kCmdFirst, &CBarsView::OnFirst>(),
         fw::control<CBN_SELCHANGE, kComboId, &CBarsView::OnComboChange>())

void CBarsView::OnUpdateFirst(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_enableFirst);
    cmdUI->SetCheck(m_checkFirst);
}

void CBarsView::OnFirst()
{
    ++m_firstCommands;
}

void CBarsView::OnComboChange()
{
    ++m_comboChanges;
}

FW_TABLE(CBarsFrame, CMDIFrameWnd,
         fw::notify<static_cast<int>(NM_CUSTOMDRAW), kBarA, &CBarsFrame::OnBarCustomDraw>())

void CBarsFrame::OnBarCustomDraw(NMHDR*, LRESULT* result)
{
    ++m_customDraws;
    *result = CDRF_DODEFAULT;
}

BarsFixture::BarsFixture()
{
    m_frameClass = RUNTIME_CLASS(CBarsFrame);
    m_viewClass = RUNTIME_CLASS(CBarsView);
}

void BarsFixture::SetUp()
{
    MainFrameFixture::SetUp();
    // The client area is 800 x 600 whatever the caption, menu and borders take.
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        CRect window;
        CRect client;
        m_frame->GetWindowRect(&window);
        m_frame->GetClientRect(&client);
        if (client.Width() == 800 && client.Height() == 600)
            break;
        m_frame->SetWindowPos(nullptr, 0, 0, window.Width() + 800 - client.Width(),
                              window.Height() + 600 - client.Height(),
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Pump();
}

CRect BarsFixture::InFrame(const CWnd* wnd) const
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    m_frame->ScreenToClient(&rect);
    return rect;
}

CDockBar* BarsFixture::DockBar(UINT id) const
{
    return dynamic_cast<CDockBar*>(m_frame->GetControlBar(id));
}

std::vector<UINT> BarsFixture::Entries(UINT dockBarId) const
{
    std::vector<UINT> entries;
    const CDockBar* dockBar = DockBar(dockBarId);
    if (!dockBar)
        return entries;
    for (INT_PTR pos = 0; pos < dockBar->m_arrBars.GetSize(); ++pos)
    {
        const void* entry = dockBar->m_arrBars[pos];
        if (!entry)
            entries.push_back(0);
        else if (CDockBar::IsPlaceholder(entry))
            entries.push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(entry)) | 0x10000);
        else
            entries.push_back(
                static_cast<UINT>(static_cast<const CControlBar*>(entry)->GetDlgCtrlID()));
    }
    return entries;
}

std::string BarsFixture::Describe(const std::vector<UINT>& entries) const
{
    std::string text;
    for (const UINT entry : entries)
    {
        char item[16];
        std::snprintf(item, sizeof item, "%s%X", text.empty() ? "" : " ", entry);
        text += item;
    }
    return text;
}

void BarsFixture::PostDrag(CWnd* bar, CPoint clientPoint, const std::vector<CSize>& moves,
                           int holdKeyAt, UINT key)
{
    const HWND hwnd = bar->m_hWnd;
    ::PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientPoint.x, clientPoint.y));
    CPoint point = clientPoint;
    for (size_t i = 0; i < moves.size(); ++i)
    {
        if (static_cast<int>(i) == holdKeyAt)
            ::PostMessageA(hwnd, WM_KEYDOWN, key, 1);
        point += moves[i];
        ::PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    if (holdKeyAt >= 0)
        ::PostMessageA(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    Pump();
}
} // namespace fw::test
