// The shortcut bar under Wine: groups and their orders, refused information, expanding by a
// click with its notifications and the lists shown on the screen, expanding on release,
// dragging headers, deleting, header painting, animation, drag-hover and the commands.
#include "widgets/controls/OXShortcutBar.h"

#include "platform/win/cmdtarget.h"
#include "tests/widgets/controls/ShortcutBarTestSupport.h"
#include "widgets/controls/OXSHBListCtrl.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace shbtest;

namespace
{
using TextList = std::vector<std::string>;
constexpr UINT kBarId = 321;
constexpr int kBarWidth = 150;
constexpr int kBarHeight = 300;

class ShortcutBarTest : public testing::Test
{
protected:
    void SetUp() override { m_parent = MakeParent(400, 400); }
    void TearDown() override
    {
        if (m_bar.GetSafeHwnd())
            m_bar.DestroyWindow();
        ::DestroyWindow(m_parent);
        fw::test::Pump();
    }

    void MakeBar(DWORD barStyle = 0)
    {
        ASSERT_TRUE(m_bar.Create(CWnd::FromHandle(m_parent),
                                 CRect(10, 10, 10 + kBarWidth, 10 + kBarHeight), barStyle, kBarId));
    }
    HSHBGROUP Insert(const char* text, int order = SHBGO_LAST)
    {
        OXShbGroupInfo info;
        info.mask = SHBIF_TEXT | SHBIF_ORDER;
        info.text = const_cast<char*>(text);
        info.order = order;
        return m_bar.InsertGroup(&info);
    }
    std::vector<std::string> GroupTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < m_bar.GetGroupCount(); ++i)
            texts.emplace_back(m_bar.GetGroupText(m_bar.FindGroupByOrder(i)).GetString());
        return texts;
    }
    void ClickHeader(HSHBGROUP group)
    {
        const CPoint centre = m_bar.GetHeaderRect(group).CenterPoint();
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(centre.x, centre.y));
        m_bar.SendMessage(WM_LBUTTONUP, 0, Point(centre.x, centre.y));
    }

    HWND m_parent = nullptr;
    COXShortcutBar m_bar;
};

} // namespace

TEST_F(ShortcutBarTest, GroupsTakeTheirPlaceByOrderAndHandlesCountUp)
{
    MakeBar();
    EXPECT_EQ((std::vector<UINT>{SHBN_GETDROPTARGET}), Codes()); // the owner may offer its own
    Notices().clear();
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B", SHBGO_FIRST);
    const HSHBGROUP c = Insert("C", 1);
    EXPECT_EQ(reinterpret_cast<HSHBGROUP>(1), a);
    EXPECT_EQ(reinterpret_cast<HSHBGROUP>(3), c);
    EXPECT_EQ((TextList{"B", "C", "A"}), GroupTexts());
    EXPECT_EQ(2, m_bar.GetGroupOrder(a));
    // Every insertion was announced first.
    EXPECT_EQ((std::vector<UINT>{SHBN_INSERTGROUP, SHBN_INSERTGROUP, SHBN_INSERTGROUP}), Codes());

    Answers()[SHBN_INSERTGROUP] = 1;
    EXPECT_EQ(nullptr, Insert("refused"));
    Answers().clear();
    EXPECT_EQ(3, m_bar.GetGroupCount());
    // A deleted handle is never given again.
    ASSERT_TRUE(m_bar.DeleteGroup(b));
    EXPECT_EQ(reinterpret_cast<HSHBGROUP>(4), Insert("D"));
}

TEST_F(ShortcutBarTest, OrderMinusThreeSortsByTextIgnoringCase)
{
    MakeBar();
    Insert("delta");
    Insert("Bravo");
    Insert("charlie");
    Insert("alpha", SHBGO_SORTED);
    EXPECT_EQ((TextList{"alpha", "Bravo", "charlie", "delta"}), GroupTexts());
    m_bar.SortGroups(-1);
    EXPECT_EQ((TextList{"delta", "charlie", "Bravo", "alpha"}), GroupTexts());
    // Later sorted insertions keep the direction.
    Insert("echo", SHBGO_SORTED);
    EXPECT_EQ("echo", GroupTexts().front());
}

TEST_F(ShortcutBarTest, InvalidInformationFailsAndChangesNothing)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    Insert("B");
    const HWND stranger = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, m_parent,
                                            nullptr, nullptr, nullptr);
    const HWND popup = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, m_bar, nullptr,
                                         nullptr, nullptr);
    struct BadCase
    {
        const char* name;
        UINT mask;
        int order;
        int view;
        int image;
        HWND child;
    };
    const BadCase cases[] = {
        {"order past the last", SHBIF_ORDER, 2, 1, 0, nullptr},
        {"order -4", SHBIF_ORDER, -4, 1, 0, nullptr},
        {"view 4", SHBIF_VIEW, 0, 4, 0, nullptr},
        {"image without an image list", SHBIF_IMAGE, 0, 1, 0, nullptr},
        {"mask bit outside the fields", SHBIF_TEXT | 0x1, 0, 1, 0, nullptr},
        {"child of another window", SHBIF_CHILDWND, 0, 1, 0, stranger},
        {"popup, not a child", SHBIF_CHILDWND, 0, 1, 0, popup},
    };
    for (const BadCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        OXShbGroupInfo info;
        info.mask = c.mask | SHBIF_TEXT;
        info.text = const_cast<char*>("changed");
        info.order = c.order;
        info.view = c.view;
        info.image = c.image;
        info.childWnd = c.child;
        EXPECT_FALSE(m_bar.SetGroupInfo(a, &info));
        EXPECT_EQ(nullptr, m_bar.InsertGroup(&info));
        EXPECT_EQ((TextList{"A", "B"}), GroupTexts());
        EXPECT_EQ(SHB_LARGEICON, m_bar.GetGroupView(a));
    }
    EXPECT_FALSE(m_bar.SetGroupOrder(a, 5));
    EXPECT_EQ(0, m_bar.GetGroupOrder(a));
    ::DestroyWindow(stranger);
}

TEST_F(ShortcutBarTest, GroupInformationReadsBackAndCompares)
{
    MakeBar();
    OXShbGroupInfo info;
    info.mask = SHBIF_TEXT | SHBIF_PARAM | SHBIF_VIEW;
    info.text = const_cast<char*>("Pages");
    info.param = static_cast<LPARAM>(0x123456789ABCLL); // pointer-sized
    info.view = SHB_SMALLICON;
    const HSHBGROUP group = m_bar.InsertGroup(&info);
    OXShbGroupInfo back;
    back.mask = SHBIF_ALL;
    ASSERT_TRUE(m_bar.GetGroupInfo(group, &back));
    EXPECT_STREQ("Pages", back.text);
    EXPECT_EQ(info.param, back.param);
    EXPECT_EQ(SHB_SMALLICON, back.view);
    EXPECT_EQ(0, back.order);
    EXPECT_TRUE(m_bar.CompareGroups(&info, &back));
    EXPECT_FALSE(m_bar.CompareGroups(&back, &info)); // back names fields info lacks
    info.text = const_cast<char*>("Pagez");
    EXPECT_FALSE(m_bar.CompareGroups(&info, &back));
    // The bar made a list for the group, told its group.
    auto* list = dynamic_cast<COXSHBListCtrl*>(m_bar.GetGroupChildWnd(group));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(&m_bar, list->GetBar());
    EXPECT_EQ(group, list->GetGroup());
    EXPECT_EQ(SHB_SMALLICON, list->GetView());
}

TEST_F(ShortcutBarTest, ClickOnHeaderExpandsItsGroupAfterAskingAndShowsItsList)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    const HSHBGROUP c = Insert("C");
    ASSERT_TRUE(m_bar.ExpandGroup(a));
    m_bar.SetGroupBkColor(b, RGB(0, 200, 100));
    fw::test::Pump();
    Notices().clear();

    ClickHeader(b);
    ASSERT_EQ((std::vector<UINT>{SHBN_GROUPEXPANDING, SHBN_GROUPEXPANDED}), Codes());
    EXPECT_EQ(b, Notices()[0].group);
    EXPECT_EQ(b, Notices()[1].group);
    EXPECT_EQ(b, m_bar.GetExpandedGroup());

    // Headers up to B at the top, C at the bottom, B's list between.
    EXPECT_EQ(CRect(0, 0, kBarWidth, 18), m_bar.GetHeaderRect(a));
    EXPECT_EQ(CRect(0, 18, kBarWidth, 36), m_bar.GetHeaderRect(b));
    EXPECT_EQ(CRect(0, kBarHeight - 18, kBarWidth, kBarHeight), m_bar.GetHeaderRect(c));
    EXPECT_EQ(CRect(0, 36, kBarWidth, kBarHeight - 18), m_bar.GetChildWndRect());
    EXPECT_TRUE(m_bar.GetGroupChildWnd(b)->IsWindowVisible());
    EXPECT_FALSE(m_bar.GetGroupChildWnd(a)->IsWindowVisible());
    fw::test::Pump();
    EXPECT_EQ(RGB(0, 200, 100), fw::test::ClientPixel(m_bar, 70, 150));

    // The expanded group again: nothing, not even a question.
    Notices().clear();
    ClickHeader(b);
    EXPECT_TRUE(Notices().empty());
    // The owner may say no.
    Answers()[SHBN_GROUPEXPANDING] = 1;
    ClickHeader(c);
    EXPECT_EQ(b, m_bar.GetExpandedGroup());
    EXPECT_EQ((std::vector<UINT>{SHBN_GROUPEXPANDING}), Codes());
}

TEST_F(ShortcutBarTest, WithExpandOnReleaseThePressOnlyPressesTheHeader)
{
    MakeBar(SHBS_EXPANDONRELEASE | SHBS_DISABLEDRAGHEADER);
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    m_bar.ExpandGroup(a);
    const CPoint onB = m_bar.GetHeaderRect(b).CenterPoint();
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(onB.x, onB.y));
    EXPECT_EQ(a, m_bar.GetExpandedGroup());
    EXPECT_EQ(b, m_bar.GetPressedGroup());
    // Released elsewhere: nothing expands.
    const CPoint onA = m_bar.GetHeaderRect(a).CenterPoint();
    m_bar.SendMessage(WM_LBUTTONUP, 0, Point(onA.x, onA.y));
    EXPECT_EQ(a, m_bar.GetExpandedGroup());
    EXPECT_EQ(nullptr, m_bar.GetPressedGroup());

    ClickHeader(b);
    EXPECT_EQ(b, m_bar.GetExpandedGroup());
}

TEST_F(ShortcutBarTest, DraggingAHeaderOntoAnotherGivesItThatOrderUnlessRefused)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    Insert("B");
    const HSHBGROUP c = Insert("C");
    m_bar.ExpandGroup(a);
    const auto drag = [&](HSHBGROUP from, HSHBGROUP to)
    {
        const CPoint start = m_bar.GetHeaderRect(from).CenterPoint();
        const CPoint end = m_bar.GetHeaderRect(to).CenterPoint();
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(start.x, start.y));
        m_bar.SendMessage(WM_TIMER, COXShortcutBar::kPressTimer); // the press has lasted
        m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(end.x, end.y));
        EXPECT_EQ(from, m_bar.GetDraggedGroup());
        m_bar.SendMessage(WM_LBUTTONUP, 0, Point(end.x, end.y));
    };
    Notices().clear();
    drag(a, c);
    EXPECT_EQ((TextList{"B", "C", "A"}), GroupTexts());
    std::vector<UINT> codes = Codes();
    EXPECT_EQ(SHBN_BEGINDRAGHEADER, codes.front());
    ASSERT_EQ(SHBN_DROPGROUP, codes.back());
    EXPECT_EQ(reinterpret_cast<LPARAM>(c), Notices().back().value);
    EXPECT_EQ(nullptr, m_bar.GetDraggedGroup());

    Answers()[SHBN_DROPGROUP] = 1;
    drag(c, a);
    EXPECT_EQ((TextList{"B", "C", "A"}), GroupTexts());
}

TEST_F(ShortcutBarTest, DeletingAGroupAsksTheOwnerAndHidesItsChild)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    const HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                         m_bar, nullptr, nullptr, nullptr);
    ASSERT_TRUE(m_bar.SetGroupChildWnd(b, CWnd::FromHandle(child)));
    m_bar.ExpandGroup(b);
    EXPECT_TRUE(::IsWindowVisible(child));

    Answers()[SHBN_DELETEGROUP] = 1;
    EXPECT_FALSE(m_bar.DeleteGroup(b));
    EXPECT_EQ(2, m_bar.GetGroupCount());
    Answers().clear();
    ASSERT_TRUE(m_bar.DeleteGroup(b));
    EXPECT_FALSE(::IsWindowVisible(child));
    EXPECT_EQ(1, m_bar.GetGroupCount());
    EXPECT_EQ(0, m_bar.GetGroupOrder(a));
    EXPECT_FALSE(m_bar.IsValidGroup(b));
    EXPECT_EQ(nullptr, m_bar.GetExpandedGroup());
}

TEST_F(ShortcutBarTest, HeadersPaintWithTheir3dFrameAndAnEmptyBarOnlyItsBackground)
{
    MakeBar();
    fw::test::Pump();
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    for (const CPoint p : {CPoint(0, 0), CPoint(75, 150), CPoint(149, 299)})
        EXPECT_EQ(window, fw::test::ClientPixel(m_bar, p.x, p.y));

    const HSHBGROUP a = Insert("A");
    Insert("B");
    m_bar.ExpandGroup(a);
    m_bar.SetGroupHeaderBkColor(a, RGB(100, 150, 200));
    m_bar.SetGroupHeaderTextColor(a, RGB(100, 150, 200)); // no text over the sampled pixels
    m_bar.UpdateWindow();
    fw::test::Pump();
    EXPECT_EQ(RGB(164, 214, 255), fw::test::ClientPixel(m_bar, 40, 0)); // light: +64
    EXPECT_EQ(RGB(164, 214, 255), fw::test::ClientPixel(m_bar, 0, 9));
    EXPECT_EQ(RGB(0, 22, 72), fw::test::ClientPixel(m_bar, 40, 17)); // dark: -128
    EXPECT_EQ(RGB(0, 22, 72), fw::test::ClientPixel(m_bar, kBarWidth - 1, 9));
    EXPECT_EQ(RGB(100, 150, 200), fw::test::ClientPixel(m_bar, 5, 9));
}

TEST(ShortcutBarColours, ShiftingClampsEachChannelAndNearnessIsTheMeanDifference)
{
    EXPECT_EQ(RGB(255, 64, 74), ShbShiftColor(RGB(250, 0, 10), 64));
    EXPECT_EQ(RGB(122, 0, 0), ShbShiftColor(RGB(250, 0, 10), -128));
    EXPECT_EQ(RGB(5, 255, 245), ShbInverseColor(RGB(250, 0, 10)));
    EXPECT_TRUE(ShbNearColors(RGB(255, 0, 0), RGB(200, 60, 70)));  // mean 61.7
    EXPECT_TRUE(ShbNearColors(RGB(255, 0, 0), RGB(191, 64, 64)));  // mean 64
    EXPECT_FALSE(ShbNearColors(RGB(255, 0, 0), RGB(190, 64, 64))); // mean 64.3
}

TEST_F(ShortcutBarTest, AnimatedExpansionEndsInTheSameLayoutEvenWithoutRoomToSlide)
{
    MakeBar(SHBS_ANIMATEEXPAND);
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    const HSHBGROUP c = Insert("C");
    m_bar.ExpandGroup(a);
    fw::test::Pump();
    ASSERT_TRUE(m_bar.ExpandGroup(c));
    EXPECT_EQ(CRect(0, 36, kBarWidth, 54), m_bar.GetHeaderRect(c));
    EXPECT_EQ(CRect(0, 54, kBarWidth, kBarHeight), m_bar.GetChildWndRect());
    ASSERT_TRUE(m_bar.ExpandGroup(b));
    EXPECT_EQ(CRect(0, kBarHeight - 18, kBarWidth, kBarHeight), m_bar.GetHeaderRect(c));

    // Headers that fill the bar leave no child area: no steps at all.
    m_bar.MoveWindow(10, 10, kBarWidth, 54);
    ASSERT_TRUE(m_bar.ExpandGroup(a));
    EXPECT_EQ(0, m_bar.GetChildWndRect().Height());
    EXPECT_EQ(a, m_bar.GetExpandedGroup());
}

TEST_F(ShortcutBarTest, DataDraggedOverAHeaderExpandsItsGroupAfterTheDelay)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    m_bar.ExpandGroup(a);
    m_bar.SetDragExpandDelay(40);
    const CPoint onB = m_bar.GetHeaderRect(b).CenterPoint();
    CPoint screen = onB;
    m_bar.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    OXDropRecord record = {&m_bar, nullptr, 0, onB.x, onB.y, 0, 0, 0};
    Notices().clear();
    m_bar.SendMessage(WM_OX_DRAGOVER, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(DROPEFFECT_NONE, static_cast<DROPEFFECT>(record.result));
    EXPECT_EQ(SHBN_DRAGOVER, Codes().front());
    EXPECT_TRUE(fw::test::WaitFor([&] { return m_bar.GetExpandedGroup() == b; }, 2000));

    // Leaving stops the timer.
    m_bar.ExpandGroup(a);
    m_bar.SendMessage(WM_OX_DRAGOVER, 0, reinterpret_cast<LPARAM>(&record));
    m_bar.SendMessage(WM_OX_DRAGLEAVE, 0, reinterpret_cast<LPARAM>(&record));
    ::Sleep(60);
    fw::test::Pump();
    EXPECT_EQ(a, m_bar.GetExpandedGroup());
}

TEST_F(ShortcutBarTest, CommandsChangeTheViewAddRenameAndDeleteGroupsAndItems)
{
    MakeBar(SHBS_EDITITEMS);
    const auto command = [&](UINT id) { m_bar.SendMessage(WM_COMMAND, id, 0); };

    command(ID_SHB_ADDNEWGROUP);
    ASSERT_EQ(1, m_bar.GetGroupCount());
    const HSHBGROUP first = m_bar.FindGroupByOrder(0);
    EXPECT_EQ(first, m_bar.GetExpandedGroup());
    ASSERT_TRUE(m_bar.GetHeaderEditor()->IsEditing());
    m_bar.GetHeaderEditor()->SetWindowText("Renamed");
    m_bar.GetHeaderEditor()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_STREQ("Renamed", m_bar.GetGroupText(first).GetString());
    EXPECT_EQ(SHBN_ENDHEADEREDIT, Codes().back());

    command(ID_SHB_SMALLICON);
    EXPECT_EQ(SHB_SMALLICON, m_bar.GetGroupView(first));
    command(ID_SHB_LARGEICON);
    EXPECT_EQ(SHB_LARGEICON, m_bar.GetGroupView(first));

    auto* list = dynamic_cast<COXSHBListCtrl*>(m_bar.GetGroupChildWnd(first));
    ASSERT_NE(nullptr, list);
    list->InsertItem(0, "one");
    list->InsertItem(1, "two");
    list->SendMessage(LVM_SETHOTITEM, 1);
    command(ID_SHB_REMOVEITEM);
    ASSERT_EQ(1, list->GetItemCount());
    EXPECT_STREQ("one", list->GetItemText(0, 0).GetString());

    command(ID_SHB_ADDNEWGROUP);
    ASSERT_EQ(2, m_bar.GetGroupCount());
    EXPECT_EQ(first, m_bar.GetExpandedGroup()); // only a sole new group expands
    m_bar.GetHeaderEditor()->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_STREQ("", m_bar.GetGroupText(m_bar.FindGroupByOrder(1)).GetString());
    m_bar.SetContextGroup(first);
    command(ID_SHB_REMOVEGROUP);
    EXPECT_EQ(1, m_bar.GetGroupCount());
    EXPECT_FALSE(m_bar.IsValidGroup(first));
}

TEST_F(ShortcutBarTest, DraggedHeaderShowsInvertedAndItsLandingPlaceInRedOrBlue)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    Insert("B");
    const HSHBGROUP c = Insert("C");
    m_bar.ExpandGroup(a);
    m_bar.SetGroupHeaderBkColor(a, RGB(100, 150, 200));
    const auto dragOnto = [&](HSHBGROUP target)
    {
        const CPoint start = m_bar.GetHeaderRect(a).CenterPoint();
        const CPoint end = m_bar.GetHeaderRect(target).CenterPoint();
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(start.x, start.y));
        m_bar.SendMessage(WM_TIMER, COXShortcutBar::kPressTimer);
        m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(end.x, end.y));
        m_bar.UpdateWindow();
        fw::test::Pump();
    };
    dragOnto(c);
    EXPECT_EQ(RGB(155, 105, 55), fw::test::ClientPixel(m_bar, 5, 9)); // A inverted
    const CRect target = m_bar.GetHeaderRect(c);
    EXPECT_EQ(RGB(255, 0, 0), fw::test::ClientPixel(m_bar, 40, target.top));
    EXPECT_EQ(RGB(255, 0, 0), fw::test::ClientPixel(m_bar, 40, target.top + 1));
    // Released on its own header: nothing moves.
    const CPoint home = m_bar.GetHeaderRect(a).CenterPoint();
    m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(home.x, home.y));
    m_bar.SendMessage(WM_LBUTTONUP, 0, Point(home.x, home.y));
    EXPECT_EQ(0, m_bar.GetGroupOrder(a));

    // On a header whose face is near red the mark is blue.
    m_bar.SetGroupHeaderBkColor(c, RGB(220, 40, 30));
    dragOnto(c);
    EXPECT_EQ(RGB(0, 0, 255), fw::test::ClientPixel(m_bar, 40, target.top));
    m_bar.SendMessage(WM_LBUTTONUP, 0, Point(home.x, home.y));
}

TEST_F(ShortcutBarTest, DragImageFollowsTheHeaderAndALostMouseDropsNothing)
{
    MakeBar(SHBS_DRAWHEADERDRAGIMAGE);
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    m_bar.ExpandGroup(a);
    const CPoint start = m_bar.GetHeaderRect(a).CenterPoint();
    const CPoint end = m_bar.GetHeaderRect(b).CenterPoint();
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(start.x, start.y));
    m_bar.SendMessage(WM_TIMER, COXShortcutBar::kPressTimer);
    m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(end.x, end.y));
    EXPECT_TRUE(m_bar.IsDragImageShown());
    ::ReleaseCapture();
    fw::test::Pump();
    EXPECT_FALSE(m_bar.IsDragImageShown());
    EXPECT_EQ(nullptr, m_bar.GetDraggedGroup());
    EXPECT_EQ(0, m_bar.GetGroupOrder(a));
}

TEST_F(ShortcutBarTest, HotHeaderFollowsThePointerOnItsTimer)
{
    MakeBar(SHBS_EXPANDONRELEASE);
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    m_bar.ExpandGroup(a);
    fw::test::Pump();
    CPoint onB = m_bar.GetHeaderRect(b).CenterPoint();
    m_bar.ClientToScreen(&onB);
    ::SetCursorPos(onB.x, onB.y);
    m_bar.SendMessage(WM_TIMER, COXShortcutBar::kHotTimer);
    EXPECT_EQ(b, m_bar.GetHotGroup());
    ::SetCursorPos(700, 700);
    m_bar.SendMessage(WM_TIMER, COXShortcutBar::kHotTimer);
    EXPECT_EQ(nullptr, m_bar.GetHotGroup());
}

TEST_F(ShortcutBarTest, HeaderTipsComeFromTheOwnerForTheHeaderUnderThePointer)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    const HSHBGROUP b = Insert("B");
    m_bar.ExpandGroup(a);
    fw::test::Pump();
    TipText() = "Group B holds the results";
    CPoint onB = m_bar.GetHeaderRect(b).CenterPoint();
    m_bar.ClientToScreen(&onB);
    ::SetCursorPos(onB.x, onB.y);
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = m_bar.GetToolTipCtrl().GetSafeHwnd();
    info.hdr.code = TTN_GETDISPINFOA;
    Notices().clear();
    m_bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ("Group B holds the results", info.lpszText);
    ASSERT_EQ((std::vector<UINT>{SHBN_GETHEADERINFOTIP}), Codes());
    EXPECT_EQ(b, Notices()[0].group);
}

namespace
{
COLORREF IconColour(HIMAGELIST list, int index)
{
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    const COLORREF colour = ::GetPixel(dc, 8, 8);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return colour;
}
} // namespace

TEST(ShortcutBarImages, ChosenIconsRoundTripThroughABlockAndOtherBytesAreRefused)
{
    const HIMAGELIST images = SolidImages(16, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)});
    const std::vector<BYTE> block = COXShortcutBar::SaveImageList(images, {2, 0});
    ASSERT_FALSE(block.empty());
    const HIMAGELIST back = COXShortcutBar::LoadImageList(block.data(), block.size());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(2, ::ImageList_GetImageCount(back));
    EXPECT_EQ(RGB(0, 0, 255), IconColour(back, 0));
    EXPECT_EQ(RGB(255, 0, 0), IconColour(back, 1));
    ::ImageList_Destroy(back);
    EXPECT_TRUE(COXShortcutBar::SaveImageList(images, {0, 5}).empty());

    const auto dword = [](uint32_t value)
    {
        const auto* bytes = reinterpret_cast<const BYTE*>(&value);
        return std::vector<BYTE>(bytes, bytes + 4);
    };
    struct BadCase
    {
        const char* name;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> cut(block.begin(), block.end() - 10);
    std::vector<BYTE> notAList = dword(1);
    for (const BYTE b : dword(4))
        notAList.push_back(b);
    for (const char c : std::string("abcd"))
        notAList.push_back(static_cast<BYTE>(c));
    std::vector<BYTE> pastTheEnd = dword(1);
    for (const BYTE b : dword(1000))
        pastTheEnd.push_back(b);
    const BadCase cases[] = {{"empty", {}},
                             {"count without icons", dword(3)},
                             {"negative count", dword(0xFFFFFFFF)},
                             {"size past the end", pastTheEnd},
                             {"bytes that are no image list", notAList},
                             {"cut short", cut}};
    for (const BadCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(nullptr, COXShortcutBar::LoadImageList(c.bytes.data(), c.bytes.size()));
    }
    ::ImageList_Destroy(images);
}

namespace
{
class RecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int check) override { checked = check; }
    int enabled = -1;
    int checked = -1;
};
} // namespace

TEST_F(ShortcutBarTest, ViewCommandsAreCheckedByTheExpandedGroupsView)
{
    MakeBar();
    const HSHBGROUP a = Insert("A");
    const auto update = [&](UINT id)
    {
        RecordingCmdUI state;
        state.m_nID = id;
        state.DoUpdate(&m_bar, FALSE);
        return std::make_pair(state.enabled, state.checked);
    };
    EXPECT_EQ(0, update(ID_SHB_LARGEICON).first); // no group expanded
    m_bar.ExpandGroup(a);
    EXPECT_EQ(std::make_pair(1, 1), update(ID_SHB_LARGEICON));
    EXPECT_EQ(std::make_pair(1, 0), update(ID_SHB_SMALLICON));
    m_bar.SetGroupView(a, SHB_SMALLICON);
    EXPECT_EQ(std::make_pair(1, 0), update(ID_SHB_LARGEICON));
    EXPECT_EQ(std::make_pair(1, 1), update(ID_SHB_SMALLICON));
}
