// Customising the cool toolbar: which kind it allows, the advanced mode where a click marks a
// button instead of running it, the per-button menu and its commands with the frame's veto,
// the mark kept on its button through insertions, deletions and moves, and the Customize
// dialog's button list.
#include "platform/test/pump.h"
#include "resources/ids/widgets_ids.h"
#include "tests/widgets/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bars_test;

namespace
{
class CCustomBar : public COXCoolToolBar
{
public:
    using COXCoolToolBar::BuildCustomizeMenu;
    using COXCoolToolBar::DoCustomizeCommand;
};

const UINT kAllIds[] = {kCmdFirst, kCmdSecond, kCmdThird, fw::test::kCmdTest, kCmdCombo};

bool IsEnabled(HMENU menu, UINT command)
{
    return !(::GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}
} // namespace

class CoolToolBarCustomize : public CoolBarFixture
{
protected:
    void SetUp() override
    {
        CoolBarFixture::SetUp();
        CreateBar(m_custom);
    }

    CCustomBar m_custom;
};

TEST_F(CoolToolBarCustomize, EitherKindNeedsTheListOfCommands)
{
    m_custom.SetCustomizable(TRUE, FALSE);
    EXPECT_FALSE(m_custom.IsCustomizable(FALSE));
    m_custom.SetCustomizable(TRUE, TRUE);
    EXPECT_FALSE(m_custom.IsCustomizable(TRUE));
    m_custom.SetCustomizationMode(TRUE, nullptr);
    EXPECT_FALSE(m_custom.IsCustomizable(TRUE));

    m_custom.SetCustomizableButtons(kAllIds, 5);
    EXPECT_TRUE(m_custom.IsCustomizable(TRUE));
    EXPECT_FALSE(m_custom.GetStyle() & CCS_ADJUSTABLE);
    m_custom.SetCustomizable(TRUE, FALSE);
    EXPECT_TRUE(m_custom.IsCustomizable(FALSE));
    EXPECT_FALSE(m_custom.IsCustomizable(TRUE));
    m_custom.SetCustomizable(FALSE, FALSE);
    EXPECT_FALSE(m_custom.IsCustomizable(FALSE) || m_custom.IsCustomizable(TRUE));
}

TEST_F(CoolToolBarCustomize, InAdvancedModeAClickMarksTheButtonWithoutItsCommand)
{
    OpenDocument();
    ASSERT_NE(nullptr, View());
    IdleUpdate(m_custom);
    CRect first;
    m_custom.GetItemRect(0, &first);
    fw::test::Click(m_custom.m_hWnd, first.CenterPoint().x, first.CenterPoint().y);
    fw::test::Pump();
    EXPECT_EQ(1, View()->m_firstCommands);

    m_custom.SetCustomizableButtons(kAllIds, 5);
    m_custom.SetCustomizationMode(TRUE, nullptr);
    fw::test::Click(m_custom.m_hWnd, first.CenterPoint().x, first.CenterPoint().y);
    fw::test::Pump();
    EXPECT_EQ(1, View()->m_firstCommands);
    EXPECT_EQ(0, m_custom.GetMarkedButton());
    EXPECT_FALSE(m_custom.SendMessage(TB_GETSTATE, kCmdFirst) & TBSTATE_PRESSED);

    // A separator marks nothing; leaving the mode clears the mark.
    CRect separator;
    m_custom.GetItemRect(1, &separator);
    fw::test::Click(m_custom.m_hWnd, separator.CenterPoint().x, separator.CenterPoint().y);
    EXPECT_EQ(-1, m_custom.GetMarkedButton());
    fw::test::Click(m_custom.m_hWnd, first.CenterPoint().x, first.CenterPoint().y);
    m_custom.SetCustomizationMode(FALSE, nullptr);
    EXPECT_EQ(-1, m_custom.GetMarkedButton());
}

TEST_F(CoolToolBarCustomize, TheMenuOffersWhatAppliesToTheButton)
{
    m_custom.SetButtonText(2, "Second");
    struct Case
    {
        int index;
        bool imageOnly;
        bool imageAndText;
        bool separatorBefore;
        bool separatorAfter;
    };
    // Buttons: first, separator, second (with text), third, test, combo slot.
    const Case cases[] = {
        {0, false, true, false, false},                                // first; a separator follows
        {2, true, false, false, true},                                 // a separator precedes
        {3, false, true, true, true},   {5, false, true, true, false}, // the last
        {1, false, false, true, true},                                 // the separator itself
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.index);
        const HMENU menu = m_custom.BuildCustomizeMenu(c.index);
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ(8, ::GetMenuItemCount(menu));
        EXPECT_TRUE(IsEnabled(menu, ID_OXCTB_DELETE));
        EXPECT_TRUE(IsEnabled(menu, ID_OXCTB_APPEARANCE));
        EXPECT_EQ(c.imageOnly, IsEnabled(menu, ID_OXCTB_IMAGEONLY));
        EXPECT_EQ(c.imageAndText, IsEnabled(menu, ID_OXCTB_IMAGEANDTEXT));
        EXPECT_EQ(c.separatorBefore, IsEnabled(menu, ID_OXCTB_SEPARATORBEFORE));
        EXPECT_EQ(c.separatorAfter, IsEnabled(menu, ID_OXCTB_SEPARATORAFTER));
        char text[64] = {};
        ::GetMenuStringA(menu, ID_OXCTB_SEPARATORAFTER, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ("Put Separator After", text);
        ::DestroyMenu(menu);
    }
}

TEST_F(CoolToolBarCustomize, CommandsChangeTheButtonUnlessTheFrameVetoes)
{
    // Nothing kept: the tip, or the whole string when it has no tip.
    m_custom.DoCustomizeCommand(ID_OXCTB_IMAGEANDTEXT, 3);
    EXPECT_EQ("Only a prompt", std::string(m_custom.GetButtonText(3)));
    m_custom.DoCustomizeCommand(ID_OXCTB_IMAGEANDTEXT, 0);
    EXPECT_EQ("First", std::string(m_custom.GetButtonText(0)));
    // Image only keeps the text for image and text.
    m_custom.SetButtonText(3, "Third");
    m_custom.DoCustomizeCommand(ID_OXCTB_IMAGEONLY, 3);
    EXPECT_EQ("", std::string(m_custom.GetButtonText(3)));
    m_custom.DoCustomizeCommand(ID_OXCTB_IMAGEANDTEXT, 3);
    EXPECT_EQ("Third", std::string(m_custom.GetButtonText(3)));

    const int count = m_custom.GetCount();
    m_custom.DoCustomizeCommand(ID_OXCTB_SEPARATORAFTER, 3);
    ASSERT_EQ(count + 1, m_custom.GetCount());
    EXPECT_TRUE(m_custom.GetButtonStyle(4) & TBBS_SEPARATOR);
    m_custom.DoCustomizeCommand(ID_OXCTB_SEPARATORBEFORE, 3);
    EXPECT_TRUE(m_custom.GetButtonStyle(3) & TBBS_SEPARATOR);
    EXPECT_EQ(kCmdThird, m_custom.GetItemID(4));
    m_custom.DoCustomizeCommand(ID_OXCTB_DELETE, 4);
    EXPECT_EQ(-1, m_custom.CommandToIndex(kCmdThird));
    const std::vector<UINT> noticed = {ID_OXCTB_IMAGEANDTEXT,   ID_OXCTB_IMAGEANDTEXT,
                                       ID_OXCTB_IMAGEONLY,      ID_OXCTB_IMAGEANDTEXT,
                                       ID_OXCTB_SEPARATORAFTER, ID_OXCTB_SEPARATORBEFORE,
                                       ID_OXCTB_DELETE};
    EXPECT_EQ(noticed, Frame()->m_customizeCommands);

    Frame()->m_vetoCustomize = 1;
    const int before = m_custom.GetCount();
    m_custom.DoCustomizeCommand(ID_OXCTB_DELETE, 0);
    EXPECT_EQ(before, m_custom.GetCount());
}

TEST_F(CoolToolBarCustomize, TheMarkStaysOnItsButton)
{
    m_custom.SetCustomizableButtons(kAllIds, 5);
    m_custom.SetCustomizationMode(TRUE, nullptr);
    CRect third;
    m_custom.GetItemRect(3, &third);
    fw::test::Click(m_custom.m_hWnd, third.CenterPoint().x, third.CenterPoint().y);
    ASSERT_EQ(3, m_custom.GetMarkedButton());

    TBBUTTON separator = {};
    separator.fsStyle = TBSTYLE_SEP;
    separator.iString = -1;
    m_custom.SendMessage(TB_INSERTBUTTONA, 1, reinterpret_cast<LPARAM>(&separator));
    EXPECT_EQ(4, m_custom.GetMarkedButton());
    m_custom.SendMessage(TB_INSERTBUTTONA, 6, reinterpret_cast<LPARAM>(&separator));
    EXPECT_EQ(4, m_custom.GetMarkedButton());
    m_custom.SendMessage(TB_DELETEBUTTON, 0);
    EXPECT_EQ(3, m_custom.GetMarkedButton());
    m_custom.SendMessage(TB_MOVEBUTTON, 3, 0);
    EXPECT_EQ(0, m_custom.GetMarkedButton());
    m_custom.SendMessage(TB_MOVEBUTTON, 2, 0);
    EXPECT_EQ(1, m_custom.GetMarkedButton());
    EXPECT_EQ(kCmdThird, m_custom.GetItemID(m_custom.GetMarkedButton()));
    m_custom.SendMessage(TB_DELETEBUTTON, 1);
    EXPECT_EQ(-1, m_custom.GetMarkedButton());
}

TEST_F(CoolToolBarCustomize, TheCustomizeDialogListsTheCommandsWithTheirTips)
{
    m_custom.SetCustomizableButtons(kAllIds, 5);
    char text[8] = {};
    NMTOOLBARA info = {};
    info.hdr.hwndFrom = m_custom.m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(m_custom.GetDlgCtrlID());
    info.hdr.code = TBN_GETBUTTONINFOA;
    info.pszText = text;
    info.cchText = sizeof text;
    info.iItem = 1;
    EXPECT_TRUE(m_frame->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(static_cast<int>(kCmdSecond), info.tbButton.idCommand);
    EXPECT_EQ(1, info.tbButton.iBitmap);
    EXPECT_STREQ("Second", text);
    info.iItem = 5;
    EXPECT_FALSE(m_frame->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)));
}
