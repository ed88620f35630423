// The page-selector dialog under Wine, from its template: the first page shown between the
// caption lines with its title, switching pages by clicking their items, Apply, OK and Cancel
// (and a close after Cancel that applies nothing), tips, resizing, and the template and texts
// in both languages.
#include "widgets/controls/OXPageSelectorDlg.h"

#include "platform/test/pump.h"
#include "resources/ids/widgets_ids.h"
#include "widgets/controls/OXSHBListCtrl.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace
{
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);

// A page that is a child window painted in one colour, counting what the dialog asks of it.
class ColourPage : public COXSelectorPage
{
public:
    explicit ColourPage(COLORREF colour)
        : m_colour(colour)
    {
    }

    BOOL ShowPage(CWnd* parent) override
    {
        ++shown;
        if (refuseShow)
            return FALSE;
        if (!m_window.GetSafeHwnd())
        {
            static std::map<COLORREF, const char*> classes;
            if (!classes.count(m_colour))
                classes[m_colour] = fw::RegisterWndClass(0, nullptr, ::CreateSolidBrush(m_colour));
            return m_window.CreateEx(0, classes[m_colour], "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                     parent->GetSafeHwnd(), nullptr);
        }
        m_window.ShowWindow(SW_SHOW);
        return TRUE;
    }
    CWnd* GetPageWnd() override { return m_window.GetSafeHwnd() ? &m_window : nullptr; }
    void DeactivatePage() override
    {
        ++deactivated;
        m_window.ShowWindow(SW_HIDE);
    }
    BOOL ApplyChanges() override
    {
        ++applied;
        changes = FALSE;
        return !refuseApply;
    }
    void CancelChanges() override { ++cancelled; }
    BOOL HasChanges() override { return changes; }

    int shown = 0;
    int deactivated = 0;
    int applied = 0;
    int cancelled = 0;
    BOOL changes = FALSE;
    bool refuseShow = false;
    bool refuseApply = false;

private:
    COLORREF m_colour;
    CWnd m_window;
};

class TestSelector : public COXPageSelectorDlg
{
public:
    ColourPage red{kRed};
    ColourPage green{kGreen};
    ColourPage blue{kBlue};
    HSHBGROUP general = nullptr;
    HSHBGROUP advanced = nullptr;
    std::string longText = "Paths";

protected:
    BOOL CreatePages() override
    {
        general = AddGroup("General");
        AddPage(general, &red, "Colours", ::LoadIconA(nullptr, IDI_APPLICATION));
        AddPage(general, &green, "Fonts");
        advanced = AddGroup("Advanced");
        AddPage(advanced, &blue, longText.c_str());
        return TRUE;
    }
};

class PageSelectorTest : public testing::Test
{
protected:
    void Open(TestSelector& dialog)
    {
        ASSERT_TRUE(dialog.Create(IDD_OXSHB_PAGESELECTOR, nullptr));
        dialog.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dialog.ShowWindow(SW_SHOW);
        dialog.SetForegroundWindow();
        fw::test::Pump();
    }
    static CRect RectIn(const CWnd& parent, CWnd* child)
    {
        CRect rect;
        child->GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        return rect;
    }
    static std::string Title(TestSelector& dialog)
    {
        CString text;
        dialog.GetTitle().GetWindowText(text);
        return text.GetString();
    }
    // A click on the item's icon in its group's list.
    static void ClickItem(TestSelector& dialog, HSHBGROUP group, int item)
    {
        auto* list = dynamic_cast<COXSHBListCtrl*>(dialog.GetBar().GetGroupChildWnd(group));
        ASSERT_NE(nullptr, list);
        CRect icon;
        ASSERT_TRUE(list->GetItemIconRect(item, &icon));
        const CPoint at = icon.CenterPoint();
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        fw::test::Pump();
    }
};
} // namespace

TEST_F(PageSelectorTest, FirstPageShowsBetweenTheCaptionLinesUnderItsTitle)
{
    TestSelector dialog;
    Open(dialog);
    EXPECT_EQ(COXPageSelectorDlg::kBarStyle, dialog.GetBar().GetBarStyle());
    EXPECT_EQ(2, dialog.GetBar().GetGroupCount());
    EXPECT_EQ(dialog.general, dialog.GetBar().GetExpandedGroup());
    EXPECT_EQ(&dialog.red, dialog.GetCurrentPage());
    EXPECT_EQ(0, dialog.green.shown);
    EXPECT_EQ("Colours", Title(dialog));

    // The page fills the area between the two caption lines.
    const CRect top = RectIn(dialog, dialog.GetDlgItem(IDC_OXSHB_TOPFRAME));
    const CRect bottom = RectIn(dialog, dialog.GetDlgItem(IDC_OXSHB_BOTTOMFRAME));
    const CRect page = RectIn(dialog, dialog.red.GetPageWnd());
    EXPECT_EQ(CRect(top.left, top.bottom, top.right, bottom.top), page);
    EXPECT_EQ(page, dialog.GetPageRect());
    EXPECT_EQ(kRed,
              fw::test::ClientPixel(*dialog.red.GetPageWnd(), page.Width() / 2, page.Height() / 2));

    // The title fades from the button face at its left towards black; the caption lines are
    // etched lines across their width.
    COXStatic& title = dialog.GetTitle();
    EXPECT_EQ(COXStatic::kFadeFromLeft, title.GetBkMode());
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), title.GetTextColor());
    CRect titleRect;
    title.GetClientRect(&titleRect);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), fw::test::ClientPixel(title, 0, 1));
    EXPECT_LT(GetRValue(fw::test::ClientPixel(title, titleRect.right - 1, 1)), 20);
    LOGFONTA font = {};
    ASSERT_TRUE(title.GetLogFont(&font));
    EXPECT_EQ(-16, font.lfHeight); // 12 points at 96 dots per inch
    const int middle = top.Height() / 2;
    EXPECT_EQ(
        ::GetSysColor(COLOR_BTNSHADOW),
        fw::test::ClientPixel(*dialog.GetDlgItem(IDC_OXSHB_TOPFRAME), top.Width() / 2, middle - 1));
    dialog.DestroyWindow();
}

TEST_F(PageSelectorTest, ClickingItemsSwitchesPagesTitlesGroupsAndApply)
{
    TestSelector dialog;
    dialog.green.changes = TRUE;
    Open(dialog);
    const HWND apply = ::GetDlgItem(dialog, IDC_OXSHB_APPLY);
    EXPECT_FALSE(::IsWindowEnabled(apply));

    ClickItem(dialog, dialog.general, 1);
    EXPECT_EQ(&dialog.green, dialog.GetCurrentPage());
    EXPECT_EQ(1, dialog.red.deactivated);
    EXPECT_FALSE(dialog.red.GetPageWnd()->IsWindowVisible());
    EXPECT_TRUE(dialog.green.GetPageWnd()->IsWindowVisible());
    EXPECT_EQ(dialog.GetPageRect(), RectIn(dialog, dialog.green.GetPageWnd()));
    EXPECT_EQ("Fonts", Title(dialog));
    EXPECT_TRUE(::IsWindowEnabled(apply)); // the page has changes
    EXPECT_EQ(kGreen, fw::test::ClientPixel(*dialog.green.GetPageWnd(), 5, 5));

    // Apply takes the current page's changes.
    dialog.SendMessage(WM_COMMAND, IDC_OXSHB_APPLY, 0);
    EXPECT_EQ(1, dialog.green.applied);
    EXPECT_FALSE(::IsWindowEnabled(apply));

    // The same item again changes nothing.
    ClickItem(dialog, dialog.general, 1);
    EXPECT_EQ(1, dialog.green.shown);

    // A page in the other group: its header first, then its item.
    const CPoint header = dialog.GetBar().GetHeaderRect(dialog.advanced).CenterPoint();
    dialog.GetBar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header.x, header.y));
    dialog.GetBar().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(header.x, header.y));
    ClickItem(dialog, dialog.advanced, 0);
    EXPECT_EQ(&dialog.blue, dialog.GetCurrentPage());
    EXPECT_EQ("Paths", Title(dialog));
    auto* generalList =
        dynamic_cast<COXSHBListCtrl*>(dialog.GetBar().GetGroupChildWnd(dialog.general));
    EXPECT_EQ(-1, generalList->GetSelectedItem());

    // Going back by activation shows the group again.
    ASSERT_TRUE(dialog.ActivatePage(dialog.general, 0));
    EXPECT_EQ(dialog.general, dialog.GetBar().GetExpandedGroup());
    EXPECT_EQ(0, generalList->GetSelectedItem());
    EXPECT_EQ("Colours", Title(dialog));

    // A page that refuses keeps the title.
    dialog.green.refuseShow = true;
    EXPECT_FALSE(dialog.ActivatePage(dialog.general, 1));
    EXPECT_EQ("Colours", Title(dialog));
    dialog.DestroyWindow();
}

TEST_F(PageSelectorTest, OkAppliesCancelCancelsAndClosingAfterwardsAppliesNothing)
{
    {
        TestSelector dialog;
        Open(dialog);
        dialog.blue.refuseApply = true;
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(dialog.IsWindowVisible()); // a page said no
        dialog.blue.refuseApply = false;
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_FALSE(dialog.IsWindowVisible());
        const int applied = dialog.red.applied;
        EXPECT_GE(applied, 1);
        dialog.DestroyWindow();
        EXPECT_EQ(applied, dialog.red.applied);
    }
    {
        TestSelector dialog;
        Open(dialog);
        dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(dialog.IsWindowVisible());
        EXPECT_EQ(1, dialog.red.cancelled);
        EXPECT_EQ(1, dialog.blue.cancelled);
        dialog.DestroyWindow();
        EXPECT_EQ(0, dialog.red.applied);
        EXPECT_EQ(0, dialog.green.applied);
    }
    {
        // Closed without OK or Cancel: the pages are closed as by OK, once.
        TestSelector dialog;
        Open(dialog);
        dialog.DestroyWindow();
        EXPECT_EQ(1, dialog.red.applied);
        EXPECT_EQ(1, dialog.blue.applied);
    }
}

TEST_F(PageSelectorTest, ItemTipsAreThePageTextsCutToEightyBytes)
{
    TestSelector dialog;
    dialog.longText = std::string(120, 'p');
    Open(dialog);
    auto* general = dynamic_cast<COXSHBListCtrl*>(dialog.GetBar().GetGroupChildWnd(dialog.general));
    auto* advanced =
        dynamic_cast<COXSHBListCtrl*>(dialog.GetBar().GetGroupChildWnd(dialog.advanced));
    EXPECT_STREQ("Fonts", general->GetItemTipText(1).GetString());
    EXPECT_EQ(std::string(kShbTipTextMax - 1, 'p'), advanced->GetItemTipText(0).GetString());
    dialog.DestroyWindow();
}

TEST_F(PageSelectorTest, ResizingKeepsTheControlsAtTheirEdgesAndThePageInItsArea)
{
    TestSelector dialog;
    Open(dialog);
    const auto rectOf = [&](int id) { return RectIn(dialog, dialog.GetDlgItem(id)); };
    const CRect bar = rectOf(IDC_OXSHB_SELECTOR);
    const CRect ok = rectOf(IDOK);
    const CRect title = rectOf(IDC_OXSHB_TITLE);
    const CRect bottomFrame = rectOf(IDC_OXSHB_BOTTOMFRAME);
    const CRect page = dialog.GetPageRect();
    CRect window;
    dialog.GetWindowRect(&window);
    dialog.MoveWindow(window.left, window.top, window.Width() + 100, window.Height() + 80);
    fw::test::Pump();

    EXPECT_EQ(CRect(bar.left, bar.top, bar.right, bar.bottom + 80), rectOf(IDC_OXSHB_SELECTOR));
    CRect movedOk = ok;
    movedOk.OffsetRect(100, 80);
    EXPECT_EQ(movedOk, rectOf(IDOK));
    EXPECT_EQ(CRect(title.left, title.top, title.right + 100, title.bottom),
              rectOf(IDC_OXSHB_TITLE));
    CRect movedFrame(bottomFrame.left, bottomFrame.top + 80, bottomFrame.right + 100,
                     bottomFrame.bottom + 80);
    EXPECT_EQ(movedFrame, rectOf(IDC_OXSHB_BOTTOMFRAME));
    const CRect grown(page.left, page.top, page.right + 100, page.bottom + 80);
    EXPECT_EQ(grown, dialog.GetPageRect());
    EXPECT_EQ(grown, RectIn(dialog, dialog.red.GetPageWnd()));

    MINMAXINFO info = {};
    dialog.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(520, info.ptMinTrackSize.x);
    EXPECT_EQ(450, info.ptMinTrackSize.y);
    dialog.DestroyWindow();
}

TEST(PageSelectorResources, TemplateAndItemCommandTextsExistInBothLanguages)
{
    const HMODULE module = ::GetModuleHandleA(nullptr);
    for (const WORD language :
         {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)})
    {
        SCOPED_TRACE(language);
        EXPECT_NE(nullptr, ::FindResourceExA(module, RT_DIALOG,
                                             MAKEINTRESOURCEA(IDD_OXSHB_PAGESELECTOR), language));
        // Strings live in blocks of 16: ids 26845 and 26846 share block 26845 / 16 + 1.
        EXPECT_NE(nullptr,
                  ::FindResourceExA(module, RT_STRING,
                                    MAKEINTRESOURCEA(IDS_OXSHB_REMOVEITEM / 16 + 1), language));
    }
}

TEST(PageSelectorResources, JapaneseTemplateAndCommandsHoldTheJapaneseTexts)
{
    // The language follows the thread's locale, as the program sets it. Texts are read wide:
    // a dialog made in this process's code page (not Japanese) would turn them into "?".
    const LCID saved = ::GetThreadLocale();
    ::SetThreadLocale(MAKELCID(0x411, SORT_DEFAULT));
    wchar_t removeItem[32] = {};
    ::LoadStringW(::GetModuleHandleA(nullptr), IDS_OXSHB_REMOVEITEM, removeItem, 32);
    ::SetThreadLocale(saved);
    EXPECT_STREQ(L"\u9805\u76EE\u306E\u524A\u9664", removeItem); // koumoku no sakujo

    const HMODULE module = ::GetModuleHandleA(nullptr);
    const HRSRC found =
        ::FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(IDD_OXSHB_PAGESELECTOR),
                          MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_NE(nullptr, found);
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    const std::string bytes(data, ::SizeofResource(module, found));
    const std::wstring cancel = L"\u30AD\u30E3\u30F3\u30BB\u30EB"; // kyanseru
    const std::string cancelBytes(reinterpret_cast<const char*>(cancel.data()),
                                  cancel.size() * sizeof(wchar_t));
    EXPECT_NE(std::string::npos, bytes.find(cancelBytes));
}
