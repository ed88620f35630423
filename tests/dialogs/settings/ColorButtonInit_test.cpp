// The settings pages' colour-button set-up under Wine: the colour shown is the one given, and
// the popup's "Default" entry, picked later, brings it back.
#include "dialogs/settings/ColorButtonInit.h"

#include "platform/test/pump.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "widgets/bars/OXColorPickerButton.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

namespace
{
COXColorPopupBar* g_bar = nullptr;

// Picks the default entry from inside the popup's modal loop.
void CALLBACK PickDefault(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    const CPoint point = g_bar->GetButtonRect(0).CenterPoint();
    const LPARAM where = MAKELPARAM(point.x, point.y);
    ::PostMessageA(g_bar->GetSafeHwnd(), WM_MOUSEMOVE, 0, where);
    ::PostMessageA(g_bar->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageA(g_bar->GetSafeHwnd(), WM_LBUTTONUP, 0, where);
}
} // namespace

using ColorButtonInit = DialogFixture;

TEST_F(ColorButtonInit, ShowsTheColourAndMakesItWhatDefaultRestores)
{
    COXColorPickerButton button(40, 4, 0xFFFFFFFF, 18, 18, 26536, 26537);
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 80, 44), m_frame, 0x7C01));
    InitColorButton(button, RGB(1, 1, 1), RGB(250, 0, 0));
    EXPECT_EQ(RGB(250, 0, 0), button.GetColor());
    COXColorPopupBar& bar = button.GetColorBar();
    EXPECT_STREQ("Default", bar.GetDefaultButtonText());
    EXPECT_STREQ("Custom...", bar.GetCustomButtonText());

    button.SetColor(RGB(0, 0, 255));
    g_bar = &bar;
    ::SetTimer(nullptr, 0, 30, &PickDefault);
    fw::test::Click(button.GetSafeHwnd(), 20, 10);
    fw::test::Pump();
    EXPECT_EQ(RGB(250, 0, 0), button.GetColor());
    button.DestroyWindow();
}
