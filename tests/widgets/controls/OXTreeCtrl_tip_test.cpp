// Item tips of the tree control under Wine: a cut-off cell under the resting mouse shows its
// whole text over the cell, a fitting one shows nothing, and a click on the tip selects the
// row beneath.
#include "tests/widgets/controls/TreeTestSupport.h"
#include "widgets/controls/OXTreeCtrl.h"

#include <gtest/gtest.h>

namespace
{
HWND g_tip = nullptr;

BOOL CALLBACK FindVisibleTip(HWND hwnd, LPARAM)
{
    char className[32] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) == "ItemTipWnd" && ::IsWindowVisible(hwnd))
    {
        g_tip = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleTip()
{
    g_tip = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisibleTip, 0);
    return g_tip;
}

class TreeTipTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(80, 80, 400, 200));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT,
                                  CRect(0, 0, 400, 200), &m_host, CTreeHost::kTreeId));
        m_tree.SetColumnWidth(0, 120);
        m_tree.InsertColumn(1, "value", LVCFMT_LEFT, 60);
        m_short = m_tree.InsertItem("short");
        m_long = m_tree.InsertItem("a label much too long for the column");
        m_tree.SetItemText(m_short, "a value too long", 1);
        fw::test::Pump();
    }
    void TearDown() override { m_host.DestroyWindow(); }

    void RestMouse(CPoint point)
    {
        POINT screen = point;
        ::ClientToScreen(m_tree.GetSafeHwnd(), &screen);
        ::SetCursorPos(screen.x, screen.y);
        m_tree.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        fw::test::Pump();
    }

    CTreeHost m_host;
    COXTreeCtrl m_tree;
    HTREEITEM m_short = nullptr;
    HTREEITEM m_long = nullptr;
};
} // namespace

TEST_F(TreeTipTest, ACutOffLabelShowsItsWholeTextOverTheCell)
{
    CRect label;
    m_tree.GetItemRect(m_long, &label, TRUE);
    RestMouse(CPoint(label.left + 10, label.CenterPoint().y));
    const HWND tip = VisibleTip();
    ASSERT_NE(nullptr, tip);
    RECT rect = {};
    ::GetWindowRect(tip, &rect);
    POINT textStart = {label.left, label.top};
    ::ClientToScreen(m_tree.GetSafeHwnd(), &textStart);
    EXPECT_EQ(textStart.x, rect.left);
    EXPECT_EQ(textStart.y, rect.top);
    EXPECT_GT(rect.right - rect.left, 120);
}

TEST_F(TreeTipTest, AFittingCellShowsNoTipAndACutOffSubItemDoes)
{
    CRect label;
    m_tree.GetItemRect(m_short, &label, TRUE);
    RestMouse(CPoint(label.left + 5, label.CenterPoint().y));
    EXPECT_EQ(nullptr, VisibleTip());

    RestMouse(CPoint(125, label.CenterPoint().y));
    EXPECT_NE(nullptr, VisibleTip());
}

TEST_F(TreeTipTest, AClickOnTheTipSelectsTheRowBeneath)
{
    CRect label;
    m_tree.GetItemRect(m_long, &label, TRUE);
    RestMouse(CPoint(label.left + 10, label.CenterPoint().y));
    const HWND tip = VisibleTip();
    ASSERT_NE(nullptr, tip);
    ASSERT_EQ(nullptr, m_tree.GetSelectedItem());
    ::PostMessageA(tip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3));
    ::PostMessageA(tip, WM_LBUTTONUP, 0, MAKELPARAM(10, 3));
    fw::test::Pump();
    EXPECT_EQ(m_long, m_tree.GetSelectedItem());
}
