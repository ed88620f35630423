// The output bar under Wine, in the framework's test main frame: the history page and its log
// file, no scroll bars of the history's own, the container filling the bar, the font of each
// language, and floating in the MDI client of a docking frame.
#include "app/AEOutputBar.h"

#include "core/services/AppEnvironment.h"
#include "core/services/StringFile.h"
#include "framework/OXMDIFloatWnd.h"
#include "framework/OXMDIFrameWndSizeDock.h"
#include "platform/bars/dockctx.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "resources/ids/framework_ids.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>

namespace
{
class COutputTestFrame : public COXMDIFrameWndSizeDock
{
    FW_CREATABLE(COutputTestFrame, COXMDIFrameWndSizeDock)
};

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

SCROLLINFO BarInfo(CScrollBar* bar)
{
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(bar->m_hWnd, SB_CTL, &info);
    return info;
}

class OutputBar : public fw::test::MainFrameFixture
{
protected:
    OutputBar() { m_frameClass = RUNTIME_CLASS(COutputTestFrame); }

    void SetUp() override
    {
        // "FileLog" is made in the current folder.
        char previous[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, previous);
        m_previousFolder = previous;
        m_folder = testing_support::MakeTempDir("outputbar");
        ::SetCurrentDirectoryA(m_folder.c_str());
        m_previousLanguage = GetLanguageSetting();
        MainFrameFixture::SetUp();
    }
    void TearDown() override
    {
        MainFrameFixture::TearDown();
        SetLanguageSetting(m_previousLanguage);
        ::SetCurrentDirectoryA(m_previousFolder.c_str());
    }

    COXMDIFrameWndSizeDock* Frame() const { return static_cast<COXMDIFrameWndSizeDock*>(m_frame); }

    std::unique_ptr<CAEOutputBar> MakeBar()
    {
        auto bar = std::make_unique<CAEOutputBar>();
        EXPECT_TRUE(bar->Create(m_frame, "OutPut", CAEOutputBar::kBarId));
        m_frame->RecalcLayout();
        fw::test::Pump();
        return bar;
    }

    std::string LogText() const
    {
        std::ifstream file(m_folder + "\\FileLog", std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // The container's rectangle in the bar's client coordinates, and the bar's client area.
    static std::string ContainerPlace(CAEOutputBar& bar)
    {
        CRect rect;
        bar.GetContainer().GetWindowRect(&rect);
        bar.ScreenToClient(&rect);
        return Text(rect);
    }
    static std::string ClientArea(CAEOutputBar& bar)
    {
        CRect client;
        bar.GetClientRect(&client);
        return Text(client);
    }

    std::string m_folder;
    std::string m_previousFolder;
    int m_previousLanguage = kLanguageEnglish;
};
} // namespace

TEST_F(OutputBar, HistoryIsTheContainersMessageWindowPage)
{
    auto bar = MakeBar();
    COXTabViewContainer& container = bar->GetContainer();
    EXPECT_EQ(static_cast<int>(CAEOutputBar::kContainerId), container.GetDlgCtrlID());
    EXPECT_EQ(static_cast<int>(CAEOutputBar::kHistoryId), bar->GetHistory().GetDlgCtrlID());
    ASSERT_EQ(1, container.GetPageCount());
    EXPECT_STREQ("Message Window", container.GetPageTitle(0).GetString());
    EXPECT_EQ(&bar->GetHistory(), container.GetActivePage());
    EXPECT_TRUE(bar->GetHistory().IsLogFileEnabled());
}

TEST_F(OutputBar, AfterOneHundredAndOneLinesTheNewestHundredShowAndTheLogHasThemAll)
{
    auto bar = MakeBar();
    CMessageHistoryCtrl& history = bar->GetHistory();
    std::string expected;
    for (int i = 1; i <= 101; ++i)
    {
        const std::string line = "line " + std::to_string(i);
        history.AddLine(line.c_str());
        expected += "\r\n" + line;
    }
    EXPECT_EQ(100, history.GetLineCount());
    EXPECT_STREQ("line 2", history.GetLineText(0).GetString());
    EXPECT_STREQ("line 101", history.GetLineText(99).GetString());
    EXPECT_EQ(expected, LogText()); // no time stamps, each line after CR LF

    // After a restart the next line starts on its own line.
    bar.reset();
    auto again = MakeBar();
    again->GetHistory().AddLine("after the restart");
    EXPECT_EQ(expected + "\r\nafter the restart", LogText());
}

TEST_F(OutputBar, ALogThatCannotBeWrittenIsToldOnceInTheHistory)
{
    std::string told;
    if (!LoadStringFromFile("Message.str", "Error", "LogNotWritten", &told))
        told = "LogNotWritten";
    // A log held by a program that shares it with nobody.
    CFile holder((m_folder + "\\FileLog").c_str(),
                 CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    auto bar = MakeBar();
    CMessageHistoryCtrl& history = bar->GetHistory();
    history.AddLine("first");
    history.AddLine("second");
    history.AppendToLastLine(" and more");
    ASSERT_EQ(3, history.GetLineCount());
    EXPECT_STREQ("first", history.GetLineText(0).GetString());
    EXPECT_EQ(told, history.GetLineText(1).Str());
    EXPECT_STREQ("second and more", history.GetLineText(2).GetString());
}

TEST_F(OutputBar, TheContainersBarsScrollTheHistoryWhichHasNoneOfItsOwn)
{
    auto bar = MakeBar();
    CMessageHistoryCtrl& history = bar->GetHistory();
    const int charWidth = history.GetCharSize().cx;
    history.AddLine(CString('m', 150));
    for (int i = 0; i < 99; ++i)
        history.AddLine("short");
    CScrollBar* horz = bar->GetContainer().GetHorzScrollBar();
    EXPECT_EQ(150 * charWidth - 1, BarInfo(horz).nMax);
    const SCROLLINFO vertical = BarInfo(bar->GetContainer().GetVertScrollBar());
    EXPECT_EQ(vertical.nMax - static_cast<int>(vertical.nPage) + 1, vertical.nPos);

    // The container's bar scrolls the history; the end of the scroll is remembered.
    bar->GetContainer().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                                    reinterpret_cast<LPARAM>(horz->m_hWnd));
    EXPECT_TRUE(history.IsScrolling());
    bar->GetContainer().SendMessage(WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0),
                                    reinterpret_cast<LPARAM>(horz->m_hWnd));
    EXPECT_FALSE(history.IsScrolling());
    EXPECT_EQ(charWidth, history.GetLastHorzPos());

    // At every size, no scroll bars of its own.
    for (const CSize size : {CSize(300, 80), CSize(700, 300), CSize(120, 60)})
    {
        bar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        fw::test::Pump();
        EXPECT_FALSE(history.GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    }

    // The longest line drops out: the range follows the longest left.
    history.AddLine(CString('n', 40));
    EXPECT_EQ(40 * charWidth - 1, BarInfo(horz).nMax);
}

TEST_F(OutputBar, ContainerFillsTheClientAreaWhenResizedOrDocked)
{
    auto bar = MakeBar();
    EXPECT_EQ(ClientArea(*bar), ContainerPlace(*bar));
    bar->SetWindowPos(nullptr, 0, 0, 500, 220, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientArea(*bar), ContainerPlace(*bar));

    Frame()->EnableDocking(CBRS_ALIGN_ANY);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(bar.get(), AFX_IDW_DOCKBAR_LEFT);
    m_frame->RecalcLayout();
    fw::test::Pump();
    EXPECT_EQ(ClientArea(*bar), ContainerPlace(*bar));
    CRect client;
    bar->GetClientRect(&client);
    EXPECT_GT(client.Height(), client.Width()); // standing at the left
}

TEST_F(OutputBar, HistoryFontIsThirteenPixelsOfTheLanguagesFace)
{
    struct Case
    {
        int language;
        const char* face;
    };
    const Case cases[] = {{kLanguageEnglish, "Tahoma"},
                          {kLanguageJapanese, "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.language);
        SetLanguageSetting(c.language);
        auto bar = MakeBar();
        LOGFONTA logFont = {};
        bar->GetHistory().GetDisplayFont()->GetLogFont(&logFont);
        EXPECT_STREQ(c.face, logFont.lfFaceName);
        EXPECT_EQ(-13, logFont.lfHeight);
    }
}

TEST_F(OutputBar, FloatsInTheMDIClientAndDocksBackThroughItsMenuCommand)
{
    auto bar = MakeBar();
    Frame()->EnableDocking(CBRS_ALIGN_ANY);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    m_frame->DockControlBar(bar.get(), AFX_IDW_DOCKBAR_BOTTOM);
    m_frame->RecalcLayout();
    bar->GetHistory().AddLine("kept");
    bar->m_pDockContext->m_ptMRUFloatPos = CPoint(-500, -500);

    bar->SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    fw::test::Pump();
    ASSERT_TRUE(bar->IsMDIFloating());
    auto* floatWnd = dynamic_cast<COXMDIFloatWnd*>(bar->GetParentFrame());
    ASSERT_NE(nullptr, floatWnd);
    CRect window;
    floatWnd->GetWindowRect(&window);
    ::MapWindowPoints(nullptr, Frame()->m_hWndMDIClient, reinterpret_cast<POINT*>(&window), 2);
    EXPECT_EQ(0, window.left);
    EXPECT_EQ(0, window.top);
    EXPECT_EQ(ClientArea(*bar), ContainerPlace(*bar));

    bar->SendMessage(WM_COMMAND, ID_OXSIZEBAR_MDIFLOAT);
    fw::test::Pump();
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_STREQ("kept", bar->GetHistory().GetLineText(0).GetString());
    EXPECT_EQ(ClientArea(*bar), ContainerPlace(*bar));
}
