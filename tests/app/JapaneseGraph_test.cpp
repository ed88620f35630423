// The graph window's captions on the screen in the program's language: drawn in the open
// project's label font, a Japanese caption shows its Japanese glyphs (under a Japanese locale,
// in test_app_japanese), not the Western characters its Shift-JIS bytes would read as, nor the
// boxes of glyphs the font lacks.
#include "core/services/StringFile.h"
#include "dialogs/graph/GraphFrame.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ScreenInk.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// The text drawn black on the graph's grey in the font, as the graph draws its captions.
Ink TextInk(const LOGFONTA& logFont, const std::wstring& text)
{
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HFONT font = ::CreateFontIndirectA(&logFont);
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    Ink ink;
    const bool upward = logFont.lfEscapement == 900;
    ink.width = (upward ? size.cy : size.cx) + 2;
    ink.height = (upward ? size.cx : size.cy) + 2;
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, ink.width, ink.height);
    const HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, ink.width, ink.height};
    const HBRUSH grey = ::CreateSolidBrush(RGB(200, 200, 200));
    ::FillRect(dc, &all, grey);
    ::DeleteObject(grey);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, 1, upward ? ink.height - 1 : 1, text.c_str(), static_cast<int>(text.size()));
    ink.dark = ReadDarkPixels(dc, 0, 0, ink.width, ink.height);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ink;
}

// The characters of the text beyond ASCII that the font draws as the box of a missing glyph:
// with the ink of a character that no font has.
std::wstring DrawnAsBoxes(const LOGFONTA& logFont, const std::wstring& text)
{
    const Ink box = TextInk(logFont, std::wstring(1, wchar_t(0xE000)));
    std::wstring boxes;
    for (const wchar_t c : text)
    {
        if (c < 0x80)
            continue;
        const Ink ink = TextInk(logFont, std::wstring(1, c));
        if (ink.width == box.width && ink.height == box.height && ink.dark == box.dark)
            boxes += c;
    }
    return boxes;
}

// A rectangle of the screen as ink.
Ink ScreenInk(const RECT& rect, const std::string& bmp)
{
    const HDC screen = ::GetDC(nullptr);
    Ink ink =
        ReadInk(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bmp);
    ::ReleaseDC(nullptr, screen);
    return ink;
}

std::string ProductIni()
{
    std::ifstream in("resources/ini/Gravik.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::wstring Wide(const CString& text)
{
    std::wstring wide(static_cast<size_t>(text.GetLength()), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(
        CP_ACP, 0, text, text.GetLength(), &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

class JapaneseGraph : public AppFixture
{
};
} // namespace

// The transient graph's captions ("Steps", "Result") of the language, shown below and left of
// the plot in the project's label font, each where the screen shows its glyphs.
TEST_F(JapaneseGraph, CaptionsShowTheirTextsInTheProjectsLabelFont)
{
    const bool isJapanese = std::getenv("GRAVIK_JAPANESE_LOCALE") != nullptr;
    const std::string shots = std::filesystem::absolute("build/win/menu-shots").string();
    std::filesystem::create_directories(shots);
    const std::string demo = std::filesystem::absolute("resources/demo/demo.unv").string();
    // The product's settings, the label font's face among them, in the language of the locale.
    std::string ini = ProductIni();
    const size_t language = ini.find("Language=English");
    ASSERT_NE(std::string::npos, language);
    if (isJapanese)
        ini.replace(language, std::strlen("Language=English"), "Language=Japanese");
    ASSERT_TRUE(StartUp(ini));
    MainFrame()->OpenFileInNewProject("demo.unv", demo.c_str());
    fw::test::Pump();
    const CProjectData* project = MainFrame()->GetProject();
    ASSERT_NE(nullptr, project);
    EXPECT_STREQ("Tahoma", project->m_settings.m_generalFont.font.lfFaceName);

    CString xCaption;
    CString yCaption;
    LoadStringFromFile(CString("Dialog.str"), CString("TransientGraph"), CString("Steps"),
                       &xCaption);
    LoadStringFromFile(CString("Dialog.str"), CString("TransientGraph"), CString("Result"),
                       &yCaption);
    ASSERT_FALSE(xCaption.IsEmpty());
    auto* frame = new CGraphFrame; // deletes itself
    ASSERT_TRUE(frame->Create(nullptr, "Graph Control", WS_OVERLAPPEDWINDOW,
                              CRect(10, 100, 1000, 700), MainFrame()));
    CGraphView& view = *frame->GetPane().GetView();
    view.AddSeries({1, 2, 3}, {1, 4, 2}, "series");
    view.SetTitles("", xCaption, yCaption);
    frame->ShowGraph();
    ::SetForegroundWindow(frame->m_hWnd);
    fw::test::Pump();

    const CGraphCtrl& graph = view.Graph();
    LOGFONTA font = project->m_settings.m_generalFont.font;
    font.lfHeight = graph.TitleFontHeight();
    font.lfWeight = 600;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    RECT pane = {};
    frame->GetPane().GetClientRect(&pane);
    POINT origin = {0, 0};
    ::ClientToScreen(frame->GetPane().m_hWnd, &origin);
    const int axisLine = graph.TopMargin() + graph.PlotHeight();
    const RECT below = {origin.x + graph.LeftMargin(), origin.y + axisLine + 2,
                        origin.x + graph.LeftMargin() + graph.PlotWidth(), origin.y + pane.bottom};
    const RECT left = {origin.x, origin.y + graph.TopMargin(), origin.x + graph.LeftMargin() - 2,
                       origin.y + axisLine};
    const std::string mode = isJapanese ? "japanese" : "english";
    const Ink shownX = ScreenInk(below, shots + "\\graph-x-" + mode + ".bmp");
    const Ink shownY = ScreenInk(left, shots + "\\graph-y-" + mode + ".bmp");
    std::cout << "screenshots of the captions: " << shots << "\\graph-*-" << mode << ".bmp\n";

    const std::wstring xText = Wide(xCaption.MakeUpper());
    const std::wstring yText = Wide(yCaption.MakeUpper());
    if (isJapanese)
    {
        EXPECT_TRUE(std::any_of(xText.begin(), xText.end(), [](wchar_t c) { return c >= 0x3000; }))
            << "the caption has no Japanese character";
    }
    // The screen is compared with the captions drawn in the same font below: that font must
    // draw their glyphs, or boxes on the screen would match boxes there.
    EXPECT_EQ(0u, DrawnAsBoxes(font, xText).size()) << "the X caption's font draws boxes";
    EXPECT_EQ(0u, DrawnAsBoxes(font, yText).size()) << "the Y caption's font draws boxes";
    EXPECT_GT(BestFit(shownX, TextInk(font, xText)), 0.9) << "the X caption is not shown";
    font.lfEscapement = 900;
    EXPECT_GT(BestFit(shownY, TextInk(font, yText)), 0.9) << "the Y caption is not shown";
    frame->DestroyWindow();
    fw::test::Pump();
}
