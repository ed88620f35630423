// Owner draw and custom draw reach the control's own object: the parent reflects them, and a
// control subclassed from a dialog item gets PreSubclassWindow once.
#include "platform/ctrl/listctrl.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/test/pump.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr COLORREF kRed = RGB(255, 0, 0);

class CFilledButton : public CButton
{
public:
    int draws = 0;

    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++draws;
        const HBRUSH red = ::CreateSolidBrush(kRed);
        ::FillRect(item->hDC, &item->rcItem, red);
        ::DeleteObject(red);
    }
};

class CMeasuredList : public CListBox
{
public:
    std::vector<DWORD_PTR> deleted;
    int compares = 0;

    void MeasureItem(LPMEASUREITEMSTRUCT item) override { item->itemHeight = 23; }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
    int CompareItem(LPCOMPAREITEMSTRUCT item) override
    {
        ++compares;
        // Larger data first.
        return item->itemData1 > item->itemData2 ? -1 : (item->itemData1 < item->itemData2 ? 1 : 0);
    }
    void DeleteItem(LPDELETEITEMSTRUCT item) override { deleted.push_back(item->itemData); }
};

class CCustomList : public CListCtrl
{
public:
    int customDraws = 0;
    int presubclasses = 0;

    FW_MESSAGE_TABLE()

protected:
    void OnCustomDraw(NMHDR*, LRESULT* result)
    {
        ++customDraws;
        *result = CDRF_DODEFAULT;
    }
    void PreSubclassWindow() override
    {
        ++presubclasses;
        CListCtrl::PreSubclassWindow();
    }
};

FW_TABLE(CCustomList, CListCtrl,
         fw::reflect_notify<static_cast<int>(NM_CUSTOMDRAW), &CCustomList::OnCustomDraw>())

class CParentWnd : public CWnd
{
public:
    int parentCustomDraws = 0;

    FW_MESSAGE_TABLE()

protected:
    void OnListCustomDraw(NMHDR*, LRESULT*) { ++parentCustomDraws; }
};

FW_TABLE(CParentWnd, CWnd,
         fw::notify<static_cast<int>(NM_CUSTOMDRAW), 303, &CParentWnd::OnListCustomDraw>())

class Reflection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, fw::RegisterWndClass(0), "parent",
                                      WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50, 400, 300,
                                      nullptr, nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    CParentWnd m_parent;
};
} // namespace

TEST_F(Reflection, OwnerDrawnButtonPaintsThroughItsObject)
{
    CFilledButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40),
                              &m_parent, 301));
    button.UpdateWindow();
    fw::test::Pump();
    EXPECT_GE(button.draws, 1);
    const HDC dc = ::GetDC(button.GetSafeHwnd());
    EXPECT_EQ(kRed, ::GetPixel(dc, 40, 15));
    ::ReleaseDC(button.GetSafeHwnd(), dc);
}

TEST_F(Reflection, OwnerDrawnListBoxMeasuresComparesAndDeletesItsItems)
{
    CMeasuredList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_SORT,
                            CRect(10, 50, 200, 250), &m_parent, 302));
    for (DWORD_PTR data : {DWORD_PTR(5), DWORD_PTR(9), DWORD_PTR(7)})
        ::SendMessageA(list.GetSafeHwnd(), LB_ADDSTRING, 0, static_cast<LPARAM>(data));
    EXPECT_EQ(23, list.GetItemHeight(0));
    EXPECT_GT(list.compares, 0);
    EXPECT_EQ(DWORD_PTR(9), list.GetItemData(0));
    EXPECT_EQ(DWORD_PTR(5), list.GetItemData(2));
    list.ResetContent();
    EXPECT_EQ(3u, list.deleted.size());
}

TEST_F(Reflection, CustomDrawReachesTheListObjectInsteadOfTheParent)
{
    CCustomList list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 300, 200), &m_parent, 303));
    list.InsertColumn(0, "Id", LVCFMT_LEFT, 80);
    list.InsertItem(0, " 1 ");
    list.UpdateWindow();
    fw::test::Pump();
    EXPECT_GT(list.customDraws, 0);
    EXPECT_EQ(0, m_parent.parentCustomDraws);
    EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CListCtrl)));
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    EXPECT_TRUE(header->IsKindOf(RUNTIME_CLASS(CHeaderCtrl)));
}

TEST_F(Reflection, SubclassedDialogItemGetsPreSubclassWindowOnce)
{
    const HWND raw = ::CreateWindowExA(
        0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 100, 100, m_parent.GetSafeHwnd(),
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(304)), nullptr, nullptr);
    ASSERT_NE(nullptr, raw);
    CCustomList list;
    ASSERT_TRUE(list.SubclassDlgItem(304, &m_parent));
    EXPECT_EQ(raw, list.GetSafeHwnd());
    EXPECT_EQ(&list, CWnd::FromHandlePermanent(raw));
    EXPECT_EQ(1, list.presubclasses);
    CCustomList second;
    EXPECT_FALSE(second.SubclassDlgItem(304, &m_parent));
    list.UnsubclassWindow();
    ::DestroyWindow(raw);
}
