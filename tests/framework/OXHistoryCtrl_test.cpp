// The history control under Wine: the line limit and the longest line, the log file across
// restarts, appending, and what the window shows.
#include "framework/OXHistoryCtrl.h"

#include "platform/base/file.h"
#include "platform/test/pump.h"
#include "platform/win/dc.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace
{
constexpr COLORREF kEmptyColor = RGB(0, 128, 0);
constexpr COLORREF kLineColor = RGB(200, 0, 0);

std::string ReadLog(const std::string& path)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone))
        return "<missing>";
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

class HistoryCtrl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, fw::RegisterWndClass(0), "history", WS_POPUP | WS_VISIBLE,
                                      20, 20, 320, 200, nullptr, nullptr));
        m_logPath = testing_support::MakeTempDir("history") + "\\FileLog";
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // A history as the output bar makes one, logging to m_logPath.
    void Create(COXHistoryCtrl& history, int width = 300, int height = 180)
    {
        ASSERT_TRUE(history.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE,
                                   CRect(0, 0, width, height), &m_parent, 1));
        history.SetLogFileName(m_logPath.c_str());
        ASSERT_TRUE(history.EnableLogFile(TRUE));
    }

    COLORREF PixelAt(const CWnd& wnd, int x, int y)
    {
        fw::test::Pump();
        const HDC dc = ::GetDC(wnd.m_hWnd);
        const COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(wnd.m_hWnd, dc);
        return color;
    }

    CWnd m_parent;
    std::string m_logPath;
};
} // namespace

TEST_F(HistoryCtrl, KeepsTheNewestHundredAndLogsEveryLine)
{
    std::string expectedLog;
    {
        COXHistoryCtrl history;
        Create(history);
        for (int i = 1; i <= 101; ++i)
        {
            const std::string text = "line " + std::to_string(i);
            history.AddLine(text.c_str());
            expectedLog += "\r\n" + text;
            ASSERT_LE(history.GetLineCount(), 100);
        }
        EXPECT_EQ(100, history.GetLineCount());
        EXPECT_STREQ("line 2", history.GetLineText(0));
        EXPECT_STREQ("line 101", history.GetLineText(99));
        EXPECT_EQ(expectedLog, ReadLog(m_logPath));
        history.DestroyWindow();
    }
    // After a restart the first line starts a line of its own.
    COXHistoryCtrl restarted;
    Create(restarted);
    restarted.AddLine("after restart");
    EXPECT_EQ(expectedLog + "\r\nafter restart", ReadLog(m_logPath));
}

// Two running copies of the program share the log: each appends its lines after the other's.
TEST_F(HistoryCtrl, TwoHistoriesAppendToOneLogInTurn)
{
    COXHistoryCtrl first;
    COXHistoryCtrl second;
    Create(first);
    Create(second);
    first.AddLine("first 1");
    second.AddLine("second 1");
    first.AddLine("first 2");
    first.AppendToLastLine(" more");
    second.AddLine("second 2");
    EXPECT_EQ("\r\nfirst 1\r\nsecond 1\r\nfirst 2 more\r\nsecond 2", ReadLog(m_logPath));
}

TEST_F(HistoryCtrl, ALogOpenedByALaterLineStillStartsANewLine)
{
    {
        CFile earlier(m_logPath.c_str(), CFile::modeCreate | CFile::modeWrite);
        earlier.Write("old text", 8);
    }
    COXHistoryCtrl history;
    ASSERT_TRUE(history.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), &m_parent, 1));
    history.SetLogFileName(m_logPath.c_str());
    {
        // Another writer holds the file: opening fails, logging stays on, the line still shows.
        CFile holder(m_logPath.c_str(), CFile::modeWrite | CFile::shareExclusive);
        EXPECT_FALSE(history.EnableLogFile(TRUE));
        history.AddLine("lost from the log");
        EXPECT_EQ(1, history.GetLineCount());
    }
    history.AddLine("next");
    history.AppendToLastLine(" and more");
    EXPECT_EQ("old text\r\nnext and more", ReadLog(m_logPath));
    EXPECT_STREQ("next and more", history.GetLineText(1));
}

TEST_F(HistoryCtrl, AppendingContinuesTheLastLineOnScreenAndInTheLog)
{
    COXHistoryCtrl history;
    Create(history);
    EXPECT_FALSE(history.AppendToLastLine("nothing to append to"));
    history.AddLine("Reading file");
    EXPECT_TRUE(history.AppendToLastLine("... done"));
    history.AddLine("not logged", FALSE);
    EXPECT_EQ(2, history.GetLineCount());
    EXPECT_STREQ("Reading file... done", history.GetLineText(0));
    EXPECT_EQ("\r\nReading file... done", ReadLog(m_logPath));

    history.EnableLogFile(FALSE);
    history.AddLine("logging off");
    EXPECT_EQ("\r\nReading file... done", ReadLog(m_logPath));
    EXPECT_TRUE(history.ClearHistory());
    EXPECT_EQ(0, history.GetLineCount());
    EXPECT_EQ(0, history.GetLongestLineLength());
}

TEST_F(HistoryCtrl, WithoutRoomEveryLineGoesStraightToTheLog)
{
    COXHistoryCtrl history;
    Create(history);
    history.AddLine("first");
    history.SetMaxLines(-1); // ignored
    history.SetMaxLines(0);
    EXPECT_EQ(0, history.GetLineCount());
    history.AddLine("second");
    EXPECT_EQ(0, history.GetLineCount());
    EXPECT_EQ("\r\nfirst\r\nsecond", ReadLog(m_logPath));

    history.SetMaxLines(3);
    for (const char* text : {"a", "b", "c", "d"})
        history.AddLine(text);
    history.SetMaxLines(2);
    EXPECT_EQ(2, history.GetLineCount());
    EXPECT_STREQ("c", history.GetLineText(0));
}

// The window's own bars: the horizontal range is the longest line in widths of "X", and it
// shrinks when that line drops out.
TEST_F(HistoryCtrl, HorizontalRangeFollowsTheLongestLine)
{
    COXHistoryCtrl history;
    Create(history, 200, 120);
    const int charWidth = history.GetCharSize().cx;
    ASSERT_GT(charWidth, 0);
    history.SetMaxLines(3);
    const CString longest('w', 80);
    history.AddLine(longest);
    history.AddLine(CString('w', 50));
    EXPECT_EQ(80, history.GetLongestLineLength());
    EXPECT_EQ(80 * charWidth, history.GetDeviceTotalSize().cx);
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(::GetScrollInfo(history.m_hWnd, SB_HORZ, &info));
    EXPECT_EQ(80 * charWidth - 1, info.nMax);

    history.AddLine("x");
    history.AddLine("y"); // drops the longest line
    EXPECT_EQ(50, history.GetLongestLineLength());
    ASSERT_TRUE(::GetScrollInfo(history.m_hWnd, SB_HORZ, &info));
    EXPECT_EQ(50 * charWidth - 1, info.nMax);
}

// Scrolled to the end, the newest line shows whole and the top line starts at the top edge:
// the client height's remainder in lines stays below the newest line.
TEST_F(HistoryCtrl, ShowsTheNewestLineWholeAtTheEnd)
{
    COXHistoryCtrl history;
    Create(history, 300, 100);
    const int lineHeight = history.GetCharSize().cy;
    for (int i = 0; i < 30; ++i)
        history.AddLine("line");
    CRect client;
    history.GetClientRect(&client);
    const CPoint position = history.GetDeviceScrollPosition();
    EXPECT_EQ(0, position.y % lineHeight);
    EXPECT_EQ(30 * lineHeight + client.Height() % lineHeight, position.y + client.Height());
    EXPECT_EQ(std::min(30, static_cast<int>(client.Height() / lineHeight)),
              history.GetVisibleLineCount());
}

TEST_F(HistoryCtrl, PaintsLineBackgroundsAndTheEmptyArea)
{
    COXHistoryCtrl history;
    Create(history, 300, 180);
    history.SetEmptyAreaColor(kEmptyColor);
    history.ClearHistory();
    EXPECT_EQ(kEmptyColor, PixelAt(history, 5, 5));
    EXPECT_EQ(kEmptyColor, PixelAt(history, 295, 175));

    history.SetBackColor(kLineColor);
    history.SetTextIndent(4);
    history.AddLine("");
    const int lineHeight = history.GetCharSize().cy;
    EXPECT_EQ(kLineColor, PixelAt(history, 5, 1));
    EXPECT_EQ(kEmptyColor, PixelAt(history, 5, lineHeight + 2));
}

TEST_F(HistoryCtrl, FontCopiesGiveTheCharacterSize)
{
    COXHistoryCtrl history;
    Create(history);
    LOGFONT logFont = {};
    logFont.lfHeight = -20;
    lstrcpynA(logFont.lfFaceName, "Tahoma", LF_FACESIZE);
    {
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        history.SetFont(&font, TRUE);
    } // the caller's font goes; the control keeps its copy
    LOGFONT kept = {};
    ASSERT_TRUE(history.GetDisplayFont()->GetLogFont(&kept));
    EXPECT_EQ(-20, kept.lfHeight);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, history.GetDisplayFont()->GetSafeHandle());
    SIZE size;
    ::GetTextExtentPoint32A(screen, "X", 1, &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(CSize(size), history.GetCharSize());
}

TEST_F(HistoryCtrl, DatedNamesAndTimeStamps)
{
    COXHistoryCtrl history;
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    char expected[32];
    snprintf(expected, sizeof expected, "%02d%02d%04d.txt", today.wDay, today.wMonth, today.wYear);
    history.SetLogFileName("..\\log\\FileLog.txt");
    EXPECT_STREQ(expected, history.GetLogFileName());
    history.SetLogFileName("FileLog");
    EXPECT_STREQ(std::string(expected, 8).c_str(), history.GetLogFileName());

    ASSERT_TRUE(history.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), &m_parent, 1));
    history.SetTimeStampFormat("%Y");
    EXPECT_STREQ("%Y", history.GetTimeStampFormat());
    history.AddTimeStampedLine("started", FALSE);
    EXPECT_EQ(std::to_string(today.wYear) + " started", history.GetLineText(0).GetString());
}

TEST_F(HistoryCtrl, HasNoZoomMenu)
{
    COXHistoryCtrl history;
    Create(history);
    CPoint point(0, 0);
    EXPECT_FALSE(history.PrepareContextMenu(nullptr, point));
}
