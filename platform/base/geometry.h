// CPoint, CSize and CRect: integer device geometry, layout-compatible with POINT, SIZE and
// RECT so that they pass straight to Win32 calls. The rectangle rules are those of the
// Windows rectangle functions (right and bottom exclusive, empty when width or height <= 0),
// implemented here so that both builds agree.
#pragma once

#include "platform/base/types.h"

#ifndef _WIN32
typedef struct tagPOINT
{
    LONG x;
    LONG y;
} POINT, *LPPOINT;
typedef const POINT* LPCPOINT;

typedef struct tagSIZE
{
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

typedef struct tagRECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;
#endif

class CSize : public SIZE
{
public:
    CSize()
        : SIZE{0, 0}
    {
    }
    CSize(int x, int y)
        : SIZE{x, y}
    {
    }
    CSize(SIZE size)
        : SIZE(size)
    {
    }

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    CSize& operator+=(SIZE size);
    CSize& operator-=(SIZE size);
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT
{
public:
    CPoint()
        : POINT{0, 0}
    {
    }
    CPoint(int x, int y)
        : POINT{x, y}
    {
    }
    CPoint(POINT point)
        : POINT(point)
    {
    }
    explicit CPoint(SIZE size)
        : POINT{size.cx, size.cy}
    {
    }

    void Offset(int dx, int dy);
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int newX, int newY);

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    CPoint& operator+=(SIZE size);
    CPoint& operator-=(SIZE size);
    CPoint& operator+=(POINT point);
    CPoint& operator-=(POINT point);
    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT
{
public:
    CRect()
        : RECT{0, 0, 0, 0}
    {
    }
    CRect(int l, int t, int r, int b)
        : RECT{l, t, r, b}
    {
    }
    CRect(const RECT& rect)
        : RECT(rect)
    {
    }
    CRect(LPCRECT rect)
        : RECT(*rect)
    {
    }
    CRect(POINT topLeft, SIZE size);
    CRect(POINT topLeft, POINT bottomRight);

    // Lets a CRect go where Win32 takes a RECT pointer.
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const;
    bool IsRectEmpty() const { return left >= right || top >= bottom; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT point) const;
    bool EqualRect(LPCRECT rect) const;

    void SetRect(int l, int t, int r, int b);
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT rect) { *static_cast<RECT*>(this) = *rect; }
    void OffsetRect(int dx, int dy);
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void InflateRect(int dx, int dy);
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void NormalizeRect();
    void MoveToXY(int x, int y);

    // Both return whether the result is non-empty; an empty result is set to all zeros.
    bool IntersectRect(LPCRECT a, LPCRECT b);
    bool UnionRect(LPCRECT a, LPCRECT b);

    bool operator==(const RECT& rect) const { return EqualRect(&rect); }
    bool operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    CRect& operator+=(POINT point);
    CRect& operator-=(POINT point);
    CRect& operator&=(const RECT& rect);
    CRect& operator|=(const RECT& rect);
    CRect operator+(POINT point) const;
    CRect operator-(POINT point) const;
    CRect operator&(const RECT& rect) const;
    CRect operator|(const RECT& rect) const;
};

static_assert(sizeof(CPoint) == sizeof(POINT) && sizeof(CSize) == sizeof(SIZE) &&
                  sizeof(CRect) == sizeof(RECT),
              "geometry records keep the Win32 layout");
