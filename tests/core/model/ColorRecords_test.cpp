#include "core/model/ColorRecords.h"

#include "core/model/DataSeries.h"
#include "core/model/IdPair.h"
#include "platform/base/coll_map.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(ColorRecords, NewRecordsTakeThreeRandNumbersBlueGreenRed)
{
    std::srand(1234);
    const int first = std::rand() & 255;
    const int second = std::rand() & 255;
    const int third = std::rand() & 255;
    const int nextFirst = std::rand() & 255;
    const int nextSecond = std::rand() & 255;
    const int nextThird = std::rand() & 255;

    std::srand(1234);
    const CPropertyColor property;
    const CMaterialColor material;
    EXPECT_EQ(0, property.id);
    EXPECT_EQ(kTagGeomObject, property.type);
    EXPECT_EQ(first << 16 | second << 8 | third, property.color);
    EXPECT_EQ(nextFirst << 16 | nextSecond << 8 | nextThird, material.color);
    EXPECT_EQ(0, property.color & ~0xFFFFFF);
}

TEST(ColorRecords, AssignmentCopiesEveryField)
{
    CPropertyColor source;
    source.id = 7;
    source.data = 3;
    source.name = "Steel";
    source.color = 0x00123456;
    CPropertyColor target;
    target = source;
    EXPECT_EQ(7, target.id);
    EXPECT_EQ(3, target.data);
    EXPECT_EQ(CString("Steel"), target.name);
    EXPECT_EQ(0x00123456, target.color);
}

TEST(IdPair, EqualityAndSharedBuckets)
{
    const CIdPair a(1, 2);
    const CIdPair b(2, 1);
    EXPECT_EQ(a.Hash(), b.Hash());
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == CIdPair(1, 2));
    EXPECT_EQ(CIdPair(100, 60).Hash(), 10u);

    CIdPair c;
    EXPECT_EQ(0u, c.a);
    c.Set(5, 6);
    DWORD first = 0;
    DWORD second = 0;
    c.Get(first, second);
    EXPECT_EQ(5u, first);
    EXPECT_EQ(6u, second);
}

TEST(IdPair, KeysAFrameworkMap)
{
    CMap<CIdPair, const CIdPair&, int, int> map;
    map.SetAt(CIdPair(1, 2), 12);
    map.SetAt(CIdPair(2, 1), 21);
    map.SetAt(CIdPair(1, 2), 120);
    EXPECT_EQ(2, map.GetCount());
    int value = 0;
    ASSERT_TRUE(map.Lookup(CIdPair(2, 1), value));
    EXPECT_EQ(21, value);
    ASSERT_TRUE(map.Lookup(CIdPair(1, 2), value));
    EXPECT_EQ(120, value);
    EXPECT_FALSE(map.Lookup(CIdPair(3, 0), value));
}

TEST(DataSeries, DefaultsAndCopies)
{
    CDataSeries series;
    EXPECT_EQ(1, series.m_flag);
    EXPECT_TRUE(series.m_title.IsEmpty());
    series.m_values.SetSize(3);
    EXPECT_EQ(0.0, series.m_values[2]);
    series.m_values[1] = 4.5;
    series.m_flag = 0;
    series.m_title = "Stress";

    CDataSeriesArray columns;
    EXPECT_EQ(0, columns.Add(CDataSeries()));
    EXPECT_EQ(1, columns.Add(series));
    series.m_values[1] = -1.0; // the array holds its own copy
    ASSERT_EQ(2, columns.GetSize());
    EXPECT_EQ(4.5, columns[1].m_values[1]);
    EXPECT_EQ(0, columns[1].m_flag);
    EXPECT_EQ(CString("Stress"), columns[1].m_title);

    CDataSeries assigned;
    assigned = columns[1];
    EXPECT_EQ(3, assigned.m_values.GetSize());
}
