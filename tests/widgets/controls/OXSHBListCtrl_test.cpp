// The shortcut bar's item list under Wine: its column layout in both views, scroll buttons,
// hovering, pressing and selecting with the owner's say, the frames on the screen, renaming in
// place, the drag block through a real data object (and blocks that are refused), the context
// menu's commands, options from its own styles, and colours from its group.
#include "widgets/controls/OXSHBListCtrl.h"

#include "resources/ids/widgets_ids.h"
#include "tests/widgets/controls/ShortcutBarTestSupport.h"
#include "widgets/controls/OXShortcutBar.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace shbtest;

namespace
{
constexpr UINT kListId = 55;
constexpr int kWidth = 150;
constexpr COLORREF kBack = RGB(150, 150, 150);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class SHBListTest : public testing::Test
{
protected:
    void SetUp() override { m_parent = MakeParent(400, 400); }
    void TearDown() override
    {
        for (COXSHBListCtrl* list : {&m_list, &m_other})
            if (list->GetSafeHwnd())
                list->DestroyWindow();
        ::DestroyWindow(m_parent);
        for (HIMAGELIST images : m_images)
            ::ImageList_Destroy(images);
        fw::test::Pump();
    }

    // A stand-alone list at (10, 10) with three items and 32-pixel (or 16 in the small view)
    // red, green and blue images.
    void MakeList(COXSHBListCtrl& list, DWORD style, int height = 250, int x = 10)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | style,
                                CRect(x, 10, x + kWidth, 10 + height), CWnd::FromHandle(m_parent),
                                kListId));
        list.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        const bool small = (style & LVS_TYPEMASK) == LVS_SMALLICON;
        m_images.push_back(SolidImages(small ? 16 : 32, {kRed, kGreen, kBlue}));
        list.SendMessage(LVM_SETIMAGELIST, small ? LVSIL_SMALL : LVSIL_NORMAL,
                         reinterpret_cast<LPARAM>(m_images.back()));
        list.SendMessage(LVM_SETBKCOLOR, 0, kBack);
        Notices().clear();
    }
    void AddItems(COXSHBListCtrl& list, int count)
    {
        for (int i = 0; i < count; ++i)
            list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i,
                            ("Item " + std::to_string(i)).c_str(), 0, 0, i % 3, 100 + i);
    }
    static int TextWidth(const char* text)
    {
        const HDC dc = ::GetDC(nullptr);
        const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent = {};
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        return extent.cx;
    }
    CRect Icon(COXSHBListCtrl& list, int item)
    {
        CRect rect;
        list.GetItemIconRect(item, &rect);
        return rect;
    }
    CRect Caption(COXSHBListCtrl& list, int item)
    {
        CRect rect;
        list.GetItemCaptionRect(item, &rect);
        return rect;
    }
    void Redraw(COXSHBListCtrl& list)
    {
        list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        fw::test::Pump();
    }

    HWND m_parent = nullptr;
    COXSHBListCtrl m_list;
    COXSHBListCtrl m_other;
    std::vector<HIMAGELIST> m_images;
};
} // namespace

TEST_F(SHBListTest, LargeIconsStandCentredInOneColumnWithCaptionsBelow)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 3);
    const int textWidth = TextWidth("Item 0");
    // The 32-pixel image grown by 3 on each side, centred, 5 from the top.
    EXPECT_EQ(CRect(56, 5, 94, 43), Icon(m_list, 0));
    const CRect caption = Caption(m_list, 0);
    EXPECT_EQ(43, caption.top);
    EXPECT_EQ(textWidth + 8, caption.Width());
    EXPECT_NEAR(75, caption.CenterPoint().x, 1);
    // The next item 5 below.
    EXPECT_EQ(caption.bottom + 5, Icon(m_list, 1).top);
    CRect fromMessage = {LVIR_LABEL, 0, 0, 0};
    m_list.SendMessage(LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&fromMessage));
    EXPECT_EQ(Caption(m_list, 1), fromMessage);

    // The images on the screen, 3 inside the icon rectangle.
    Redraw(m_list);
    const CRect icon = Icon(m_list, 1);
    EXPECT_EQ(kGreen, fw::test::ClientPixel(m_list, icon.left + 3, icon.top + 3));
    EXPECT_EQ(kGreen, fw::test::ClientPixel(m_list, icon.right - 4, icon.bottom - 4));
    EXPECT_EQ(kBack, fw::test::ClientPixel(m_list, icon.left - 1, icon.top + 10));
}

TEST_F(SHBListTest, SmallIconsPutTheCaptionOnOneLineBesideTheIcon)
{
    MakeList(m_list, LVS_SMALLICON);
    AddItems(m_list, 2);
    EXPECT_EQ(SHB_SMALLICON, m_list.GetView());
    EXPECT_EQ(CRect(5, 5, 27, 27), Icon(m_list, 0));
    const CRect caption = Caption(m_list, 0);
    EXPECT_EQ(27, caption.left);
    EXPECT_EQ(TextWidth("Item 0") + 8, caption.Width());
    EXPECT_NEAR(16, caption.CenterPoint().y, 1);
    Redraw(m_list);
    EXPECT_EQ(kRed, fw::test::ClientPixel(m_list, 10, 10));
}

TEST_F(SHBListTest, EmptyListShowsOnlyItsBackground)
{
    MakeList(m_list, LVS_ICON, 120);
    Redraw(m_list);
    EXPECT_TRUE(m_list.GetScrollUpRect().IsRectEmpty());
    EXPECT_TRUE(m_list.GetScrollDownRect().IsRectEmpty());
    for (int y : {0, 60, 119})
        for (int x : {0, 75, kWidth - 1})
            EXPECT_EQ(kBack, fw::test::ClientPixel(m_list, x, y)) << x << "," << y;
}

TEST_F(SHBListTest, ScrollButtonsShowWhereItemsAreHiddenAndScrollByAnItem)
{
    MakeList(m_list, LVS_ICON, 120);
    AddItems(m_list, 8);
    EXPECT_TRUE(m_list.GetScrollUpRect().IsRectEmpty());
    const CRect down = m_list.GetScrollDownRect();
    EXPECT_EQ(kWidth - 22, down.left);
    EXPECT_EQ(98, down.top);
    EXPECT_EQ(kWidth - 2, down.right);
    EXPECT_EQ(118, down.bottom);
    EXPECT_EQ(COXSHBListCtrl::kHitScrollDown, m_list.HitTestItem(down.CenterPoint()));

    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                       Point(down.CenterPoint().x, down.CenterPoint().y));
    m_list.SendMessage(WM_LBUTTONUP, 0, Point(down.CenterPoint().x, down.CenterPoint().y));
    EXPECT_EQ(1, m_list.SendMessage(LVM_GETTOPINDEX));
    CRect full;
    m_list.GetItemFullRect(1, &full);
    EXPECT_EQ(5, full.top);
    const CRect up = m_list.GetScrollUpRect();
    ASSERT_FALSE(up.IsRectEmpty());
    EXPECT_EQ(COXSHBListCtrl::kHitScrollUp, m_list.HitTestItem(up.CenterPoint()));
    Redraw(m_list);
    EXPECT_NE(kBack, fw::test::ClientPixel(m_list, up.left + 2, up.top + 2)); // a button face

    // Scrolled to the end: the down button goes.
    EXPECT_TRUE(m_list.EnsureItemVisible(7));
    EXPECT_TRUE(m_list.GetScrollDownRect().IsRectEmpty());

    // Without scroll buttons none shows.
    MakeList(m_other, LVS_ICON | LVS_NOSCROLL, 120, 200);
    AddItems(m_other, 8);
    EXPECT_TRUE(m_other.GetScrollDownRect().IsRectEmpty());
}

TEST_F(SHBListTest, HitTestNamesThePartOrTheSideOutside)
{
    MakeList(m_list, LVS_ICON, 200);
    AddItems(m_list, 2);
    struct HitCase
    {
        CPoint point;
        int item;
        UINT flags;
    };
    const CRect caption = Caption(m_list, 1);
    const HitCase cases[] = {
        {Icon(m_list, 0).CenterPoint(), 0, LVHT_ONITEMICON},
        {caption.CenterPoint(), 1, LVHT_ONITEMLABEL},
        {CPoint(2, 190), -1, LVHT_NOWHERE},
        {CPoint(20, -5), -1, LVHT_ABOVE},
        {CPoint(-3, 250), -1, LVHT_BELOW | LVHT_TOLEFT},
        {CPoint(kWidth + 1, 20), -1, LVHT_TORIGHT},
    };
    for (const HitCase& c : cases)
    {
        LVHITTESTINFO info = {};
        info.pt = c.point;
        EXPECT_EQ(c.item, m_list.SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(c.flags, info.flags) << c.point.x << "," << c.point.y;
    }
}

TEST_F(SHBListTest, HoverPressAndReleaseSelectWithTheOwnersConsent)
{
    MakeList(m_list, LVS_ICON | LVS_SHOWSELALWAYS);
    AddItems(m_list, 3);
    Notices().clear();
    const CPoint onOne = Icon(m_list, 1).CenterPoint();
    m_list.SendMessage(WM_MOUSEMOVE, 0, Point(onOne.x, onOne.y));
    EXPECT_EQ(1, m_list.GetHotItemIndex());
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(onOne.x, onOne.y));
    EXPECT_EQ(1, m_list.GetPressedItem());
    m_list.SendMessage(WM_LBUTTONUP, 0, Point(onOne.x, onOne.y));
    EXPECT_EQ(1, m_list.GetSelectedItem());
    EXPECT_EQ((std::vector<UINT>{SHBN_HOTITEM, SHBN_PRESSITEM, SHBN_SELECTITEM}), Codes());
    EXPECT_EQ(1, Notices().back().item);

    // The owner keeps the old selection.
    Answers()[SHBN_SELECTITEM] = 1;
    const CPoint onZero = Icon(m_list, 0).CenterPoint();
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(onZero.x, onZero.y));
    m_list.SendMessage(WM_LBUTTONUP, 0, Point(onZero.x, onZero.y));
    EXPECT_EQ(1, m_list.GetSelectedItem());
    // Released over another item: no selection.
    Answers().clear();
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(onZero.x, onZero.y));
    m_list.SendMessage(WM_LBUTTONUP, 0, Point(onOne.x, onOne.y));
    EXPECT_EQ(1, m_list.GetSelectedItem());
}

TEST_F(SHBListTest, HotItemIsRaisedAndTheShownSelectionSunken)
{
    MakeList(m_list, LVS_ICON | LVS_SHOWSELALWAYS);
    AddItems(m_list, 3);
    m_list.SelectItem(2);
    m_list.SendMessage(LVM_SETHOTITEM, 0);
    Redraw(m_list);
    const COLORREF light = RGB(214, 214, 214);
    const COLORREF dark = RGB(22, 22, 22);
    const CRect hot = Icon(m_list, 0);
    EXPECT_EQ(light, fw::test::ClientPixel(m_list, hot.left + 1, hot.top + 5));
    EXPECT_EQ(dark, fw::test::ClientPixel(m_list, hot.right - 2, hot.top + 5));
    const CRect selected = Icon(m_list, 2);
    EXPECT_EQ(dark, fw::test::ClientPixel(m_list, selected.left + 1, selected.top + 5));
    EXPECT_EQ(light, fw::test::ClientPixel(m_list, selected.right - 2, selected.top + 5));
    const CRect plain = Icon(m_list, 1);
    EXPECT_EQ(kBack, fw::test::ClientPixel(m_list, plain.left + 1, plain.top + 5));
}

TEST_F(SHBListTest, RenamingInPlaceKeepsEnterDropsEscapeAndAlwaysReportsTheEnd)
{
    MakeList(m_list, LVS_ICON | LVS_EDITLABELS);
    AddItems(m_list, 2);
    struct EditCase
    {
        const char* typed;
        UINT key;
        const char* result;
    };
    const EditCase cases[] = {
        {"Renamed", VK_RETURN, "Renamed"}, {"Dropped", VK_ESCAPE, "Renamed"}, {"", VK_RETURN, ""}};
    for (const EditCase& c : cases)
    {
        SCOPED_TRACE(c.typed);
        Notices().clear();
        ASSERT_EQ(1, m_list.EditItem(0));
        COXSHBEdit* editor = m_list.GetEditor();
        ASSERT_TRUE(editor->IsWindowVisible());
        EXPECT_EQ(editor->GetSafeHwnd(),
                  reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETEDITCONTROL)));
        editor->SetWindowText(c.typed);
        editor->SendMessage(WM_KEYDOWN, c.key, 0);
        EXPECT_FALSE(editor->IsWindowVisible());
        EXPECT_STREQ(c.result, m_list.GetItemText(0, 0).GetString());
        EXPECT_EQ((std::vector<UINT>{SHBN_BEGINITEMEDIT, SHBN_ENDITEMEDIT}), Codes());
    }
    Answers()[SHBN_BEGINITEMEDIT] = 1;
    EXPECT_EQ(0, m_list.EditItem(1));
}

TEST_F(SHBListTest, EditorGrowsWithItsTextWithinTheList)
{
    MakeList(m_list, LVS_ICON | LVS_EDITLABELS);
    AddItems(m_list, 1);
    m_list.EditItem(0);
    COXSHBEdit* editor = m_list.GetEditor();
    CRect before;
    editor->GetWindowRect(&before);
    for (const char ch : std::string("A much longer caption than before, to wrap"))
        editor->SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 1);
    CString typed;
    editor->GetWindowText(typed);
    EXPECT_STREQ("A much longer caption than before, to wrap", typed.GetString());
    CRect after;
    editor->GetWindowRect(&after);
    EXPECT_GE(after.Width(), before.Width());
    EXPECT_GT(after.Height() * after.Width(), before.Height() * before.Width());
    EXPECT_LE(after.Width(), kWidth);
    editor->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(SHBListTest, DraggedItemArrivesWhereTheMarkStandsWithTextDataImageAndExtra)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 2);
    MakeList(m_other, LVS_ICON, 250, 200);
    AddItems(m_other, 2);
    const LPARAM bigData = static_cast<LPARAM>(0x1122334455667788LL);
    m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 2, "Shortcut", 0, 0, 1, bigData);
    ExtraData() = std::string("extra\0data", 10);

    const HGLOBAL block = m_list.BuildDragData(2);
    ASSERT_NE(nullptr, block);
    COleDataSource source;
    source.CacheGlobalData(COXSHBListCtrl::GetDragFormat(), block);
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);

    const CPoint between = Icon(m_other, 1).TopLeft(); // above item 1's middle
    Notices().clear();
    EXPECT_EQ(DROPEFFECT_MOVE, m_other.OnDragEnter(&data, 0, between));
    EXPECT_EQ(1, m_other.GetDropMarkIndex());
    EXPECT_EQ(DROPEFFECT_COPY, m_other.OnDragOver(&data, MK_CONTROL, between));
    ASSERT_TRUE(m_other.OnDrop(&data, DROPEFFECT_MOVE, between));
    EXPECT_EQ(-1, m_other.GetDropMarkIndex());
    ASSERT_EQ(3, m_other.GetItemCount());
    EXPECT_STREQ("Shortcut", m_other.GetItemText(1, 0).GetString());
    EXPECT_EQ(bigData, static_cast<LPARAM>(m_other.GetItemData(1)));
    EXPECT_EQ(std::string("extra\0data", 10), DroppedExtra());
    const std::vector<UINT> codes = Codes();
    EXPECT_EQ(SHBN_DRAGDROPENDED, codes.back());
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), SHBN_DROP));

    // The image came along and was appended to the list's images.
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    m_other.GetItem(&item);
    EXPECT_EQ(3, item.iImage);
    Redraw(m_other);
    const CRect icon = Icon(m_other, 1);
    EXPECT_EQ(kGreen, fw::test::ClientPixel(m_other, icon.left + 10, icon.top + 10));
}

TEST_F(SHBListTest, DataWithoutTheFormatIsRefused)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 1);
    COleDataSource source;
    const HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(::GlobalLock(text), "abc", 4);
    ::GlobalUnlock(text);
    source.CacheGlobalData(CF_TEXT, text);
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    EXPECT_EQ(DROPEFFECT_NONE, m_list.OnDragEnter(&data, 0, CPoint(10, 10)));
    EXPECT_EQ(-1, m_list.GetDropMarkIndex());
    EXPECT_FALSE(m_list.OnDrop(&data, DROPEFFECT_MOVE, CPoint(10, 10)));
    EXPECT_EQ(1, m_list.GetItemCount());
}

TEST_F(SHBListTest, MalformedDragBlocksInsertNothing)
{
    MakeList(m_list, LVS_ICON);
    const auto dword = [](DWORD value) { return std::string(reinterpret_cast<char*>(&value), 4); };
    const std::string text("a\0", 2);
    const std::string data(8, '\0');
    struct BlockCase
    {
        const char* name;
        std::string bytes;
    };
    const BlockCase cases[] = {
        {"text without its null", "abc"},
        {"data cut short", text + std::string(4, '\0')},
        {"three image records", text + data + dword(3)},
        {"image bytes past the end", text + data + dword(1) + dword(0) + dword(0) + dword(1000)},
        {"image list kind 2", text + data + dword(1) + dword(0) + dword(2) + dword(0)},
        {"extra data past the end", text + data + dword(0) + dword(50) + "xy"},
        {"no extra size", text + data + dword(0)},
    };
    for (const BlockCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, c.bytes.size());
        std::memcpy(::GlobalLock(block), c.bytes.data(), c.bytes.size());
        ::GlobalUnlock(block);
        EXPECT_EQ(-1, m_list.InsertFromDragData(block, 0));
        ::GlobalFree(block);
        EXPECT_EQ(0, m_list.GetItemCount());
    }
    // The smallest sound block.
    const std::string sound = text + data + dword(0) + dword(0);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sound.size());
    std::memcpy(::GlobalLock(block), sound.data(), sound.size());
    ::GlobalUnlock(block);
    EXPECT_EQ(0, m_list.InsertFromDragData(block, 0));
    ::GlobalFree(block);
}

TEST_F(SHBListTest, ContextMenuGetsTheItemCommandsOverAnEditableItem)
{
    MakeList(m_list, LVS_ICON | LVS_EDITLABELS);
    AddItems(m_list, 1);
    CPoint onItem = Icon(m_list, 0).CenterPoint();
    m_list.ClientToScreen(&onItem);
    const auto commands = [&](HMENU menu)
    {
        std::vector<std::pair<UINT, std::string>> found;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        {
            char text[64] = {};
            ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            found.emplace_back(::GetMenuItemID(menu, i), text);
        }
        return found;
    };
    const HMENU menu = ::CreatePopupMenu();
    m_list.SendMessage(SHBM_POPULATECONTEXTMENU, reinterpret_cast<WPARAM>(menu),
                       Point(onItem.x, onItem.y));
    char rename[64] = {};
    char remove[64] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_OXSHB_RENAMEITEM, rename, sizeof rename);
    ::LoadStringA(::GetModuleHandleA(nullptr), IDS_OXSHB_REMOVEITEM, remove, sizeof remove);
    ASSERT_STRNE("", rename);
    using Items = std::vector<std::pair<UINT, std::string>>;
    EXPECT_EQ((Items{{ID_SHB_RENAMEITEM, rename}, {ID_SHB_REMOVEITEM, remove}}), commands(menu));
    // A menu that has items gets a separator first.
    m_list.SendMessage(SHBM_POPULATECONTEXTMENU, reinterpret_cast<WPARAM>(menu),
                       Point(onItem.x, onItem.y));
    EXPECT_EQ(5, ::GetMenuItemCount(menu));
    EXPECT_EQ(0u, ::GetMenuItemID(menu, 2));
    ::DestroyMenu(menu);

    // Away from the items nothing is added.
    const HMENU empty = ::CreatePopupMenu();
    CPoint below(5, 240);
    m_list.ClientToScreen(&below);
    m_list.SendMessage(SHBM_POPULATECONTEXTMENU, reinterpret_cast<WPARAM>(empty),
                       Point(below.x, below.y));
    EXPECT_EQ(0, ::GetMenuItemCount(empty));
    ::DestroyMenu(empty);
}

TEST_F(SHBListTest, StandAloneOptionsComeFromTheListsStyles)
{
    struct OptionCase
    {
        DWORD style;
        DWORD exStyle;
        DWORD option;
    };
    const OptionCase cases[] = {{LVS_EDITLABELS, 0, SHBS_EDITITEMS},
                                {LVS_NOSCROLL, 0, SHBS_NOSCROLL},
                                {LVS_SHOWSELALWAYS, 0, SHBS_SHOWACTIVEALWAYS},
                                {0, LVS_EX_INFOTIP, SHBS_INFOTIP},
                                {0, LVS_EX_UNDERLINEHOT, SHBS_UNDERLINEHOTITEM}};
    MakeList(m_list, LVS_ICON);
    const DWORD plain = m_list.GetOptions();
    for (const OptionCase& c : cases)
    {
        m_list.ModifyStyle(0, c.style);
        m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, c.exStyle, c.exStyle);
        EXPECT_EQ(c.option, m_list.GetOptions() & ~plain) << std::hex << c.option;
        m_list.ModifyStyle(c.style, 0);
        m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, c.exStyle, 0);
    }
    EXPECT_EQ(SHBS_DRAGITEMS, plain);
}

TEST_F(SHBListTest, DeletingKeepsTheSelectionOnItsItemAndTellsTheOwner)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 3);
    m_list.SelectItem(2);
    Notices().clear();
    m_list.DeleteItem(0);
    EXPECT_EQ(1, m_list.GetSelectedItem());
    m_list.DeleteItem(1);
    EXPECT_EQ(-1, m_list.GetSelectedItem());
    m_list.DeleteAllItems();
    EXPECT_EQ((std::vector<UINT>{SHBN_DELETEITEM, SHBN_DELETEITEM, SHBN_DELETEALLITEMS}), Codes());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(SHBListTest, TipTextIsAlwaysTerminated)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 1);
    TipText() = "A tip";
    EXPECT_STREQ("A tip", m_list.GetItemTipText(0).GetString());
    TipText() = std::string(100, 'x'); // fills the record without a null
    EXPECT_EQ(kShbTipTextMax - 1, m_list.GetItemTipText(0).GetLength());
}

TEST_F(SHBListTest, InABarTheColoursAreTheGroups)
{
    COXShortcutBar bar;
    ASSERT_TRUE(bar.Create(CWnd::FromHandle(m_parent), CRect(0, 0, 150, 300), 0, 9));
    OXShbGroupInfo info;
    info.mask = SHBIF_TEXT;
    info.text = const_cast<char*>("G");
    const HSHBGROUP group = bar.InsertGroup(&info);
    bar.ExpandGroup(group);
    auto* list = dynamic_cast<COXSHBListCtrl*>(bar.GetGroupChildWnd(group));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW),
              static_cast<COLORREF>(list->SendMessage(LVM_GETBKCOLOR)));
    list->SendMessage(LVM_SETBKCOLOR, 0, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), bar.GetGroupBkColor(group));
    list->SendMessage(LVM_SETTEXTCOLOR, 0, RGB(4, 5, 6));
    EXPECT_EQ(RGB(4, 5, 6), static_cast<COLORREF>(list->SendMessage(LVM_GETTEXTCOLOR)));
    // The list's notifications reach the bar's owner under the bar's id, with the group.
    Notices().clear();
    list->InsertItem(0, "x");
    ASSERT_EQ((std::vector<UINT>{SHBN_INSERTITEM}), Codes());
    EXPECT_EQ(group, Notices()[0].group);
    bar.DestroyWindow();
}

TEST_F(SHBListTest, HoverCheckFollowsThePointerAndClearsWhenItLeaves)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 2);
    fw::test::Pump();
    CPoint onOne = Icon(m_list, 1).CenterPoint();
    m_list.ClientToScreen(&onOne);
    ::SetCursorPos(onOne.x, onOne.y);
    m_list.SendMessage(SHBM_CHECKHOVER);
    EXPECT_EQ(1, m_list.GetHotItemIndex());
    ::SetCursorPos(700, 700);
    m_list.SendMessage(SHBM_CHECKHOVER);
    EXPECT_EQ(-1, m_list.GetHotItemIndex());
    EXPECT_EQ(1, m_list.GetLastHotItem());
}

TEST_F(SHBListTest, DraggingAnItemAsksTheOwnerWhoMayTakeTheDragOver)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 2);
    Notices().clear();
    Answers()[SHBN_DRAGITEM] = 1; // the owner handles the drag: the list starts none
    const CPoint start = Icon(m_list, 0).CenterPoint();
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(start.x, start.y));
    m_list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Point(start.x + 20, start.y + 20));
    fw::test::Pump();
    const std::vector<UINT> expected = {SHBN_PRESSITEM, SHBN_BEGINDRAGITEM, SHBN_GETDRAGDATA,
                                        SHBN_DRAGITEM};
    std::vector<UINT> codes = Codes();
    for (const UINT noise : {SHBN_HOTITEM, SHBN_DRAWITEM}) // hovering and painting
        codes.erase(std::remove(codes.begin(), codes.end(), noise), codes.end());
    EXPECT_EQ(expected, codes);
    const auto begin = std::find_if(Notices().begin(), Notices().end(),
                                    [](const Notice& n) { return n.code == SHBN_BEGINDRAGITEM; });
    CRect full;
    m_list.GetItemFullRect(0, &full);
    EXPECT_EQ(MAKELPARAM(start.x - full.left, start.y - full.top), begin->value);
    EXPECT_EQ(-1, m_list.GetPressedItem());
}

TEST_F(SHBListTest, ItemTipsOfTheHotItemComeFromTheOwnerWhenTipsAreOn)
{
    MakeList(m_list, LVS_ICON);
    AddItems(m_list, 2);
    TipText() = std::string(100, 't');
    m_list.SendMessage(LVM_SETHOTITEM, 1);
    const auto ask = [&]
    {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = m_list.GetToolTipCtrl().GetSafeHwnd();
        info.hdr.code = TTN_GETDISPINFOA;
        m_list.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::string(info.lpszText ? info.lpszText : "(null)");
    };
    Notices().clear();
    EXPECT_EQ("", ask()); // tips are off
    EXPECT_TRUE(Notices().empty());
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    EXPECT_EQ(std::string(79, 't'), ask()); // cut to the tip's 80 bytes with the null
    ASSERT_EQ((std::vector<UINT>{SHBN_GETITEMINFOTIP}), Codes());
    EXPECT_EQ(1, Notices()[0].item);
}

TEST_F(SHBListTest, AClickOutsideTheEditorKeepsTheTextAndGoesOnToTheWindowUnderIt)
{
    MakeList(m_list, LVS_ICON | LVS_EDITLABELS);
    AddItems(m_list, 2);
    fw::test::Pump();
    ASSERT_EQ(1, m_list.EditItem(0));
    COXSHBEdit* editor = m_list.GetEditor();
    editor->SetWindowText("Kept");
    // A press on item 1 reaches the editor first: it holds the mouse while it runs.
    CPoint onOne = Icon(m_list, 1).CenterPoint();
    m_list.ClientToScreen(&onOne);
    editor->ScreenToClient(&onOne);
    editor->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Point(onOne.x, onOne.y));
    EXPECT_FALSE(editor->IsWindowVisible());
    EXPECT_STREQ("Kept", m_list.GetItemText(0, 0).GetString());
    fw::test::Pump();
    EXPECT_EQ(1, m_list.GetPressedItem()); // the press went on to the list
    m_list.SendMessage(WM_LBUTTONUP, 0, Point(0, 0));
}

TEST_F(SHBListTest, DataHeldNearAnEdgeScrollsTheListOnItsTimer)
{
    MakeList(m_list, LVS_ICON, 120);
    AddItems(m_list, 8);
    MakeList(m_other, LVS_ICON, 250, 200);
    AddItems(m_other, 1);
    COleDataSource source;
    source.CacheGlobalData(COXSHBListCtrl::GetDragFormat(), m_other.BuildDragData(0));
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);

    const CPoint nearBottom(20, 117);
    m_list.OnDragEnter(&data, 0, nearBottom);
    EXPECT_EQ(0, m_list.GetScrollOrigin().y); // not at once: on the timer
    m_list.SendMessage(WM_TIMER, COXSHBListCtrl::kScrollTimer);
    const int scrolled = m_list.GetScrollOrigin().y;
    EXPECT_GT(scrolled, 0);
    // Back in the middle, and then away: no more scrolling.
    m_list.OnDragOver(&data, 0, CPoint(20, 60));
    m_list.SendMessage(WM_TIMER, COXSHBListCtrl::kScrollTimer);
    EXPECT_EQ(scrolled, m_list.GetScrollOrigin().y);
    m_list.OnDragOver(&data, 0, CPoint(20, 2));
    m_list.SendMessage(WM_TIMER, COXSHBListCtrl::kScrollTimer);
    EXPECT_LT(m_list.GetScrollOrigin().y, scrolled);
    m_list.OnDragLeave();
    const int left = m_list.GetScrollOrigin().y;
    m_list.SendMessage(WM_TIMER, COXSHBListCtrl::kScrollTimer);
    EXPECT_EQ(left, m_list.GetScrollOrigin().y);
}
