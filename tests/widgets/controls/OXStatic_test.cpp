// The gradient static under Wine: solid, missing and fading backgrounds on the screen, text in
// its own colour, fitting to the text as it changes, and the tooltip that follows the text.
#include "widgets/controls/OXStatic.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{
constexpr COLORREF kParentColour = RGB(0, 128, 0);

class StaticTest : public testing::Test
{
protected:
    void SetUp() override
    {
        static const HBRUSH brush = ::CreateSolidBrush(kParentColour);
        const char* className = fw::RegisterWndClass(0, nullptr, brush);
        ASSERT_TRUE(m_parent.CreateEx(0, className, "statics", WS_POPUP | WS_VISIBLE, 40, 40, 600,
                                      200, nullptr, nullptr));
        m_parent.SetForegroundWindow();
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        fw::test::Pump();
    }

    // A static child at (20, 20) of the given size, through Create.
    void Make(COXStatic& control, const char* text, DWORD style, int width = 256, int height = 30)
    {
        ASSERT_TRUE(control.Create(text, WS_CHILD | WS_VISIBLE | style,
                                   CRect(20, 20, 20 + width, 20 + height), &m_parent, 77));
        control.SendMessage(WM_SETFONT,
                            reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        fw::test::Pump();
    }
    CRect RectInParent(const CWnd& control) const
    {
        CRect rect;
        control.GetWindowRect(&rect);
        m_parent.ScreenToClient(&rect);
        return rect;
    }
    void Repaint(const CWnd& control)
    {
        control.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        fw::test::Pump();
    }

    CWnd m_parent;
};

// The channel of the strip at distance d from the edge where the fade starts, over length.
int Fade(int channel, long long d, long long length)
{
    return static_cast<int>(channel - channel * d * d / (length * length));
}

COLORREF Expected(COLORREF colour, long long d, long long length)
{
    return RGB(Fade(GetRValue(colour), d, length), Fade(GetGValue(colour), d, length),
               Fade(GetBValue(colour), d, length));
}
} // namespace

TEST_F(StaticTest, SolidAndMissingBackgrounds)
{
    COXStatic control;
    Make(control, "", SS_LEFT);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), fw::test::ClientPixel(control, 100, 15));

    control.SetBkColor(RGB(10, 20, 200));
    Repaint(control);
    EXPECT_EQ(RGB(10, 20, 200), fw::test::ClientPixel(control, 0, 0));
    EXPECT_EQ(RGB(10, 20, 200), fw::test::ClientPixel(control, 255, 29));

    control.SetBkColor(COXStatic::kNoBackground);
    m_parent.RedrawWindow(nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    fw::test::Pump();
    EXPECT_EQ(kParentColour, fw::test::ClientPixel(control, 100, 15));
}

TEST_F(StaticTest, FadingModesPaintStripsThatFadeQuadraticallyToBlack)
{
    constexpr COLORREF kColour = RGB(255, 200, 120);
    struct FadeCase
    {
        int mode;
        int strip;
    };
    // 256 pixels: 2-pixel strips from an edge; from the middle 1-pixel strips over 128.
    const FadeCase cases[] = {{COXStatic::kFadeFromLeft, 2},
                              {COXStatic::kFadeFromRight, 2},
                              {COXStatic::kFadeFromMiddle, 1}};
    COXStatic control;
    Make(control, "", SS_LEFT);
    control.SetBkColor(kColour);
    for (const FadeCase& c : cases)
    {
        SCOPED_TRACE(c.mode);
        control.SetBkMode(c.mode);
        Repaint(control);
        for (int x = 0; x < 256; ++x)
        {
            long long d = 0;
            long long length = 256;
            switch (c.mode)
            {
            case COXStatic::kFadeFromLeft: d = x / c.strip * c.strip; break;
            case COXStatic::kFadeFromRight: d = (255 - x) / c.strip * c.strip; break;
            default:
                length = 128;
                d = x >= 128 ? x - 128 : 127 - x;
                break;
            }
            ASSERT_EQ(Expected(kColour, d, length), fw::test::ClientPixel(control, x, 10))
                << "at x " << x;
        }
    }
    // The last strips of a fade from the left are nearly black.
    control.SetBkMode(COXStatic::kFadeFromLeft);
    Repaint(control);
    const COLORREF last = fw::test::ClientPixel(control, 255, 5);
    EXPECT_LE(GetRValue(last), 4);
    EXPECT_EQ(fw::test::ClientPixel(control, 254, 5), last);
}

TEST_F(StaticTest, TextIsDrawnInItsOwnColourOverTheBackground)
{
    COXStatic control;
    Make(control, "WWWWWW", SS_LEFT);
    control.SetBkColor(RGB(255, 255, 255));
    control.SetTextColor(RGB(255, 0, 0));
    LOGFONTA font = {};
    font.lfHeight = -20;
    font.lfWeight = FW_BOLD;
    font.lfQuality = NONANTIALIASED_QUALITY;
    std::strcpy(font.lfFaceName, "Arial");
    ASSERT_TRUE(control.SetTextLogFont(&font));
    Repaint(control);
    int red = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 30; ++y)
            red += fw::test::ClientPixel(control, x, y) == RGB(255, 0, 0);
    EXPECT_GT(red, 50);
    EXPECT_EQ(RGB(255, 255, 255), fw::test::ClientPixel(control, 250, 2));
    LOGFONTA back = {};
    ASSERT_TRUE(control.GetLogFont(&back));
    EXPECT_EQ(-20, back.lfHeight);
}

TEST_F(StaticTest, FitToTextResizesAsTheTextChangesKeepingTheAlignedEdge)
{
    struct FitCase
    {
        DWORD style;
        const char* name;
    };
    const FitCase cases[] = {{SS_LEFT, "left"}, {SS_CENTER, "centre"}, {SS_RIGHT, "right"}};
    for (const FitCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        COXStatic control;
        Make(control, "Short", c.style, 300, 40);
        const CRect before = RectInParent(control);
        control.SetFitToText(TRUE);

        const char* text = "A considerably longer caption";
        control.SetWindowText(text);
        const HDC dc = ::GetDC(control);
        const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent = {};
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(control, dc);

        const CRect after = RectInParent(control);
        EXPECT_EQ(extent.cx, after.Width());
        EXPECT_EQ(extent.cy, after.Height());
        EXPECT_EQ(before.top, after.top);
        if (c.style == SS_LEFT)
            EXPECT_EQ(before.left, after.left);
        else if (c.style == SS_RIGHT)
            EXPECT_EQ(before.right, after.right);
        else
            EXPECT_NEAR(before.CenterPoint().x, after.CenterPoint().x, 1);

        control.SetWindowText("x");
        EXPECT_LT(RectInParent(control).Width(), extent.cx);
        control.DestroyWindow();
    }
}

TEST_F(StaticTest, FitToTextIsCappedAtTheParentsClientArea)
{
    COXStatic control;
    Make(control, "", SS_LEFT, 100, 20);
    control.SetFitToText(TRUE);
    control.SetWindowText(std::string(300, 'W').c_str());
    EXPECT_EQ(600, RectInParent(control).Width());
}

TEST_F(StaticTest, TooltipShowsTheWindowTextUnlessItHasItsOwn)
{
    COXStatic control;
    Make(control, "Caption", SS_LEFT);
    CString tip;
    control.SetToolTip(TRUE);
    control.GetToolTipCtrl().GetText(tip, &control, COXStatic::kToolId);
    EXPECT_STREQ("Caption", tip.GetString());
    EXPECT_STREQ("", control.GetToolTipText().GetString());

    control.SetWindowText("Renamed");
    control.GetToolTipCtrl().GetText(tip, &control, COXStatic::kToolId);
    EXPECT_STREQ("Renamed", tip.GetString());

    control.SetToolTipText("Own words");
    control.SetWindowText("Again");
    control.GetToolTipCtrl().GetText(tip, &control, COXStatic::kToolId);
    EXPECT_STREQ("Own words", tip.GetString());
    EXPECT_STREQ("Own words", control.GetToolTipText().GetString());

    control.SetToolTipText("");
    EXPECT_STREQ("", control.GetToolTipText().GetString());
    control.GetToolTipCtrl().GetText(tip, &control, COXStatic::kToolId);
    EXPECT_STREQ("Again", tip.GetString());
    // The control takes the mouse so that the tip can show.
    EXPECT_TRUE(control.GetStyle() & SS_NOTIFY);
}

TEST_F(StaticTest, SubclassedStaticTakesItsFontAndShowsNoTextStylesPlainly)
{
    const HWND hwnd = ::CreateWindowExA(0, "STATIC", "Dialog text", WS_CHILD | WS_VISIBLE | SS_LEFT,
                                        10, 10, 100, 20, m_parent, nullptr, nullptr, nullptr);
    ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_VAR_FONT)),
                   FALSE);
    COXStatic control;
    ASSERT_TRUE(control.SubclassWindow(hwnd));
    LOGFONTA taken = {};
    LOGFONTA original = {};
    ASSERT_TRUE(control.GetLogFont(&taken));
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof original, &original);
    EXPECT_STREQ(original.lfFaceName, taken.lfFaceName);
    EXPECT_TRUE(control.ShowsText());
    control.ModifyStyle(SS_TYPEMASK, SS_BLACKFRAME);
    EXPECT_FALSE(control.ShowsText());
}
