// Point, size and rectangle arithmetic with the Windows rectangle rules.
#include "platform/base/geometry.h"

#include <algorithm>

CSize& CSize::operator+=(SIZE size)
{
    cx += size.cx;
    cy += size.cy;
    return *this;
}

CSize& CSize::operator-=(SIZE size)
{
    cx -= size.cx;
    cy -= size.cy;
    return *this;
}

void CPoint::Offset(int dx, int dy)
{
    x += dx;
    y += dy;
}

void CPoint::SetPoint(int newX, int newY)
{
    x = newX;
    y = newY;
}

CPoint& CPoint::operator+=(SIZE size)
{
    Offset(size.cx, size.cy);
    return *this;
}

CPoint& CPoint::operator-=(SIZE size)
{
    Offset(-size.cx, -size.cy);
    return *this;
}

CPoint& CPoint::operator+=(POINT point)
{
    Offset(point.x, point.y);
    return *this;
}

CPoint& CPoint::operator-=(POINT point)
{
    Offset(-point.x, -point.y);
    return *this;
}

CRect::CRect(POINT topLeft, SIZE size)
    : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy}
{
}

CRect::CRect(POINT topLeft, POINT bottomRight)
    : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}
{
}

CPoint CRect::CenterPoint() const
{
    return CPoint((left + right) / 2, (top + bottom) / 2);
}

bool CRect::PtInRect(POINT point) const
{
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
}

bool CRect::EqualRect(LPCRECT rect) const
{
    return left == rect->left && top == rect->top && right == rect->right && bottom == rect->bottom;
}

void CRect::SetRect(int l, int t, int r, int b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

void CRect::OffsetRect(int dx, int dy)
{
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void CRect::InflateRect(int dx, int dy)
{
    InflateRect(dx, dy, dx, dy);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CRect::MoveToXY(int x, int y)
{
    right += x - left;
    bottom += y - top;
    left = x;
    top = y;
}

bool CRect::IntersectRect(LPCRECT a, LPCRECT b)
{
    const CRect first(a);
    const CRect second(b);
    SetRect(std::max(first.left, second.left), std::max(first.top, second.top),
            std::min(first.right, second.right), std::min(first.bottom, second.bottom));
    if (first.IsRectEmpty() || second.IsRectEmpty() || IsRectEmpty())
    {
        SetRectEmpty();
        return false;
    }
    return true;
}

bool CRect::UnionRect(LPCRECT a, LPCRECT b)
{
    const CRect first(a);
    const CRect second(b);
    if (first.IsRectEmpty())
        *this = second;
    else if (second.IsRectEmpty())
        *this = first;
    else
        SetRect(std::min(first.left, second.left), std::min(first.top, second.top),
                std::max(first.right, second.right), std::max(first.bottom, second.bottom));
    if (IsRectEmpty())
    {
        SetRectEmpty();
        return false;
    }
    return true;
}

CRect& CRect::operator+=(POINT point)
{
    OffsetRect(point.x, point.y);
    return *this;
}

CRect& CRect::operator-=(POINT point)
{
    OffsetRect(-point.x, -point.y);
    return *this;
}

CRect& CRect::operator&=(const RECT& rect)
{
    const CRect self(*this);
    IntersectRect(&self, &rect);
    return *this;
}

CRect& CRect::operator|=(const RECT& rect)
{
    const CRect self(*this);
    UnionRect(&self, &rect);
    return *this;
}

CRect CRect::operator+(POINT point) const
{
    CRect result(*this);
    result += point;
    return result;
}

CRect CRect::operator-(POINT point) const
{
    CRect result(*this);
    result -= point;
    return result;
}

CRect CRect::operator&(const RECT& rect) const
{
    CRect result(*this);
    result &= rect;
    return result;
}

CRect CRect::operator|(const RECT& rect) const
{
    CRect result(*this);
    result |= rect;
    return result;
}
