// The program's own popup menus on the screen: in Japanese mode under a Japanese locale each
// item's label shows its Japanese glyphs, as the menu font draws the text, not the Western
// characters its Shift-JIS bytes would read as; a path's backslashes stay backslashes in
// English mode, where no Japanese font stands in for the menu font.
#include "platform/test/pump.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ScreenInk.h"
#include "widgets/bars/OXBitmapMenu.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

namespace
{
constexpr UINT kMenuGetHandle = 0x01E1; // MN_GETHMENU

// The label drawn black on white in the menu font, as a menu draws it (mnemonic underlined).
Ink LabelInk(const std::wstring& label)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HFONT font = ::CreateFontIndirectW(&metrics.lfMenuFont);
    const HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT size = {};
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &size,
                DT_SINGLELINE | DT_CALCRECT);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size.right + 2, size.bottom + 2);
    const HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, size.right + 2, size.bottom + 2};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    RECT at = {1, 1, size.right + 1, size.bottom + 1};
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &at, DT_SINGLELINE);
    Ink ink = ReadInk(dc, 0, 0, all.right, all.bottom);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ink;
}

struct Seen
{
    std::wstring label;
    double fit = 0;
};
std::vector<Seen> g_seen;
std::string g_shot;

void CALLBACK ReadOpenMenu(HWND owner, UINT, UINT_PTR id, DWORD)
{
    const HWND popup = ::FindWindowA("#32768", nullptr);
    if (popup == nullptr || !::IsWindowVisible(popup))
        return;
    // Wine shows what a popup painted once its loop has waited: read on a later tick.
    static int ticks = 0;
    if (++ticks < 3)
        return;
    ticks = 0;
    ::KillTimer(owner, id);
    const auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, kMenuGetHandle, 0, 0));
    RECT window = {};
    ::GetWindowRect(popup, &window);
    const HDC screen = ::GetDC(nullptr);
    ReadInk(screen, window.left, window.top, window.right - window.left, window.bottom - window.top,
            g_shot);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE | MIIM_SUBMENU;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (!(info.fType & MFT_OWNERDRAW) || info.dwItemData == 0 ||
            (info.fState & (MFS_GRAYED | MFS_HILITE)))
            continue;
        const CString text = reinterpret_cast<BitmapMenuItemData*>(info.dwItemData)->text;
        const int tab = text.Find('\t');
        const CString label = tab < 0 ? text : text.Left(tab);
        if (label.IsEmpty())
            continue;
        std::wstring wide(static_cast<size_t>(label.GetLength()), L'\0');
        wide.resize(static_cast<size_t>(::MultiByteToWideChar(
            CP_ACP, 0, label, label.GetLength(), &wide[0], static_cast<int>(wide.size()))));
        RECT item = {};
        ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item);
        const Ink shown =
            ReadInk(screen, item.left, item.top, item.right - item.left, item.bottom - item.top);
        g_seen.push_back({wide, BestFit(shown, LabelInk(wide))});
    }
    ::ReleaseDC(nullptr, screen);
    ::EndMenu();
}
} // namespace

class JapaneseMenus : public AppFixture
{
};

// Wine takes the code page from the locale a process starts in: this runs in test_app_japanese.
TEST_F(JapaneseMenus, PopupMenuItemsShowTheirJapaneseLabels)
{
    if (std::getenv("GRAVIK_JAPANESE_LOCALE") == nullptr)
        GTEST_SKIP() << "runs as test_app_japanese, under a Japanese locale";
    // Taken before start-up makes the program's folder current.
    const std::string shots = std::filesystem::absolute("build/win/menu-shots").string();
    std::filesystem::create_directories(shots);
    ASSERT_TRUE(StartUp("[Environment]\r\nLanguage=Japanese\r\n"));
    const HWND frame = MainFrame()->m_hWnd;
    const HMENU bar = MainFrame()->GetFrameMenu();
    fw::test::ParkCursor();
    // The Project and Help menus: labels with kanji, kana and full-width mnemonics.
    for (const int position : {0, 3})
    {
        SCOPED_TRACE(position);
        g_seen.clear();
        g_shot = shots + "\\japanese-" + std::to_string(position) + ".bmp";
        ::SetForegroundWindow(frame);
        ::SetTimer(frame, 0x4A50, 50, &ReadOpenMenu);
        ::TrackPopupMenu(::GetSubMenu(bar, position), TPM_LEFTALIGN | TPM_TOPALIGN, 200, 200, 0,
                         frame, nullptr);
        fw::test::Pump();
        std::cout << "screenshot of the open menu: " << g_shot << "\n";
        ASSERT_GE(g_seen.size(), 1u) << "no owner-drawn item on the screen";
        bool japanese = false;
        for (const Seen& seen : g_seen)
        {
            for (wchar_t c : seen.label)
                japanese = japanese || c >= 0x3000;
            EXPECT_GT(seen.fit, 0.9) << "an item does not show its label";
        }
        EXPECT_TRUE(japanese) << "no Japanese label in the menu";
    }
}

// A recent project's path in the Recent Projects menu: the label shown as the menu font draws it
// in either mode, and in English mode that font draws backslashes, not the yen signs of the
// Japanese fonts.
TEST_F(JapaneseMenus, RecentProjectPathsShowTheirBackslashes)
{
    const bool isJapanese = std::getenv("GRAVIK_JAPANESE_LOCALE") != nullptr;
    const std::string shots = std::filesystem::absolute("build/win/menu-shots").string();
    std::filesystem::create_directories(shots);
    ASSERT_TRUE(StartUp(std::string("[Environment]\r\nLanguage=") +
                        (isJapanese ? "Japanese" : "English") +
                        "\r\n[MRU]\r\nMRU0=C:\\Work\\plate.mpj\r\n"));
    const HWND frame = MainFrame()->m_hWnd;
    const HMENU recent = ::GetSubMenu(::GetSubMenu(MainFrame()->GetFrameMenu(), 0), 3);
    ASSERT_NE(nullptr, recent);
    fw::test::ParkCursor();
    g_seen.clear();
    g_shot = shots + (isJapanese ? "\\recent-japanese.bmp" : "\\recent-english.bmp");
    ::SetForegroundWindow(frame);
    ::SetTimer(frame, 0x4A50, 50, &ReadOpenMenu);
    ::TrackPopupMenu(recent, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 200, 0, frame, nullptr);
    fw::test::Pump();
    std::cout << "screenshot of the open menu: " << g_shot << "\n";
    ASSERT_EQ(1u, g_seen.size()) << "the one recent project is not on the screen";
    const Seen& seen = g_seen[0];
    ASSERT_NE(std::wstring::npos, seen.label.find(L"C:\\Work\\"));
    EXPECT_GT(seen.fit, 0.9) << "the item does not show its label";
    if (!isJapanese)
    {
        // What the menu font draws for a backslash, as the item shows it: one thin slanted
        // stroke, not the bars of a yen sign.
        const Ink backslash = LabelInk(L"\\");
        int widestRow = 0;
        for (int y = 0; y < backslash.height; ++y)
        {
            int row = 0;
            for (int x = 0; x < backslash.width; ++x)
                row += backslash.At(x, y);
            widestRow = std::max(widestRow, row);
        }
        EXPECT_LE(widestRow, 3) << "the menu font draws a yen sign for the backslash";
    }
}
