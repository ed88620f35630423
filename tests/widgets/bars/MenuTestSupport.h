// The bitmap menu tests' fixture: a main frame that records the commands and notices that
// reach it and runs a script each time an open menu waits for input, an organizer attached
// to it, and helpers that read a popup's items and its pixels on the screen.
#pragma once

#include "tests/widgets/bars/BarsTestSupport.h"
#include "widgets/bars/OXMenuOrganizer.h"

#include <functional>
#include <memory>
#include <vector>

namespace menu_test
{
// Commands of the test popups; the test resource gives 0x7A10 the text "...\nFirst".
constexpr UINT kCmdRed = 0x7A30;
constexpr UINT kCmdGreen = 0x7A31;
constexpr UINT kCmdBlue = 0x7A32;
constexpr UINT kCmdYellow = 0x7A33;
constexpr UINT kCmdPlain = 0x7A34;
constexpr UINT kCmdLast = 0x7A3F;

class CMenuTestFrame : public bars_test::CBarsTestFrame
{
    FW_CREATABLE(CMenuTestFrame, bars_test::CBarsTestFrame)

public:
    std::vector<UINT> m_commands;
    std::vector<UINT> m_menuNotices; // commands of the bitmap menus' customisation notices
    LRESULT m_vetoMenu = 0;
    int m_recentlyUsedChanges = 0;
    std::vector<HMENU> m_popups; // WM_INITMENUPOPUP, in order
    // Each runs once, in order, while an open menu waits (with the popup window); without
    // one left the menu is closed with Escape.
    std::vector<std::function<void(HWND popup)>> m_whileOpen;

    FW_MESSAGE_TABLE()

protected:
    void OnEnterIdle(UINT why, CWnd* who);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    BOOL OnCommandId(UINT id);
    BOOL OnMenuNotice(UINT id, NMHDR* header, LRESULT* result);
    LRESULT OnRecentlyUsedChanged(WPARAM, LPARAM);
};

class MenuFixture : public bars_test::CoolBarFixture
{
protected:
    MenuFixture();
    void SetUp() override;
    void TearDown() override;

    CMenuTestFrame* Frame() const;
    // A popup of "&Red\tCtrl+R", "&Green", "&Blue", "&Yellow" with images 0 to 3 of the test
    // toolbar bitmap (red, green, blue, yellow squares).
    HMENU MakeColourPopup();
    // Tracks popup at (x, y) owned by the frame, as the view's drop-down does.
    void Track(HMENU popup, int x = 100, int y = 100);
    // The colour on the screen at a point of the popup window's client area.
    static COLORREF ScreenPixel(HWND popup, HMENU menu, int item, int x, int y);
    // The item's rectangle in the popup window's client coordinates.
    static CRect ItemRect(HWND popup, HMENU menu, int item);

    std::unique_ptr<COXMenuOrganizer> m_organizer;
    WNDPROC m_frameProc = nullptr; // the frame's procedure before the organizer came
};
} // namespace menu_test
