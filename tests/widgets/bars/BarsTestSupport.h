// The widget bar tests' fixture: the test main frame with a cool toolbar loaded from the test
// resource, docked at the top, a view whose update handlers the tests set, a frame that
// records the bars' notices, and helpers that read what the bar shows.
#pragma once

#include "platform/test/mainframe.h"
#include "widgets/bars/OXCoolToolBar.h"

#include <memory>
#include <vector>

namespace bars_test
{
// Ids of the test resources (widget_bars_test.rc).
constexpr UINT kToolBarResource = 0x7A01;
constexpr UINT kCmdFirst = 0x7A10;
constexpr UINT kCmdSecond = 0x7A11;
constexpr UINT kCmdThird = 0x7A12;
constexpr UINT kCmdCombo = 32898;
constexpr UINT kBarId = 0xE800;
constexpr UINT kSecondBarId = 0x7A20;

// The update state of the first command.
class CBarsTestView : public fw::test::CTestView
{
    FW_CREATABLE(CBarsTestView, fw::test::CTestView)

public:
    BOOL m_enableFirst = TRUE;
    int m_checkFirst = 0;
    int m_firstCommands = 0;

    FW_MESSAGE_TABLE()

protected:
    void OnUpdateFirst(CCmdUI* cmdUI);
    void OnFirst();
};

// Records the bars' custom-draw and customisation notices; may take over either.
class CBarsTestFrame : public fw::test::CTestMainFrame
{
    FW_CREATABLE(CBarsTestFrame, fw::test::CTestMainFrame)

public:
    int m_customDraws = 0;
    BOOL m_takeCustomDraw = FALSE;
    std::vector<UINT> m_customizeCommands;
    LRESULT m_vetoCustomize = 0;

    FW_MESSAGE_TABLE()

protected:
    BOOL OnCustomDrawNotice(UINT id, NMHDR* header, LRESULT* result);
    BOOL OnCustomizeNotice(UINT id, NMHDR* header, LRESULT* result);
};

class CoolBarFixture : public fw::test::MainFrameFixture
{
protected:
    CoolBarFixture();
    void SetUp() override;

    // Creates bar as the main frame creates its toolbars, loads the test resource and docks
    // it at the top.
    void CreateBar(COXCoolToolBar& bar, UINT id = kBarId, BOOL dock = TRUE);
    CBarsTestFrame* Frame() const;
    CBarsTestView* View() const;
    // Where the client area starts inside the bar's window.
    CPoint ClientOffset(const CWnd& bar) const;
    // The colour of a pixel of the bar's window (non-client included) as the screen shows it.
    COLORREF WindowPixel(const CWnd& bar, int x, int y) const;
    // Whether the bar's client area shows the colour anywhere.
    bool ShowsColour(const CWnd& bar, COLORREF colour) const;
    // Idle update of the bar as the application's idle pass does it.
    void IdleUpdate(CWnd& bar);

    std::unique_ptr<COXCoolToolBar> m_bar;
};
} // namespace bars_test
