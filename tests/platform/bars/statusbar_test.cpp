// Status bars: panes from indicators, the message pane taking the frame's prompts, and
// indicators that follow their handlers or the lock keys.
#include "platform/bars/statusbar.h"

#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <gtest/gtest.h>

namespace fw::test
{
namespace
{
class StatusBars : public BarsFixture
{
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        ASSERT_TRUE(m_statusBar.Create(m_frame));
        const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                   ID_INDICATOR_SCRL};
        ASSERT_TRUE(m_statusBar.SetIndicators(indicators, 4));
        m_frame->RecalcLayout();
    }

    // What the control shows in a pane.
    CString Shown(int index) const
    {
        char text[256] = {};
        m_statusBar.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text));
        return CString(text);
    }

    static void SetCapsLock(bool on)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CAPITAL] = on ? 1 : 0;
        ::SetKeyboardState(keys);
    }

    CStatusBar m_statusBar;
};

TEST_F(StatusBars, MessagePaneStretchesAndIndicatorsFitTheirTexts)
{
    ASSERT_EQ(4, m_statusBar.GetCount());
    EXPECT_EQ(ID_INDICATOR_NUM, m_statusBar.GetItemID(2));
    EXPECT_EQ(3, m_statusBar.CommandToIndex(ID_INDICATOR_SCRL));
    EXPECT_STREQ("CAP", m_statusBar.GetPaneText(1));
    CRect client;
    m_statusBar.GetClientRect(&client);
    CRect panes[4];
    for (int i = 0; i < 4; ++i)
        m_statusBar.GetItemRect(i, &panes[i]);
    for (int i = 1; i < 4; ++i)
        EXPECT_LE(panes[i - 1].right, panes[i].left) << i;
    EXPECT_GT(panes[0].Width(), client.Width() / 2);
    EXPECT_LT(panes[1].Width(), 60);
    EXPECT_GE(panes[3].right, client.right - ::GetSystemMetrics(SM_CXVSCROLL) - 4);

    // The panes follow the frame's width.
    CRect window;
    m_frame->GetWindowRect(&window);
    m_frame->SetWindowPos(nullptr, 0, 0, window.Width() - 200, window.Height(),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect narrower;
    m_statusBar.GetItemRect(0, &narrower);
    EXPECT_EQ(panes[0].Width() - 200, narrower.Width());
}

TEST_F(StatusBars, FramesMessagesGoToTheFirstPane)
{
    m_frame->SetMessageText("Reading the model");
    EXPECT_STREQ("Reading the model", m_statusBar.GetPaneText(0));
    EXPECT_STREQ("Reading the model", Shown(0));
    CString text;
    m_statusBar.GetWindowText(text);
    EXPECT_STREQ("Reading the model", text);

    m_frame->SetMessageText(kCmdFirst);
    EXPECT_STREQ("Do the first thing", Shown(0));
    EXPECT_TRUE(m_statusBar.SetPaneText(2, "x"));
    EXPECT_STREQ("x", Shown(2));
    EXPECT_FALSE(m_statusBar.SetPaneText(9, "y"));
}

TEST_F(StatusBars, LockKeyIndicatorsShowTheKeysStateAtIdle)
{
    SetCapsLock(true);
    m_app->OnIdle(0);
    EXPECT_STREQ("CAP", Shown(1));
    EXPECT_EQ(0u, m_statusBar.GetPaneStyle(1) & SBPS_DISABLED);

    SetCapsLock(false);
    m_app->OnIdle(0);
    EXPECT_STREQ("", Shown(1));
    EXPECT_STREQ("CAP", m_statusBar.GetPaneText(1)); // kept, not shown
    EXPECT_NE(0u, m_statusBar.GetPaneStyle(1) & SBPS_DISABLED);
}
} // namespace
} // namespace fw::test
