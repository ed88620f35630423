// The sizeable bar's drag under Wine, driven by posted mouse and key messages: docking on
// another edge with the remembered size, a row's share for a bar dropped into it, Ctrl to
// float in a resizable frame, a click that changes nothing, and bars floating in the MDI
// client that this drag leaves alone.
#include "framework/OXSizeBarDockContext.h"

#include "framework/OXMDIFloatWnd.h"
#include "framework/OXSizableMiniDockFrameWnd.h"
#include "platform/test/pump.h"
#include "tests/framework/SizeDockFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace sizedock
{
namespace
{
constexpr UINT kProbeMessage = WM_APP + 0x21;

// Runs a function when its posted message arrives: a look at the drag while it runs.
class CProbe : public CWnd
{
public:
    std::function<void()> m_look;

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        if (m_look)
            m_look();
        return 0;
    }
};

FW_TABLE(CProbe, CWnd, fw::raw<kProbeMessage, &CProbe::OnProbe>())

class SizeBarDockContext : public SizeDockFixture
{
protected:
    void SetUp() override
    {
        SizeDockFixture::SetUp();
        ASSERT_TRUE(m_probe.CreateEx(0, fw::RegisterWndClass(0), "probe", WS_POPUP, 0, 0, 1, 1,
                                     nullptr, nullptr));
    }
    void TearDown() override
    {
        m_probe.DestroyWindow();
        SizeDockFixture::TearDown();
    }

    COXSizeBarDockContext* Context(COXSizeControlBar& bar)
    {
        return dynamic_cast<COXSizeBarDockContext*>(bar.m_pDockContext);
    }

    // A point of the caption strip of a bar docked at the top or bottom.
    static CPoint OnCaption(const COXSizeControlBar& bar)
    {
        const CRect caption = bar.GetCaptionRect();
        return CPoint(caption.CenterPoint().x, caption.bottom - 10);
    }

    CDockBar* DockBarOf(const CControlBar& bar) const { return bar.m_pDockBar; }

    CProbe m_probe;
    CRecordingBar m_a;
    CRecordingBar m_b;
    CRecordingBar m_c;
};
} // namespace

TEST_F(SizeBarDockContext, DraggedOntoTheLeftEdgeTheBarDocksThereWithItsVerticalSize)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM), DockBarOf(m_a));

    // Up into the middle of the frame: off the top and bottom, along the left edge.
    PostDrag(&m_a, OnCaption(m_a), {CSize(0, -100), CSize(0, -150)});
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT), DockBarOf(m_a));
    EXPECT_EQ(150, InFrame(&m_a).Width());
    EXPECT_EQ(CBRS_ALIGN_LEFT, m_a.m_dwStyle & CBRS_ALIGN_ANY);
    EXPECT_EQ(150, m_a.m_sizeVertDock.cx);
}

TEST_F(SizeBarDockContext, ClickWithoutMovingChangesNothing)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    const CRect before = InFrame(&m_a);
    PostDrag(&m_a, OnCaption(m_a), {});
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM), DockBarOf(m_a));
    EXPECT_EQ(Text(before), Text(InFrame(&m_a)));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(SizeBarDockContext, CtrlFloatsTheBarInAResizableFrameWhoseSizeBecomesItsFloatingSize)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    COXSizeBarDockContext* context = Context(m_a);
    ASSERT_NE(nullptr, context);

    // Ctrl held midway shows the floating outline; released, the docking one comes back.
    std::vector<DWORD> over;
    m_probe.m_look = [&]() { over.push_back(context->m_dwOverDockStyle); };
    const HWND bar = m_a.m_hWnd;
    const CPoint start = OnCaption(m_a);
    ::PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    ::PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 5, start.y - 5));
    m_probe.PostMessage(kProbeMessage);
    ::PostMessageA(bar, WM_KEYDOWN, VK_CONTROL, 1);
    m_probe.PostMessage(kProbeMessage);
    ::PostMessageA(bar, WM_KEYUP, VK_CONTROL, static_cast<LPARAM>(0xC0000001u));
    m_probe.PostMessage(kProbeMessage);
    ::PostMessageA(bar, WM_KEYDOWN, VK_CONTROL, 1);
    ::PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x + 10, start.y - 300));
    ::PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(start.x + 10, start.y - 300));
    ::PostMessageA(bar, WM_KEYUP, VK_CONTROL, static_cast<LPARAM>(0xC0000001u));
    fw::test::Pump();
    ASSERT_EQ(3u, over.size());
    EXPECT_EQ(CBRS_ALIGN_BOTTOM, over[0]);
    EXPECT_EQ(0u, over[1]);
    EXPECT_EQ(CBRS_ALIGN_BOTTOM, over[2]);

    ASSERT_TRUE(m_a.IsFloating());
    auto* floating = dynamic_cast<COXSizableMiniDockFrameWnd*>(m_a.GetParentFrame());
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(floating->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(COXSizableMiniDockFrameWnd::sysMenuSizeBar, floating->UpdateSystemMenu());
    CRect client;
    floating->GetClientRect(&client);
    EXPECT_EQ(Text(m_a.m_sizeFloat), Text(client.Size()));
    EXPECT_EQ("300x150", Text(m_a.m_sizeFloat));

    // Resizing the frame gives the bar its new floating size, and the frame keeps it.
    CRect window;
    floating->GetWindowRect(&window);
    floating->SetWindowPos(nullptr, 0, 0, window.Width() + 60, window.Height() + 40,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fw::test::Pump();
    EXPECT_EQ("360x190", Text(m_a.m_sizeFloat));
    floating->RecalcLayout();
    floating->GetClientRect(&client);
    EXPECT_EQ("360x190", Text(client.Size()));
    CRect barWindow;
    m_a.GetWindowRect(&barWindow);
    EXPECT_EQ("360x190", Text(barWindow.Size()));
}

TEST_F(SizeBarDockContext, WideBarDragsAThirdOfTheUsableWidth)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    ASSERT_EQ(802, InFrame(&m_a).Width()); // alone, it fills the row
    PostDrag(&m_a, OnCaption(m_a), {CSize(0, -10)});
    EXPECT_EQ(800 / 3, Context(m_a)->m_rectDragHorz.Width());
}

TEST_F(SizeBarDockContext, DroppedIntoARowOfTwoTheBarTakesAThirdOfIt)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    CreateBar(m_b, kBarB, "B", CSize(100, 150));
    CreateBar(m_c, kBarC, "C", CSize(200, 100));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a, &m_b});
    DockRow(AFX_IDW_DOCKBAR_TOP, {&m_c});

    // From the top down onto A's row.
    const int down = InFrame(&m_a).top + 20 - InFrame(&m_c).top;
    PostDrag(&m_c, OnCaption(m_c), {CSize(0, down / 2), CSize(0, down - down / 2)});
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_BOTTOM), DockBarOf(m_c));
    EXPECT_EQ(800 / 3, Context(m_c)->m_rectDock.Width());
    EXPECT_EQ(InFrame(&m_a).top, InFrame(&m_c).top);
    // The row is full again: the three share its length.
    const int right = std::max({InFrame(&m_a).right, InFrame(&m_b).right, InFrame(&m_c).right});
    EXPECT_EQ(800, right);
}

TEST_F(SizeBarDockContext, BarFloatingInTheMDIClientIsNeitherDraggedNorToggled)
{
    CreateBar(m_a, kBarA, "A", CSize(300, 150));
    DockRow(AFX_IDW_DOCKBAR_BOTTOM, {&m_a});
    COXMDIFloatWnd* floatWnd = FloatInClient(m_a, 100, 100);
    ASSERT_NE(nullptr, floatWnd);

    CPoint point(10, 10);
    m_a.ClientToScreen(&point);
    Context(m_a)->StartDrag(point);
    EXPECT_EQ(nullptr, ::GetCapture());
    Context(m_a)->ToggleDocking();
    EXPECT_EQ(floatWnd, m_a.GetParentFrame());
}
} // namespace sizedock
