// The program's bitmap menus under Wine: the Project, View and Result menus opened from the menu
// bar draw the toolbar pictures beside their commands (pixels against the toolbars' own images
// drawn under the same Wine), checked items on the checkerboard and shortcuts right-aligned;
// a mnemonic answers the menu character; with hiding switched on, an excluded command waits
// behind the expansion item; the view toolbars' drop-downs show their bitmaps below the button
// and the chosen command reaches the view, the frame's procedure as it was afterwards.
#include "app/FrameMenus.h"

#include "platform/test/pump.h"
#include "project/AESettings.h"
#include "project/ProjectData.h"
#include "render/SceneSettings.h"
#include "resources/ids/app_ids.h"
#include "resources/ids/view_ids.h"
#include "tests/app/ProjectAppFixture.h"
#include "widgets/bars/OXMenuBar.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
constexpr UINT kMenuGetHandle = 0x01E1; // MN_GETHMENU

// The script that runs once a popup menu shows, from inside the menu's own loop (a thread timer
// fires there), with the topmost popup window. The timer runs until the test ends.
std::function<void(HWND)> g_whileOpen;
std::function<bool(HWND)> g_ready; // null: any popup will do
UINT_PTR g_timer = 0;
// A popup still open this long after its script was due is closed, so that a failing test
// ends instead of waiting in the menu's loop.
DWORD g_deadline = 0;
constexpr DWORD kScriptTimeoutMs = 5000;

BOOL CALLBACK FindTopPopup(HWND wnd, LPARAM param)
{
    char name[16] = {};
    ::GetClassNameA(wnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") == 0 && ::IsWindowVisible(wnd))
    {
        *reinterpret_cast<HWND*>(param) = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND TopPopup()
{
    HWND popup = nullptr;
    ::EnumWindows(FindTopPopup, reinterpret_cast<LPARAM>(&popup));
    return popup;
}

void CALLBACK OnMenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND popup = TopPopup();
    if (popup != nullptr && static_cast<LONG>(::GetTickCount() - g_deadline) > 0)
    {
        g_whileOpen = nullptr;
        ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    // Wine shows what a window painted once its loop has waited: a popup is read on the tick
    // after the one that first saw it.
    static HWND seenBefore = nullptr;
    const bool settled = popup != nullptr && popup == seenBefore;
    seenBefore = popup;
    if (!settled || !g_whileOpen || (g_ready && !g_ready(popup)))
        return;
    seenBefore = nullptr;
    const auto script = std::move(g_whileOpen);
    g_whileOpen = nullptr;
    g_ready = nullptr;
    // The timer goes on: a popup that its script leaves open is closed in time.
    g_deadline = ::GetTickCount() + kScriptTimeoutMs;
    script(popup);
}

void WhenMenuShows(std::function<void(HWND)> script, std::function<bool(HWND)> ready = nullptr)
{
    g_whileOpen = std::move(script);
    g_ready = std::move(ready);
    g_deadline = ::GetTickCount() + kScriptTimeoutMs;
    if (g_timer == 0)
        g_timer = ::SetTimer(nullptr, 0, 40, OnMenuTimer);
}

HMENU MenuOf(HWND popup)
{
    return reinterpret_cast<HMENU>(::SendMessageA(popup, kMenuGetHandle, 0, 0));
}

// What the screen shows in a rectangle, read in one go.
class ScreenImage
{
public:
    explicit ScreenImage(const CRect& rect)
        : m_rect(rect)
        , m_pixels(static_cast<size_t>(rect.Width() * rect.Height()))
    {
        const HDC screen = ::GetDC(nullptr);
        const HDC memory = ::CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = rect.Width();
        info.bmiHeader.biHeight = -rect.Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, rect.Width(), rect.Height(), screen, rect.left, rect.top, SRCCOPY);
        ::GdiFlush();
        const auto* raw = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < m_pixels.size(); ++i)
            m_pixels[i] = RGB(raw[i] >> 16 & 0xFF, raw[i] >> 8 & 0xFF, raw[i] & 0xFF);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }

    // A pixel by screen coordinates; black outside.
    COLORREF At(int x, int y) const
    {
        if (!m_rect.PtInRect(CPoint(x, y)))
            return 0;
        return m_pixels[static_cast<size_t>((y - m_rect.top) * m_rect.Width() + x - m_rect.left)];
    }

    // Written as a 24-bit BMP for the test log.
    void Save(const std::string& path) const
    {
        const int width = m_rect.Width();
        const int height = m_rect.Height();
        const int stride = (width * 3 + 3) & ~3;
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = 24;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr)
            return;
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::vector<BYTE> row(static_cast<size_t>(stride));
        for (int y = height - 1; y >= 0; --y)
        {
            for (int x = 0; x < width; ++x)
            {
                const COLORREF c = m_pixels[static_cast<size_t>(y * width + x)];
                row[static_cast<size_t>(x * 3)] = GetBValue(c);
                row[static_cast<size_t>(x * 3 + 1)] = GetGValue(c);
                row[static_cast<size_t>(x * 3 + 2)] = GetRValue(c);
            }
            std::fwrite(row.data(), 1, row.size(), out);
        }
        std::fclose(out);
    }

private:
    CRect m_rect;
    std::vector<COLORREF> m_pixels;
};

// A picture drawn transparently by this Wine's image lists, over black and over white: the
// pixels that agree are its opaque ones.
struct Reference
{
    int cx = 0;
    int cy = 0;
    std::vector<COLORREF> colour; // per pixel
    std::vector<bool> opaque;
};

Reference DrawReference(HIMAGELIST list, int index)
{
    Reference reference;
    ::ImageList_GetIconSize(list, &reference.cx, &reference.cy);
    std::vector<COLORREF> over[2];
    const HDC screen = ::GetDC(nullptr);
    for (int pass = 0; pass < 2; ++pass)
    {
        const HDC memory = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, reference.cx, reference.cy);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        RECT all = {0, 0, reference.cx, reference.cy};
        const HBRUSH brush = ::CreateSolidBrush(pass == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255));
        ::FillRect(memory, &all, brush);
        ::DeleteObject(brush);
        ::ImageList_Draw(list, index, memory, 0, 0, ILD_TRANSPARENT);
        for (int y = 0; y < reference.cy; ++y)
            for (int x = 0; x < reference.cx; ++x)
                over[pass].push_back(::GetPixel(memory, x, y));
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
    }
    ::ReleaseDC(nullptr, screen);
    reference.colour = over[0];
    for (size_t i = 0; i < over[0].size(); ++i)
        reference.opaque.push_back(over[0][i] == over[1][i]);
    return reference;
}

// How a popup item's picture compares with its reference on the screen.
struct PictureMatch
{
    int opaque = 0;        // opaque pixels of the reference
    int matching = 0;      // of those, shown as in the reference
    int menuColoured = 0;  // transparent pixels in the menu colour
    int lightColoured = 0; // transparent pixels in the 3-D highlight colour
};

PictureMatch ComparePicture(const ScreenImage& screen, const CRect& item, const Reference& picture)
{
    PictureMatch match;
    const int left = item.left + 2;
    const int top = item.top + (item.Height() - picture.cy) / 2;
    for (int y = 0; y < picture.cy; ++y)
    {
        for (int x = 0; x < picture.cx; ++x)
        {
            const size_t i = static_cast<size_t>(y * picture.cx + x);
            const COLORREF shown = screen.At(left + x, top + y);
            if (picture.opaque[i])
            {
                ++match.opaque;
                match.matching += shown == picture.colour[i];
            }
            else
            {
                match.menuColoured += shown == ::GetSysColor(COLOR_MENU);
                match.lightColoured += shown == ::GetSysColor(COLOR_3DHILIGHT);
            }
        }
    }
    return match;
}

CRect ItemOnScreen(HMENU menu, int item)
{
    CRect rect;
    ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(item), &rect);
    return rect;
}

// The leftmost and rightmost columns of an item's row from fromX on that hold pixels of the
// colour, relative to the item's left edge; -1 when none.
std::pair<int, int> TextColumns(const ScreenImage& screen, const CRect& item, int fromX,
                                COLORREF text)
{
    int first = -1;
    int last = -1;
    for (int x = fromX; x < item.Width(); ++x)
    {
        for (int y = 2; y < item.Height() - 2; ++y)
        {
            if (screen.At(item.left + x, item.top + y) != text)
                continue;
            if (first < 0)
                first = x;
            last = x;
            break;
        }
    }
    return {first, last};
}

std::string MenuItemText(HMENU menu, int item)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(item), TRUE, &info);
    if ((info.fType & MFT_OWNERDRAW) && info.dwItemData)
        return reinterpret_cast<BitmapMenuItemData*>(info.dwItemData)->text.GetString();
    char text[300] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool IsOwnerDrawn(HMENU menu, int item)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(item), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
}

std::vector<UINT> Ids(HMENU menu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        ids.push_back(::GetSubMenu(menu, i) ? 0xFFFFFFFFu : ::GetMenuItemID(menu, i));
    return ids;
}

// A bitmap resource drawn as a menu picture: light grey is its transparent colour.
Reference BitmapReference(UINT bitmapId)
{
    const HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    BITMAP size = {};
    ::GetObjectA(bitmap, sizeof size, &size);
    const HIMAGELIST list =
        ::ImageList_Create(size.bmWidth, size.bmHeight, ILC_MASK | ILC_COLOR24, 1, 0);
    ::ImageList_AddMasked(list, bitmap, RGB(192, 192, 192));
    Reference reference = DrawReference(list, 0);
    ::ImageList_Destroy(list);
    ::DeleteObject(bitmap);
    return reference;
}

class FrameMenus : public ProjectAppFixture
{
protected:
    FrameMenus()
        : m_shots(fs::absolute("build/win/menu-shots").string())
    {
    }

    void SetUp() override
    {
        ProjectAppFixture::SetUp();
        // Where the mouse rests it would highlight an item.
        fw::test::ParkCursor();
        // The menu colour of the day may equal the 3-D highlight; a grey of its own tells
        // the checkerboard from the plain menu.
        m_oldMenuColour = ::GetSysColor(COLOR_MENU);
        const int element = COLOR_MENU;
        const COLORREF grey = RGB(212, 208, 200);
        ::SetSysColors(1, &element, &grey);
        fs::create_directories(m_shots);
    }

    void TearDown() override
    {
        g_whileOpen = nullptr;
        g_ready = nullptr;
        if (g_timer != 0)
            ::KillTimer(nullptr, g_timer);
        g_timer = 0;
        const int element = COLOR_MENU;
        ::SetSysColors(1, &element, &m_oldMenuColour);
        ProjectAppFixture::TearDown();
    }

    // Opens the menu bar's popup of that mnemonic, runs script while it shows and leaves the
    // menu bar; false when the popup never showed.
    bool WithMenuOpen(char mnemonic, const std::function<void(HWND popup, HMENU menu)>& script)
    {
        bool ran = false;
        WhenMenuShows(
            [&](HWND popup)
            {
                ::UpdateWindow(popup);
                script(popup, MenuOf(popup));
                ran = true;
                ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            });
        COXMenuBar* bar = MainFrame()->GetMenuBar();
        bar->HandleMenuKey(static_cast<UINT>(mnemonic));
        fw::test::WaitFor([&] { return ran; }, 5000);
        fw::test::Pump();
        if (bar->IsInMenuMode())
            bar->HandleMenuKey(VK_ESCAPE);
        fw::test::Pump();
        return ran;
    }

    // The toolbar picture of a command, as its toolbar draws it.
    bool ToolBarPicture(UINT command, Reference& reference)
    {
        for (int slot = 0; slot < CMainFrame::kToolBarCount; ++slot)
        {
            const HWND bar =
                MainFrame()->GetToolBar(static_cast<CMainFrame::ToolBarSlot>(slot)).m_hWnd;
            const auto index = static_cast<int>(::SendMessageA(bar, TB_COMMANDTOINDEX, command, 0));
            TBBUTTON button = {};
            if (index < 0 || !::SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(&button)))
                continue;
            const auto list =
                reinterpret_cast<HIMAGELIST>(::SendMessageA(bar, TB_GETIMAGELIST, 0, 0));
            if (list == nullptr)
                continue;
            reference = DrawReference(list, button.iBitmap);
            return true;
        }
        return false;
    }

    std::string Shot(const std::string& name, HWND popup)
    {
        CRect rect;
        ::GetWindowRect(popup, &rect);
        const std::string path = m_shots + "\\" + name + ".bmp";
        ScreenImage(rect).Save(path);
        std::cout << "screenshot of the open menu: " << path << "\n";
        return path;
    }

    std::string m_shots;
    COLORREF m_oldMenuColour = 0;
};
} // namespace

TEST_F(FrameMenus, ProjectViewAndResultMenusDrawTheirPicturesAndShortcuts)
{
    NewProject("Menus", m_demoModel);
    ASSERT_NE(nullptr, View(1));
    struct ItemSeen
    {
        std::string text;
        UINT id;
        UINT state;
        bool ownerDrawn;
        bool hasPicture;
        PictureMatch picture;
        std::pair<int, int> columns; // of the text, or of the embossed text when disabled
        int width;
        int clientLeft; // the item's left edge in the popup's client area
    };
    // pictureColumn: the columns left of the labels that toolbar pictures may take.
    const auto inspect = [this](HWND popup, HMENU menu, int pictureColumn)
    {
        CRect window;
        ::GetWindowRect(popup, &window);
        const ScreenImage screen(window);
        std::vector<ItemSeen> items;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        {
            ItemSeen seen = {MenuItemText(menu, i),
                             ::GetMenuItemID(menu, i),
                             ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION),
                             IsOwnerDrawn(menu, i),
                             false,
                             {},
                             {},
                             0,
                             0};
            const CRect item = ItemOnScreen(menu, i);
            POINT topLeft = item.TopLeft();
            ::ScreenToClient(popup, &topLeft);
            seen.clientLeft = topLeft.x;
            Reference picture;
            seen.hasPicture = ToolBarPicture(seen.id, picture);
            if (seen.hasPicture)
                seen.picture = ComparePicture(screen, item, picture);
            const bool disabled = (seen.state & (MF_DISABLED | MF_GRAYED)) != 0;
            seen.columns = TextColumns(screen, item, pictureColumn,
                                       ::GetSysColor(disabled ? COLOR_3DSHADOW : COLOR_MENUTEXT));
            seen.width = item.Width();
            items.push_back(seen);
        }
        return items;
    };
    std::map<char, std::vector<ItemSeen>> menus;
    for (const auto& [mnemonic, name] : std::vector<std::pair<char, const char*>>{
             {'P', "project"}, {'V', "view"}, {'R', "result"}})
    {
        ASSERT_TRUE(WithMenuOpen(mnemonic,
                                 [&, mnemonic = mnemonic, name = name](HWND popup, HMENU menu)
                                 {
                                     menus[mnemonic] =
                                         inspect(popup, menu, mnemonic == 'R' ? 0 : 2 + 16 + 1);
                                     Shot(name, popup);
                                 }))
            << name;
        ASSERT_FALSE(menus[mnemonic].empty()) << name;
    }
    const std::vector<ItemSeen>& project = menus['P'];
    const std::vector<ItemSeen>& view = menus['V'];
    const std::vector<ItemSeen>& result = menus['R'];
    const auto usable = [](const ItemSeen& item)
    { return item.id != 0 && !(item.state & (MF_DISABLED | MF_GRAYED | MF_HILITE)); };

    // Every item of the three menus is drawn by the bitmap menu; every label (embossed when
    // disabled) starts right of the picture column.
    for (const auto* menu : {&project, &view, &result})
    {
        for (const ItemSeen& item : *menu)
        {
            SCOPED_TRACE(item.text);
            EXPECT_TRUE(item.ownerDrawn);
            if (item.id == 0 || (item.state & MF_HILITE))
                continue;
            const int pictures = menu == &result ? ::GetSystemMetrics(SM_CXMENUCHECK) : 16;
            EXPECT_GE(item.clientLeft + item.columns.first, 2 + pictures + 4 - 1);
            EXPECT_LE(item.clientLeft + item.columns.first, 2 + pictures + 4 + 3);
        }
    }

    // Pictures: every enabled item with a toolbar button shows the button's picture, on the
    // menu colour, or on the checkerboard while checked.
    int plainPictures = 0;
    int checkedPictures = 0;
    for (const auto* menu : {&project, &view})
    {
        for (const ItemSeen& item : *menu)
        {
            if (!item.hasPicture || !usable(item))
                continue;
            SCOPED_TRACE(item.text);
            ASSERT_GT(item.picture.opaque, 20);
            EXPECT_EQ(item.picture.opaque, item.picture.matching);
            if (item.state & MF_CHECKED)
            {
                ++checkedPictures;
                EXPECT_GT(item.picture.lightColoured, 5);
                EXPECT_GT(item.picture.menuColoured, 5);
            }
            else
            {
                ++plainPictures;
                EXPECT_EQ(0, item.picture.lightColoured);
                EXPECT_GT(item.picture.menuColoured, 5);
            }
        }
    }
    EXPECT_GE(plainPictures, 6) << "New, Open, Save, Print, display modes, Auto Scale, Redraw";
    EXPECT_GE(checkedPictures, 3) << "the view's display mode, the project tree, the output bar";

    // Shortcuts: right-aligned in one column at the right; the labels of items without one
    // end well before it ("Ctrl+A" is wider than 20 pixels).
    for (const auto* menu : {&project, &view})
    {
        int shortcutRight = -1;
        int shortcuts = 0;
        for (const ItemSeen& item : *menu)
        {
            if (!usable(item) || item.text.find('\t') == std::string::npos)
                continue;
            SCOPED_TRACE(item.text);
            ++shortcuts;
            EXPECT_GT(item.columns.second, item.width * 3 / 4);
            if (shortcutRight < 0)
                shortcutRight = item.columns.second;
            EXPECT_NEAR(shortcutRight, item.columns.second, 1);
        }
        EXPECT_GE(shortcuts, 2);
        for (const ItemSeen& item : *menu)
        {
            // A submenu's arrow stands where a shortcut would.
            if (usable(item) && item.id != 0xFFFFFFFFu && item.text.find('\t') == std::string::npos)
            {
                EXPECT_LT(item.columns.second, shortcutRight - 20) << item.text;
            }
        }
    }
}

TEST_F(FrameMenus, AMnemonicAnswersTheMenuCharacterAndChoosesItsItem)
{
    NewProject("Menus", m_demoModel);
    CCAEView* view = View(1);
    ASSERT_NE(nullptr, view);
    ASSERT_NE(kHiddenLine, view->Scene().DisplayMode());
    const HWND frame = MainFrame()->m_hWnd;
    LRESULT hidden = 0;
    LRESULT upper = 0;
    LRESULT none = -1;
    int hiddenPosition = -1;
    ASSERT_TRUE(WithMenuOpen('V',
                             [&](HWND popup, HMENU menu)
                             {
                                 for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                                     if (::GetMenuItemID(menu, i) == ID_VIEW_HIDDENLINE)
                                         hiddenPosition = i;
                                 const auto menuChar = [&](char key)
                                 {
                                     return ::SendMessageA(frame, WM_MENUCHAR,
                                                           MAKEWPARAM(key, MF_POPUP),
                                                           reinterpret_cast<LPARAM>(menu));
                                 };
                                 hidden = menuChar('h');
                                 upper = menuChar('H');
                                 none = menuChar('z');
                                 // Typed, the letter chooses the owner-drawn item.
                                 ::PostMessageA(popup, WM_CHAR, 'h', 0);
                             }));
    fw::test::Pump();
    ASSERT_GE(hiddenPosition, 0);
    EXPECT_EQ(MAKELRESULT(hiddenPosition, MNC_EXECUTE), hidden);
    EXPECT_EQ(hidden, upper);
    EXPECT_EQ(0, none);
    EXPECT_EQ(kHiddenLine, view->Scene().DisplayMode());
}

TEST_F(FrameMenus, WithHidingOnAnExcludedCommandWaitsBehindTheExpansionItem)
{
    NewProject("Menus", m_demoModel);
    COXMenuOrganizer& organizer = MainFrame()->GetMenus().Organizer();
    // The program leaves hiding off; switched on here.
    EXPECT_FALSE(organizer.IsShowOnlyRecentlyUsed());
    organizer.ShowOnlyRecentlyUsedItems(true);
    organizer.ExcludeCommandFromRecentlyUsed(ID_PROJECT_SAVE_AS);
    organizer.ExcludeCommandFromRecentlyUsed(ID_PROJECT_CLOSE);
    const HMENU project = ::GetSubMenu(MainFrame()->GetFrameMenu(), 0);
    const std::vector<UINT> original = Ids(project);
    std::vector<UINT> firstShown;
    std::vector<UINT> reopened;
    bool expansionChosen = false;
    bool done = false;
    COLORREF hiddenPattern = 0;
    COLORREF shownPattern = 0;
    WhenMenuShows(
        [&](HWND popup)
        {
            firstShown = Ids(MenuOf(popup));
            // Up from nothing highlights the last item: the expansion item.
            ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
            WhenMenuShows(
                [&](HWND)
                {
                    // The thread's keyboard hook sees Return on it (posted keys pass no hook).
                    expansionChosen = organizer.HandleKeyboardHook(VK_RETURN, 0x1C0001);
                    WhenMenuShows(
                        [&](HWND again)
                        {
                            ::UpdateWindow(again);
                            reopened = Ids(project);
                            // Hidden items lie on the checkerboard: neighbours differ.
                            const auto pattern = [&](int item)
                            {
                                const CRect rect = ItemOnScreen(project, item);
                                const ScreenImage screen(rect);
                                const int x = rect.left + rect.Width() - 20;
                                return screen.At(x, rect.top + 1) ^ screen.At(x + 1, rect.top + 1);
                            };
                            hiddenPattern = pattern(3);
                            shownPattern = pattern(2);
                            done = true;
                            ::PostMessageA(again, WM_KEYDOWN, VK_ESCAPE, 0);
                        },
                        [&](HWND) {
                            return ::GetMenuItemCount(project) == static_cast<int>(original.size());
                        });
                },
                [&](HWND)
                {
                    const int last = ::GetMenuItemCount(project) - 1;
                    return (::GetMenuState(project, static_cast<UINT>(last), MF_BYPOSITION) &
                            MF_HILITE) != 0;
                });
        });
    COXMenuBar* bar = MainFrame()->GetMenuBar();
    bar->HandleMenuKey('P');
    fw::test::WaitFor([&] { return done; }, 5000);
    fw::test::Pump();
    if (bar->IsInMenuMode())
        bar->HandleMenuKey(VK_ESCAPE);
    fw::test::Pump();

    std::vector<UINT> expectedFirst;
    for (const UINT id : original)
        if (id != ID_PROJECT_SAVE_AS && id != ID_PROJECT_CLOSE)
            expectedFirst.push_back(id);
    expectedFirst.push_back(ID_OXBM_EXPANSION);
    EXPECT_EQ(expectedFirst, firstShown);
    EXPECT_TRUE(expansionChosen);
    EXPECT_EQ(original, reopened);
    ASSERT_EQ(ID_PROJECT_SAVE_AS, original[3]);
    EXPECT_NE(0u, hiddenPattern) << "Save As on the checkerboard";
    EXPECT_EQ(0u, shownPattern) << "Save on the menu colour";
    // The loop is over: the popup has its items back, plain.
    EXPECT_FALSE(organizer.IsShowingAll());
    EXPECT_EQ(original, Ids(project));
    EXPECT_FALSE(IsOwnerDrawn(project, 0));
}

TEST_F(FrameMenus, ToolBarDropDownsShowTheirBitmapsBelowTheButtonAndTheChosenCommandRuns)
{
    NewProject("Menus", m_demoModel);
    ASSERT_NE(nullptr, View(1));
    const HWND frame = MainFrame()->m_hWnd;
    const WNDPROC frameProcedure =
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame, GWLP_WNDPROC));
    COXMenuOrganizer* frameOrganizer = &MainFrame()->GetMenus().Organizer();
    ASSERT_NE(CCAEView::kRightBottom, Project()->m_settings.m_triadPosition);
    ASSERT_NE(kHiddenLine, View(1)->Scene().DisplayMode());
    ASSERT_EQ(frameOrganizer, COXMenuOrganizer::FindOrganizer(frame));

    struct Case
    {
        UINT bar;
        UINT button;
        std::vector<std::pair<UINT, UINT>> entries; // command, bitmap
        int chosen; // the entry chosen: one the view does not show yet
    };
    const Case cases[] = {
        {IDW_VIEW_DROPDOWN_BAR_1,
         ID_TRIAD_RIGHT_TOP,
         {{ID_TRIAD_LEFT_TOP, 187},
          {ID_TRIAD_LEFT_BOTTOM, 186},
          {ID_TRIAD_RIGHT_TOP, 189},
          {ID_TRIAD_RIGHT_BOTTOM, 188}},
         3},
        {IDW_VIEW_DROPDOWN_BAR_2,
         ID_VIEW_DIR_ZX,
         {{ID_VIEW_DIR_XY, 190},
          {ID_VIEW_DIR_YX, 197},
          {ID_VIEW_DIR_YZ, 191},
          {ID_VIEW_DIR_ZY, 192},
          {ID_VIEW_DIR_ZX, 193},
          {ID_VIEW_DIR_XZ, 195},
          {ID_VIEW_DIR_XYZ, 196},
          {ID_VIEW_DIR_YXZ, 198}},
         2},
        {IDW_VIEW_DROPDOWN_BAR_3,
         ID_VIEW_SHADING,
         {{ID_VIEW_WIREFRAME, 199},
          {ID_VIEW_RIDGELINE, 203},
          {ID_VIEW_SHADING, 202},
          {ID_VIEW_RIDGELINE_SHADING, 201},
          {ID_VIEW_HIDDENLINE, 200}},
         4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bar);
        // A toolbar of drop-down buttons under the id, on the frame: a click on a button sends
        // its drop-down notice to the frame, which hands it to the active view.
        const HWND bar = ::CreateWindowExA(
            0, TOOLBARCLASSNAMEA, "",
            WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
            300, 60, 300, 28, frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.bar)), nullptr,
            nullptr);
        ASSERT_NE(nullptr, bar);
        ::SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        const TBBUTTON buttons[] = {
            {I_IMAGENONE,
             static_cast<int>(ID_VIEW_REDRAW),
             TBSTATE_ENABLED,
             BTNS_DROPDOWN,
             {},
             0,
             0},
            {I_IMAGENONE, static_cast<int>(c.button), TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, 0}};
        ::SendMessageA(bar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
        ::SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        fw::test::Pump();
        CRect button;
        ::SendMessageA(bar, TB_GETRECT, c.button, reinterpret_cast<LPARAM>(&button));
        ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);

        std::vector<UINT> ids;
        std::vector<PictureMatch> pictures;
        CRect popupRect;
        bool shown = false;
        WhenMenuShows(
            [&](HWND popup)
            {
                ::UpdateWindow(popup);
                shown = true;
                ::GetWindowRect(popup, &popupRect);
                const HMENU menu = MenuOf(popup);
                const ScreenImage screen(popupRect);
                ids = Ids(menu);
                for (size_t i = 0; i < ids.size() && i < c.entries.size(); ++i)
                    pictures.push_back(ComparePicture(screen,
                                                      ItemOnScreen(menu, static_cast<int>(i)),
                                                      BitmapReference(c.entries[i].second)));
                Shot("dropdown-" + std::to_string(c.bar), popup);
                for (int i = 0; i <= c.chosen; ++i)
                    ::PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
            });
        CRect client = button;
        ::MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&client), 2);
        fw::test::Click(bar, client.CenterPoint().x, client.CenterPoint().y);
        fw::test::WaitFor([&] { return shown; }, 5000);
        fw::test::Pump();
        ASSERT_TRUE(shown);

        // Below the button's lower left corner, one pixel down.
        EXPECT_EQ(button.left, popupRect.left);
        EXPECT_EQ(button.bottom + 1, popupRect.top);
        std::vector<UINT> expected;
        for (const auto& entry : c.entries)
            expected.push_back(entry.first);
        EXPECT_EQ(expected, ids);
        ASSERT_EQ(c.entries.size(), pictures.size());
        for (size_t i = 0; i < pictures.size(); ++i)
        {
            EXPECT_GT(pictures[i].opaque, 20) << i;
            EXPECT_EQ(pictures[i].opaque, pictures[i].matching) << i;
        }
        // Afterwards the frame has the procedure it had and its own organizer again.
        EXPECT_EQ(frameProcedure,
                  reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame, GWLP_WNDPROC)));
        EXPECT_EQ(frameOrganizer, COXMenuOrganizer::FindOrganizer(frame));

        // A button without a drop-down menu opens none.
        bool other = false;
        WhenMenuShows(
            [&](HWND popup)
            {
                other = true;
                ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            });
        ::SendMessageA(bar, TB_GETRECT, ID_VIEW_REDRAW, reinterpret_cast<LPARAM>(&client));
        fw::test::Click(bar, client.CenterPoint().x, client.CenterPoint().y);
        fw::test::WaitFor([&] { return other; }, 300);
        EXPECT_FALSE(other);
        g_whileOpen = nullptr;
        ::DestroyWindow(bar);
    }
    // The chosen entries reached the view through the main window.
    EXPECT_EQ(CCAEView::kRightBottom, Project()->m_settings.m_triadPosition);
    EXPECT_EQ(kHiddenLine, View(1)->Scene().DisplayMode());
}

TEST_F(FrameMenus, CheckedItemsWithoutPicturesShowTheCheckMarkOnTheCheckerboard)
{
    NewProject("Menus", m_demoModel);
    // Every toolbar but the Animation toolbar is shown: its item alone is unchecked.
    MainFrame()->ShowBar(ID_TOOLBAR_ANIMATION, FALSE);
    fw::test::Pump();
    const HMENU view = ::GetSubMenu(MainFrame()->GetFrameMenu(), 2);
    HMENU toolBars = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(view); ++i)
    {
        const HMENU sub = ::GetSubMenu(view, i);
        if (sub != nullptr && ::GetMenuItemID(sub, 0) == ID_VIEW_TOOLBAR)
            toolBars = sub;
    }
    ASSERT_NE(nullptr, toolBars);
    struct Mark
    {
        UINT id;
        UINT state;
        int dark;  // the check mark
        int light; // with the menu colour: the checkerboard
        int menu;
    };
    std::vector<Mark> marks;
    WhenMenuShows(
        [&](HWND popup)
        {
            ::UpdateWindow(popup);
            CRect window;
            ::GetWindowRect(popup, &window);
            const ScreenImage screen(window);
            const int cx = ::GetSystemMetrics(SM_CXMENUCHECK);
            const int cy = ::GetSystemMetrics(SM_CYMENUCHECK);
            for (int i = 0; i < ::GetMenuItemCount(toolBars); ++i)
            {
                Mark mark = {::GetMenuItemID(toolBars, i),
                             ::GetMenuState(toolBars, static_cast<UINT>(i), MF_BYPOSITION), 0, 0,
                             0};
                const CRect item = ItemOnScreen(toolBars, i);
                const int top = item.top + (item.Height() - cy) / 2;
                for (int y = top; y < top + cy; ++y)
                {
                    for (int x = item.left + 2; x < item.left + 2 + cx; ++x)
                    {
                        const COLORREF shown = screen.At(x, y);
                        mark.dark +=
                            GetRValue(shown) < 64 && GetGValue(shown) < 64 && GetBValue(shown) < 64;
                        mark.light += shown == ::GetSysColor(COLOR_3DHILIGHT);
                        mark.menu += shown == ::GetSysColor(COLOR_MENU);
                    }
                }
                marks.push_back(mark);
            }
            Shot("toolbars", popup);
            ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    // The View menu's ToolBars submenu, opened on its own as the menu bar opens a popup.
    ::TrackPopupMenu(toolBars, TPM_LEFTALIGN | TPM_LEFTBUTTON, 200, 200, 0, MainFrame()->m_hWnd,
                     nullptr);
    fw::test::Pump();
    MainFrame()->ShowBar(ID_TOOLBAR_ANIMATION, TRUE);

    ASSERT_EQ(11u, marks.size());
    for (const Mark& mark : marks)
    {
        SCOPED_TRACE(mark.id);
        if (mark.state & MF_HILITE)
            continue;
        if (mark.id == ID_TOOLBAR_ANIMATION)
        {
            EXPECT_FALSE(mark.state & MF_CHECKED);
            EXPECT_EQ(0, mark.dark);
            EXPECT_EQ(0, mark.light);
            continue;
        }
        EXPECT_TRUE(mark.state & MF_CHECKED);
        EXPECT_GT(mark.dark, 4);
        EXPECT_GT(mark.light, 5);
        EXPECT_GT(mark.menu, 5);
    }
}
