// Resource loading from a .rc compiled by windres: strings with their tips, menus,
// accelerators, toolbars in both layouts, icons, cursors and bitmaps.
#include "platform/win/resource.h"

#include "platform/win/platform_ids.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr UINT kMenu = 0x7D01;
constexpr UINT kToolBar16 = 0x7D02;
constexpr UINT kToolBar32 = 0x7D03;
constexpr UINT kIcon = 0x7D04;
constexpr UINT kCursor = 0x7D05;
constexpr UINT kBitmap = 0x7D06;
constexpr UINT kThing = 0x7D07;
constexpr UINT kPromptOnly = 0x7D08;
} // namespace

TEST(Resource, StringsSplitIntoPromptAndTip)
{
    CString full;
    ASSERT_TRUE(fw::LoadResourceString(kThing, full));
    EXPECT_STREQ("Do the thing\nThing", full);
    CString piece;
    EXPECT_TRUE(fw::ExtractSubString(piece, full, 0));
    EXPECT_STREQ("Do the thing", piece);
    EXPECT_TRUE(fw::ExtractSubString(piece, full, 1));
    EXPECT_STREQ("Thing", piece);
    EXPECT_FALSE(fw::ExtractSubString(piece, full, 2));

    ASSERT_TRUE(fw::LoadResourceString(kPromptOnly, full));
    EXPECT_FALSE(fw::ExtractSubString(piece, full, 1));
    EXPECT_FALSE(fw::LoadResourceString(0x7DFF, full));
    EXPECT_TRUE(full.IsEmpty());
    // The framework's own strings are there too.
    ASSERT_TRUE(fw::LoadResourceString(AFX_IDS_IDLEMESSAGE, full));
    EXPECT_STREQ("Ready", full);
}

TEST(Resource, MenusAcceleratorsIconsCursorsAndBitmapsLoad)
{
    const HMENU menu = fw::LoadResourceMenu(kMenu);
    ASSERT_NE(nullptr, menu);
    const HMENU file = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(kThing, ::GetMenuItemID(file, 0));
    EXPECT_EQ(0xE141u, ::GetMenuItemID(file, 2));
    ::DestroyMenu(menu);

    const HACCEL accelerators = fw::LoadResourceAccelerators(kMenu);
    ASSERT_NE(nullptr, accelerators);
    ACCEL entry = {};
    ASSERT_EQ(1, ::CopyAcceleratorTableA(accelerators, &entry, 1));
    EXPECT_EQ(kThing, entry.cmd);
    EXPECT_EQ('T', entry.key);

    EXPECT_NE(nullptr, fw::LoadResourceIcon(kIcon));
    EXPECT_NE(nullptr, fw::LoadResourceCursor(kCursor));
    const HBITMAP bitmap = fw::LoadResourceBitmap(kBitmap);
    ASSERT_NE(nullptr, bitmap);
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(4, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);
    ::DeleteObject(bitmap);
}

TEST(Resource, ToolBarResourcesReadInBothLayouts)
{
    fw::ToolBarResource toolBar;
    ASSERT_TRUE(fw::LoadToolBarResource(kToolBar16, toolBar));
    EXPECT_EQ(16, toolBar.width);
    EXPECT_EQ(15, toolBar.height);
    EXPECT_EQ((std::vector<UINT>{kThing, 0, 0xE141}), toolBar.items);

    ASSERT_TRUE(fw::LoadToolBarResource(kToolBar32, toolBar));
    EXPECT_EQ(24, toolBar.width);
    EXPECT_EQ(22, toolBar.height);
    EXPECT_EQ((std::vector<UINT>{kThing, 0, 0xE141}), toolBar.items);

    EXPECT_FALSE(fw::LoadToolBarResource(0x7DFF, toolBar));
}

TEST(Resource, MalformedToolBarDataIsRefused)
{
    const BYTE shortData[] = {1, 0, 16, 0};
    const BYTE countTooLarge[] = {1, 0, 16, 0, 15, 0, 9, 0, 1, 0};
    const BYTE wideCountTooLarge[] = {16, 0, 0, 0, 15, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x3F};
    fw::ToolBarResource toolBar;
    EXPECT_FALSE(fw::ParseToolBarResource(shortData, sizeof shortData, toolBar));
    EXPECT_FALSE(fw::ParseToolBarResource(countTooLarge, sizeof countTooLarge, toolBar));
    EXPECT_FALSE(fw::ParseToolBarResource(wideCountTooLarge, sizeof wideCountTooLarge, toolBar));
    EXPECT_FALSE(fw::ParseToolBarResource(nullptr, 0, toolBar));
    EXPECT_TRUE(toolBar.items.empty());
}
