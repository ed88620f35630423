// The widget bar tests' view, frame and fixture.
#include "tests/widgets/bars/BarsTestSupport.h"

#include "platform/test/pump.h"

namespace bars_test
{
FW_TABLE(CBarsTestView, fw::test::CTestView, fw::update<kCmdFirst, &CBarsTestView::OnUpdateFirst>(),
         fw::command<kCmdFirst, &CBarsTestView::OnFirst>())

void CBarsTestView::OnUpdateFirst(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_enableFirst);
    cmdUI->SetCheck(m_checkFirst);
}

void CBarsTestView::OnFirst()
{
    ++m_firstCommands;
}

FW_TABLE(CBarsTestFrame, fw::test::CTestMainFrame,
         fw::notify_ex<static_cast<int>(OXCTBN_CUSTOMDRAW), 0, 0xFFFF,
                       &CBarsTestFrame::OnCustomDrawNotice>(),
         fw::notify_ex<static_cast<int>(OXCTBN_CUSTOMIZECMD), 0, 0xFFFF,
                       &CBarsTestFrame::OnCustomizeNotice>())

BOOL CBarsTestFrame::OnCustomDrawNotice(UINT, NMHDR* header, LRESULT* result)
{
    ++m_customDraws;
    auto* notice = reinterpret_cast<OXCustomDrawNotify*>(header);
    if (m_takeCustomDraw)
    {
        notice->doDefault = FALSE;
        notice->result = CDRF_DODEFAULT;
    }
    *result = 0;
    return TRUE;
}

BOOL CBarsTestFrame::OnCustomizeNotice(UINT, NMHDR* header, LRESULT* result)
{
    m_customizeCommands.push_back(reinterpret_cast<OXCustomizeNotify*>(header)->command);
    *result = m_vetoCustomize;
    return TRUE;
}

CoolBarFixture::CoolBarFixture()
{
    m_frameClass = RUNTIME_CLASS(CBarsTestFrame);
    m_viewClass = RUNTIME_CLASS(CBarsTestView);
}

void CoolBarFixture::SetUp()
{
    MainFrameFixture::SetUp();
    m_bar = std::make_unique<COXCoolToolBar>();
}

void CoolBarFixture::CreateBar(COXCoolToolBar& bar, UINT id, BOOL dock)
{
    ASSERT_TRUE(
        bar.CreateEx(m_frame, TBSTYLE_FLAT,
                     WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS,
                     CRect(0, 0, 0, 0), id));
    ASSERT_TRUE(bar.LoadToolBar(kToolBarResource));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_frame->EnableDocking(CBRS_ALIGN_ANY);
    if (dock)
        m_frame->DockControlBar(&bar);
    m_frame->RecalcLayout();
    fw::test::Pump();
}

CBarsTestFrame* CoolBarFixture::Frame() const
{
    return dynamic_cast<CBarsTestFrame*>(m_frame);
}

CBarsTestView* CoolBarFixture::View() const
{
    return dynamic_cast<CBarsTestView*>(ActiveView());
}

CPoint CoolBarFixture::ClientOffset(const CWnd& bar) const
{
    CRect window;
    bar.GetWindowRect(&window);
    CPoint client(0, 0);
    bar.ClientToScreen(&client);
    return CPoint(client.x - window.left, client.y - window.top);
}

COLORREF CoolBarFixture::WindowPixel(const CWnd& bar, int x, int y) const
{
    const HDC dc = ::GetWindowDC(bar.GetSafeHwnd());
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(bar.GetSafeHwnd(), dc);
    return colour;
}

bool CoolBarFixture::ShowsColour(const CWnd& bar, COLORREF colour) const
{
    CRect client;
    bar.GetClientRect(&client);
    const HDC dc = ::GetDC(bar.GetSafeHwnd());
    bool found = false;
    for (int y = client.top; y < client.bottom && !found; ++y)
        for (int x = client.left; x < client.right && !found; ++x)
            found = ::GetPixel(dc, x, y) == colour;
    ::ReleaseDC(bar.GetSafeHwnd(), dc);
    return found;
}

void CoolBarFixture::IdleUpdate(CWnd& bar)
{
    bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}
} // namespace bars_test
