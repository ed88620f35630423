// Menus: the permanent map, Attach and Detach, and owner-drawn items reaching the attached
// object while the menu is tracked.
#include "platform/win/menu.h"

#include "platform/test/pump.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
constexpr UINT kItemA = 6001;
constexpr UINT kItemB = 6002;

class COwnerDrawnMenu : public CMenu
{
public:
    int measured = 0;
    int drawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        ++measured;
        item->itemWidth = 80;
        item->itemHeight = 18;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++drawn;
        ::FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    }
};

void CALLBACK EndTracking(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hwnd, id);
    ::EndMenu();
}

// Tracks the popup at the window until a timer ends it.
void TrackBriefly(CMenu& popup, CWnd& owner)
{
    ::SetForegroundWindow(owner.m_hWnd);
    owner.SetTimer(77, 150, &EndTracking);
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 100, 100, &owner);
    fw::test::Pump();
}
} // namespace

TEST(Menu, AttachMakesTheObjectPermanentAndDetachGivesTheHandleUp)
{
    const HMENU handle = ::CreatePopupMenu();
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(handle));
    CMenu* temp = CMenu::FromHandle(handle);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(handle, temp->m_hMenu);
    {
        CMenu menu;
        ASSERT_TRUE(menu.Attach(handle));
        EXPECT_EQ(&menu, CMenu::FromHandle(handle));
        EXPECT_EQ(handle, menu.Detach());
        EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(handle));
    }
    // Detached, the menu outlived its object; the temporaries go at idle.
    EXPECT_TRUE(::IsMenu(handle));
    fw::FreeTemporaries();
    EXPECT_TRUE(fw::GetThreadState().tempMenus.empty());
    {
        CMenu owner;
        owner.Attach(handle);
    }
    EXPECT_FALSE(::IsMenu(handle)) << "an object destroys the menu it holds";
}

TEST(Menu, OwnerDrawnItemsReachTheAttachedObjectWhileTrackedAndAfterReattaching)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, fw::RegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0,
                               300, 300, nullptr, nullptr));
    COwnerDrawnMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, kItemA, reinterpret_cast<const char*>(1));
    popup.AppendMenu(MF_OWNERDRAW, kItemB, reinterpret_cast<const char*>(2));

    TrackBriefly(popup, owner);
    EXPECT_EQ(2, popup.measured);
    EXPECT_GE(popup.drawn, 2);

    // Detached and attached again (as a bitmap menu does around each tracking).
    const HMENU handle = popup.Detach();
    popup.measured = 0;
    popup.drawn = 0;
    ASSERT_TRUE(popup.Attach(handle));
    // The system measures items once per menu: new items are measured again.
    popup.AppendMenu(MF_OWNERDRAW, kItemB + 1, reinterpret_cast<const char*>(3));
    TrackBriefly(popup, owner);
    EXPECT_GE(popup.measured, 1);
    EXPECT_GE(popup.drawn, 3);
}
