// CArray and the named arrays: growth rule, insertion and removal, copying, strings.
#include "platform/base/coll_array.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
template <class ARRAY>
std::vector<int> Values(const ARRAY& array)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(static_cast<int>(array[i]));
    return values;
}

// Sizes at which Add reallocated. Strings are moved to a new block on every reallocation,
// so a changed data pointer marks one.
std::vector<INT_PTR> ReallocationSizes(INT_PTR count, INT_PTR growBy)
{
    CArray<CString> array;
    array.SetSize(0, growBy);
    std::vector<INT_PTR> sizes;
    const CString* data = nullptr;
    for (INT_PTR i = 0; i < count; ++i)
    {
        array.Add("x");
        if (array.GetData() != data)
            sizes.push_back(i);
        data = array.GetData();
    }
    return sizes;
}
// Counts live objects so that a test can see every construction matched by a destruction.
class CCounted
{
public:
    static int s_live;
    CCounted(int value = 0)
        : m_value(value)
    {
        ++s_live;
    }
    CCounted(const CCounted& other)
        : m_value(other.m_value)
    {
        ++s_live;
    }
    CCounted& operator=(const CCounted&) = default;
    virtual ~CCounted() { --s_live; }
    virtual int Value() const { return m_value; }

private:
    int m_value;
};
int CCounted::s_live = 0;

// The same, moved by its bytes.
class CRelocated : public CCounted
{
public:
    using CCounted::CCounted;
};
} // namespace

template <>
struct fw::IsRelocatable<CRelocated> : std::true_type
{
};

TEST(CArray, AddReturnsIndexAndKeepsOrder)
{
    CDWordArray array;
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(0, array.Add(10));
    EXPECT_EQ(1, array.Add(20));
    EXPECT_EQ(2, array.Add(30));
    EXPECT_EQ(3, array.GetSize());
    EXPECT_EQ(3, array.GetCount());
    EXPECT_EQ(2, array.GetUpperBound());
    EXPECT_EQ(20u, array.GetAt(1));
    array.SetAt(1, 21);
    array.ElementAt(2) = 31;
    EXPECT_EQ((std::vector<int>{10, 21, 31}), Values(array));
    EXPECT_EQ(10u, array.GetData()[0]);
}

TEST(CArray, GrowsBySizeOverEightBetweenFourAndThousand)
{
    // Capacity 0, 4, 8 ... 36, 40, then +5 (40 / 8), +5, +6 (50 / 8) ...
    const std::vector<INT_PTR> expected{0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 45, 50, 56};
    const std::vector<INT_PTR> sizes = ReallocationSizes(57, 0);
    EXPECT_EQ(expected, sizes);
    // Near 10000 elements the step is capped at 1024.
    const std::vector<INT_PTR> large = ReallocationSizes(12000, 0);
    ASSERT_GE(large.size(), 2u);
    EXPECT_EQ(1024, large[large.size() - 1] - large[large.size() - 2]);
    // An explicit step is used as given.
    EXPECT_EQ((std::vector<INT_PTR>{0, 3, 6, 9}), ReallocationSizes(10, 3));

    CArray<int> array;
    for (int i = 0; i < 100000; ++i)
        array.Add(i);
    for (int i = 0; i < 100000; i += 997)
        ASSERT_EQ(i, array[i]);
}

TEST(CArray, SetSizeValueInitialisesAndShrinks)
{
    CArray<int> array;
    array.SetSize(5);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0}), Values(array));
    array[4] = 7;
    array.SetSize(2);
    EXPECT_EQ(2, array.GetSize());
    array.SetSize(3);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Values(array));
    array.FreeExtra();
    EXPECT_EQ(3, array.GetSize());
    array.SetSize(0);
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(nullptr, array.GetData());
}

TEST(CArray, InsertRemoveAndGrowAtIndexes)
{
    CUIntArray array;
    for (UINT i = 1; i <= 5; ++i)
        array.Add(i);
    array.InsertAt(0, 0);
    array.InsertAt(3, 9, 2);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 9, 9, 3, 4, 5}), Values(array));
    array.RemoveAt(3, 2);
    array.RemoveAt(0);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), Values(array));
    array.InsertAt(7, 8); // past the end: the gap is zero-filled
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 0, 0, 8}), Values(array));
    array.SetAtGrow(9, 10);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 0, 0, 8, 0, 10}), Values(array));
    array.SetAtGrow(0, 100);
    EXPECT_EQ(100u, array[0]);
    array.RemoveAll();
    EXPECT_EQ(0, array.GetSize());
}

TEST(CArray, AddOfOwnElementSurvivesReallocation)
{
    CArray<CString> array;
    array.Add("first");
    for (int i = 0; i < 40; ++i)
        array.Add(array[0]);
    EXPECT_EQ(41, array.GetSize());
    EXPECT_STREQ("first", array[40]);
}

TEST(CArray, AppendCopyAndInsertArrays)
{
    CWordArray a;
    CWordArray b;
    a.Add(1);
    a.Add(2);
    b.Add(3);
    EXPECT_EQ(2, a.Append(b));
    EXPECT_EQ(3, a.Append(a));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 1, 2, 3}), Values(a));
    b.Copy(a);
    EXPECT_EQ(Values(a), Values(b));
    CWordArray c;
    c.Add(7);
    c.Add(8);
    a.InsertAt(1, &c);
    EXPECT_EQ((std::vector<int>{1, 7, 8, 2, 3, 1, 2, 3}), Values(a));
    const CWordArray copied(a);
    EXPECT_EQ(Values(a), Values(copied));
    CWordArray moved(std::move(b));
    EXPECT_EQ(6, moved.GetSize());
}

TEST(CArray, StringArrayOwnsItsStrings)
{
    CStringArray names;
    names.Add("alpha");
    names.Add(CString("beta"));
    names.InsertAt(1, "mid");
    names.SetAtGrow(5, "far");
    EXPECT_STREQ("mid", names[1]);
    EXPECT_STREQ("", names[3]);
    EXPECT_STREQ("far", names[5]);
    names.RemoveAt(0, 2);
    EXPECT_STREQ("beta", names[0]);
    CStringArray copy;
    copy.Copy(names);
    names.RemoveAll();
    EXPECT_STREQ("far", copy[3]);
    int count = 0;
    for (const CString& name : copy)
        count += name.IsEmpty() ? 0 : 1;
    EXPECT_EQ(2, count);
}

TEST(CArray, PointerArraysStartNull)
{
    CPtrArray pointers;
    pointers.SetSize(3);
    EXPECT_EQ(nullptr, pointers[2]);
    CObArray objects;
    objects.SetSize(2, 16);
    EXPECT_EQ(nullptr, objects[1]);
    CByteArray bytes;
    bytes.SetSize(4);
    EXPECT_EQ(0, bytes[3]);
}

TEST(CArray, ElementsAreConstructedAndDestroyedInPairs)
{
    {
        CArray<CCounted> moved;
        CArray<CRelocated> relocated;
        for (int i = 0; i < 3000; ++i)
        {
            moved.Add(CCounted(i));
            relocated.Add(CRelocated(i));
        }
        moved.InsertAt(10, CCounted(-1), 5);
        relocated.RemoveAt(0, 100);
        moved.SetSize(2000);
        relocated.FreeExtra();
        EXPECT_EQ(2000 + 2900, CCounted::s_live);
        EXPECT_EQ(-1, moved[12].Value());
        EXPECT_EQ(2999, relocated[2899].Value()); // virtual call after realloc moves
        CArray<CRelocated> copy(relocated);
        EXPECT_EQ(2000 + 2 * 2900, CCounted::s_live);
    }
    EXPECT_EQ(0, CCounted::s_live);
}
