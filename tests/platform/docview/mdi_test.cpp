// MDI children, documents and views under Wine: creation order, initial update, activation
// with its menu and view, titles with window numbers, documents that close with their last
// view, and handlers that delete their own window or the object that owns them.
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
constexpr UINT kCmdCloseOwnFrame = 0x7E10;
constexpr UINT kCmdCloseDocument = 0x7E11;

int g_documentsDeleted = 0;

class CCountedDoc : public CTestDocument
{
    FW_CREATABLE(CCountedDoc, CTestDocument)

public:
    ~CCountedDoc() override { ++g_documentsDeleted; }
};

// Counts WM_INITIALUPDATE; made inside each view to stand for its descendants.
class CInitialUpdateProbe : public CWnd
{
public:
    int initialUpdates = 0;
    LRESULT OnInitialUpdateMsg(WPARAM, LPARAM)
    {
        ++initialUpdates;
        return 0;
    }
    FW_MESSAGE_TABLE()
};
FW_TABLE(CInitialUpdateProbe, CWnd,
         fw::raw<WM_INITIALUPDATE, &CInitialUpdateProbe::OnInitialUpdateMsg>())

// A view that counts kCmdTest, closes its own frame or its document on command, and holds a
// probe window.
class CCommandView : public CTestView
{
    FW_CREATABLE(CCommandView, CTestView)

public:
    int commands = 0;
    CInitialUpdateProbe probe;

    void OnTest() { ++commands; }
    // The frame goes, and this view with it, while the handler runs.
    void OnCloseOwnFrame() { GetParentFrame()->DestroyWindow(); }
    // The document closes every frame and view, then deletes itself.
    void OnCloseDocument() { GetDocument()->OnCloseDocument(); }

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CTestView::OnCreate(cs) == -1)
            return -1;
        return probe.Create(nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), this, 1) ? 0 : -1;
    }
};
FW_TABLE(CCommandView, CTestView, fw::on<WM_CREATE, &CCommandView::OnCreate>(),
         fw::command<kCmdTest, &CCommandView::OnTest>(),
         fw::command<kCmdCloseOwnFrame, &CCommandView::OnCloseOwnFrame>(),
         fw::command<kCmdCloseDocument, &CCommandView::OnCloseDocument>())

class Mdi : public MainFrameFixture
{
protected:
    Mdi()
    {
        m_docClass = RUNTIME_CLASS(CCountedDoc);
        m_viewClass = RUNTIME_CLASS(CCommandView);
        g_documentsDeleted = 0;
    }

    CCommandView* ViewOf(CDocument* document)
    {
        POSITION position = document->GetFirstViewPosition();
        return position ? dynamic_cast<CCommandView*>(document->GetNextView(position)) : nullptr;
    }

    int DocumentCount()
    {
        int count = 0;
        for (POSITION position = m_template->GetFirstDocPosition(); position; ++count)
            m_template->GetNextDoc(position);
        return count;
    }

    CString TextOf(const CWnd* wnd)
    {
        CString text;
        wnd->GetWindowText(text);
        return text;
    }
};

// The events of `expected` appear in order in Events() (others may come between).
::testing::AssertionResult HasSubsequence(const std::vector<std::string>& expected)
{
    size_t next = 0;
    for (const std::string& event : Events())
    {
        if (next < expected.size() && event == expected[next])
            ++next;
    }
    if (next == expected.size())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "missing \"" << expected[next] << "\" in:";
    for (const std::string& event : Events())
        failure << " \"" << event << "\"";
    return failure;
}
} // namespace

TEST_F(Mdi, ViewIsCreatedSizedInitialisedThenDrawn)
{
    ASSERT_NE(nullptr, OpenDocument());
    EXPECT_TRUE(
        HasSubsequence({"view precreate", "view create", "view initial update", "view draw"}));
    // A size comes between creation and the initial update (the first may be 0 x 0).
    const auto created = std::find(Events().begin(), Events().end(), "view create");
    const auto initial = std::find(Events().begin(), Events().end(), "view initial update");
    EXPECT_TRUE(std::any_of(created, initial,
                            [](const std::string& event)
                            { return event.rfind("view size ", 0) == 0; }));
    // The view fills the child's client area.
    CRect client;
    ActiveChild()->GetClientRect(&client);
    CRect view;
    ActiveView()->GetWindowRect(&view);
    EXPECT_EQ(client.Size(), view.Size());
}

TEST_F(Mdi, InitialUpdateReachesEveryDescendantOnce)
{
    CDocument* document = OpenDocument();
    ASSERT_NE(nullptr, document);
    EXPECT_EQ(1, ViewOf(document)->probe.initialUpdates);
}

TEST_F(Mdi, OnlyTheActiveChildsViewGetsCommandsAndActivationSwapsMenuAndView)
{
    const HMENU mainMenu = ::GetMenu(m_frame->m_hWnd);
    CDocument* first = OpenDocument();
    CMDIChildWnd* firstChild = ActiveChild();
    CDocument* second = OpenDocument();
    CMDIChildWnd* secondChild = ActiveChild();
    ASSERT_NE(firstChild, secondChild);
    EXPECT_EQ(m_template->m_hMenuShared, ::GetMenu(m_frame->m_hWnd));

    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kCmdTest, 0), 0);
    EXPECT_EQ(0, ViewOf(first)->commands);
    EXPECT_EQ(1, ViewOf(second)->commands);

    m_frame->MDIActivate(firstChild);
    fw::test::Pump();
    EXPECT_EQ(firstChild, ActiveChild());
    EXPECT_EQ(ViewOf(first), ActiveView());
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kCmdTest, 0), 0);
    EXPECT_EQ(1, ViewOf(first)->commands);
    EXPECT_EQ(1, ViewOf(second)->commands);

    // The children's menu lists them in its Window popup; with none left the frame's own
    // menu returns.
    const HMENU windowPopup = ::GetSubMenu(m_template->m_hMenuShared, 1);
    EXPECT_EQ(static_cast<UINT>(AFX_IDM_FIRST_MDICHILD + 1),
              ::GetMenuItemID(windowPopup, ::GetMenuItemCount(windowPopup) - 1));
    m_app->CloseAllDocuments(FALSE);
    fw::test::Pump();
    EXPECT_EQ(nullptr, ActiveChild());
    EXPECT_EQ(mainMenu, ::GetMenu(m_frame->m_hWnd));
}

TEST_F(Mdi, PostedCommandWithHighWordOneAndTheAcceleratorRunIt)
{
    CDocument* document = OpenDocument();
    m_frame->PostMessage(WM_COMMAND, MAKEWPARAM(kCmdTest, 1), 0);
    fw::test::Pump();
    EXPECT_EQ(1, ViewOf(document)->commands);
    // Ctrl+T typed into the view: the documents' accelerators, in the frame's name.
    fw::test::PressKey(ActiveView()->m_hWnd, 'T', true);
    EXPECT_EQ(2, ViewOf(document)->commands);
}

TEST_F(Mdi, ClosingTheLastViewDeletesTheDocument)
{
    CDocument* document = OpenDocument();
    ASSERT_NE(nullptr, document);
    // A second frame on the same document (Window > New Window).
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WINDOW_NEW, 0), 0);
    fw::test::Pump();
    CMDIChildWnd* secondFrame = ActiveChild();
    EXPECT_EQ(document, secondFrame->GetActiveDocument());
    EXPECT_STREQ("TestDoc1:2", TextOf(secondFrame));

    secondFrame->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_EQ(0, g_documentsDeleted);
    EXPECT_EQ(1, DocumentCount());
    EXPECT_STREQ("TestDoc1", TextOf(ActiveChild())) << "the only frame loses its number";

    ActiveChild()->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_EQ(1, g_documentsDeleted);
    EXPECT_EQ(0, DocumentCount());
}

TEST_F(Mdi, DocumentMadeByProgramCodeJoinsItsTemplate)
{
    auto* document = new CCountedDoc;
    document->SetTitle("Made");
    CFrameWnd* frame = m_template->CreateNewFrame(document, nullptr);
    ASSERT_NE(nullptr, frame);
    m_template->InitialUpdateFrame(frame, document, TRUE);
    fw::test::Pump();
    EXPECT_EQ(m_template, document->GetDocTemplate());
    EXPECT_EQ(1, DocumentCount());
    EXPECT_STREQ("Made", TextOf(frame));
    CString caption = TextOf(m_frame);
    EXPECT_STREQ("Framework Test - Made", caption);
    m_app->CloseAllDocuments(FALSE);
    EXPECT_EQ(1, g_documentsDeleted);
}

TEST_F(Mdi, HandlersThatDeleteTheirOwnWindowOrTheirOwnerReturnCleanly)
{
    // Freed framework objects are poisoned and held back: any use after the handler faults.
    CDocument* document = OpenDocument();
    ASSERT_NE(nullptr, document);
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(kCmdCloseOwnFrame, 0), 0);
    fw::test::Pump();
    EXPECT_EQ(nullptr, ActiveChild());
    EXPECT_EQ(1, g_documentsDeleted);

    OpenDocument();
    OpenDocument();
    ASSERT_EQ(2, DocumentCount());
    m_frame->PostMessage(WM_COMMAND, MAKEWPARAM(kCmdCloseDocument, 1), 0);
    fw::test::Pump();
    EXPECT_EQ(1, DocumentCount());
    EXPECT_EQ(2, g_documentsDeleted);
    EXPECT_NE(nullptr, ActiveChild());
}

TEST_F(Mdi, WindowMenuAndSystemKeysOfTheChildrenWork)
{
    OpenDocument();
    CMDIChildWnd* first = ActiveChild();
    OpenDocument();
    CMDIChildWnd* second = ActiveChild();
    // The Window menu's first child item goes to the frame procedure, which activates it.
    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(AFX_IDM_FIRST_MDICHILD, 0), 0);
    EXPECT_EQ(first, ActiveChild());
    // Ctrl+F6 moves to the next child (the system's MDI keys).
    fw::test::PressKey(first->m_hWnd, VK_F6, true);
    EXPECT_EQ(second, ActiveChild());
}

TEST_F(Mdi, DeletingAViewWhoseWindowLivesLeavesNoDanglingActiveView)
{
    OpenDocument();
    CMDIChildWnd* child = ActiveChild();
    CView* view = child->GetActiveView();
    ASSERT_NE(nullptr, view);
    delete view;
    EXPECT_EQ(nullptr, child->GetActiveView());
    EXPECT_EQ(1, g_documentsDeleted) << "its last view gone, the document closed";
    child->DestroyWindow();
}

namespace
{
// What the help loop shows while it runs, then the Esc that ends it.
CFrameWnd* g_helpFrame = nullptr;
CFrameWnd* g_helpChild = nullptr;
BOOL g_frameHelp = HELP_INACTIVE;
BOOL g_childHelp = HELP_INACTIVE;
bool g_helpSeen = false;

void CALLBACK SeeHelpModeThenEscape(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    g_frameHelp = g_helpFrame->m_bHelpMode;
    g_childHelp = g_helpChild->m_bHelpMode;
    g_helpSeen = true;
    ::PostMessageA(g_helpFrame->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
}
} // namespace

TEST_F(Mdi, ContextHelpRoutedToAChildRunsInTheMainFrameAndEscEndsIt)
{
    OpenDocument();
    g_helpFrame = m_frame;
    g_helpChild = ActiveChild();
    g_frameHelp = g_childHelp = HELP_INACTIVE;
    g_helpSeen = false;
    // The command reaches the active child first; help mode must still be the main frame's,
    // where the exit message, Esc and the frame's own commands look for it.
    m_frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    ::SetTimer(nullptr, 0, 0, &SeeHelpModeThenEscape);
    ASSERT_TRUE(fw::test::WaitFor([] { return g_helpSeen; }));
    EXPECT_EQ(HELP_ACTIVE, g_frameHelp);
    EXPECT_EQ(HELP_INACTIVE, g_childHelp);
    EXPECT_EQ(HELP_INACTIVE, m_frame->m_bHelpMode) << "Esc ended it";
    EXPECT_EQ(HELP_INACTIVE, ActiveChild()->m_bHelpMode);
}
