// Control wrappers on real controls: item data keeps all 64 bits, 32-bit ranges round-trip,
// long texts come back whole, and the common controls' records have their x64 sizes.
#include "platform/ctrl/comctrl.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/ctrl/tooltip.h"
#include "platform/ctrl/treectrl.h"
#include "platform/win/dc.h"
#include "platform/win/gdiobj.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{
// Above 32 bits, as a pointer on x64 may be.
const DWORD_PTR kWideData = static_cast<DWORD_PTR>(0x123456789ABCDEF0ull);

class Controls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, fw::RegisterWndClass(0), "controls",
                                      WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                                      nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    static CRect Area() { return CRect(10, 10, 300, 200); }

    CWnd m_parent;
};
} // namespace

TEST_F(Controls, ItemDataKeepsAllSixtyFourBits)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_NOTIFY, Area(), &m_parent, 101));
    list.SetItemData(list.AddString("one"), kWideData);
    EXPECT_EQ(kWideData, list.GetItemData(0));

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, Area(), &m_parent, 102));
    combo.SetItemData(combo.AddString("one"), kWideData);
    EXPECT_EQ(kWideData, combo.GetItemData(0));

    CListCtrl listView;
    ASSERT_TRUE(listView.Create(WS_CHILD | LVS_REPORT, Area(), &m_parent, 103));
    listView.InsertColumn(0, "Id", LVCFMT_LEFT, 80);
    ASSERT_EQ(0, listView.InsertItem(0, " 12 "));
    EXPECT_TRUE(listView.SetItemData(0, kWideData));
    EXPECT_EQ(kWideData, listView.GetItemData(0));

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD, Area(), &m_parent, 104));
    const HTREEITEM item = tree.InsertItem("node");
    EXPECT_TRUE(tree.SetItemData(item, kWideData));
    EXPECT_EQ(kWideData, tree.GetItemData(item));

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD, Area(), &m_parent, 105));
    ASSERT_EQ(0, tabs.InsertItem(0, "page"));
    EXPECT_TRUE(tabs.SetItemData(0, kWideData));
    EXPECT_EQ(kWideData, tabs.GetItemData(0));
}

TEST_F(Controls, RangesKeepThirtyTwoBits)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | TBS_HORZ, Area(), &m_parent, 201));
    slider.SetRange(0, 370000);
    slider.SetPos(250000);
    int low = -1;
    int high = -1;
    slider.GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(370000, high);
    EXPECT_EQ(250000, slider.GetPos());

    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD, CRect(0, 0, 60, 20), &m_parent, 204));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, CRect(60, 0, 80, 20),
                            &m_parent, 202));
    spin.SetBuddy(&buddy);
    spin.SetRange(-100000, 250000);
    spin.SetPos(123456);
    spin.GetRange(low, high);
    EXPECT_EQ(-100000, low);
    EXPECT_EQ(250000, high);
    BOOL error = TRUE;
    EXPECT_EQ(123456, spin.GetPos(&error));
    EXPECT_FALSE(error);
    ::SetWindowTextA(buddy.GetSafeHwnd(), "abc");
    spin.GetPos(&error);
    EXPECT_TRUE(error);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD, Area(), &m_parent, 203));
    progress.SetRange(0, 500000);
    progress.SetPos(400000);
    progress.GetRange(low, high);
    EXPECT_EQ(500000, high);
    EXPECT_EQ(400000, progress.GetPos());
}

TEST_F(Controls, TextsComeBackWhole)
{
    const std::string longText(700, 'x');
    CListCtrl listView;
    ASSERT_TRUE(listView.Create(WS_CHILD | LVS_REPORT, Area(), &m_parent, 301));
    listView.InsertColumn(0, "A", LVCFMT_LEFT, 60);
    listView.InsertColumn(1, "B", LVCFMT_RIGHT, 70);
    listView.InsertItem(0, "first");
    listView.SetItemText(0, 1, longText.c_str());
    EXPECT_STREQ(longText.c_str(), listView.GetItemText(0, 1));
    EXPECT_STREQ("first", listView.GetItemText(0, 0));
    EXPECT_EQ(70, listView.GetColumnWidth(1));
    CHeaderCtrl* header = listView.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(2, header->GetItemCount());

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS, Area(), &m_parent, 302));
    const HTREEITEM root = tree.InsertItem("root");
    const HTREEITEM child = tree.InsertItem(longText.c_str(), root);
    const HTREEITEM second = tree.InsertItem("second", root);
    EXPECT_STREQ(longText.c_str(), tree.GetItemText(child));
    EXPECT_EQ(root, tree.GetParentItem(child));
    EXPECT_EQ(second, tree.GetNextSiblingItem(child));
    EXPECT_EQ(child, tree.GetChildItem(root));
    EXPECT_EQ(3u, tree.GetCount());

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, Area(), &m_parent, 303));
    combo.AddString(longText.c_str());
    CString text;
    EXPECT_EQ(700, combo.GetLBText(0, text));
    EXPECT_STREQ(longText.c_str(), text);
    EXPECT_EQ(CB_ERR, combo.GetLBText(5, text));
    EXPECT_TRUE(text.IsEmpty());

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE, Area(), &m_parent, 304));
    ::SetWindowTextA(edit.GetSafeHwnd(), "one\r\ntwo lines");
    EXPECT_EQ(2, edit.GetLineCount());
    EXPECT_STREQ("two lines", edit.GetLine(1));
    EXPECT_STREQ("", edit.GetLine(7));
}

TEST_F(Controls, ToolTipsTakeTheirToolRecords)
{
    CButton button;
    ASSERT_TRUE(button.Create("OK", WS_CHILD, CRect(10, 10, 80, 30), &m_parent, IDOK));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&m_parent));
    EXPECT_TRUE(tips.AddTool(&button, "Confirms the settings"));
    EXPECT_TRUE(tips.AddTool(&m_parent, "A corner", CRect(0, 0, 5, 5), 1000));
    EXPECT_EQ(2, tips.GetToolCount());
    tips.UpdateTipText("Applies the settings", &button);
    CString text;
    tips.GetText(text, &button);
    EXPECT_STREQ("Applies the settings", text);
    tips.DelTool(&button);
    EXPECT_EQ(1, tips.GetToolCount());
    tips.DestroyWindow();
}

TEST(ImageList, OwnsWhatItMadeAndWrapsWhatItDidNot)
{
    auto images = std::make_unique<CImageList>();
    ASSERT_TRUE(images->Create(16, 16, ILC_COLOR24, 2, 2));
    const HDC screen = ::GetDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(screen, 16, 16));
    {
        const HDC memory = ::CreateCompatibleDC(screen);
        const HGDIOBJ old = ::SelectObject(memory, bitmap.GetSafeHandle());
        const RECT all = {0, 0, 16, 16};
        const HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(memory, &all, red);
        ::DeleteObject(red);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    EXPECT_EQ(0, images->Add(&bitmap, static_cast<CBitmap*>(nullptr)));
    EXPECT_EQ(1, images->GetImageCount());

    // Drawn into a white bitmap, the picture shows red.
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP target = ::CreateCompatibleBitmap(screen, 20, 20);
    const HGDIOBJ old = ::SelectObject(memory, target);
    ::PatBlt(memory, 0, 0, 20, 20, WHITENESS);
    EXPECT_TRUE(images->Draw(CDC::FromHandle(memory), 0, CPoint(2, 2), ILD_NORMAL));
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(memory, 10, 10));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(memory, 0, 0));
    ::SelectObject(memory, old);
    ::DeleteObject(target);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    const HIMAGELIST handle = images->GetSafeHandle();
    EXPECT_EQ(images.get(), CImageList::FromHandle(handle));
    images.reset();
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(handle));

    const HIMAGELIST foreign = ::ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
    CImageList* temporary = CImageList::FromHandle(foreign);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(foreign));
    EXPECT_FALSE(temporary->DeleteImageList()); // a temporary owns nothing
    EXPECT_TRUE(::ImageList_Destroy(foreign));
}
