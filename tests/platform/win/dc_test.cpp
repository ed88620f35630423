// GDI wrappers: drawing with pens and brushes into a memory bitmap, selection bookkeeping.
#include "platform/win/dc.h"

#include "platform/test/pump.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>

namespace
{
struct MemoryCanvas
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;

    MemoryCanvas(int width, int height)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        oldBitmap = dc.SelectObject(&bitmap);
    }
    ~MemoryCanvas() { dc.SelectObject(oldBitmap); }
};
} // namespace

TEST(Dc, PensBrushesAndTextDrawIntoAMemoryBitmap)
{
    MemoryCanvas canvas(64, 64);
    CDC& dc = canvas.dc;
    dc.FillSolidRect(0, 0, 64, 64, RGB(255, 255, 255));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(10, 10));

    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    ASSERT_NE(nullptr, oldPen);
    dc.MoveTo(0, 5);
    dc.LineTo(64, 5);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(30, 5));

    CBrush brush(RGB(0, 0, 255));
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(20, 20, 40, 40);
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(30, 30));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(20, 30)); // the pen draws the border

    // Selecting the old objects back hands out our own as temporaries of the same handle.
    EXPECT_EQ(pen.GetSafeHandle(), dc.SelectObject(oldPen)->GetSafeHandle());
    EXPECT_EQ(brush.GetSafeHandle(), dc.SelectObject(oldBrush)->GetSafeHandle());

    LOGFONT logFont = {};
    logFont.lfHeight = -16;
    std::strcpy(logFont.lfFaceName, "Arial");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    LOGFONT readBack = {};
    EXPECT_GT(font.GetLogFont(&readBack), 0);
    EXPECT_EQ(-16, readBack.lfHeight);
    CFont* oldFont = dc.SelectObject(&font);
    const CSize extent = dc.GetTextExtent("Hello", 5);
    EXPECT_GT(extent.cx, 10);
    EXPECT_GT(extent.cy, 8);
    dc.SelectObject(oldFont);
}

TEST(Dc, StockObjectsAreNeverDeleted)
{
    const HGDIOBJ stock = ::GetStockObject(WHITE_BRUSH);
    {
        CGdiObject object;
        ASSERT_TRUE(object.CreateStockObject(WHITE_BRUSH));
        EXPECT_EQ(stock, object.GetSafeHandle());
    }
    LOGBRUSH info = {};
    EXPECT_EQ(static_cast<int>(sizeof info), ::GetObjectA(stock, sizeof info, &info));
    EXPECT_EQ(RGB(255, 255, 255), info.lbColor);
}

TEST(Dc, OwnedObjectsArePermanentAndOthersGetTemporariesThatOwnNothing)
{
    CBrush brush(RGB(1, 2, 3));
    EXPECT_EQ(&brush, CBrush::FromHandle(brush));
    EXPECT_EQ(&brush, CGdiObject::FromHandlePermanent(brush));

    const HBRUSH foreign = ::CreateSolidBrush(RGB(4, 5, 6));
    CBrush* temp = CBrush::FromHandle(foreign);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(foreign));
    fw::FreeTemporaries();
    LOGBRUSH info = {};
    EXPECT_EQ(static_cast<int>(sizeof info), ::GetObjectA(foreign, sizeof info, &info));
    EXPECT_EQ(RGB(4, 5, 6), info.lbColor);
    ::DeleteObject(foreign);

    // A detached object no longer answers for its handle.
    const HGDIOBJ handle = brush.Detach();
    EXPECT_EQ(nullptr, CGdiObject::FromHandlePermanent(handle));
    ::DeleteObject(handle);
}

TEST(Dc, AttachedDcKeepsItsAttributeHandleWhenReachedThroughItsOutputHandle)
{
    CClientDC screen(nullptr);
    CDC output;
    ASSERT_TRUE(output.CreateCompatibleDC(&screen));
    const HDC attrib = ::CreateCompatibleDC(screen);
    output.SetAttribDC(attrib);
    output.m_bPrinting = TRUE;

    // What a handler gets from a message carrying the output handle.
    CDC* reached = CDC::FromHandle(output.GetSafeHdc());
    EXPECT_EQ(&output, reached);
    EXPECT_EQ(attrib, reached->m_hAttribDC);
    EXPECT_TRUE(reached->m_bPrinting);

    const HDC detached = output.Detach();
    CDC* temp = CDC::FromHandle(detached);
    EXPECT_NE(&output, temp);
    EXPECT_EQ(detached, temp->m_hAttribDC);
    fw::FreeTemporaries();
    ::DeleteDC(detached);
    ::DeleteDC(attrib);
}

namespace
{
class CPaintedWnd : public CWnd
{
public:
    int paints = 0;
    void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        EXPECT_NE(nullptr, dc.GetSafeHdc());
    }
    FW_MESSAGE_TABLE()
};
FW_TABLE(CPaintedWnd, CWnd, fw::on<WM_PAINT, &CPaintedWnd::OnPaint>())
} // namespace

TEST(Dc, PaintDcValidatesTheWindow)
{
    CPaintedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, fw::RegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60,
                             nullptr, nullptr));
    wnd.UpdateWindow();
    const int paints = wnd.paints;
    EXPECT_GE(paints, 1);
    // Once painted nothing is left to paint.
    fw::test::Pump();
    EXPECT_EQ(paints, wnd.paints);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));
}
