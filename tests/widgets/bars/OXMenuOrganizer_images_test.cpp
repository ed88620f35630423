// The organizer's image sources under Wine: a second image keeps a command's index, selected
// images drawn while the item is selected, icons, and images taken from the frame's toolbars.
#include "platform/test/pump.h"
#include "tests/widgets/bars/MenuTestSupport.h"
#include "widgets/bars/OXMenuOrganizer.h"

#include <gtest/gtest.h>

using namespace menu_test;

class MenuOrganizerImages : public MenuFixture
{
};

TEST_F(MenuOrganizerImages, ASecondImageKeepsTheIndexAndOnlySwitchesTheList)
{
    ASSERT_TRUE(m_organizer->SetMenuImage(kCmdRed, bars_test::kToolBarResource, 2, 16));
    const MenuImageInfo* record = m_organizer->GetMenuImageInfo(kCmdRed);
    ASSERT_NE(nullptr, record);
    CImageList* first = record->imageList;
    EXPECT_EQ(2, record->index);
    EXPECT_EQ(-1, record->selectedIndex);
    EXPECT_EQ(0, record->isCheckMark);
    ASSERT_TRUE(m_organizer->SetMenuBitmap(kCmdRed, 0x7B10));
    EXPECT_EQ(record, m_organizer->GetMenuImageInfo(kCmdRed));
    EXPECT_EQ(2, record->index);
    EXPECT_NE(first, record->imageList);

    // An icon by handle: a list of its own, image 0.
    const HICON icon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)); // IDI_INFORMATION
    ASSERT_TRUE(m_organizer->SetMenuIcon(kCmdGreen, icon, 16, 16));
    ASSERT_NE(nullptr, m_organizer->GetMenuImageInfo(kCmdGreen));
    EXPECT_EQ(0, m_organizer->GetMenuImageInfo(kCmdGreen)->index);
    EXPECT_EQ(1, m_organizer->GetMenuImageInfo(kCmdGreen)->imageList->GetImageCount());

    // Selected images need a record first.
    EXPECT_FALSE(m_organizer->SetMenuSelectedImage(kCmdBlue, bars_test::kToolBarResource, 1, 16));
    EXPECT_FALSE(m_organizer->SetMenuSelectedIcon(kCmdBlue, icon));
    EXPECT_TRUE(m_organizer->SetMenuSelectedIcon(kCmdGreen, icon));
    EXPECT_EQ(1, m_organizer->GetMenuImageInfo(kCmdGreen)->selectedIndex);

    m_organizer->RestoreMenus();
    EXPECT_EQ(nullptr, m_organizer->GetMenuImageInfo(kCmdRed));
    EXPECT_FALSE(m_organizer->IsTopLevelPopup(::CreatePopupMenu())) << "no menu bar";
}

TEST_F(MenuOrganizerImages, TheSelectedImageIsDrawnWhileTheItemIsSelected)
{
    const HMENU popup = MakeColourPopup();
    // Red's selected image: the yellow square.
    ASSERT_TRUE(m_organizer->SetMenuSelectedImage(kCmdRed, bars_test::kToolBarResource, 3, 16));
    COLORREF unselected = 0;
    COLORREF selected = 0;
    auto& script = Frame()->m_whileOpen;
    script.push_back(
        [&](HWND window)
        {
            ::UpdateWindow(window);
            const CRect item = ItemRect(window, popup, 0);
            unselected = ScreenPixel(window, popup, 0, 2 + 8, item.Height() / 2);
            ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
        });
    script.push_back(
        [&](HWND window)
        {
            ::UpdateWindow(window);
            const CRect item = ItemRect(window, popup, 0);
            selected = ScreenPixel(window, popup, 0, 2 + 8, item.Height() / 2);
            ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    Track(popup);
    EXPECT_EQ(RGB(255, 0, 0), unselected);
    EXPECT_EQ(RGB(255, 255, 0), selected);
    ::DestroyMenu(popup);
}

TEST_F(MenuOrganizerImages, ToolbarButtonsGiveTheirCommandsTheirImages)
{
    CreateBar(*m_bar);
    m_frame->RecalcLayout();
    ASSERT_TRUE(m_organizer->SetMenuImagesFromToolbars());
    const struct
    {
        UINT command;
        int index;
    } buttons[] = {
        {bars_test::kCmdFirst, 0}, {bars_test::kCmdSecond, 1}, {bars_test::kCmdThird, 2}};
    for (const auto& button : buttons)
    {
        const MenuImageInfo* record = m_organizer->GetMenuImageInfo(button.command);
        ASSERT_NE(nullptr, record) << button.command;
        EXPECT_EQ(button.index, record->index);
        EXPECT_EQ(-1, record->selectedIndex) << "no hot images";
        EXPECT_EQ(5, record->imageList->GetImageCount());
    }
    EXPECT_EQ(nullptr, m_organizer->GetMenuImageInfo(0)) << "separators get nothing";

    // With hot images, a button's selected image is its hot one, after the normal ones.
    const HIMAGELIST normal = reinterpret_cast<HIMAGELIST>(m_bar->SendMessage(TB_GETIMAGELIST));
    const HIMAGELIST hot = ::ImageList_Duplicate(normal);
    m_bar->SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot));
    ASSERT_TRUE(m_organizer->SetMenuImagesFromToolbars());
    const MenuImageInfo* second = m_organizer->GetMenuImageInfo(bars_test::kCmdSecond);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(5 + 1, second->selectedIndex);
    EXPECT_EQ(10, second->imageList->GetImageCount());
    m_bar->SendMessage(TB_SETHOTIMAGELIST, 0, 0);
    ::ImageList_Destroy(hot);

    COXMenuOrganizer detached;
    EXPECT_FALSE(detached.SetMenuImagesFromToolbars());
}
