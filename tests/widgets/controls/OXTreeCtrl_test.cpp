// The multi-column tree control under Wine: rows follow insertion, expansion, deletion,
// hiding, moving, copying and sorting; records, navigation, notifications and type-ahead.
#include "widgets/controls/OXTreeCtrl.h"

#include "tests/widgets/controls/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace
{
class TreeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(50, 50, 400, 300));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS |
                                      TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                  CRect(0, 0, 400, 300), &m_host, CTreeHost::kTreeId));
        fw::test::Pump();
    }
    void TearDown() override { m_host.DestroyWindow(); }

    int Row(HTREEITEM item) const
    {
        LVFINDINFOA find = {};
        find.flags = LVFI_PARAM;
        find.lParam = reinterpret_cast<LPARAM>(item);
        return ListView_FindItem(m_tree.GetSafeHwnd(), -1, &find);
    }

    CTreeHost m_host;
    COXTreeCtrl m_tree;
};
} // namespace

TEST_F(TreeTest, SortedInsertionAndTheHiddenRootAsParentOfTopLevelItems)
{
    const HTREEITEM a = m_tree.InsertItem("a");
    m_tree.InsertItem("b");
    m_tree.InsertItem("c");
    const HTREEITEM added = m_tree.InsertItem("b", TVI_ROOT, TVI_SORT);
    EXPECT_EQ("a,b,b,c", RowTexts(m_tree));
    EXPECT_EQ(added, m_tree.GetNextSiblingItem(a));
    EXPECT_EQ(1, Row(added));
    EXPECT_EQ(m_tree.GetHiddenRootItem(), m_tree.GetParentItem(a));
    EXPECT_EQ(a, m_tree.GetChildItem(TVI_ROOT));
    EXPECT_EQ(4u, m_tree.GetCount());
    EXPECT_EQ(4u, m_tree.GetVisibleCount());
    EXPECT_EQ(nullptr, m_tree.InsertItem("x", TVI_SORT));
}

TEST_F(TreeTest, ChildrenOfCollapsedItemsGetRowsWhenTheyExpand)
{
    const HTREEITEM parent = m_tree.InsertItem("parent");
    const HTREEITEM after = m_tree.InsertItem("after");
    const HTREEITEM child = m_tree.InsertItem("child", parent);
    EXPECT_EQ("parent,after", RowTexts(m_tree));
    EXPECT_EQ(-1, Row(child));

    // Expanded under a collapsed ancestor: still no row.
    m_tree.Expand(child, TVE_EXPAND); // opens the collapsed parent as well
    m_tree.Expand(parent, TVE_COLLAPSE);
    const HTREEITEM grandchild = m_tree.InsertItem("grandchild", child);
    EXPECT_EQ("parent,after", RowTexts(m_tree));

    EXPECT_TRUE(m_tree.Expand(parent, TVE_EXPAND));
    EXPECT_EQ("parent,child,grandchild,after", RowTexts(m_tree));
    EXPECT_EQ(1, Row(child));
    EXPECT_EQ(2, Row(grandchild));
    EXPECT_EQ(3, Row(after));
    EXPECT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA, TVN_ITEMEXPANDINGA,
                                 TVN_ITEMEXPANDEDA, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA}),
              m_host.Codes());
    EXPECT_EQ(parent, m_host.notes.back().newItem);
    EXPECT_EQ(static_cast<UINT>(TVE_EXPAND), m_host.notes.back().action);

    EXPECT_TRUE(m_tree.Expand(parent, TVE_COLLAPSE));
    EXPECT_EQ("parent,after", RowTexts(m_tree));
    EXPECT_EQ(TVIS_EXPANDEDONCE, m_tree.GetItemState(parent, TVIS_EXPANDED | TVIS_EXPANDEDONCE));
}

TEST_F(TreeTest, AVetoOfTheExpandingNotificationChangesNothing)
{
    const HTREEITEM parent = m_tree.InsertItem("parent");
    m_tree.InsertItem("child", parent);
    m_host.expandingAnswer = 1;
    EXPECT_FALSE(m_tree.Expand(parent, TVE_EXPAND));
    EXPECT_EQ("parent", RowTexts(m_tree));
    EXPECT_EQ(0u, m_tree.GetItemState(parent, TVIS_EXPANDED | TVIS_EXPANDEDONCE));
    EXPECT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGA}), m_host.Codes());
}

TEST_F(TreeTest, DeletingASubtreeSendsOneNotificationAndRemovesAllItsRows)
{
    const HTREEITEM top = m_tree.InsertItem("top");
    const HTREEITEM keep = m_tree.InsertItem("keep");
    const HTREEITEM middle = m_tree.InsertItem("middle", top);
    m_tree.InsertItem("leaf1", middle);
    m_tree.InsertItem("leaf2", top);
    m_tree.Expand(top, TVE_EXPAND);
    m_tree.Expand(middle, TVE_EXPAND);
    ASSERT_EQ("top,middle,leaf1,leaf2,keep", RowTexts(m_tree));
    m_host.notes.clear();

    EXPECT_TRUE(m_tree.DeleteItem(top));
    EXPECT_EQ("keep", RowTexts(m_tree));
    ASSERT_EQ((std::vector<UINT>{TVN_DELETEITEMA}), m_host.Codes());
    EXPECT_EQ(top, m_host.notes[0].oldItem);
    // The count drops by the whole subtree, not by one.
    EXPECT_EQ(1u, m_tree.GetCount());

    m_host.notes.clear();
    EXPECT_TRUE(m_tree.DeleteAllItems());
    EXPECT_EQ("", RowTexts(m_tree));
    EXPECT_EQ(0u, m_tree.GetCount());
    ASSERT_EQ(1u, m_host.notes.size());
    EXPECT_EQ(m_tree.GetHiddenRootItem(), m_host.notes[0].oldItem);
    (void)keep;
}

TEST_F(TreeTest, DeletingTheOnlyChildCollapsesItsParent)
{
    const HTREEITEM parent = m_tree.InsertItem("parent");
    const HTREEITEM child = m_tree.InsertItem("child", parent);
    m_tree.Expand(parent, TVE_EXPAND);
    m_tree.DeleteItem(child);
    TVITEMA record = {};
    record.mask = TVIF_CHILDREN | TVIF_STATE | TVIF_HANDLE;
    record.hItem = parent;
    record.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    ASSERT_TRUE(m_tree.GetItem(&record));
    EXPECT_EQ(0, record.cChildren);
    EXPECT_EQ(0u, record.state);
    EXPECT_FALSE(m_tree.ItemHasChildren(parent));
}

TEST_F(TreeTest, NavigationCodes)
{
    const HTREEITEM a = m_tree.InsertItem("a");
    const HTREEITEM b = m_tree.InsertItem("b");
    const HTREEITEM a1 = m_tree.InsertItem("a1", a);
    const HTREEITEM a2 = m_tree.InsertItem("a2", a);
    m_tree.Expand(a, TVE_EXPAND);
    m_tree.SelectItem(a2);
    struct Case
    {
        HTREEITEM item;
        UINT code;
        HTREEITEM expected;
    };
    const Case cases[] = {
        {a2, TVGN_ROOT, a1},
        {a, TVGN_NEXT, b},
        {b, TVGN_PREVIOUS, a},
        {a1, TVGN_PARENT, a},
        {a, TVGN_CHILD, a1},
        {TVI_ROOT, TVGN_FIRSTVISIBLE, a},
        {a2, TVGN_NEXTVISIBLE, b},
        {b, TVGN_PREVIOUSVISIBLE, a2},
        {TVI_ROOT, TVGN_CARET, a2},
        {TVI_ROOT, OXTREE_GN_FIRSTSELECTED, a2},
        {a2, OXTREE_GN_NEXTSELECTED, nullptr},
        {TVI_ROOT, TVGN_ROOT, nullptr},
        {a, 77, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.expected, m_tree.GetNextItem(c.item, c.code));
    }
    EXPECT_EQ(a2, m_tree.GetSelectedItem());
    EXPECT_TRUE(m_tree.IsDescendant(a, a2));
    EXPECT_FALSE(m_tree.IsDescendant(b, a2));
}

TEST_F(TreeTest, ItemRecordsRebuildTheStateAndAskForCallbackText)
{
    const HTREEITEM item = m_tree.InsertItem(TVIF_TEXT | TVIF_PARAM | TVIF_STATE, "text", 0, 0,
                                             TVIS_BOLD, TVIS_BOLD, 99, TVI_ROOT, TVI_LAST);
    m_tree.SelectItem(item);
    TVITEMA record = {};
    char text[16] = {};
    record.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_HANDLE;
    record.hItem = item;
    record.pszText = text;
    record.cchTextMax = 3;
    record.stateMask = 0xFF;
    ASSERT_TRUE(m_tree.GetItem(&record));
    EXPECT_STREQ("te", text);
    EXPECT_EQ(99, record.lParam);
    EXPECT_EQ(static_cast<UINT>(TVIS_BOLD | TVIS_SELECTED | 1), record.state);

    m_tree.SetItemText(item, LPSTR_TEXTCALLBACKA);
    m_host.answerDispInfo = true;
    m_host.dispText = "from parent";
    m_host.notes.clear();
    EXPECT_EQ("from parent", m_tree.GetItemText(item));
    ASSERT_EQ(1u, m_host.notes.size());
    EXPECT_EQ(static_cast<UINT>(TVN_GETDISPINFOA), m_host.notes[0].code);
    EXPECT_EQ(static_cast<UINT>(TVIF_TEXT), m_host.notes[0].action);
    EXPECT_EQ(item, m_host.notes[0].newItem);
}

TEST_F(TreeTest, HidingAndShowingKeepRowsInTreeOrder)
{
    const HTREEITEM a = m_tree.InsertItem("a");
    const HTREEITEM b = m_tree.InsertItem("b");
    m_tree.InsertItem("c");
    m_tree.InsertItem("b1", b);
    m_tree.Expand(b, TVE_EXPAND);
    EXPECT_TRUE(m_tree.HideItem(b));
    EXPECT_EQ("a,c", RowTexts(m_tree));
    EXPECT_TRUE(m_tree.IsItemHidden(b));
    EXPECT_EQ(b, m_tree.GetFirstHiddenItem());
    EXPECT_TRUE(m_tree.HideItem(b, FALSE));
    EXPECT_EQ("a,b,b1,c", RowTexts(m_tree));
    EXPECT_FALSE(m_tree.HideItem(TVI_ROOT));

    const HTREEITEM deep = m_tree.InsertItem("deep", m_tree.InsertItem("a1", a));
    m_tree.HideItem(deep);
    EXPECT_TRUE(m_tree.EnsureVisible(deep));
    EXPECT_EQ("a,a1,deep,b,b1,c", RowTexts(m_tree));
}

TEST_F(TreeTest, MovingAndCopyingSubtrees)
{
    const HTREEITEM a = m_tree.InsertItem("a");
    const HTREEITEM b = m_tree.InsertItem("b");
    const HTREEITEM a1 = m_tree.InsertItem("a1", a);
    m_tree.Expand(a, TVE_EXPAND);

    EXPECT_FALSE(m_tree.MoveItem(a, a1));
    EXPECT_FALSE(m_tree.MoveItem(a, a));
    EXPECT_EQ("a,a1,b", RowTexts(m_tree));
    EXPECT_TRUE(m_tree.MoveItem(a, TVI_ROOT, b));
    EXPECT_EQ("b,a,a1", RowTexts(m_tree));

    HTREEITEM copy = nullptr;
    EXPECT_FALSE(m_tree.CopyItem(a, a1, TVI_LAST, TRUE, &copy));
    // A copy at the top level gets its rows, and the count knows its items.
    EXPECT_TRUE(m_tree.CopyItem(a, TVI_ROOT, TVI_FIRST, TRUE, &copy));
    EXPECT_EQ("a,a1,b,a,a1", RowTexts(m_tree));
    EXPECT_EQ(5u, m_tree.GetCount());
    EXPECT_NE(a, copy);
    EXPECT_EQ("a1", std::string(m_tree.GetItemText(m_tree.GetChildItem(copy)).GetString()));
}

namespace
{
int CALLBACK CompareDescendingByData(LPARAM first, LPARAM second, LPARAM)
{
    return static_cast<int>(second - first);
}
} // namespace

TEST_F(TreeTest, SortingByColumnKeepsTheSelectionAndSortsEveryLevelFromTheRoot)
{
    m_tree.InsertColumn(1, "size", LVCFMT_LEFT, 80);
    const HTREEITEM c = m_tree.InsertItem("c");
    const HTREEITEM a = m_tree.InsertItem("a");
    const HTREEITEM b = m_tree.InsertItem("b");
    m_tree.InsertItem("y", a);
    m_tree.InsertItem("x", a);
    m_tree.Expand(a, TVE_EXPAND);
    m_tree.SetItemText(c, "1", 1);
    m_tree.SetItemText(a, "3", 1);
    m_tree.SetItemText(b, "2", 1);
    m_tree.SelectItem(b);

    EXPECT_TRUE(m_tree.SortByColumn(nullptr, 0, TRUE));
    EXPECT_EQ("a,x,y,b,c", RowTexts(m_tree));
    EXPECT_EQ(b, m_tree.GetSelectedItem());
    // Descending by the second column: x and y have no cells there and keep their order.
    EXPECT_TRUE(m_tree.SortByColumn(nullptr, 1, FALSE));
    EXPECT_EQ("a,x,y,b,c", RowTexts(m_tree));
    EXPECT_EQ(1, m_tree.GetSortColumn());
    EXPECT_FALSE(m_tree.GetSortAscending());

    TVSORTCB sort = {a, &CompareDescendingByData, 0};
    m_tree.SetItemData(m_tree.GetChildItem(a), 1);
    m_tree.SetItemData(m_tree.GetNextSiblingItem(m_tree.GetChildItem(a)), 2);
    EXPECT_TRUE(m_tree.SortChildrenCB(&sort, 0));
    EXPECT_EQ("a,y,x,b,c", RowTexts(m_tree));
}

TEST_F(TreeTest, TheIndentNeverGoesBelowNineteen)
{
    m_tree.SetIndent(5);
    EXPECT_EQ(19, m_tree.GetIndent());
    m_tree.SetIndent(30);
    EXPECT_EQ(30, m_tree.GetIndent());
}

TEST_F(TreeTest, TypeAheadCollectsLettersAndDigitsAndStartsAfreshWhenTheTimerFires)
{
    const HTREEITEM abel = m_tree.InsertItem("Abel");
    const HTREEITEM apple = m_tree.InsertItem("apple");
    const HTREEITEM abacus = m_tree.InsertItem("Abacus");
    m_tree.InsertItem("7up");
    ::SetFocus(m_tree.GetSafeHwnd());
    m_tree.SelectItem(abel);
    const auto type = [&](char ch) { m_tree.SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 1); };

    type('a'); // from the row after the focused one
    EXPECT_EQ(apple, m_tree.GetSelectedItem());
    type('-'); // not a letter or digit: not collected
    type('b'); // "AB", from the focused row on
    EXPECT_EQ(abacus, m_tree.GetSelectedItem());
    m_tree.SendMessage(WM_TIMER, COXTreeCtrl::kTypeAheadTimerId);
    type('a'); // afresh: after Abacus, wrapping round
    EXPECT_EQ(abel, m_tree.GetSelectedItem());
    m_tree.SendMessage(WM_TIMER, COXTreeCtrl::kTypeAheadTimerId);
    type('7');
    EXPECT_EQ("7up", std::string(m_tree.GetItemText(m_tree.GetSelectedItem()).GetString()));
}

TEST_F(TreeTest, AButtonOfAnnouncedChildrenSelectsOnAClickAndTogglesOnADoubleClick)
{
    const HTREEITEM lazy =
        m_tree.InsertItem(TVIF_TEXT | TVIF_CHILDREN, "lazy", 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
    TVITEMA record = {};
    record.mask = TVIF_CHILDREN | TVIF_HANDLE;
    record.hItem = lazy;
    record.cChildren = 1;
    m_tree.SetItem(&record);
    const HTREEITEM full = m_tree.InsertItem("full");
    m_tree.InsertItem("child", full);
    fw::test::Pump();

    const auto buttonOf = [&](HTREEITEM item)
    {
        RECT row = {};
        m_tree.GetItemRect(item, &row, FALSE);
        return CPoint(row.left + m_tree.GetIndent() / 2, (row.top + row.bottom) / 2);
    };
    UINT flags = 0;
    EXPECT_EQ(lazy, m_tree.HitTest(buttonOf(lazy), &flags));
    EXPECT_EQ(static_cast<UINT>(TVHT_ONITEMBUTTON), flags);

    CPoint point = buttonOf(full);
    m_tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ("lazy,full,child", RowTexts(m_tree));

    point = buttonOf(lazy);
    m_tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    fw::test::Pump();
    EXPECT_EQ(lazy, m_tree.GetSelectedItem());
    EXPECT_EQ(0u, m_tree.GetItemState(lazy, TVIS_EXPANDED));

    m_host.notes.clear();
    m_tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(static_cast<UINT>(TVN_ITEMEXPANDINGA), m_host.Codes().at(0));
    EXPECT_EQ(static_cast<UINT>(TVIS_EXPANDED), m_tree.GetItemState(lazy, TVIS_EXPANDED));
    EXPECT_EQ("lazy,full,child", RowTexts(m_tree));
}

TEST_F(TreeTest, DeletingAColumnRemovesItsCellsFromEveryItem)
{
    m_tree.InsertColumn(1, "one", LVCFMT_LEFT, 50);
    m_tree.InsertColumn(2, "two", LVCFMT_LEFT, 50);
    const HTREEITEM item = m_tree.InsertItem("item");
    const HTREEITEM child = m_tree.InsertItem("child", item);
    m_tree.SetItemText(item, "second", 2);
    m_tree.SetItemText(item, "first", 1);
    m_tree.SetItemText(child, "child two", 2);
    EXPECT_TRUE(m_tree.DeleteColumn(1));
    EXPECT_EQ("second", std::string(m_tree.GetItemText(item, 1).GetString()));
    EXPECT_EQ("child two", std::string(m_tree.GetItemText(child, 1).GetString()));
    EXPECT_EQ("", std::string(m_tree.GetItemText(item, 2).GetString()));
    EXPECT_EQ(2, m_tree.GetColumnCount());
}

TEST_F(TreeTest, TheRowHeightIsTheLargerOfTheOverrideAndTheFontsHeight)
{
    const HTREEITEM item = m_tree.InsertItem("item");
    CRect row;
    m_tree.GetItemRect(item, &row, FALSE);
    const int measured = row.Height();
    EXPECT_EQ(measured, m_tree.GetRowHeight());

    m_tree.SetRowHeight(measured + 12);
    m_tree.GetItemRect(item, &row, FALSE);
    EXPECT_EQ(measured + 12, row.Height());
    EXPECT_EQ(measured + 12, m_tree.GetRowHeight());
}

TEST_F(TreeTest, DropHighlightMovesFromItemToItem)
{
    const HTREEITEM a = m_tree.InsertItem("a");
    const HTREEITEM b = m_tree.InsertItem("b");
    EXPECT_TRUE(m_tree.SelectDropTarget(a));
    EXPECT_EQ(a, m_tree.GetDropHilightItem());
    EXPECT_TRUE(m_tree.SelectDropTarget(b));
    EXPECT_EQ(b, m_tree.GetDropHilightItem());
    EXPECT_EQ(0u, m_tree.GetItemState(a, TVIS_DROPHILITED));
    EXPECT_TRUE(m_tree.SelectDropTarget(nullptr));
    EXPECT_EQ(nullptr, m_tree.GetDropHilightItem());
    // Deleting the highlighted item leaves nothing dangling.
    m_tree.SelectDropTarget(a);
    m_tree.DeleteItem(a);
    EXPECT_EQ(nullptr, m_tree.GetDropHilightItem());
    EXPECT_TRUE(m_tree.SelectDropTarget(nullptr));
}

TEST_F(TreeTest, ADragImageHoldsTheItemsRowAndNeedsOne)
{
    const HTREEITEM a = m_tree.InsertItem("a");
    EXPECT_EQ(nullptr, m_tree.CreateDragImage(m_tree.InsertItem("hidden child", a)));
    const HTREEITEM b = m_tree.InsertItem("b");
    m_tree.SelectItem(b);
    const int rowHeight = m_tree.GetRowHeight();
    std::unique_ptr<CImageList> single(m_tree.CreateDragImage(a));
    ASSERT_NE(nullptr, single);
    int cx = 0;
    int cy = 0;
    single->GetIconSize(&cx, &cy);
    EXPECT_EQ(m_tree.GetColumnWidth(0), cx);
    EXPECT_EQ(rowHeight, cy);
    EXPECT_EQ(1, single->GetImageCount());
}

namespace
{
// A subclass that takes the list's double-click notification for itself, as the project tree
// does.
class CDoubleClickTree : public COXTreeCtrl
{
public:
    void OnDoubleClick(NMHDR*, LRESULT* result)
    {
        ++doubleClicks;
        *result = 0;
    }
    int doubleClicks = 0;

    FW_MESSAGE_TABLE()
};

FW_TABLE(CDoubleClickTree, COXTreeCtrl,
         fw::reflect_notify<static_cast<int>(NM_DBLCLK), &CDoubleClickTree::OnDoubleClick>())
} // namespace

TEST(TreeSubclass, ASubclassReceivesTheNotificationsItReflects)
{
    CTreeHost host;
    ASSERT_TRUE(host.CreateHost(50, 50, 300, 200));
    CDoubleClickTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                            CRect(0, 0, 300, 200), &host, CTreeHost::kTreeId));
    const HTREEITEM item = tree.InsertItem("item");
    tree.InsertItem("child", item);
    CRect label;
    tree.GetItemRect(item, &label, TRUE);
    const CPoint point = label.CenterPoint();
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    fw::test::Pump();
    EXPECT_EQ(1, tree.doubleClicks);
    EXPECT_EQ("item,child", RowTexts(tree)); // the tree's own handling still ran
    host.DestroyWindow();
}
