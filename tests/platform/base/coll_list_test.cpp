// CList and the named lists: both ends, positions, insertion, search.
#include "platform/base/coll_list.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
std::vector<int> Forward(const CList<int>& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        values.push_back(list.GetNext(pos));
    return values;
}

std::vector<int> Backward(const CList<int>& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetTailPosition(); pos;)
        values.push_back(list.GetPrev(pos));
    return values;
}
} // namespace

TEST(CList, AddsAndRemovesAtBothEnds)
{
    CList<int> list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddTail(2);
    list.AddTail(3);
    list.AddHead(1);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Forward(list));
    EXPECT_EQ((std::vector<int>{3, 2, 1}), Backward(list));
    EXPECT_EQ(1, list.GetHead());
    EXPECT_EQ(3, list.GetTail());
    EXPECT_EQ(1, list.RemoveHead());
    EXPECT_EQ(3, list.RemoveTail());
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(2, list.RemoveTail());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    list.AddTail(5); // usable again after emptying
    EXPECT_EQ((std::vector<int>{5}), Forward(list));
}

TEST(CList, InsertsAndRemovesAtPositions)
{
    CList<int> list;
    const POSITION two = list.AddTail(2);
    list.InsertBefore(two, 1);
    const POSITION four = list.InsertAfter(two, 4);
    list.InsertBefore(four, 3);
    list.InsertAfter(four, 5);
    list.InsertBefore(nullptr, 0);
    list.InsertAfter(nullptr, 6);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6}), Forward(list));
    EXPECT_EQ((std::vector<int>{6, 5, 4, 3, 2, 1, 0}), Backward(list));
    list.SetAt(four, 40);
    EXPECT_EQ(40, list.GetAt(four));
    list.RemoveAt(four);
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 5}), Forward(list));
    EXPECT_EQ((std::vector<int>{5, 3, 2, 1}), Backward(list));
}

TEST(CList, FindsByValueAndIndex)
{
    CList<int> list;
    for (int v : {7, 8, 7, 9})
        list.AddTail(v);
    const POSITION first = list.Find(7);
    ASSERT_NE(nullptr, first);
    const POSITION second = list.Find(7, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(list.FindIndex(2), second);
    EXPECT_EQ(nullptr, list.Find(7, second));
    EXPECT_EQ(nullptr, list.Find(42));
    EXPECT_EQ(9, list.GetAt(list.FindIndex(3)));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST(CList, ManyNodesAcrossBlocksAndCopies)
{
    CList<int> list(3);
    for (int i = 0; i < 10000; ++i)
        list.AddTail(i);
    for (int i = 0; i < 5000; ++i)
        list.RemoveHead();
    EXPECT_EQ(5000, list.GetCount());
    EXPECT_EQ(5000, list.GetHead());
    CList<int> copy(list);
    list.AddTail(&copy);
    EXPECT_EQ(10000, list.GetCount());
    EXPECT_EQ(9999, list.GetTail());
    copy.AddHead(&copy);
    EXPECT_EQ(10000, copy.GetCount());
    EXPECT_EQ(5000, copy.GetHead());
}

TEST(CList, NamedListsHoldStringsAndPointers)
{
    CStringList names;
    names.AddTail("b");
    names.AddHead(CString("a"));
    EXPECT_NE(nullptr, names.Find("b"));
    EXPECT_STREQ("a", names.RemoveHead());
    EXPECT_STREQ("b", names.GetHead());

    int target = 0;
    CPtrList pointers;
    pointers.AddTail(&target);
    EXPECT_EQ(pointers.GetHeadPosition(), pointers.Find(&target));
    CObList objects;
    objects.AddTail(nullptr);
    EXPECT_EQ(1, objects.GetCount());
}
