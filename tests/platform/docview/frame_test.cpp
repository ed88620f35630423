// Frames under Wine: loading from resources, layout around the client pane, status-bar
// prompts, and closing with the save question.
#include "platform/base/os.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/crackers.h"
#include "platform/win/texts.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

using namespace fw::test;

namespace
{
constexpr UINT kLoadedFrame = 0x7C01;

class CLoadedFrame : public CFrameWnd
{
    FW_CREATABLE(CLoadedFrame, CFrameWnd)

public:
    int commands = 0;
    void OnTest() { ++commands; }
    FW_MESSAGE_TABLE()
};
FW_TABLE(CLoadedFrame, CFrameWnd, fw::command<kCmdTest, &CLoadedFrame::OnTest>())

class Frame : public MainFrameFixture
{
protected:
    CRect ClientRectOf(HWND hwnd)
    {
        CRect rect;
        ::GetWindowRect(hwnd, &rect);
        ::MapWindowPoints(nullptr, m_frame->m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }
};
} // namespace

TEST(FrameResources, LoadFrameTakesMenuAcceleratorsIconAndTitleFromTheResource)
{
    auto* frame = new CLoadedFrame;
    ASSERT_TRUE(frame->LoadFrame(kLoadedFrame));
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ("Loaded Frame", title);
    EXPECT_STREQ("Loaded Frame", frame->m_strTitle);
    ASSERT_NE(nullptr, frame->m_hMenuDefault);
    EXPECT_EQ(frame->m_hMenuDefault, ::GetMenu(frame->m_hWnd));
    EXPECT_EQ(kCmdTest, ::GetMenuItemID(::GetSubMenu(frame->m_hMenuDefault, 0), 0));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(::GetClassLongPtrA(frame->m_hWnd, GCLP_HICON)));
    EXPECT_TRUE(frame->GetStyle() & FWS_ADDTOTITLE);

    // Ctrl+Q of its accelerators runs the command.
    frame->ShowWindow(SW_SHOW);
    fw::test::PressKey(frame->m_hWnd, 'Q', true);
    EXPECT_EQ(1, frame->commands);
    const HWND hwnd = frame->m_hWnd;
    frame->DestroyWindow(); // deletes itself
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(FrameResources, AFrameWithoutItsMenuResourceIsNotMadeAndDeletesItself)
{
    auto* frame = new CLoadedFrame;
    EXPECT_FALSE(frame->LoadFrame(0x7CFF));
    // Nothing to check on the object: it is gone (poisoned if touched).
}

TEST_F(Frame, BarsTakeTheirSidesAndTheClientPaneTheRestAQueryMovesNothing)
{
    auto* frame = dynamic_cast<CTestMainFrame*>(m_frame);
    ASSERT_NE(nullptr, frame);
    CRect client;
    m_frame->GetClientRect(&client);
    EXPECT_EQ(CRect(0, client.bottom - kStatusPaneHeight, client.right, client.bottom),
              ClientRectOf(frame->m_statusPane.m_hWnd));
    EXPECT_EQ(CRect(0, 0, client.right, client.bottom - kStatusPaneHeight),
              ClientRectOf(m_frame->m_hWndMDIClient));

    // A query measures the rest without moving the pane or the bar.
    CRect rest;
    m_frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rest,
                            CRect(0, 0, 400, 300));
    EXPECT_EQ(CRect(0, 0, 400, 300 - kStatusPaneHeight), rest);
    EXPECT_EQ(CRect(0, 0, client.right, client.bottom - kStatusPaneHeight),
              ClientRectOf(m_frame->m_hWndMDIClient));

    // A delayed layout happens at idle.
    frame->m_statusPane.ShowWindow(SW_HIDE);
    ::MoveWindow(m_frame->m_hWndMDIClient, 0, 0, 10, 10, TRUE);
    m_frame->DelayRecalcLayout();
    EXPECT_EQ(CRect(0, 0, 10, 10), ClientRectOf(m_frame->m_hWndMDIClient));
    fw::test::Pump();
    EXPECT_EQ(CRect(0, 0, client.right, client.bottom - kStatusPaneHeight),
              ClientRectOf(m_frame->m_hWndMDIClient));
}

TEST_F(Frame, StatusBarShowsPromptsTextsAndReadyAtIdle)
{
    EXPECT_STREQ("Ready", StatusText());
    m_frame->SetMessageText(kCmdTest);
    EXPECT_STREQ("Run the test command", StatusText()) << "the prompt, not the tip";
    m_frame->SetMessageText("Plain text");
    EXPECT_STREQ("Plain text", StatusText());

    // A highlighted menu item shows its prompt once the menu loop idles; closing the menu
    // brings "Ready" back.
    const HMENU file = ::GetSubMenu(::GetMenu(m_frame->m_hWnd), 0);
    m_frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(kCmdMainMenuOnly, MF_STRING),
                         reinterpret_cast<LPARAM>(file));
    m_frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_STREQ("Only in the main menu", StatusText());
    m_frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ("Ready", StatusText());

    // A prompt chosen without a menu loop shows at the next idle pass.
    m_frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_STRING), 0);
    fw::test::Pump();
    EXPECT_STREQ("Close the active window and ask to save the documents", StatusText());
}

TEST_F(Frame, ClosingTheMainWindowAsksToSaveAndCancelKeepsEverything)
{
    CDocument* document = OpenDocument();
    document->SetModifiedFlag(TRUE);
    ScriptedServices& services = **m_services;

    services.messageBoxAnswers.push_back(IDCANCEL);
    m_frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, services.messageBoxes.size());
    EXPECT_EQ("Save changes to TestDoc1?", services.messageBoxes[0].text);
    EXPECT_TRUE(::IsWindow(m_frame->m_hWnd));
    EXPECT_NE(nullptr, ActiveChild());

    services.messageBoxAnswers.push_back(IDNO);
    const HWND hwnd = m_frame->m_hWnd;
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, m_app->m_pMainWnd);
    EXPECT_TRUE(DrainQuit()) << "the main window's end ends the loop";
}

TEST_F(Frame, ClosingAChildOfAModifiedDocumentAsksFirst)
{
    CDocument* document = OpenDocument();
    document->SetModifiedFlag(TRUE);
    ScriptedServices& services = **m_services;
    services.messageBoxAnswers.push_back(IDCANCEL);
    ActiveChild()->SendMessage(WM_CLOSE);
    EXPECT_NE(nullptr, ActiveChild());
    services.messageBoxAnswers.push_back(IDNO);
    ActiveChild()->SendMessage(WM_CLOSE);
    fw::test::Pump();
    EXPECT_EQ(nullptr, ActiveChild());
    EXPECT_EQ(2u, services.messageBoxes.size());
}

namespace
{
class CCountingFrame : public CFrameWnd
{
public:
    int idleUpdates = 0;
    LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam)
    {
        ++idleUpdates;
        return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    }
    FW_MESSAGE_TABLE()
};
FW_TABLE(CCountingFrame, CFrameWnd, fw::raw<WM_IDLEUPDATECMDUI, &CCountingFrame::OnIdleUpdate>())
} // namespace

TEST_F(Frame, IdleUpdatesReachTheFramesTheMainWindowOwns)
{
    auto* owned = new CCountingFrame;
    ASSERT_TRUE(owned->Create(nullptr, "Graph", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              CRect(10, 100, 300, 300), m_frame));
    EXPECT_EQ(m_frame->m_hWnd, ::GetWindow(owned->m_hWnd, GW_OWNER));
    m_app->OnIdle(0);
    EXPECT_EQ(1, owned->idleUpdates);
    owned->DestroyWindow();
}

TEST_F(Frame, FrameworkTextsComeFromTheStringFilesInTheProgramsLanguage)
{
    fw::SetTextSource("resources\\string", "_JPN");
    m_frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    const CString ready = StatusText();
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    // Back to the folder beside the executable (absent in tests): the built-in English.
    fw::SetTextSource((fw::os::ExecutableFolder() + "\\..\\string").c_str(), "_ENG");
    EXPECT_STREQ("\x83\x8C\x83\x66\x83\x42", ready); // "Ready" in code page 932
    ASSERT_EQ(1u, (**m_services).messageBoxes.size());
    EXPECT_EQ("\x83\x52\x83\x7D\x83\x93\x83\x68\x82\xF0\x8E\xC0\x8D\x73\x82\xC5\x82\xAB"
              "\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42",
              (**m_services).messageBoxes[0].text);
    m_frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ("Ready", StatusText());
}
