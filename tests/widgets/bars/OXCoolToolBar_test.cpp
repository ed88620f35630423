// The cool toolbar under Wine: its styles and gripper, texts by type, text colours, idle
// command states sent only on change, the custom-draw notice, widths for the layout, docking
// beside another bar, position notices, image caches, and the drop target's messages.
#include "platform/docview/mdi.h"
#include "platform/ole/oleinit.h"
#include "platform/test/dropdata.h"
#include "platform/test/pump.h"
#include "tests/widgets/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bars_test;

namespace
{
// Counts the state messages the control receives and the position notices.
class CCountingBar : public COXCoolToolBar
{
public:
    int m_setStates = 0;
    std::vector<BOOL> m_floatingNotices;

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnSetState(WPARAM, LPARAM)
    {
        ++m_setStates;
        return Default();
    }
    void OnFloatingDocking(BOOL floating) override { m_floatingNotices.push_back(floating); }
};

FW_TABLE(CCountingBar, COXCoolToolBar, fw::raw<TB_SETSTATE, &CCountingBar::OnSetState>())

// A bar that takes dropped files itself.
class CFileDropBar : public COXCoolToolBar
{
public:
    std::vector<std::string> m_files;

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnDragEnterFiles(WPARAM, LPARAM lParam)
    {
        auto* record = reinterpret_cast<OXDropRecord*>(lParam);
        CStringArray names;
        if (record->data && record->data->GetFileNames(&names))
            for (int i = 0; i < names.GetSize(); ++i)
                m_files.push_back(static_cast<const char*>(names[i]));
        record->result = DROPEFFECT_COPY;
        return 1;
    }
};

FW_TABLE(CFileDropBar, COXCoolToolBar, fw::raw<WM_OX_DRAGENTER, &CFileDropBar::OnDragEnterFiles>())

std::string Text(const COXCoolToolBar& bar, int index)
{
    return static_cast<const char*>(bar.GetButtonText(index));
}
} // namespace

class CoolToolBar : public CoolBarFixture
{
};

TEST_F(CoolToolBar, IsFlatTransparentWithArrowsAndDockedHasASevenPixelGripper)
{
    CreateBar(*m_bar);
    EXPECT_EQ(static_cast<DWORD>(TBSTYLE_FLAT | TBSTYLE_TRANSPARENT),
              m_bar->GetStyle() & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT));
    EXPECT_TRUE(m_bar->GetStyle() & WS_CLIPCHILDREN);
    EXPECT_TRUE(m_bar->SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS);
    EXPECT_EQ(CRect(0, 0, 0, 0), m_bar->GetBorders());
    EXPECT_GE(COXCoolToolBar::GetComCtlVersion(), static_cast<DWORD>(MAKELONG(71, 4)));

    // Docked: two raised grips of three pixels, then the buttons.
    ASSERT_FALSE(m_bar->IsFloating());
    EXPECT_EQ(7, ClientOffset(*m_bar).x);
    CRect window;
    m_bar->GetWindowRect(&window);
    const int middle = window.Height() / 2;
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), WindowPixel(*m_bar, 1, middle));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), WindowPixel(*m_bar, 3, middle));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), WindowPixel(*m_bar, 4, middle));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), WindowPixel(*m_bar, 6, middle));

    // Floating: no gripper and no room for one.
    m_frame->FloatControlBar(m_bar.get(), CPoint(300, 300));
    fw::test::Pump();
    ASSERT_TRUE(m_bar->IsFloating());
    EXPECT_EQ(0, ClientOffset(*m_bar).x);
}

TEST_F(CoolToolBar, InAnMDIChildFrameTheBarIsNotTransparent)
{
    OpenDocument();
    CMDIChildWnd* child = ActiveChild();
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(m_bar->Create(child, WS_CHILD | WS_VISIBLE | CBRS_TOP, kSecondBarId));
    EXPECT_TRUE(m_bar->GetStyle() & TBSTYLE_FLAT);
    EXPECT_FALSE(m_bar->GetStyle() & TBSTYLE_TRANSPARENT);
}

TEST_F(CoolToolBar, TextsFollowTheTextType)
{
    CreateBar(*m_bar);
    struct Case
    {
        int type;
        std::vector<std::string> texts; // buttons 0, 2, 3, 4 (1 is the separator)
        int storedType;
    };
    const Case cases[] = {
        {COXCoolToolBar::textPrompt,
         {"Do the first thing", "Do the second thing", "Only a prompt", "Test the frame"},
         0},
        {COXCoolToolBar::textTooltip, {"First", "Second", "", "Test"}, 1},
        {COXCoolToolBar::textUser, {"First", "Second", "", "Test"}, 3}, // unchanged
        {COXCoolToolBar::textMenu, {"", "", "", "&Test"}, 2},
        {7, {"", "", "", ""}, 4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        m_bar->SetButtonTextFromID(0, 0xFFFF, c.type);
        EXPECT_EQ(c.storedType, m_bar->GetTextType());
        EXPECT_EQ(c.texts[0], Text(*m_bar, 0));
        EXPECT_EQ(c.texts[1], Text(*m_bar, 2));
        EXPECT_EQ(c.texts[2], Text(*m_bar, 3));
        EXPECT_EQ(c.texts[3], Text(*m_bar, 4));
    }
    // Without a menu on the main window the menu type gives nothing.
    m_bar->SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textTooltip);
    m_frame->SetMenu(nullptr);
    m_bar->SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textMenu);
    EXPECT_EQ("", Text(*m_bar, 4));
    // Only the range asked for changes.
    m_bar->SetButtonTextFromID(kCmdSecond, kCmdSecond, COXCoolToolBar::textTooltip);
    EXPECT_EQ("", Text(*m_bar, 0));
    EXPECT_EQ("Second", Text(*m_bar, 2));
}

TEST_F(CoolToolBar, TextsShowInTheDefaultAndHotColours)
{
    const COLORREF magenta = RGB(255, 0, 255);
    CreateBar(*m_bar);
    m_bar->SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textTooltip);
    fw::test::Pump();
    // Without a view no command has a handler: enable the buttons (disabled text is grey).
    for (const UINT id : {kCmdFirst, kCmdSecond})
        m_bar->SendMessage(TB_ENABLEBUTTON, id, TRUE);
    m_bar->RedrawWindow();
    EXPECT_FALSE(ShowsColour(*m_bar, magenta));
    m_bar->SetDefaultTextColor(magenta);
    m_bar->RedrawWindow();
    EXPECT_TRUE(ShowsColour(*m_bar, magenta));
    EXPECT_GT(Frame()->m_customDraws, 0);

    // A frame that takes the drawing over leaves the bar's colours out.
    Frame()->m_takeCustomDraw = TRUE;
    m_bar->RedrawWindow();
    EXPECT_FALSE(ShowsColour(*m_bar, magenta));
}

TEST_F(CoolToolBar, IdleUpdatesSendAStateOnlyWhenItChanges)
{
    OpenDocument();
    CCountingBar bar;
    CreateBar(bar);
    CBarsTestView* view = View();
    ASSERT_NE(nullptr, view);
    view->SetFocus();
    IdleUpdate(bar);
    const int afterFirst = bar.m_setStates;
    IdleUpdate(bar);
    IdleUpdate(bar);
    EXPECT_EQ(afterFirst, bar.m_setStates);

    view->m_checkFirst = 2;
    IdleUpdate(bar);
    EXPECT_EQ(afterFirst + 1, bar.m_setStates);
    const LRESULT state = bar.SendMessage(TB_GETSTATE, kCmdFirst);
    EXPECT_TRUE(state & TBSTATE_INDETERMINATE);
    EXPECT_FALSE(state & TBSTATE_CHECKED);
    IdleUpdate(bar);
    EXPECT_EQ(afterFirst + 1, bar.m_setStates);

    view->m_checkFirst = 1;
    view->m_enableFirst = FALSE;
    IdleUpdate(bar);
    const LRESULT changed = bar.SendMessage(TB_GETSTATE, kCmdFirst);
    EXPECT_TRUE(changed & TBSTATE_CHECKED);
    EXPECT_FALSE(changed & (TBSTATE_INDETERMINATE | TBSTATE_ENABLED));
}

TEST_F(CoolToolBar, WidthsTakeArrowsIndentAndAutosizeButtons)
{
    CreateBar(*m_bar);
    const CSize plain = m_bar->CalcFixedLayout(FALSE, TRUE);
    ASSERT_TRUE(m_bar->SetIndent(10));
    EXPECT_EQ(plain.cx + 10, m_bar->CalcFixedLayout(FALSE, TRUE).cx);
    m_bar->SetIndent(0);

    // A drop-down button is wider by the arrow when arrows are drawn.
    UINT id = 0;
    UINT style = 0;
    int image = 0;
    m_bar->GetButtonInfo(2, id, style, image);
    m_bar->SetButtonInfo(2, id, style | TBBS_DROPDOWN, image);
    const CSize withArrow = m_bar->CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(withArrow.cx, plain.cx);
    m_bar->SetDropDownArrow(FALSE);
    EXPECT_FALSE(m_bar->GetDropDownArrow());
    EXPECT_EQ(plain.cx, m_bar->CalcFixedLayout(FALSE, TRUE).cx);

    // The docked bar is as long as its buttons lie in the control.
    m_bar->SetDropDownArrow(TRUE);
    m_frame->RecalcLayout();
    CRect last;
    m_bar->GetItemRect(m_bar->GetCount() - 1, &last);
    CRect client;
    m_bar->GetClientRect(&client);
    EXPECT_GE(client.right, last.right);
}

TEST_F(CoolToolBar, DocksBesideAnotherBarAndReportsPositionChanges)
{
    CCountingBar first;
    CreateBar(first);
    ASSERT_FALSE(first.m_floatingNotices.empty());
    EXPECT_FALSE(first.m_floatingNotices.front());
    const size_t notices = first.m_floatingNotices.size();

    COXCoolToolBar second;
    CreateBar(second, kSecondBarId, FALSE);
    first.DockControlBarLeftOf(&second, &first);
    fw::test::Pump();
    CRect a;
    CRect b;
    first.GetWindowRect(&a);
    second.GetWindowRect(&b);
    EXPECT_EQ(a.top, b.top);
    EXPECT_GE(b.left, a.right);

    m_frame->FloatControlBar(&first, CPoint(200, 300));
    fw::test::Pump();
    ASSERT_GT(first.m_floatingNotices.size(), notices);
    EXPECT_TRUE(first.m_floatingNotices.back());
}

TEST_F(CoolToolBar, ImagesAreCachedPerResource)
{
    CreateBar(*m_bar);
    const HIMAGELIST list = m_bar->LoadImageList(kToolBarResource, 16, 4, RGB(192, 192, 192));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(5, ::ImageList_GetImageCount(list));
    EXPECT_EQ(list, m_bar->LoadImageList(kToolBarResource, 16, 4, RGB(192, 192, 192)));
    EXPECT_EQ(list, m_bar->CreateImageList(kToolBarResource, 16, RGB(192, 192, 192)));
    EXPECT_EQ(nullptr, m_bar->CreateImageList(0x7AFF, 16, RGB(192, 192, 192)));
    EXPECT_TRUE(m_bar->LoadBitmap(kToolBarResource));
    EXPECT_FALSE(m_bar->LoadBitmap(0x7AFF));
    EXPECT_EQ("First", std::string(m_bar->GetButtonTooltip(0)));
    EXPECT_EQ("", std::string(m_bar->GetButtonTooltip(3)));

    DWORD major = 0;
    EXPECT_EQ(E_INVALIDARG, COXCoolToolBar::GetComCtlVersion(&major, nullptr));
}

TEST_F(CoolToolBar, ADroppedFileReachesTheBarsMessages)
{
    ASSERT_TRUE(fw::OleInit());
    CFileDropBar bar;
    CreateBar(bar);
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, fw::test::MakeFileDrop({"C:\\models\\tail.bdf"}));
    POINT point = {10, 10};
    bar.ClientToScreen(&point);
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, bar.GetDropTarget()->GetInterface()->DragEnter(
                        source.GetInterface(), MK_LBUTTON, {point.x, point.y}, &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    ASSERT_EQ(1u, bar.m_files.size());
    EXPECT_EQ("C:\\models\\tail.bdf", bar.m_files[0]);
    bar.GetDropTarget()->GetInterface()->DragLeave();

    // The plain bar takes nothing, customisable or not.
    CreateBar(*m_bar, kSecondBarId);
    POINT other = {10, 10};
    m_bar->ClientToScreen(&other);
    IDropTarget* target = m_bar->GetDropTarget()->GetInterface();
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, target->DragEnter(source.GetInterface(), 0, {other.x, other.y}, &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    target->DragLeave();
    const UINT ids[] = {kCmdFirst, kCmdSecond};
    m_bar->SetCustomizableButtons(ids, 2);
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, target->DragEnter(source.GetInterface(), 0, {other.x, other.y}, &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    target->DragLeave();
}
