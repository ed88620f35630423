// The bar tests' fixture: the test main frame (MDI) with a client area of exactly 800 x 600,
// a view whose handlers the tests set, bars of a fixed size, and helpers that read where
// bars are and drag them with posted mouse messages.
#pragma once

#include "platform/bars/dockbar.h"
#include "platform/bars/toolbar.h"
#include "platform/test/mainframe.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

// Readable rectangles, sizes and points in failure messages.
void PrintTo(const CRect& rect, std::ostream* out);
void PrintTo(const CSize& size, std::ostream* out);
void PrintTo(const CPoint& point, std::ostream* out);

namespace fw::test
{
// Ids of the bar tests' resources and windows (bars_test.rc).
constexpr UINT kToolBarResource = 0x7B01;
constexpr UINT kCmdFirst = 0x7B10;
constexpr UINT kCmdSecond = 0x7B11;
constexpr UINT kCmdThird = 0x7B12;
constexpr UINT kBarA = 0x7B21;
constexpr UINT kBarB = 0x7B22;
constexpr UINT kBarC = 0x7B23;
constexpr UINT kComboId = 0x7B30;

// A bar of a fixed size: length along its row and thickness across it.
class CBoxBar : public CControlBar
{
    FW_CLASS(CBoxBar, CControlBar)

public:
    explicit CBoxBar(int length = 100, int thickness = 24);
    BOOL Create(CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

    int m_length;
    int m_thickness;
};

// The view of the bar tests: the first command's state and command, and the combo box.
class CBarsView : public CTestView
{
    FW_CREATABLE(CBarsView, CTestView)

public:
    BOOL m_enableFirst = TRUE;
    int m_checkFirst = 0;
    int m_firstCommands = 0;
    int m_comboChanges = 0;

    FW_MESSAGE_TABLE()

protected:
    void OnUpdateFirst(CCmdUI* cmdUI);
    void OnFirst();
    void OnComboChange();
};

// The main frame; it counts the custom-draw notices of bar kBarA that reach it.
class CBarsFrame : public CMDIFrameWnd
{
    FW_CREATABLE(CBarsFrame, CMDIFrameWnd)

public:
    int m_customDraws = 0;
    // Tips the frame words itself; the others are the resource strings'.
    std::map<UINT, CString> m_tips;

    void GetToolTipString(UINT id, CString& tip) const override
    {
        if (const auto found = m_tips.find(id); found != m_tips.end())
            tip = found->second;
        else
            CMDIFrameWnd::GetToolTipString(id, tip);
    }

    FW_MESSAGE_TABLE()

protected:
    void OnBarCustomDraw(NMHDR* header, LRESULT* result);
};

class BarsFixture : public MainFrameFixture
{
protected:
    BarsFixture();
    void SetUp() override;

    // A window's rectangle in the frame's client coordinates.
    CRect InFrame(const CWnd* wnd) const;
    CDockBar* DockBar(UINT id) const;
    // A dock bar's array as ids: 0 for a row end, a bar's id, a placeholder as id | 0x10000.
    std::vector<UINT> Entries(UINT dockBarId) const;
    std::string Describe(const std::vector<UINT>& entries) const;
    // Presses the left button at a client point of bar, moves the mouse by each screen offset
    // in turn (holding key from move holdKeyAt on, when given) and releases it: all posted,
    // as the mouse and keyboard would.
    void PostDrag(CWnd* bar, CPoint clientPoint, const std::vector<CSize>& moves,
                  int holdKeyAt = -1, UINT key = VK_CONTROL);
};
} // namespace fw::test
