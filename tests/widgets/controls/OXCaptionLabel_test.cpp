// The etched caption line under Wine: where the line runs beside each alignment of the text on
// the screen, reading the text back, and the frame styles a subclassed static loses.
#include "widgets/controls/OXCaptionLabel.h"

#include "platform/test/pump.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr COLORREF kShadow = RGB(255, 0, 0);
constexpr COLORREF kHighlight = RGB(0, 0, 255);
constexpr int kWidth = 200;
using RunList = std::vector<std::pair<int, int>>;
constexpr int kHeight = 20; // the line's rows are 9 (shadow) and 10 (highlight)

class CaptionLabelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "captions", WS_POPUP | WS_VISIBLE, 60, 60, 400,
                                      200, nullptr, nullptr));
        m_parent.SetForegroundWindow();
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        fw::test::Pump();
    }

    void Make(COXCaptionLabel& label, const char* text, DWORD style, int width = kWidth,
              int height = kHeight)
    {
        const HWND hwnd = ::CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", text,
                                            WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, 10,
                                            width, height, m_parent, nullptr, nullptr, nullptr);
        ::SendMessageA(hwnd, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        ASSERT_TRUE(label.SubclassWindow(hwnd));
        label.SetLineColors(kShadow, kHighlight);
        label.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        fw::test::Pump();
    }

    static int TextWidth(const char* text)
    {
        const HDC dc = ::GetDC(nullptr);
        const HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent = {};
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        return extent.cx;
    }

    // The columns of row y that show colour, as [first, last] runs.
    static std::vector<std::pair<int, int>> LineRuns(HWND hwnd, int y, COLORREF colour)
    {
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < kWidth; ++x)
        {
            if (fw::test::ClientPixel(hwnd, x, y) != colour)
                continue;
            if (!runs.empty() && runs.back().second == x - 1)
                runs.back().second = x;
            else
                runs.emplace_back(x, x);
        }
        return runs;
    }

    CWnd m_parent;
};

} // namespace

TEST_F(CaptionLabelTest, EmptyCaptionIsOneEtchedLineOverTheWholeWidth)
{
    COXCaptionLabel label;
    Make(label, "", SS_LEFT);
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(kShadow, fw::test::ClientPixel(label, 100, 9));
    EXPECT_EQ(kHighlight, fw::test::ClientPixel(label, 100, 10));
    EXPECT_EQ(face, fw::test::ClientPixel(label, 100, 8));
    EXPECT_EQ(face, fw::test::ClientPixel(label, 100, 11));
    EXPECT_EQ((RunList{{0, kWidth - 2}}), LineRuns(label, 9, kShadow));
    EXPECT_EQ((RunList{{0, kWidth - 1}}), LineRuns(label, 10, kHighlight));
}

TEST_F(CaptionLabelTest, LineRunsSixPixelsClearOfTheTextOnTheSidesTheAlignmentLeaves)
{
    const char* text = "Caption";
    const int width = TextWidth(text);
    struct AlignCase
    {
        DWORD style;
        RunList shadowRuns; // on the line's top row
    };
    const int centreStart = (kWidth - width) / 2;
    const AlignCase cases[] = {
        {SS_LEFT, {{width + 6, kWidth - 2}}},
        {SS_RIGHT, {{0, kWidth - width - 6 - 2}}},
        {SS_CENTER, {{0, centreStart - 6 - 2}, {centreStart + width + 6, kWidth - 2}}},
    };
    for (const AlignCase& c : cases)
    {
        SCOPED_TRACE(c.style);
        COXCaptionLabel label;
        Make(label, text, c.style);
        EXPECT_EQ(c.shadowRuns, LineRuns(label, 9, kShadow));
        label.DestroyWindow();
    }
}

TEST_F(CaptionLabelTest, CaptionWiderThanTheControlDrawsNoLine)
{
    COXCaptionLabel label;
    Make(label, "A caption that is far too long for its narrow label", SS_LEFT);
    EXPECT_TRUE(LineRuns(label, 9, kShadow).empty());
    EXPECT_TRUE(LineRuns(label, 10, kHighlight).empty());
}

TEST_F(CaptionLabelTest, VerticalCaptionDrawsItsLineDownTheMiddle)
{
    COXCaptionLabel label;
    label.SetVertical(TRUE);
    Make(label, "", SS_LEFT, 20, 100);
    for (int y : {0, 50, 98})
    {
        EXPECT_EQ(kShadow, fw::test::ClientPixel(label, 9, y)) << y;
        EXPECT_EQ(kHighlight, fw::test::ClientPixel(label, 10, y + 1)) << y;
    }
}

TEST_F(CaptionLabelTest, TextReadsBackWholeWithRoomForTheNullAndCutShortWithout)
{
    COXCaptionLabel label;
    Make(label, "Start", SS_LEFT);
    EXPECT_EQ(5, label.GetWindowTextLength());
    label.SetWindowText("Results");
    EXPECT_EQ(7, label.GetWindowTextLength());

    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(7, label.SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("Results", buffer);
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(3, label.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("Res", buffer);
    EXPECT_EQ(0, label.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
}

TEST_F(CaptionLabelTest, SubclassingDropsTheFrameAndCreatingKeepsTheText)
{
    COXCaptionLabel label;
    Make(label, "Framed", SS_LEFT);
    EXPECT_FALSE(label.GetStyle() & WS_BORDER);
    EXPECT_FALSE(label.GetExStyle() & WS_EX_CLIENTEDGE);
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ("Framed", text.GetString());

    COXCaptionLabel created;
    ASSERT_TRUE(created.CreateEx(WS_EX_STATICEDGE, "STATIC", "Made", WS_CHILD | WS_BORDER, 0, 40,
                                 100, 20, m_parent, nullptr));
    EXPECT_FALSE(created.GetStyle() & WS_BORDER);
    EXPECT_FALSE(created.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_EQ(4, created.GetWindowTextLength());
}
