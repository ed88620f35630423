// The bitmap menu tests' frame and fixture.
#include "tests/widgets/bars/MenuTestSupport.h"

#include "platform/test/pump.h"

namespace menu_test
{
FW_TABLE(
    CMenuTestFrame, bars_test::CBarsTestFrame, fw::on<WM_ENTERIDLE, &CMenuTestFrame::OnEnterIdle>(),
    fw::on<WM_INITMENUPOPUP, &CMenuTestFrame::OnInitMenuPopup>(),
    fw::command_range<kCmdRed, kCmdLast, &CMenuTestFrame::OnCommandId>(),
    fw::command_range<fw::test::kCmdMainMenuOnly, fw::test::kCmdTest,
                      &CMenuTestFrame::OnCommandId>(),
    fw::notify_ex<static_cast<int>(OXBMN_CUSTOMIZE), 0, 0xFFFF, &CMenuTestFrame::OnMenuNotice>(),
    fw::raw<WM_OX_RECENTLYUSEDCHANGED, &CMenuTestFrame::OnRecentlyUsedChanged>())

void CMenuTestFrame::OnEnterIdle(UINT why, CWnd* who)
{
    if (why != MSGF_MENU)
        return;
    if (!who)
    {
        // The menu bar waits without a popup: leave it unless a script goes on.
        if (m_whileOpen.empty())
            PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    if (m_whileOpen.empty())
    {
        who->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    const auto action = std::move(m_whileOpen.front());
    m_whileOpen.erase(m_whileOpen.begin());
    action(who->GetSafeHwnd());
}

void CMenuTestFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    m_popups.push_back(popup->GetSafeHmenu());
    bars_test::CBarsTestFrame::OnInitMenuPopup(popup, index, sysMenu);
}

BOOL CMenuTestFrame::OnCommandId(UINT id)
{
    m_commands.push_back(id);
    return TRUE;
}

BOOL CMenuTestFrame::OnMenuNotice(UINT, NMHDR* header, LRESULT* result)
{
    m_menuNotices.push_back(reinterpret_cast<OXBitmapMenuNotify*>(header)->command);
    *result = m_vetoMenu;
    return TRUE;
}

LRESULT CMenuTestFrame::OnRecentlyUsedChanged(WPARAM, LPARAM)
{
    ++m_recentlyUsedChanges;
    return 0;
}

MenuFixture::MenuFixture()
{
    m_frameClass = RUNTIME_CLASS(CMenuTestFrame);
}

void MenuFixture::SetUp()
{
    CoolBarFixture::SetUp();
    m_frame->SetForegroundWindow();
    fw::test::Pump();
    m_frameProc =
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_frame->GetSafeHwnd(), GWLP_WNDPROC));
    m_organizer = std::make_unique<COXMenuOrganizer>();
    ASSERT_TRUE(m_organizer->AttachFrameWnd(m_frame));
}

void MenuFixture::TearDown()
{
    m_organizer.reset();
    CoolBarFixture::TearDown();
}

CMenuTestFrame* MenuFixture::Frame() const
{
    return dynamic_cast<CMenuTestFrame*>(m_frame);
}

HMENU MenuFixture::MakeColourPopup()
{
    const HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING, kCmdRed, "&Red\tCtrl+R");
    ::AppendMenuA(popup, MF_STRING, kCmdGreen, "&Green");
    ::AppendMenuA(popup, MF_STRING, kCmdBlue, "&Blue");
    ::AppendMenuA(popup, MF_STRING, kCmdYellow, "&Yellow");
    const UINT commands[] = {kCmdRed, kCmdGreen, kCmdBlue, kCmdYellow};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m_organizer->SetMenuImage(commands[i], bars_test::kToolBarResource, i, 16));
    return popup;
}

void MenuFixture::Track(HMENU popup, int x, int y)
{
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, x, y, 0, m_frame->GetSafeHwnd(),
                     nullptr);
    fw::test::Pump();
}

CRect MenuFixture::ItemRect(HWND popup, HMENU menu, int item)
{
    CRect rect;
    ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(item), &rect);
    ::ScreenToClient(popup, reinterpret_cast<POINT*>(&rect.left));
    ::ScreenToClient(popup, reinterpret_cast<POINT*>(&rect.right));
    return rect;
}

COLORREF MenuFixture::ScreenPixel(HWND popup, HMENU menu, int item, int x, int y)
{
    const CRect rect = ItemRect(popup, menu, item);
    POINT point = {rect.left + x, rect.top + y};
    ::ClientToScreen(popup, &point);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}
} // namespace menu_test
