// The drag source: the drag starts when the mouse leaves the start rectangle, not when the
// button comes up or Escape is pressed first; during the drag, buttons and Escape decide.
#include "platform/ole/dropsource.h"

#include "platform/ole/oleinit.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
class DropSource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::OleInit());
        ASSERT_TRUE(m_wnd.CreateEx(0, fw::RegisterWndClass(0), "source", WS_POPUP, 200, 150, 200,
                                   100, nullptr, nullptr));
        // The start rectangle: 4 pixels around the client point (50, 50).
        POINT centre = {50, 50};
        ::ClientToScreen(m_wnd.GetSafeHwnd(), &centre);
        m_source.m_rectStartDrag = CRect(centre.x - 4, centre.y - 4, centre.x + 4, centre.y + 4);
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    void Post(UINT msg, WPARAM wParam, int x, int y)
    {
        ::PostMessageA(m_wnd.GetSafeHwnd(), msg, wParam, MAKELPARAM(x, y));
    }

    CWnd m_wnd;
    COleDropSource m_source;
};
} // namespace

TEST_F(DropSource, DragBeginsOnceTheMouseLeavesTheStartRectangle)
{
    Post(WM_MOUSEMOVE, MK_LBUTTON, 52, 51); // still inside
    Post(WM_MOUSEMOVE, MK_LBUTTON, 60, 50);
    EXPECT_TRUE(m_source.OnBeginDrag(&m_wnd));
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG left;
    EXPECT_FALSE(
        ::PeekMessageA(&left, m_wnd.GetSafeHwnd(), WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
}

TEST_F(DropSource, ReleasingTheButtonOrEscapeFirstCancels)
{
    Post(WM_MOUSEMOVE, MK_LBUTTON, 51, 50);
    Post(WM_LBUTTONUP, 0, 51, 50);
    EXPECT_FALSE(m_source.OnBeginDrag(&m_wnd));
    ::PostMessageA(m_wnd.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(m_source.OnBeginDrag(&m_wnd));
    EXPECT_FALSE(m_source.OnBeginDrag(nullptr));
}

TEST_F(DropSource, QueryContinueDragFollowsTheButtons)
{
    struct Case
    {
        BOOL escape;
        DWORD keys;
        SCODE expected;
    };
    const Case cases[] = {{FALSE, MK_LBUTTON, S_OK},
                          {FALSE, 0, DRAGDROP_S_DROP},
                          {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
                          {FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
                          {FALSE, MK_LBUTTON | MK_CONTROL, S_OK}};
    m_source.m_dwButtonDrop = MK_LBUTTON;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(c.expected, m_source.GetInterface()->QueryContinueDrag(c.escape, c.keys));
    }
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, m_source.GetInterface()->GiveFeedback(DROPEFFECT_COPY));
}
