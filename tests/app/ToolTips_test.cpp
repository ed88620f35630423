// Toolbar tips as a user meets them: the tip window under a button says what the button does in
// the program's language, and every button with a tip has it in both languages.
#include "core/services/StringFile.h"
#include "platform/test/pump.h"
#include "platform/win/resource.h"
#include "resources/resource.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ScreenInk.h"

#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace
{
std::string Text(const char* section, const std::string& key, const char* suffix)
{
    std::string text;
    LoadStringWithSuffix("standard.str", section, key, suffix, &text);
    return text;
}

std::wstring Wide(const std::string& text, UINT codePage)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.c_str(),
                                                          static_cast<int>(text.size()), &wide[0],
                                                          static_cast<int>(wide.size()))));
    return wide;
}

// Dark pixels of a rectangle of a device context; optionally written as a BMP for the log.
int CountInk(HDC source, const RECT& rect, const std::string& bmp = "")
{
    const std::vector<bool> dark = ReadDarkPixels(
        source, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bmp);
    return static_cast<int>(std::count(dark.begin(), dark.end(), true));
}

// The ink the text leaves drawn in a font on a white ground.
int InkOfText(const std::wstring& text, HFONT font)
{
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const RECT rect = {0, 0, 800, 60};
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    const HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    const HGDIOBJ oldFont = ::SelectObject(memory, font);
    ::FillRect(memory, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(memory, RGB(0, 0, 0));
    ::SetBkMode(memory, TRANSPARENT);
    ::TextOutW(memory, 2, 2, text.c_str(), static_cast<int>(text.size()));
    const int ink = CountInk(memory, rect);
    ::SelectObject(memory, oldFont);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ink;
}

} // namespace

class ToolTips : public AppFixture
{
};

// Every toolbar button with a tip has it in both languages, the English one as the resources
// give it.
TEST_F(ToolTips, EveryToolBarTipExistsInBothLanguages)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    int tips = 0;
    for (const UINT id : ToolBarCommands(*MainFrame()))
    {
        CString full;
        CString english;
        if (!fw::LoadResourceString(id, full) || !fw::ExtractSubString(english, full, 1) ||
            english.IsEmpty())
            continue;
        ++tips;
        const std::string key = "ID" + std::to_string(id);
        SCOPED_TRACE(key);
        EXPECT_EQ(english.GetString(), Text("ToolTip", key, "_ENG"));
        EXPECT_FALSE(Text("ToolTip", key, "_JPN").empty());
    }
    EXPECT_GT(tips, 10);
}

// The mouse rests on the Open button: the tip window shows the tip of the program's language.
// Under a Japanese locale (test_app_japanese) the text is also compared with the Japanese
// characters, and its ink on the screen with the ink of those characters.
TEST_F(ToolTips, TipUnderTheMouseIsInTheProgramsLanguage)
{
    const bool japaneseLocale = std::getenv("GRAVIK_JAPANESE_LOCALE") != nullptr;
    // Taken before start-up makes the program's folder current.
    const std::string shots = std::filesystem::absolute("build/win/tip-shots").string();
    std::filesystem::create_directories(shots);
    for (const LanguageCase& c : kLanguageCases)
    {
        SCOPED_TRACE(c.suffix);
        ASSERT_TRUE(StartUp(c.ini));
        CMainFrame* frame = MainFrame();
        frame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(frame->m_hWnd);
        fw::test::Pump();
        const HWND bar = frame->GetToolBar(CMainFrame::kStandardBar).m_hWnd;
        const auto tip = reinterpret_cast<HWND>(::SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
        ASSERT_NE(nullptr, tip);
        POINT centre = {};
        ASSERT_TRUE(ToolbarButtonCentre(bar, ID_PROJECT_OPEN, &centre));
        const LPARAM client = MAKELPARAM(centre.x, centre.y);
        ::ClientToScreen(bar, &centre);
        ::SetCursorPos(centre.x, centre.y);
        ::SendMessageA(bar, WM_MOUSEMOVE, 0, client);
        const bool shown =
            fw::test::WaitFor([tip] { return ::IsWindowVisible(tip) != FALSE; }, 5000);
        fw::test::Pump();
        ASSERT_TRUE(shown) << "no tip under the mouse";

        wchar_t text[256] = {};
        ::GetWindowTextW(tip, text, 256);
        const std::string expected =
            Text("ToolTip", "ID" + std::to_string(ID_PROJECT_OPEN), c.suffix);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Wide(expected, CP_ACP), std::wstring(text));
        if (c.suffix == std::string("_ENG"))
            EXPECT_EQ(L"Open Project", std::wstring(text));

        RECT inside = {};
        ::GetClientRect(tip, &inside);
        ::MapWindowPoints(tip, nullptr, reinterpret_cast<POINT*>(&inside), 2);
        ::InflateRect(&inside, -1, -1); // the frame is no text
        const HDC screen = ::GetDC(nullptr);
        const std::string shot = shots + "\\tip" + c.suffix + ".bmp";
        const int seen = CountInk(screen, inside, shot);
        ::ReleaseDC(nullptr, screen);
        std::cout << "screenshot of the tip: " << shot << "\n";
        if (japaneseLocale)
        {
            const std::wstring characters = Wide(expected, 932);
            if (c.suffix == std::string("_JPN"))
                EXPECT_EQ(L"\u30D7\u30ED\u30B8\u30A7\u30AF\u30C8\u3092\u958B\u304F", characters);
            EXPECT_EQ(characters, std::wstring(text));
            const auto font = reinterpret_cast<HFONT>(::SendMessageA(tip, WM_GETFONT, 0, 0));
            const int drawn = InkOfText(characters, font);
            EXPECT_NEAR(drawn, seen, drawn / 5 + 4) << "the tip does not show its text";
        }
        else
        {
            EXPECT_GT(seen, 20) << "the tip shows no text";
        }
        fw::test::ParkCursor();
        TearDown();
    }
    ::SetThreadLocale(MAKELCID(0x409, SORT_DEFAULT));
}
