// Command, notification and reflection dispatch through message tables, under Wine.
#include "platform/test/pump.h"
#include "platform/win/thread_state.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr UINT kMenuCommand = 4001;
constexpr UINT kDisabledCommand = 4002;
constexpr UINT kRangeFirst = 4010;
constexpr UINT kRangeLast = 4019;
constexpr UINT kButtonId = 4030;
constexpr UINT kSharedFirst = 4031; // two single commands sharing one handler
constexpr UINT kSharedSecond = 4033;
constexpr UINT kNotifyId = 4040;
constexpr int kCustomCode = -1234;

UINT g_registeredMsg = ::RegisterWindowMessageA("GravikFwDispatchTest");

// A parent window with one handler of each kind; calls records what ran.
class CParentWnd : public CWnd
{
public:
    std::vector<std::string> calls;
    BOOL rangeHandles = TRUE;

    BOOL CreateHidden()
    {
        return CreateEx(0, fw::RegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                        nullptr, nullptr);
    }

    void OnMenuCommand() { calls.push_back("command"); }
    void OnSelChange() { calls.push_back("selchange"); }
    void OnDisabled() { calls.push_back("disabled ran"); }
    void OnUpdateDisabled(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }
    BOOL OnRange(UINT id)
    {
        calls.push_back("range " + std::to_string(id));
        return rangeHandles;
    }
    void OnButton() { calls.push_back("button"); }
    void OnShared(UINT id) { calls.push_back("shared " + std::to_string(id)); }
    void OnNotifyCode(NMHDR* header, LRESULT* result)
    {
        calls.push_back("notify " + std::to_string(header->idFrom));
        *result = 77;
    }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT type)
    {
        calls.push_back("ctlcolor " + std::to_string(type));
        return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    }
    LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1; }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CParentWnd, CWnd, fw::command<kMenuCommand, &CParentWnd::OnMenuCommand>(),
         fw::control<CBN_SELCHANGE, kMenuCommand, &CParentWnd::OnSelChange>(),
         fw::command<kDisabledCommand, &CParentWnd::OnDisabled>(),
         fw::update<kDisabledCommand, &CParentWnd::OnUpdateDisabled>(),
         fw::command_range<kRangeFirst, kRangeLast, &CParentWnd::OnRange>(),
         fw::command<kButtonId, &CParentWnd::OnButton>(),
         fw::command<kSharedFirst, &CParentWnd::OnShared>(),
         fw::command<kSharedSecond, &CParentWnd::OnShared>(),
         fw::notify<kCustomCode, kNotifyId, &CParentWnd::OnNotifyCode>(),
         fw::on<WM_CTLCOLOR, &CParentWnd::OnCtlColor>(),
         fw::registered<&g_registeredMsg, &CParentWnd::OnRegistered>())

// A child control whose object handles what its parent reflects to it.
class CReflectingButton : public CWnd
{
public:
    std::vector<std::string>* calls = nullptr;
    BOOL letParentHaveNotify = FALSE;
    HBRUSH brush = nullptr;

    void OnClickedReflect() { calls->push_back("reflected click"); }
    BOOL OnNotifyReflect(NMHDR*, LRESULT* result)
    {
        calls->push_back("reflected notify");
        *result = 5;
        return !letParentHaveNotify;
    }
    HBRUSH OnCtlColorReflect(CDC*, UINT) { return brush; }
    void OnDrawItemReflect(LPDRAWITEMSTRUCT) { calls->push_back("reflected draw"); }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CReflectingButton, CWnd,
         fw::reflect_control<BN_CLICKED, &CReflectingButton::OnClickedReflect>(),
         fw::reflect_notify_ex<kCustomCode, &CReflectingButton::OnNotifyReflect>(),
         fw::reflect<WM_CTLCOLOR, &CReflectingButton::OnCtlColorReflect>(),
         fw::reflect<WM_DRAWITEM, &CReflectingButton::OnDrawItemReflect>())

WPARAM CommandWParam(UINT id, UINT code)
{
    return MAKEWPARAM(id, code);
}

LRESULT SendNotify(CWnd& parent, HWND from, UINT id, int code)
{
    NMHDR header = {from, id, static_cast<UINT>(code)};
    return parent.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}
} // namespace

TEST(Dispatch, ComboSelectionWithAMenuCommandsIdDoesNotRunTheCommand)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateHidden());
    const HWND combo = ::CreateWindowExA(
        0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, parent.m_hWnd,
        reinterpret_cast<HMENU>(UINT_PTR{kMenuCommand}), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, combo);
    // CBN_SELCHANGE is 1, as an accelerator's code is: only the control entry runs.
    parent.SendMessage(WM_COMMAND, CommandWParam(kMenuCommand, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ((std::vector<std::string>{"selchange"}), parent.calls);
    parent.calls.clear();

    // The same id from a menu (code 0) and from an accelerator posted with code 1 runs it.
    parent.SendMessage(WM_COMMAND, CommandWParam(kMenuCommand, 0), 0);
    parent.PostMessage(WM_COMMAND, CommandWParam(kMenuCommand, 1), 0);
    fw::test::Pump();
    EXPECT_EQ((std::vector<std::string>{"command", "command"}), parent.calls);
}

TEST(Dispatch, DisabledCommandIsDroppedAndRangeHandlersSeeTheirId)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateHidden());
    parent.SendMessage(WM_COMMAND, CommandWParam(kDisabledCommand, 0), 0);
    EXPECT_TRUE(parent.calls.empty());

    parent.SendMessage(WM_COMMAND, CommandWParam(kRangeFirst + 3, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"range 4013"}), parent.calls);
    // An "ex" handler answering FALSE leaves the command unhandled.
    parent.rangeHandles = FALSE;
    EXPECT_FALSE(parent.OnCmdMsg(kRangeFirst, CN_COMMAND, nullptr, nullptr));
    fw::CmdHandlerInfo info;
    EXPECT_TRUE(parent.OnCmdMsg(kRangeLast, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&parent, info.target);
    EXPECT_FALSE(parent.OnCmdMsg(kRangeLast + 1, CN_COMMAND, nullptr, &info));

    // A single command whose handler takes the id sees its own, and only its own.
    parent.calls.clear();
    for (const UINT id : {kSharedFirst, kSharedFirst + 1, kSharedSecond})
        parent.SendMessage(WM_COMMAND, CommandWParam(id, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"shared 4031", "shared 4033"}), parent.calls);
}

TEST(Dispatch, ControlReflectionComesBeforeTheParent)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateHidden());
    const HWND button = ::CreateWindowExA(
        0, "BUTTON", "b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20, parent.m_hWnd,
        reinterpret_cast<HMENU>(UINT_PTR{kButtonId}), ::GetModuleHandleA(nullptr), nullptr);
    // Without an object the click reaches the parent's command entry.
    parent.SendMessage(WM_COMMAND, CommandWParam(kButtonId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
    EXPECT_EQ((std::vector<std::string>{"button"}), parent.calls);
    parent.calls.clear();

    CReflectingButton object;
    object.calls = &parent.calls;
    ASSERT_TRUE(object.SubclassWindow(button));
    parent.SendMessage(WM_COMMAND, CommandWParam(kButtonId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
    EXPECT_EQ((std::vector<std::string>{"reflected click"}), parent.calls);
    parent.calls.clear();

    // Notifications: the child first; FALSE from an "ex" handler lets the parent have it too.
    EXPECT_EQ(5, SendNotify(parent, button, kNotifyId, kCustomCode));
    EXPECT_EQ((std::vector<std::string>{"reflected notify"}), parent.calls);
    parent.calls.clear();
    object.letParentHaveNotify = TRUE;
    EXPECT_EQ(77, SendNotify(parent, button, kNotifyId, kCustomCode));
    EXPECT_EQ((std::vector<std::string>{"reflected notify", "notify 4040"}), parent.calls);
    parent.calls.clear();

    // Colours: a brush from the child wins; a null one leaves it to the parent.
    const HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    object.brush = white;
    const HDC dc = ::GetDC(button);
    EXPECT_EQ(reinterpret_cast<LRESULT>(white),
              parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(button)));
    EXPECT_TRUE(parent.calls.empty());
    object.brush = nullptr;
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)),
              parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(button)));
    EXPECT_EQ((std::vector<std::string>{"ctlcolor " + std::to_string(CTLCOLOR_BTN)}), parent.calls);
    ::ReleaseDC(button, dc);
    parent.calls.clear();

    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kButtonId;
    item.hwndItem = button;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ((std::vector<std::string>{"reflected draw"}), parent.calls);
    object.UnsubclassWindow();
}

TEST(Dispatch, RegisteredMessageNumberIsReadAtDispatch)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateHidden());
    ASSERT_NE(0u, g_registeredMsg);
    EXPECT_EQ(8, parent.SendMessage(g_registeredMsg, 7));
    // A message that is not registered still goes to the default procedure.
    EXPECT_EQ(0, parent.SendMessage(WM_APP + 77, 7));
}
