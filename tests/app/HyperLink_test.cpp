// The hyperlink: its text and fitting, hovering and underline modes, opening through the
// shell, the ".htm" command line, and the report of a failed opening.
#include "app/HyperLink.h"

#include "app/AboutDlg.h"
#include "platform/test/pump.h"
#include "platform/win/crackers.h"
#include "resources/ids/app_ids.h"
#include "tests/app/AppFixture.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
// A link whose opening fails with a chosen code.
class CFailingLink : public CHyperLink
{
public:
    int code = 26;
    HINSTANCE GotoURL(const char*, int) override
    {
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(code));
    }
};

class HyperLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_services = std::make_unique<fw::test::ScopedServices>();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "links", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                      400, 300, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        fw::test::Pump();
        m_services.reset();
    }

    // A static child of the parent at (20, 30)-(220, 50), subclassed into link.
    void MakeLink(CHyperLink& link, const char* text, DWORD style)
    {
        const HWND hwnd =
            ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 20, 30, 200, 20,
                              m_parent.m_hWnd, nullptr, nullptr, nullptr);
        ::SendMessageA(hwnd, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        ASSERT_TRUE(link.SubclassWindow(hwnd));
    }
    CRect RectInParent(const CWnd& link)
    {
        CRect rect;
        link.GetWindowRect(&rect);
        m_parent.ScreenToClient(&rect);
        return rect;
    }

    std::unique_ptr<fw::test::ScopedServices> m_services;
    CWnd m_parent;
};
} // namespace

TEST_F(HyperLink, EmptyTextShowsTheUrlSetBeforehand)
{
    CHyperLink link;
    link.SetURL("https://www.gravik.example/");
    MakeLink(link, "", SS_LEFT);
    CString text;
    link.GetWindowText(text);
    EXPECT_STREQ("https://www.gravik.example/", text.GetString());
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    EXPECT_NE(nullptr, link.GetLinkCursor());
}

TEST_F(HyperLink, TextWithoutUrlBecomesTheUrl)
{
    CHyperLink link;
    MakeLink(link, "www.gravik.example", SS_LEFT);
    EXPECT_STREQ("www.gravik.example", link.GetURL().GetString());
}

TEST_F(HyperLink, FittingKeepsTheEdgeItsAlignmentNames)
{
    CHyperLink left;
    MakeLink(left, "short", SS_LEFT);
    const CRect leftRect = RectInParent(left);
    EXPECT_EQ(20, leftRect.left);
    EXPECT_EQ(30, leftRect.top);
    EXPECT_LT(leftRect.Width(), 200);

    CHyperLink right;
    MakeLink(right, "short", SS_RIGHT);
    const CRect rightRect = RectInParent(right);
    EXPECT_EQ(220, rightRect.right);
    EXPECT_EQ(30, rightRect.top);
    EXPECT_EQ(leftRect.Width(), rightRect.Width());
}

TEST_F(HyperLink, UnderlineModesDecideTheFontAfterTheMouseLeaves)
{
    struct Case
    {
        int mode;
        bool underlinedOver;
        bool underlinedAfter;
    };
    const Case cases[] = {{CHyperLink::kUnderlineHover, true, false},
                          {CHyperLink::kUnderlineAlways, true, true},
                          {CHyperLink::kUnderlineNever, false, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        CHyperLink link;
        MakeLink(link, "link", SS_LEFT);
        link.SetUnderlineMode(c.mode);
        auto underlined = [&link]
        {
            LOGFONTA font = {};
            ::GetObjectA(link.GetFont(), sizeof font, &font);
            return font.lfUnderline != 0;
        };
        ::SendMessageA(link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(link.IsHovering());
        EXPECT_EQ(c.underlinedOver, underlined());
        // A tick with the cursor far outside ends the hover.
        ::SetCursorPos(1000, 1000);
        ::PostMessageA(link.m_hWnd, WM_TIMER, CHyperLink::kHoverTimerId, 0);
        fw::test::Pump();
        EXPECT_FALSE(link.IsHovering());
        EXPECT_EQ(c.underlinedAfter, underlined());
        link.DestroyWindow();
    }
}

TEST_F(HyperLink, ClickOpensTheUrlThroughTheShellAndMarksItVisited)
{
    CHyperLink link;
    MakeLink(link, "https://www.gravik.example/", SS_LEFT);
    ::SendMessageA(m_parent.m_hWnd, WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                   reinterpret_cast<LPARAM>(link.m_hWnd));
    ASSERT_EQ(1u, (*m_services)->shellExecutes.size());
    EXPECT_EQ("open https://www.gravik.example/", (*m_services)->shellExecutes[0]);
    EXPECT_TRUE(link.GetVisited());
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(HyperLink, FailedOpeningReportsTheReasonForItsCode)
{
    struct Case
    {
        int code;
        const char* reason;
    };
    const Case cases[] = {
        {26, "A sharing violation occurred. "},
        {4, "Unknown Error (4) occurred."},
        {31, "There is no application associated\nwith the given filename extension."},
        {0, "The operating system is out\nof memory or resources."}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        (*m_services)->messageBoxes.clear();
        CFailingLink link;
        link.code = c.code;
        MakeLink(link, "https://www.gravik.example/", SS_LEFT);
        ::SendMessageA(m_parent.m_hWnd, WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
                       reinterpret_cast<LPARAM>(link.m_hWnd));
        ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
        EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + c.reason,
                  (*m_services)->messageBoxes[0].text);
        EXPECT_TRUE((*m_services)->messageBoxes[0].type & MB_ICONEXCLAMATION);
        EXPECT_FALSE(link.GetVisited());
        link.DestroyWindow();
    }
}

TEST(HyperLinkCommand, HtmHandlerCommandLineTakesTheAddressWherePercentOneStands)
{
    struct Case
    {
        const char* command;
        const char* line;
    };
    const Case cases[] = {{"\"C:\\b\\browser.exe\" \"%1\"", "\"C:\\b\\browser.exe\"  http://x/"},
                          {"C:\\b\\browser.exe %1 -new", "C:\\b\\browser.exe  http://x/"},
                          {"C:\\b\\browser.exe -nohome", "C:\\b\\browser.exe -nohome http://x/"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.command);
        EXPECT_STREQ(c.line, CHyperLink::BuildHandlerCommand(c.command, "http://x/").GetString());
    }
}

TEST(AboutDlg, ShowsTheVersionOfTheProductIniAndTheLink)
{
    fw::test::ScopedServices services;
    CAppFolders folders("about", kEnglishIni);
    CAboutDlg about;
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
    fw::test::Pump();
    CString version;
    about.GetDlgItemText(IDC_ABOUT_VERSION, version);
    EXPECT_STREQ("Gravik Version 3.2.1", version.GetString());
    char caption[64] = {};
    ::GetWindowTextA(about.m_hWnd, caption, sizeof caption);
    EXPECT_STREQ("About Gravik", caption);
    EXPECT_STREQ(CAboutDlg::kMakerUrl, about.m_link.GetURL().GetString());
    about.DestroyWindow();
    fw::test::Pump();
}
