// Japanese mode is readable: a Japanese menu item on the screen, the system's interface fonts
// (menus, message boxes, the status bar, dialogs) and the Japanese faces the program asks for
// draw the Japanese menu texts with their glyphs, not with the box a font draws for a character
// it lacks.
#include "platform/test/pump.h"

#include <windows.h>

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A Japanese text of standard.str, section Menu (Shift-JIS in the file).
std::wstring JapaneseMenuText(const std::string& key)
{
    std::ifstream in("resources/string/standard.str", std::ios::binary);
    std::string line;
    bool inMenu = false;
    const std::string wanted = key + "_JPN";
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            inMenu = line == "[Menu]";
        else if (inMenu && line.compare(0, wanted.size(), wanted) == 0)
        {
            const size_t equals = line.find('=', wanted.size());
            if (equals == std::string::npos)
                break;
            std::string value = line.substr(line.find_first_not_of(' ', equals + 1));
            std::wstring wide(value.size(), L'\0');
            const int n =
                ::MultiByteToWideChar(932, 0, value.data(), static_cast<int>(value.size()),
                                      wide.data(), static_cast<int>(wide.size()));
            wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
            return wide;
        }
    }
    return std::wstring();
}

// The text with each character beyond ASCII replaced by one that no font has: the boxes.
std::wstring AsBoxes(std::wstring text)
{
    for (wchar_t& c : text)
    {
        if (c >= 0x80)
            c = 0xE000;
    }
    return text;
}

// The text drawn black on white in the font: one byte of green per pixel.
std::vector<unsigned char> Draw(const LOGFONTW& logFont, const std::wstring& text)
{
    constexpr int kWidth = 400;
    constexpr int kHeight = 48;
    const std::vector<COLORREF> drawn = fw::test::DrawnPixels(
        kWidth, kHeight,
        [&](HDC dc)
        {
            const HFONT font = ::CreateFontIndirectW(&logFont);
            const HGDIOBJ oldFont = ::SelectObject(dc, font);
            RECT all = {0, 0, kWidth, kHeight};
            ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkMode(dc, TRANSPARENT);
            ::TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
            ::SelectObject(dc, oldFont);
            ::DeleteObject(font);
        });
    std::vector<unsigned char> pixels;
    for (const COLORREF pixel : drawn)
        pixels.push_back(GetGValue(pixel));
    return pixels;
}

// What the screen shows of an open popup menu: read by a timer in the menu's loop, which then
// ends the menu.
std::vector<COLORREF> g_shownMenu;

void CALLBACK ReadOpenMenu(HWND owner, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(owner, id);
    const HWND popup = ::FindWindowW(L"#32768", nullptr);
    RECT rect = {};
    if (popup != nullptr && ::IsWindowVisible(popup) && ::GetWindowRect(popup, &rect))
    {
        const HDC screen = ::GetDC(nullptr);
        for (int y = rect.top; y < rect.bottom; ++y)
        {
            for (int x = rect.left; x < rect.right; ++x)
                g_shownMenu.push_back(::GetPixel(screen, x, y));
        }
        ::ReleaseDC(nullptr, screen);
    }
    ::EndMenu();
}

// The pixels of a popup menu of one item with the text, opened at the same place each time.
std::vector<COLORREF> ShownMenuItem(HWND owner, const std::wstring& text)
{
    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, text.c_str());
    g_shownMenu.clear();
    ::SetForegroundWindow(owner);
    ::SetTimer(owner, 77, 300, &ReadOpenMenu);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, owner, nullptr);
    ::DestroyMenu(menu);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    return g_shownMenu;
}

LOGFONTW Face(const wchar_t* name, int height)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, name, LF_FACESIZE);
    return font;
}
} // namespace

TEST(JapaneseFonts, AJapaneseMenuItemOnTheScreenShowsItsGlyphsNotBoxes)
{
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                         50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    const std::wstring text = JapaneseMenuText("ID32772"); // New in Japanese
    ASSERT_FALSE(text.empty());
    const std::vector<COLORREF> boxes = ShownMenuItem(owner, AsBoxes(text));
    const std::vector<COLORREF> shown = ShownMenuItem(owner, text);
    ::DestroyWindow(owner);
    ASSERT_FALSE(shown.empty()) << "no open menu on the screen";
    ASSERT_EQ(boxes.size(), shown.size()) << "the two menus differ in size";
    EXPECT_NE(boxes, shown) << "the menu shows boxes for the Japanese characters";
}

TEST(JapaneseFonts, InterfaceFontsDrawJapaneseMenuTextsNotBoxes)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    struct Case
    {
        const char* what;
        LOGFONTW font;
    };
    const Case cases[] = {
        {"menu font", metrics.lfMenuFont},
        {"message box font", metrics.lfMessageFont},
        {"status font", metrics.lfStatusFont},
        {"dialog font", Face(L"MS Shell Dlg", -12)},
        // The faces the program names in Japanese mode.
        {"MS Gothic", Face(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", -13)},
        {"MS PGothic", Face(L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF", -14)},
        {"MS UI Gothic", Face(L"MS UI Gothic", -11)},
    };
    for (const char* key : {"Project", "ID32772", "RecentProjects"})
    {
        const std::wstring text = JapaneseMenuText(key);
        ASSERT_FALSE(text.empty()) << key;
        ASSERT_NE(text, AsBoxes(text)) << key << " has no Japanese character";
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(c.what) + ", menu item " + key);
            const std::vector<unsigned char> boxes = Draw(c.font, AsBoxes(text));
            const std::vector<unsigned char> drawn = Draw(c.font, text);
            EXPECT_NE(std::vector<unsigned char>(boxes.size(), 255), drawn) << "nothing drawn";
            EXPECT_NE(boxes, drawn) << "the Japanese characters are drawn as boxes";
        }
    }
}
