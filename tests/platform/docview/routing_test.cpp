// Command routing through the main frame, the active child, its view, the document, the
// template, the child frame, the main frame itself and the application: taking handlers away
// one by one moves a command, its update and its notifications along that order, and with
// none left the menu item and a button are disabled.
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/crackers.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace fw::test;

namespace
{
constexpr UINT kNotifyId = 0x7E40;
constexpr int kNotifyCode = -4321;

enum Level
{
    kView,
    kDoc,
    kTemplate,
    kChild,
    kMain,
    kApp,
    kLevels
};
const char* const kLevelNames[kLevels] = {"view", "doc", "template", "child", "main", "app"};

bool g_present[kLevels];
std::vector<std::string> g_handled;

// Each level has a class with handlers and a creatable subclass whose table is the handler
// class's while the level is present, the plain base's otherwise.
#define ROUTED_HANDLERS(Level)                                                                     \
    void OnCommandHere()                                                                           \
    {                                                                                              \
        g_handled.push_back(kLevelNames[Level]);                                                   \
    }                                                                                              \
    void OnUpdateHere(CCmdUI* cmdUI)                                                               \
    {                                                                                              \
        g_handled.push_back(std::string("update ") + kLevelNames[Level]);                          \
        cmdUI->Enable(TRUE);                                                                       \
    }                                                                                              \
    void OnNotifyHere(NMHDR*, LRESULT* result)                                                     \
    {                                                                                              \
        g_handled.push_back(std::string("notify ") + kLevelNames[Level]);                          \
        *result = 1;                                                                               \
    }                                                                                              \
    FW_MESSAGE_TABLE()

#define ROUTED_TABLE(Class, Base)                                                                  \
    FW_TABLE(Class, Base, fw::command<kCmdTest, &Class::OnCommandHere>(),                          \
             fw::update<kCmdTest, &Class::OnUpdateHere>(),                                         \
             fw::notify<kNotifyCode, kNotifyId, &Class::OnNotifyHere>())

#define SWITCHED_TABLE(Level, Handlers, Plain)                                                     \
    const fw::MsgTable* GetMessageTable() const override                                           \
    {                                                                                              \
        return g_present[Level] ? Handlers::Table() : Plain::Table();                              \
    }

class CHandlerView : public CTestView
{
    ROUTED_HANDLERS(kView)
};
ROUTED_TABLE(CHandlerView, CTestView)
class CRoutedView : public CHandlerView
{
    FW_CREATABLE(CRoutedView, CHandlerView)
    SWITCHED_TABLE(kView, CHandlerView, CTestView)
};

class CHandlerDoc : public CTestDocument
{
    ROUTED_HANDLERS(kDoc)
};
ROUTED_TABLE(CHandlerDoc, CTestDocument)
class CRoutedDoc : public CHandlerDoc
{
    FW_CREATABLE(CRoutedDoc, CHandlerDoc)
    SWITCHED_TABLE(kDoc, CHandlerDoc, CTestDocument)
};

class CHandlerChild : public CTestChildFrame
{
    ROUTED_HANDLERS(kChild)
};
ROUTED_TABLE(CHandlerChild, CTestChildFrame)
class CRoutedChild : public CHandlerChild
{
    FW_CREATABLE(CRoutedChild, CHandlerChild)
    SWITCHED_TABLE(kChild, CHandlerChild, CTestChildFrame)
};

class CHandlerMain : public CTestMainFrame
{
    ROUTED_HANDLERS(kMain)
};
ROUTED_TABLE(CHandlerMain, CTestMainFrame)
class CRoutedMain : public CHandlerMain
{
    FW_CREATABLE(CRoutedMain, CHandlerMain)
    SWITCHED_TABLE(kMain, CHandlerMain, CTestMainFrame)
};

class CHandlerTemplate : public CMultiDocTemplate
{
public:
    using CMultiDocTemplate::CMultiDocTemplate;
    ROUTED_HANDLERS(kTemplate)
};
ROUTED_TABLE(CHandlerTemplate, CMultiDocTemplate)
class CRoutedTemplate : public CHandlerTemplate
{
public:
    using CHandlerTemplate::CHandlerTemplate;
    SWITCHED_TABLE(kTemplate, CHandlerTemplate, CMultiDocTemplate)
};

class CHandlerApp : public TestApp
{
public:
    ROUTED_HANDLERS(kApp)
};
ROUTED_TABLE(CHandlerApp, CWinApp)
class CRoutedApp : public CHandlerApp
{
public:
    SWITCHED_TABLE(kApp, CHandlerApp, CWinApp)
};

// A bar-like window holding a push button for the command; at idle it updates the button
// from its frame's routing, as control bars do.
class CButtonBar : public CWnd
{
public:
    HWND button = nullptr;

    BOOL Create(CWnd* parent)
    {
        if (!CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), parent, 0x7E50))
            return FALSE;
        button =
            ::CreateWindowExA(0, "BUTTON", "Test", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80,
                              24, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kCmdTest)),
                              ::GetModuleHandleA(nullptr), nullptr);
        return button != nullptr;
    }
    LRESULT OnIdleUpdate(WPARAM wParam, LPARAM)
    {
        UpdateDialogControls(GetParentFrame(), static_cast<BOOL>(wParam));
        return 0;
    }

    FW_MESSAGE_TABLE()
};
FW_TABLE(CButtonBar, CWnd, fw::raw<WM_IDLEUPDATECMDUI, &CButtonBar::OnIdleUpdate>())

class Routing : public MainFrameFixture
{
protected:
    Routing()
    {
        m_docClass = RUNTIME_CLASS(CRoutedDoc);
        m_childClass = RUNTIME_CLASS(CRoutedChild);
        m_viewClass = RUNTIME_CLASS(CRoutedView);
        m_frameClass = RUNTIME_CLASS(CRoutedMain);
        for (bool& present : g_present)
            present = true;
        g_handled.clear();
    }
    std::unique_ptr<TestApp> CreateApp() override { return std::make_unique<CRoutedApp>(); }
    CMultiDocTemplate* CreateTemplate() override
    {
        return new CRoutedTemplate(0, m_docClass, m_childClass, m_viewClass);
    }

    std::vector<std::string> Route(const char* what)
    {
        g_handled.clear();
        if (std::string(what) == "command")
        {
            m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kCmdTest, 0), 0);
        }
        else if (std::string(what) == "update")
        {
            CCmdUI state;
            state.m_nID = kCmdTest;
            state.DoUpdate(m_frame, FALSE);
        }
        else
        {
            NMHDR header = {nullptr, kNotifyId, static_cast<UINT>(kNotifyCode)};
            m_frame->SendMessage(WM_NOTIFY, kNotifyId, reinterpret_cast<LPARAM>(&header));
        }
        return g_handled;
    }

    bool IsMenuItemGrayed()
    {
        const HMENU menu = ::GetMenu(m_frame->m_hWnd);
        const HMENU file = ::GetSubMenu(menu, 0);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        return (::GetMenuState(file, kCmdTest, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
};
} // namespace

TEST_F(Routing, TakingHandlersAwayMovesCommandsUpdatesAndNotificationsAlongTheOrder)
{
    ASSERT_NE(nullptr, OpenDocument());
    for (int level = 0; level < kLevels; ++level)
    {
        SCOPED_TRACE(kLevelNames[level]);
        const std::string name = kLevelNames[level];
        // A command asks for its update state first: a disabled command is not run.
        EXPECT_EQ((std::vector<std::string>{"update " + name, name}), Route("command"));
        EXPECT_EQ((std::vector<std::string>{"update " + name}), Route("update"));
        EXPECT_EQ((std::vector<std::string>{"notify " + name}), Route("notify"));
        g_present[level] = false;
    }
    EXPECT_TRUE(Route("command").empty());
}

TEST_F(Routing, WithNoHandlerLeftTheMenuItemAndTheButtonAreDisabled)
{
    ASSERT_NE(nullptr, OpenDocument());
    CButtonBar bar;
    ASSERT_TRUE(bar.Create(m_frame));

    fw::test::Pump();
    EXPECT_FALSE(IsMenuItemGrayed());
    EXPECT_TRUE(::IsWindowEnabled(bar.button));

    // Only the application handles it: still enabled.
    for (int level = kView; level < kApp; ++level)
        g_present[level] = false;
    fw::test::Pump();
    EXPECT_FALSE(IsMenuItemGrayed());
    EXPECT_TRUE(::IsWindowEnabled(bar.button));

    g_present[kApp] = false;
    fw::test::Pump();
    EXPECT_TRUE(IsMenuItemGrayed());
    EXPECT_FALSE(::IsWindowEnabled(bar.button));
}

TEST_F(Routing, WithoutAChildTheMainFrameAndTheApplicationAreAsked)
{
    EXPECT_EQ((std::vector<std::string>{"update main", "main"}), Route("command"));
    g_present[kMain] = false;
    EXPECT_EQ((std::vector<std::string>{"update app", "app"}), Route("command"));
    EXPECT_EQ((std::vector<std::string>{"update app"}), Route("update"));
}
