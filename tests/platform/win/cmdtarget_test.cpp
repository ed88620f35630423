// Command targets and command-UI state on menus and windows, and the poisoning of freed
// framework objects.
#include "platform/win/cmdtarget.h"

#include "platform/win/menu.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>

namespace
{
constexpr UINT kHandled = 5001; // command and update handler
constexpr UINT kCommandOnly = 5002;
constexpr UINT kNothing = 5003;
constexpr UINT kPassOn = 5004; // update handler that asks the next target

class CTarget : public CCmdTarget
{
public:
    int check = 0;
    int updates = 0;
    void OnHandled() {}
    void OnUpdateHandled(CCmdUI* cmdUI)
    {
        ++updates;
        cmdUI->SetCheck(check);
    }
    void OnCommandOnly() {}
    void OnUpdatePassOn(CCmdUI* cmdUI)
    {
        ++updates;
        cmdUI->ContinueRouting();
    }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CTarget, CCmdTarget, fw::command<kHandled, &CTarget::OnHandled>(),
         fw::update<kHandled, &CTarget::OnUpdateHandled>(),
         fw::command<kCommandOnly, &CTarget::OnCommandOnly>(),
         fw::update<kPassOn, &CTarget::OnUpdatePassOn>())

struct PopupFixture
{
    CMenu menu;
    PopupFixture()
    {
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kHandled, "Handled");
        menu.AppendMenu(MF_STRING, kCommandOnly, "Command only");
        menu.AppendMenu(MF_STRING, kNothing, "Nothing");
        menu.AppendMenu(MF_STRING, kPassOn, "Pass on");
    }

    CCmdUI ItemAt(UINT index)
    {
        CCmdUI state;
        state.m_pMenu = &menu;
        state.m_nIndex = index;
        state.m_nIndexMax = menu.GetMenuItemCount();
        state.m_nID = menu.GetMenuItemID(static_cast<int>(index));
        return state;
    }

    bool IsGrayed(UINT index) const { return menu.GetMenuState(index, MF_BYPOSITION) & MF_GRAYED; }
    bool IsChecked(UINT index) const
    {
        return menu.GetMenuState(index, MF_BYPOSITION) & MF_CHECKED;
    }
};
} // namespace

TEST(CmdUI, DisableIfNoHandlerAppliesOnlyWhereNoHandlerAnswers)
{
    CTarget target;
    PopupFixture popup;
    for (UINT index = 0; index < 4; ++index)
    {
        CCmdUI state = popup.ItemAt(index);
        state.DoUpdate(&target, TRUE);
    }
    EXPECT_FALSE(popup.IsGrayed(0)); // update handler
    EXPECT_FALSE(popup.IsGrayed(1)); // command handler only
    EXPECT_TRUE(popup.IsGrayed(2));  // nothing
    // An update handler that routes on counts as none here: no target has a command handler.
    EXPECT_TRUE(popup.IsGrayed(3));
    EXPECT_EQ(2, target.updates);

    CCmdUI state = popup.ItemAt(2);
    state.DoUpdate(&target, FALSE);
    EXPECT_TRUE(popup.IsGrayed(2)) << "without the flag the state is left as it was";
}

TEST(CmdUI, CheckIndeterminateRadioAndTextOnMenuItems)
{
    CTarget target;
    PopupFixture popup;
    for (const int check : {1, 2, 0})
    {
        SCOPED_TRACE(check);
        target.check = check;
        CCmdUI state = popup.ItemAt(0);
        state.DoUpdate(&target, TRUE);
        EXPECT_EQ(check != 0, popup.IsChecked(0));
    }

    CCmdUI radio = popup.ItemAt(1);
    radio.SetRadio(TRUE);
    MENUITEMINFOA info = {};
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(popup.menu.GetMenuItemInfo(1, &info, TRUE));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);

    // New text keeps the item's id and its checked and disabled state.
    CCmdUI text = popup.ItemAt(1);
    text.Enable(FALSE);
    text.SetText("Renamed");
    CString label;
    popup.menu.GetMenuString(1, label, MF_BYPOSITION);
    EXPECT_STREQ("Renamed", label);
    EXPECT_EQ(kCommandOnly, popup.menu.GetMenuItemID(1));
    EXPECT_TRUE(popup.IsGrayed(1));
    EXPECT_TRUE(popup.IsChecked(1));
}

TEST(CmdUI, WindowItemsAreEnabledCheckedAndRenamed)
{
    const HWND button =
        ::CreateWindowExA(0, "BUTTON", "old", WS_POPUP | BS_AUTO3STATE, 0, 0, 80, 20, nullptr,
                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, button);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(button));
    CCmdUI state;
    state.m_pOther = &wnd;
    state.m_nID = kNothing;
    CTarget target;
    state.DoUpdate(&target, TRUE);
    EXPECT_FALSE(::IsWindowEnabled(button));
    state.Enable(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(button));
    state.SetCheck(2);
    EXPECT_EQ(BST_INDETERMINATE, ::SendMessageA(button, BM_GETCHECK, 0, 0));
    state.SetText("new");
    char text[16] = {};
    ::GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ("new", text);
    wnd.Detach();
    ::DestroyWindow(button);
}

namespace
{
class CProbe : public CCmdTarget
{
public:
    char marker[32];
};
} // namespace

TEST(CmdTarget, FreedObjectsArePoisonedAndHeldBack)
{
    auto* probe = new CProbe;
    std::memset(probe->marker, 'A', sizeof probe->marker);
    const volatile char* marker = probe->marker;
    delete probe;
    // The memory is ours still (held back), filled with 0xDD: a later use reads poison and a
    // virtual call through it faults at once.
    for (size_t i = 0; i < sizeof probe->marker; ++i)
        EXPECT_EQ(static_cast<char>(0xDD), marker[i]);
}
