// The flat combo box under Wine: on the toolbar separator of the load-case slot it is flat when
// cold, three-dimensional under the mouse and flat again once the mouse has left; the edit
// and the drop button count as one control; a simple combo has no button; a focused drop list
// shows its selection highlighted; tips reach the companions; owner-drawn items are sized and
// compared as the font and texts say.
#include "widgets/bars/OXFlatLookComboBox.h"

#include "platform/test/pump.h"
#include "tests/widgets/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include <string>

using namespace bars_test;

namespace
{
constexpr DWORD kDropList =
    CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE | WS_CHILD;

void MoveMouseTo(const CWnd& wnd, CPoint client)
{
    wnd.ClientToScreen(&client);
    ::SetCursorPos(client.x, client.y);
}

void MoveMouseAway()
{
    fw::test::ParkCursor();
}

// What the system reports for a plain combo whose selection field was set to height: the
// flat combo must report the same for the height it chose.
int ReportedFieldHeight(CWnd* parent, DWORD style, int height)
{
    CComboBox plain;
    plain.Create(style & ~WS_VISIBLE, CRect(0, 0, 100, 100), parent, 0x7A41);
    plain.SetItemHeight(-1, static_cast<UINT>(height));
    const int reported = plain.GetItemHeight(-1);
    plain.DestroyWindow();
    return reported;
}

std::string TipOf(COXFlatLook& look, CWnd& wnd)
{
    CString text;
    look.GetToolTip().GetText(text, &wnd, COXFlatLook::kToolId);
    return static_cast<const char*>(text);
}
} // namespace

class FlatLookComboBox : public CoolBarFixture
{
protected:
    void SetUp() override
    {
        CoolBarFixture::SetUp();
        CreateBar(*m_bar);
        MoveMouseAway();
    }

    // The main frame's load-case combo: on a 125-pixel separator in place of its button.
    void CreateOnSeparator(COXFlatLookComboBox& combo, DWORD style = kDropList)
    {
        const int index = m_bar->CommandToIndex(kCmdCombo);
        ASSERT_GE(index, 0);
        m_bar->SetButtonInfo(index, kCmdCombo, TBBS_SEPARATOR, 125);
        m_frame->RecalcLayout();
        CRect item;
        m_bar->GetItemRect(index, &item);
        EXPECT_EQ(125, item.Width());
        const CRect rect(item.left + 1, item.top + 1, item.left + 122, item.top + 101);
        ASSERT_TRUE(combo.Create(style, rect, m_bar.get(), kCmdCombo));
        fw::test::Pump();
    }

    COLORREF BorderPixel(const COXFlatLookComboBox& combo) const
    {
        CRect client;
        combo.GetClientRect(&client);
        return fw::test::ClientPixel(combo.GetSafeHwnd(), 0, client.Height() / 2);
    }
};

TEST_F(FlatLookComboBox, OnTheLoadCaseSeparatorItIsFlatUntilTheMouseComes)
{
    COXFlatLookComboBox combo;
    CreateOnSeparator(combo);
    combo.AddString("Step 1");
    combo.SetCurSel(0);
    combo.RedrawWindow();
    EXPECT_FALSE(combo.IsHot());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), BorderPixel(combo));

    CRect client;
    combo.GetClientRect(&client);
    MoveMouseTo(combo, client.CenterPoint());
    combo.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.CenterPoint().x, client.CenterPoint().y));
    combo.UpdateWindow();
    EXPECT_TRUE(combo.IsHot());
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), BorderPixel(combo));

    // The hover timer notices the mouse has gone.
    MoveMouseAway();
    EXPECT_TRUE(fw::test::WaitFor([&combo] { return !combo.IsHot(); }, 1000));
    combo.UpdateWindow();
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), BorderPixel(combo));
}

TEST_F(FlatLookComboBox, TheEditAndTheDropButtonAreOneControl)
{
    COXFlatLookComboBox combo;
    CreateOnSeparator(combo, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN);
    COXFlatLookEdit& edit = combo.GetEditCompanion();
    ASSERT_NE(nullptr, edit.GetSafeHwnd());
    CRect editRect;
    edit.GetClientRect(&editRect);
    MoveMouseTo(edit, editRect.CenterPoint());
    edit.SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(edit.FlatLook().IsHot());
    EXPECT_TRUE(combo.IsHot());

    // Over the drop button the combo stays hot; the edit's own timer lets it go.
    const CRect button = combo.GetDropButtonRect();
    ASSERT_FALSE(button.IsRectEmpty());
    MoveMouseTo(combo, button.CenterPoint());
    combo.SendMessage(WM_MOUSEMOVE, 0, 0);
    combo.SendMessage(WM_TIMER, COXFlatLook::kHoverTimer);
    edit.SendMessage(WM_TIMER, COXFlatLook::kHoverTimer);
    EXPECT_TRUE(combo.IsHot());
    EXPECT_FALSE(edit.FlatLook().IsHot());
}

TEST_F(FlatLookComboBox, ASimpleComboHasNoDropButton)
{
    COXFlatLookComboBox simple;
    ASSERT_TRUE(simple.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(10, 0, 130, 80),
                              m_bar.get(), 0x7A40));
    EXPECT_TRUE(simple.GetDropButtonRect().IsRectEmpty());
    // Its list is a child and is a companion from the start.
    EXPECT_NE(nullptr, simple.GetListCompanion().GetSafeHwnd());

    COXFlatLookComboBox dropList;
    CreateOnSeparator(dropList);
    const CRect button = dropList.GetDropButtonRect();
    CRect client;
    dropList.GetClientRect(&client);
    EXPECT_EQ(client.right - 2, button.right);
    EXPECT_EQ(::GetSystemMetrics(SM_CXVSCROLL), button.Width());
    EXPECT_EQ(client.top + 2, button.top);
    EXPECT_EQ(client.bottom - 2, button.bottom);
}

TEST_F(FlatLookComboBox, AFocusedOwnerDrawnDropListShowsItsSelectionHighlighted)
{
    COXFlatLookComboBox combo;
    CreateOnSeparator(combo, kDropList | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    combo.AddString("Mode 1");
    combo.AddString("Mode 2");
    combo.SetCurSel(1);
    EXPECT_EQ(ReportedFieldHeight(m_bar.get(), kDropList | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                  combo.GetTextHeight() + 1),
              combo.GetItemHeight(-1));
    m_frame->SetForegroundWindow();
    combo.SetFocus();
    fw::test::Pump();
    ASSERT_EQ(combo.GetSafeHwnd(), ::GetFocus());
    EXPECT_TRUE(combo.HasFocusState());
    combo.RedrawWindow();
    const CRect button = combo.GetDropButtonRect();
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT),
              fw::test::ClientPixel(combo.GetSafeHwnd(), button.left - 3, button.top + 1));
    // Raised while focused, though the mouse is elsewhere.
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), BorderPixel(combo));

    m_frame->SetFocus();
    fw::test::Pump();
    EXPECT_FALSE(combo.HasFocusState());
    combo.RedrawWindow();
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW),
              fw::test::ClientPixel(combo.GetSafeHwnd(), button.left - 3, button.top + 1));
}

TEST_F(FlatLookComboBox, TipsReachTheCompanionsEvenWhenSubclassedLater)
{
    // Set before the window exists: the combo and the companions made later take it over.
    COXFlatLookComboBox combo;
    combo.SetToolTipText("Load case");
    CreateOnSeparator(combo, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL);
    combo.AddString("Step 1");
    EXPECT_EQ("Load case", TipOf(combo.GetEditCompanion().FlatLook(), combo.GetEditCompanion()));
    // The list is a companion once it asks for its colours, at the latest when it drops down.
    combo.ShowDropDown(TRUE);
    fw::test::Pump();
    combo.ShowDropDown(FALSE);
    ASSERT_NE(nullptr, combo.GetListCompanion().GetSafeHwnd());
    EXPECT_EQ("Load case", TipOf(combo.GetListCompanion().FlatLook(), combo.GetListCompanion()));
    combo.SetToolTipText("Case");
    EXPECT_EQ("Case", TipOf(combo.GetListCompanion().FlatLook(), combo.GetListCompanion()));

    combo.SetToolTipText("");
    EXPECT_EQ(0, combo.GetEditCompanion().FlatLook().GetToolTip().GetToolCount());
}

TEST_F(FlatLookComboBox, OwnerDrawnItemsAreMeasuredAndComparedByTheirTexts)
{
    COXFlatLookComboBox combo;
    CreateOnSeparator(combo, kDropList | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    const HFONT font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    combo.SetFont(font);
    TEXTMETRICA metrics = {};
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    EXPECT_EQ(metrics.tmHeight, combo.GetTextHeight());
    EXPECT_EQ(ReportedFieldHeight(m_bar.get(), kDropList | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                  metrics.tmHeight + 1),
              combo.GetItemHeight(-1));
    MEASUREITEMSTRUCT measure = {};
    combo.MeasureItem(&measure);
    EXPECT_EQ(static_cast<UINT>(metrics.tmHeight + 1), measure.itemHeight);

    combo.AddString("beta");
    combo.AddString("ALPHA");
    combo.AddString("alpha");
    struct Case
    {
        UINT first;
        UINT second;
        int sign;
    };
    const Case cases[] = {{0, 1, 1}, {1, 0, -1}, {1, 2, 0}, {static_cast<UINT>(-1), 0, -1}};
    for (const Case& c : cases)
    {
        COMPAREITEMSTRUCT compare = {};
        compare.itemID1 = c.first;
        compare.itemID2 = c.second;
        const int result = combo.CompareItem(&compare);
        EXPECT_EQ(c.sign, (result > 0) - (result < 0)) << c.first << " " << c.second;
    }
}
