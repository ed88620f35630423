// In-place editors and the sorting header of the tree control under Wine: the choice list,
// the date editor and the growing edit box report their end to the parent; disabled and
// locked cells never edit; heading clicks sort and draw the mark; a divider double-click fits.
#include "widgets/controls/OXTreeEditors.h"

#include "tests/widgets/controls/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace
{
class TreeEditTest : public testing::Test
{
protected:
    void SetUp() override { Build(OXTREE_EX_HEADER); }
    void TearDown() override { m_host.DestroyWindow(); }

    void Build(DWORD exStyle)
    {
        ASSERT_TRUE(m_host.CreateHost(70, 70, 460, 300));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS |
                                      TVS_LINESATROOT | TVS_EDITLABELS,
                                  CRect(0, 0, 460, 300), &m_host, CTreeHost::kTreeId, exStyle));
        m_tree.SetColumnWidth(0, 150);
        m_tree.InsertColumn(1, "Choice", LVCFMT_LEFT, 100);
        m_tree.InsertColumn(2, "Date", LVCFMT_LEFT, 150);
        m_first = m_tree.InsertItem("first");
        m_second = m_tree.InsertItem("second");
        m_disabled = m_tree.InsertItem("disabled");
        m_locked = m_tree.InsertItem("locked");
        CStringArray colours;
        colours.Add("red");
        colours.Add("green");
        colours.Add("blue");
        m_tree.SetItemText(m_first, "red", 1);
        m_tree.SetEditMode(m_first, OXTREE_EDIT_CHOICE, &colours, 1);
        CStringArray range;
        range.Add("1/1/2024");
        range.Add("12/31/2024");
        m_tree.SetItemText(m_first, "3/10/2024", 2);
        m_tree.SetEditMode(m_first, OXTREE_EDIT_DATE, &range, 2);
        m_tree.DisableItem(m_disabled);
        m_tree.SetNoEdit(m_locked);
        fw::test::Pump();
    }

    HWND Editor(int id) const { return ::GetDlgItem(m_tree.GetSafeHwnd(), id); }

    std::string Text(HTREEITEM item, int column) const
    {
        return m_tree.GetItemText(item, column).GetString();
    }

    CTreeHost m_host;
    COXTreeCtrl m_tree;
    HTREEITEM m_first = nullptr;
    HTREEITEM m_second = nullptr;
    HTREEITEM m_disabled = nullptr;
    HTREEITEM m_locked = nullptr;
};
} // namespace

TEST_F(TreeEditTest, AChoiceCellOpensItsListAndEnterCommits)
{
    EXPECT_EQ(nullptr, m_tree.EditLabel(m_first, 1));
    const HWND combo = Editor(COXTreeCombo::kId);
    ASSERT_TRUE(::IsWindowVisible(combo));
    EXPECT_EQ(combo, ::GetFocus());
    EXPECT_EQ(3, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    ::SendMessageA(combo, CB_SETCURSEL, 2, 0);
    ::SendMessageA(combo, WM_KEYDOWN, VK_RETURN, 1);

    ASSERT_EQ(1u, m_host.endEdits.size());
    EXPECT_EQ(COXTreeCombo::kId, m_host.endEdits[0].editorId);
    EXPECT_EQ(0, m_host.endEdits[0].row);
    EXPECT_EQ(1, m_host.endEdits[0].column);
    EXPECT_EQ("blue", m_host.endEdits[0].text);
    EXPECT_EQ("blue", Text(m_first, 1));
    EXPECT_FALSE(::IsWindow(combo));
}

TEST_F(TreeEditTest, EscapeCancelsWithRowMinusOneAndLeavingCommitsOnce)
{
    m_tree.EditLabel(m_first, 1);
    HWND combo = Editor(COXTreeCombo::kId);
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    ::SendMessageA(combo, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_EQ(1u, m_host.endEdits.size());
    EXPECT_EQ(-1, m_host.endEdits[0].row);
    EXPECT_EQ("red", Text(m_first, 1));

    m_tree.EditLabel(m_first, 1);
    combo = Editor(COXTreeCombo::kId);
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    ::SetFocus(m_tree.GetSafeHwnd());
    ASSERT_EQ(2u, m_host.endEdits.size());
    EXPECT_EQ(0, m_host.endEdits[1].row);
    EXPECT_EQ("green", Text(m_first, 1));
}

TEST_F(TreeEditTest, DisabledItemsAndLockedCellsAreNeverEdited)
{
    EXPECT_EQ(nullptr, m_tree.EditLabel(m_disabled, 0));
    EXPECT_EQ(nullptr, m_tree.EditLabel(m_locked, 0));
    EXPECT_EQ(nullptr, m_tree.EditLabel(m_second, 1)); // no cell there
    EXPECT_EQ(nullptr, ListView_GetEditControl(m_tree.GetSafeHwnd()));
    EXPECT_TRUE(m_host.endEdits.empty());
}

TEST_F(TreeEditTest, ThePlainEditGrowsWithItsTextUpToTheClientEdge)
{
    const HWND edit = m_tree.EditLabel(m_second, 0);
    ASSERT_TRUE(::IsWindow(edit));
    CRect label;
    m_tree.GetItemRect(m_second, &label, TRUE);
    RECT rect = {};
    ::GetWindowRect(edit, &rect);
    ::MapWindowPoints(nullptr, m_tree.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(label.left, rect.left);
    EXPECT_EQ(label.top, rect.top);
    const int shortWidth = rect.right - rect.left;

    ::SendMessageA(edit, WM_CHAR, 'x', 1);
    ::SetWindowTextA(edit, std::string(200, 'W').c_str());
    ::SendMessageA(edit, WM_CHAR, 'x', 1);
    ::GetWindowRect(edit, &rect);
    ::MapWindowPoints(nullptr, m_tree.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    RECT client = {};
    ::GetClientRect(m_tree.GetSafeHwnd(), &client);
    EXPECT_GT(rect.right - rect.left, shortWidth);
    EXPECT_EQ(client.right, rect.right);

    ::SetWindowTextA(edit, "renamed");
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    fw::test::Pump();
    EXPECT_EQ("renamed", Text(m_second, 0));
}

TEST_F(TreeEditTest, TheDateCellEditsWithinItsRangeAndCommitsOnlyAValidDate)
{
    m_tree.EditLabel(m_first, 2);
    auto* editor = dynamic_cast<COXTreeCal*>(CWnd::FromHandlePermanent(Editor(COXTreeCal::kId)));
    ASSERT_NE(nullptr, editor);
    char text[64] = {};
    ::GetWindowTextA(editor->GetEditWnd(), text, sizeof text);
    EXPECT_STREQ("3/10/2024", text);
    COleDateTime earliest;
    COleDateTime latest;
    editor->GetRange(earliest, latest);
    EXPECT_EQ(COleDateTime(2024, 1, 1, 0, 0, 0), earliest);
    EXPECT_EQ(COleDateTime(2024, 12, 31, 0, 0, 0), latest);

    ::SetWindowTextA(editor->GetEditWnd(), "6/15/2024");
    ::PostMessageA(editor->GetEditWnd(), WM_KEYDOWN, VK_RETURN, 1);
    fw::test::Pump();
    ASSERT_EQ(1u, m_host.endEdits.size());
    EXPECT_EQ(COXTreeCal::kId, m_host.endEdits[0].editorId);
    EXPECT_EQ(0, m_host.endEdits[0].row);
    EXPECT_EQ(2, m_host.endEdits[0].column);
    EXPECT_EQ("6/15/2024", Text(m_first, 2));

    // A date cell without choices has no range, whatever the cell before had.
    m_tree.SetEditMode(m_second, OXTREE_EDIT_DATE, nullptr, 2);
    m_tree.SetItemText(m_second, "1/1/2030", 2);
    m_tree.EditLabel(m_second, 2);
    editor = dynamic_cast<COXTreeCal*>(CWnd::FromHandlePermanent(Editor(COXTreeCal::kId)));
    ASSERT_NE(nullptr, editor);
    editor->GetRange(earliest, latest);
    EXPECT_EQ(COleDateTime(9999, 12, 31, 0, 0, 0), latest);
    ::PostMessageA(editor->GetEditWnd(), WM_KEYDOWN, VK_RETURN, 1);
    fw::test::Pump();
    EXPECT_EQ(1, m_host.endEdits.back().row);

    m_tree.EditLabel(m_first, 2);
    const HWND again = Editor(COXTreeCal::kId);
    const HWND field = ::GetDlgItem(again, COXDateEdit::kEditId);
    ::SetWindowTextA(field, "no date");
    ::PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
    fw::test::Pump();
    ASSERT_EQ(3u, m_host.endEdits.size());
    EXPECT_EQ(-1, m_host.endEdits[2].row);
    EXPECT_EQ("6/15/2024", Text(m_first, 2));
}

namespace
{
CPoint HeadingCentre(HWND header, int column)
{
    RECT rect = {};
    Header_GetItemRect(header, column, &rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void ClickHeading(HWND header, int column)
{
    const CPoint point = HeadingCentre(header, column);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ::SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    fw::test::Pump();
}
} // namespace

TEST_F(TreeEditTest, HeadingClicksSortAscendingThenDescendingWithTheMarkDrawn)
{
    const HWND header = ListView_GetHeader(m_tree.GetSafeHwnd());
    ClickHeading(header, 0);
    EXPECT_EQ(0, m_tree.GetSortColumn());
    EXPECT_TRUE(m_tree.GetSortAscending());
    EXPECT_EQ("disabled,first,locked,second", RowTexts(m_tree));

    ClickHeading(header, 0);
    EXPECT_FALSE(m_tree.GetSortAscending());
    EXPECT_EQ("second,locked,first,disabled", RowTexts(m_tree));

    // The mark: a shadow line of the triangle between 5m/2 and 3m/2 from the right edge.
    ::RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT heading = {};
    Header_GetItemRect(header, 0, &heading);
    const HDC dc = ::GetDC(header);
    SIZE space = {};
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(header, WM_GETFONT, 0, 0)));
    ::GetTextExtentPoint32A(dc, " ", 1, &space);
    ::SelectObject(dc, old);
    const int m = 2 * space.cx;
    int shadow = 0;
    for (int x = heading.right - 5 * m / 2; x <= heading.right - 3 * m / 2; ++x)
        for (int y = heading.top + m - 1; y <= heading.bottom - m; ++y)
            shadow += ::GetPixel(dc, x, y) == ::GetSysColor(COLOR_BTNSHADOW) ? 1 : 0;
    ::ReleaseDC(header, dc);
    EXPECT_GT(shadow, 2);

    ClickHeading(header, 1);
    EXPECT_EQ(1, m_tree.GetSortColumn());
    EXPECT_TRUE(m_tree.GetSortAscending());
}

TEST(TreeHeader, WithoutSortingHeaderAClickSortsNothing)
{
    CTreeHost host;
    ASSERT_TRUE(host.CreateHost(70, 70, 300, 200));
    COXTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, CTreeHost::kTreeId,
                            OXTREE_EX_HEADER | OXTREE_EX_NOSORTHEADER));
    tree.InsertItem("b");
    tree.InsertItem("a");
    ClickHeading(ListView_GetHeader(tree.GetSafeHwnd()), 0);
    EXPECT_EQ("b,a", RowTexts(tree));
    EXPECT_EQ(-1, tree.GetSortColumn());
    host.DestroyWindow();
}

TEST_F(TreeEditTest, ADoubleClickOnADividerFitsTheColumnToItsContent)
{
    const HTREEITEM deep = m_tree.InsertItem("a rather long text for the first column", m_second);
    m_tree.Expand(m_second, TVE_EXPAND);
    const HWND header = ListView_GetHeader(m_tree.GetSafeHwnd());
    RECT heading = {};
    Header_GetItemRect(header, 0, &heading);
    ::SendMessageA(header, WM_LBUTTONDBLCLK, MK_LBUTTON,
                   MAKELPARAM(heading.right - 1, (heading.top + heading.bottom) / 2));

    const HDC dc = ::GetDC(m_tree.GetSafeHwnd());
    const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    const char* text = "a rather long text for the first column";
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_tree.GetSafeHwnd(), dc);
    // Two levels of indentation, the text and its margins of two pixels on each side.
    EXPECT_EQ(2 * m_tree.GetIndent() + size.cx + 4, m_tree.GetColumnWidth(0));
    (void)deep;
}
