// CPoint, CSize, CRect and the colour macros, with the Windows rectangle rules.
#include "platform/base/geometry.h"

#include <gtest/gtest.h>

TEST(Geometry, PointAndSizeArithmetic)
{
    CPoint point(3, 4);
    point += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), point);
    point.Offset(-4, -5);
    EXPECT_EQ(CPoint(0, 0), point);
    EXPECT_EQ(CSize(2, -3), CPoint(5, 1) - CPoint(3, 4));
    EXPECT_EQ(CPoint(6, 8), CPoint(3, 4) + CPoint(3, 4));
    EXPECT_EQ(CSize(-1, -2), -CSize(1, 2));
}

TEST(Geometry, RectangleQueriesUseExclusiveRightAndBottom)
{
    const CRect rect(10, 20, 30, 60);
    EXPECT_EQ(20, rect.Width());
    EXPECT_EQ(40, rect.Height());
    EXPECT_EQ(CSize(20, 40), rect.Size());
    EXPECT_EQ(CPoint(20, 40), rect.CenterPoint());
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 59)));
    EXPECT_FALSE(rect.PtInRect(CPoint(29, 60)));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 9).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
}

TEST(Geometry, RectangleEditing)
{
    CRect rect(0, 0, 10, 10);
    rect.OffsetRect(5, -5);
    EXPECT_EQ(CRect(5, -5, 15, 5), rect);
    rect.InflateRect(1, 2);
    EXPECT_EQ(CRect(4, -7, 16, 7), rect);
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(5, -5, 13, 3), rect);
    rect.MoveToXY(0, 0);
    EXPECT_EQ(CRect(0, 0, 8, 8), rect);
    CRect flipped(10, 10, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), flipped);
    EXPECT_EQ(CRect(1, 2, 11, 12), CRect(0, 0, 10, 10) + CPoint(1, 2));
}

TEST(Geometry, IntersectionAndUnionFollowTheWindowsRules)
{
    CRect result;
    EXPECT_TRUE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(CRect(5, 5, 10, 10), result);
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(result.IsRectNull());
    EXPECT_TRUE(result.UnionRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 6)));
    EXPECT_EQ(CRect(0, 0, 6, 6), result);
    // An empty operand does not stretch the union.
    EXPECT_TRUE(result.UnionRect(CRect(100, 100, 100, 100), CRect(5, 5, 6, 6)));
    EXPECT_EQ(CRect(5, 5, 6, 6), result);
    EXPECT_FALSE(result.UnionRect(CRect(), CRect(3, 3, 3, 8)));
    EXPECT_EQ(CRect(0, 0, 4, 4), CRect(0, 0, 2, 2) | CRect(2, 2, 4, 4));
    EXPECT_EQ(CRect(2, 2, 2, 2) & CRect(0, 0, 1, 1), CRect());
    const CRect named(1, 2, 3, 4);
    const RECT* raw = named;
    EXPECT_EQ(2, raw->top);
}

TEST(Geometry, ColourMacrosPackRedLowest)
{
    const COLORREF colour = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(0x00563412u, colour);
    EXPECT_EQ(0x12, GetRValue(colour));
    EXPECT_EQ(0x34, GetGValue(colour));
    EXPECT_EQ(0x56, GetBValue(colour));
    EXPECT_EQ(4u, sizeof(LONG));
    EXPECT_EQ(sizeof(void*), sizeof(DWORD_PTR));
}
