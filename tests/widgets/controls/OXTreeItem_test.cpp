// Tree items: linking, pre-order navigation, cells, expansion and stable sorting.
#include "widgets/controls/OXTreeItem.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Builds children of parent with the given texts, in order.
std::vector<COXTreeItem*> AddChildren(COXTreeItem* parent, std::vector<const char*> texts)
{
    std::vector<COXTreeItem*> items;
    for (const char* text : texts)
    {
        items.push_back(new COXTreeItem(text));
        parent->Link(items.back(), TVI_LAST);
    }
    return items;
}

std::string ChildTexts(const COXTreeItem* parent, int column = 0)
{
    std::string texts;
    for (const COXTreeItem* child = parent->GetFirstChild(); child; child = child->GetNextSibling())
    {
        if (!texts.empty())
            texts += ',';
        texts += child->GetColumnText(column).GetString();
    }
    return texts;
}

// Checks that the sibling links agree in both directions.
void ExpectConsistentSiblings(const COXTreeItem* parent)
{
    const COXTreeItem* previous = nullptr;
    for (const COXTreeItem* child = parent->GetFirstChild(); child; child = child->GetNextSibling())
    {
        EXPECT_EQ(previous, child->GetPrevSibling());
        EXPECT_EQ(parent, child->GetParent());
        previous = child;
    }
}

struct RecordingSync : COXTreeRowSync
{
    std::vector<std::string> calls;
    void ShowChildRows(COXTreeItem* item) override
    {
        calls.push_back(std::string("show ") + item->GetText());
    }
    void HideChildRows(COXTreeItem* item) override
    {
        calls.push_back(std::string("hide ") + item->GetText());
    }
};
} // namespace

TEST(OXTreeItem, SortedInsertionGoesBeforeEqualTextsAndEmptyTextLast)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    EXPECT_EQ(TVI_FIRST, root->FindSortedPosition("x", true));
    const auto items = AddChildren(root.get(), {"a", "b", "c"});
    EXPECT_EQ(items[0]->GetHandle(), root->FindSortedPosition("b", true));
    EXPECT_EQ(TVI_FIRST, root->FindSortedPosition("0", true));
    EXPECT_EQ(items[2]->GetHandle(), root->FindSortedPosition("d", true));
    EXPECT_EQ(TVI_LAST, root->FindSortedPosition("", true));
    EXPECT_EQ(TVI_FIRST, root->FindSortedPosition("", false));

    auto* added = new COXTreeItem("b");
    root->Link(added, root->FindSortedPosition("b", true));
    EXPECT_EQ(items[0], added->GetPrevSibling());
    EXPECT_EQ(items[1], added->GetNextSibling());
    ExpectConsistentSiblings(root.get());
}

TEST(OXTreeItem, LinkPlacesFirstLastBeforeAndAfterAndAppendsForAForeignPosition)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto items = AddChildren(root.get(), {"b", "d"});
    auto* other = new COXTreeItem("elsewhere");
    items[1]->Link(other, TVI_LAST);

    root->Link(new COXTreeItem("a"), TVI_FIRST);
    root->Link(new COXTreeItem("c"), items[1]->GetHandle(), OXTREE_INSERT_BEFORE);
    root->Link(new COXTreeItem("e"), items[1]->GetHandle(), OXTREE_INSERT_AFTER);
    root->Link(new COXTreeItem("f"), nullptr);
    // A position under another parent would tear that list apart; the item goes last.
    root->Link(new COXTreeItem("g"), other->GetHandle());
    EXPECT_EQ("a,b,c,d,e,f,g", ChildTexts(root.get()));
    ExpectConsistentSiblings(root.get());
    EXPECT_EQ("elsewhere", ChildTexts(items[1]));
    EXPECT_EQ(root.get(), items[0]->GetParent());
    EXPECT_EQ(0, root->GetDepth());
    EXPECT_EQ(2, other->GetDepth());
}

TEST(OXTreeItem, PreOrderWalksForwardAndBackwardRegardlessOfExpansion)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto top = AddChildren(root.get(), {"a", "d"});
    const auto underA = AddChildren(top[0], {"b"});
    AddChildren(underA[0], {"c"});
    AddChildren(top[1], {"e"});

    std::string forward;
    for (const COXTreeItem* item = root->GetNextInOrder(); item; item = item->GetNextInOrder())
        forward += item->GetText();
    EXPECT_EQ("abcde", forward);

    std::string backward;
    for (const COXTreeItem* item = root->GetLastChild()->GetFirstChild(); item != root.get();
         item = item->GetPrevInOrder())
        backward += item->GetText();
    EXPECT_EQ("edcba", backward);
}

TEST(OXTreeItem, DestroyingAnItemUnlinksItAndItsSubtree)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto items = AddChildren(root.get(), {"a", "b", "c"});
    AddChildren(items[1], {"b1", "b2"});
    EXPECT_EQ(5, root->CountDescendants());
    delete items[1];
    EXPECT_EQ("a,c", ChildTexts(root.get()));
    ExpectConsistentSiblings(root.get());
    delete items[0];
    EXPECT_EQ(items[2], root->GetFirstChild());
    EXPECT_EQ(nullptr, items[2]->GetPrevSibling());
}

TEST(OXTreeItem, MissingCellsAnswerDefaults)
{
    COXTreeItem item("a");
    EXPECT_EQ(static_cast<UINT>(DT_END_ELLIPSIS), item.GetEllipsis(4));
    EXPECT_EQ(-1, item.GetColumnImage(4));
    EXPECT_EQ("", item.GetColumnText(4));
    EXPECT_EQ(static_cast<UINT>(OXTREE_EDIT_PLAIN), item.GetEditMode(4));
    EXPECT_EQ(nullptr, item.GetChoices(4));
    EXPECT_FALSE(item.HasColor(4));
    EXPECT_FALSE(item.SetCell(0, OXTREE_CELL_TEXT, "x"));
    EXPECT_FALSE(item.SetCell(-1, OXTREE_CELL_TEXT, "x"));
    EXPECT_FALSE(item.SetColumnText("x", 0));
    EXPECT_EQ(0, item.GetCellCount());

    EXPECT_TRUE(
        item.SetCell(2, OXTREE_CELL_IMAGE | OXTREE_CELL_COLOR, nullptr, 5, nullptr, RGB(1, 2, 3)));
    EXPECT_EQ(5, item.GetColumnImage(2));
    EXPECT_EQ(5, item.GetImage(2, true));
    EXPECT_TRUE(item.HasColor(2));
    EXPECT_EQ(RGB(1, 2, 3), item.GetColor(2));
    EXPECT_EQ("", item.GetColumnText(2));
}

struct RemoveCase
{
    const char* name;
    std::vector<int> created; // column of each cell, in creation order
    int removed;
    BOOL result;
    std::vector<std::string> expected; // texts of columns 1, 2, 3 afterwards
};

TEST(OXTreeItem, RemovingAColumnDropsItsCellAndShiftsHigherColumns)
{
    const RemoveCase cases[] = {
        {"first of three", {1, 2, 3}, 1, TRUE, {"c2", "c3", ""}},
        {"last of three", {1, 2, 3}, 3, TRUE, {"c1", "c2", ""}},
        {"created out of order", {3, 1, 2}, 1, TRUE, {"c2", "c3", ""}},
        {"middle created last", {3, 1, 2}, 2, TRUE, {"c1", "c3", ""}},
        {"gap below", {3}, 2, TRUE, {"", "c3", ""}},
        {"beyond every cell", {1, 2}, 3, FALSE, {"c1", "c2", ""}},
        {"column zero", {1}, 0, FALSE, {"c1", "", ""}},
    };
    for (const RemoveCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        COXTreeItem item("a");
        for (int column : c.created)
            item.SetColumnText(("c" + std::to_string(column)).c_str(), column);
        EXPECT_EQ(c.result, item.RemoveColumn(c.removed));
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(c.expected[column - 1], item.GetColumnText(column).GetString());
    }
}

TEST(OXTreeItem, FontsAreCopiedAndANullFontClearsThem)
{
    COXTreeItem item("a");
    LOGFONTA logFont = {};
    logFont.lfHeight = -13;
    logFont.lfWeight = FW_BOLD;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));

    EXPECT_TRUE(item.SetFont(0, &font));
    EXPECT_TRUE(item.SetFont(1, &font));
    ASSERT_TRUE(item.HasFont(0) && item.HasFont(1));
    EXPECT_NE(font.GetSafeHandle(), item.GetFont(0)->GetSafeHandle());
    LOGFONTA copied = {};
    item.GetFont(1)->GetLogFont(&copied);
    EXPECT_EQ(FW_BOLD, copied.lfWeight);

    EXPECT_TRUE(item.SetFont(0, nullptr));
    EXPECT_FALSE(item.HasFont(0));
    EXPECT_EQ(nullptr, item.GetFont(0));
    item.SetFont(1, nullptr);
    EXPECT_FALSE(item.HasFont(1));
}

TEST(OXTreeItem, CopySubtreeCopiesTextsCellsAndChildrenInOrder)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto items = AddChildren(root.get(), {"a", "b"});
    AddChildren(items[0], {"a1", "a2"});
    items[0]->SetColumnText("cell", 1);
    CStringArray choices;
    choices.Add("x");
    items[0]->SetEditMode(OXTREE_EDIT_CHOICE, &choices, 1);
    items[0]->m_tvi.lParam = 77;

    COXTreeItem* copy = COXTreeItem::CopySubtree(items[1], items[0], TVI_LAST, true);
    EXPECT_EQ(items[1], copy->GetParent());
    EXPECT_EQ("a1,a2", ChildTexts(copy));
    EXPECT_EQ("cell", copy->GetColumnText(1));
    EXPECT_EQ(static_cast<UINT>(OXTREE_EDIT_CHOICE), copy->GetEditMode(1));
    EXPECT_EQ(1, copy->GetChoices(1)->GetSize());
    EXPECT_EQ(77, copy->m_tvi.lParam);
    EXPECT_EQ(copy->GetHandle(), copy->m_tvi.hItem);
    EXPECT_NE(items[0]->GetText(), copy->GetText());
    EXPECT_EQ("a1,a2", ChildTexts(items[0]));

    COXTreeItem* flat = COXTreeItem::CopySubtree(root.get(), items[0], TVI_FIRST, false);
    EXPECT_EQ(flat, root->GetFirstChild());
    EXPECT_FALSE(flat->HasChildren());
}

TEST(OXTreeItem, ExpandChangesRowsOnlyWhenTheItemIsShown)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto top = AddChildren(root.get(), {"a"});
    const auto middle = AddChildren(top[0], {"b"});
    AddChildren(middle[0], {"c"});
    RecordingSync sync;

    EXPECT_TRUE(top[0]->Expand(TVE_COLLAPSE, &sync)); // already collapsed
    EXPECT_FALSE(top[0]->IsExpanded());
    EXPECT_TRUE(top[0]->Expand(TVE_EXPAND, &sync));
    EXPECT_TRUE(top[0]->Expand(TVE_EXPAND, &sync)); // already expanded
    EXPECT_TRUE(top[0]->IsExpandedOnce());
    EXPECT_TRUE(top[0]->Expand(TVE_TOGGLE, &sync));
    EXPECT_FALSE(top[0]->IsExpanded());
    EXPECT_EQ((std::vector<std::string>{"show a", "hide a"}), sync.calls);

    // b is out of sight: expanding it opens a, whose expansion brings b's rows too.
    sync.calls.clear();
    EXPECT_TRUE(middle[0]->Expand(TVE_EXPAND, &sync));
    EXPECT_TRUE(top[0]->IsExpanded());
    EXPECT_EQ((std::vector<std::string>{"show a"}), sync.calls);

    EXPECT_FALSE(top[0]->Expand(0x40, &sync));
    EXPECT_FALSE(root->Expand(TVE_COLLAPSE, &sync));
    EXPECT_TRUE(root->IsExpanded());
}

TEST(OXTreeItem, CollapseResetDeletesTheChildrenAndForgetsTheExpansion)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto top = AddChildren(root.get(), {"a"});
    AddChildren(top[0], {"b", "c"});
    top[0]->m_tvi.cChildren = 1;
    RecordingSync sync;
    top[0]->Expand(TVE_EXPAND, &sync);
    sync.calls.clear();

    EXPECT_TRUE(top[0]->Expand(TVE_COLLAPSE | TVE_COLLAPSERESET, &sync));
    EXPECT_EQ((std::vector<std::string>{"hide a"}), sync.calls);
    EXPECT_FALSE(top[0]->HasChildren());
    EXPECT_FALSE(top[0]->IsExpanded());
    EXPECT_FALSE(top[0]->IsExpandedOnce());
    EXPECT_EQ(0, top[0]->m_tvi.cChildren);
}

TEST(OXTreeItem, ShownNeedsEveryAncestorExpandedAndNotHidden)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto top = AddChildren(root.get(), {"a"});
    const auto middle = AddChildren(top[0], {"b"});
    EXPECT_TRUE(top[0]->IsShown());
    EXPECT_FALSE(middle[0]->IsShown());
    top[0]->SetExpanded(true);
    EXPECT_TRUE(middle[0]->IsShown());
    top[0]->SetHidden(true);
    EXPECT_FALSE(middle[0]->IsShown());
    top[0]->SetHidden(false);
    middle[0]->SetHidden(true);
    EXPECT_FALSE(middle[0]->IsShown());
    EXPECT_FALSE(top[0]->HasVisibleChildren());
    top[0]->m_tvi.cChildren = 1;
    EXPECT_TRUE(top[0]->HasVisibleChildren());
    EXPECT_TRUE(middle[0]->IsLastVisibleSibling());
}

namespace
{
int CALLBACK CompareByData(LPARAM a, LPARAM b, LPARAM)
{
    return static_cast<int>(a - b);
}

int CALLBACK AlwaysGreater(LPARAM, LPARAM, LPARAM)
{
    return 1;
}
} // namespace

TEST(OXTreeItem, SortingIsStableInBothDirections)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto items = AddChildren(root.get(), {"b", "a", "b", "c", "a"});
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i]->SetColumnText(std::to_string(i).c_str(), 1);

    root->SortChildren(0, true, true, nullptr, 0);
    EXPECT_EQ("a,a,b,b,c", ChildTexts(root.get()));
    EXPECT_EQ("1,4,0,2,3", ChildTexts(root.get(), 1));
    ExpectConsistentSiblings(root.get());

    root->SortChildren(0, true, false, nullptr, 0);
    EXPECT_EQ("c,b,b,a,a", ChildTexts(root.get()));
    EXPECT_EQ("3,0,2,1,4", ChildTexts(root.get(), 1));

    root->SortChildren(1, true, true, nullptr, 0);
    EXPECT_EQ("0,1,2,3,4", ChildTexts(root.get(), 1));
}

TEST(OXTreeItem, SortingByCompareFunctionAndAllLevels)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    const auto items = AddChildren(root.get(), {"x", "y"});
    const auto under = AddChildren(items[0], {"q", "p"});
    items[0]->m_tvi.lParam = 2;
    items[1]->m_tvi.lParam = 1;

    root->SortChildren(0, true, true, &CompareByData, 0);
    EXPECT_EQ("y,x", ChildTexts(root.get()));
    EXPECT_EQ("q,p", ChildTexts(items[0])); // only this level

    root->SortChildren(0, false, true, nullptr, 0);
    EXPECT_EQ("x,y", ChildTexts(root.get()));
    EXPECT_EQ("p,q", ChildTexts(items[0]));

    // A compare function that never agrees would keep neighbour exchanges going forever.
    root->SortChildren(0, true, true, &AlwaysGreater, 0);
    EXPECT_EQ(2, root->CountChildren());
    ExpectConsistentSiblings(root.get());
    (void)under;
}

TEST(OXTreeItem, CallbackTextSortsAsEmpty)
{
    auto root = COXTreeItem::MakeHiddenRoot();
    AddChildren(root.get(), {"b"});
    auto* callback = new COXTreeItem(LPSTR_TEXTCALLBACK);
    root->Link(callback, TVI_LAST);
    root->SortChildren(0, true, true, nullptr, 0);
    EXPECT_EQ(callback, root->GetFirstChild());
    EXPECT_EQ(callback->GetHandle(), root->FindSortedPosition("a", true));
}
