// Windows in cool toolbar buttons under Wine: a combo box and an edit sit in their separators
// and stay there when buttons move, go or come and when the bar wraps docked at the side; a
// placement that excludes the window makes its button an ordinary one; two bars show two
// windows of one template and both follow its change; the bar's saved state puts the windows
// back (a destroyed one made again), and saved blobs that are cut short, oversized or name
// unknown templates change nothing.
#include "platform/test/pump.h"
#include "platform/win/app.h"
#include "resources/ids/widgets_ids.h"
#include "tests/widgets/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace bars_test;

namespace
{
constexpr UINT kComboId = 0x7A70;
constexpr UINT kEditId = 0x7A71;
constexpr UINT kUnknownId = 0x7A7F;
const UINT kAllIds[] = {kCmdFirst, kCmdSecond, kCmdThird, fw::test::kCmdTest, kCmdCombo};

class CWindowsBar : public COXCoolToolBar
{
public:
    static void ForgetTemplatesState()
    {
        m_bTemplatesSaved = FALSE;
        m_bTemplatesLoaded = FALSE;
    }
    // The customisation menu of any bar's button (the caller destroys it).
    static HMENU MenuOf(const COXCoolToolBar& bar, int index)
    {
        return (bar.*(&CWindowsBar::BuildCustomizeMenu))(index);
    }
};

// Commands in bar order, windows' separators as their control id, other separators as 0.
std::vector<UINT> Layout(const COXCoolToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
    {
        if (CWnd* wnd = bar.GetCustomButtonWnd(i))
            ids.push_back(static_cast<UINT>(wnd->GetDlgCtrlID()));
        else
            ids.push_back((bar.GetButtonStyle(i) & TBBS_SEPARATOR) ? 0 : bar.GetItemID(i));
    }
    return ids;
}

void WriteBlob(const char* entry, const std::vector<int32_t>& words, size_t cutBytes = 0)
{
    std::vector<BYTE> bytes(words.size() * 4);
    memcpy(bytes.data(), words.data(), bytes.size());
    bytes.resize(bytes.size() - cutBytes);
    CWinApp* app = AfxGetApp();
    app->WriteProfileBinary("Bars", entry, bytes.data(), static_cast<UINT>(bytes.size()));
    app->WriteProfileInt("Bars", CString(entry) + "_Size", static_cast<int>(bytes.size()));
}
} // namespace

class CoolToolBarWindows : public CoolBarFixture
{
protected:
    void SetUp() override
    {
        CoolBarFixture::SetUp();
        COXCoolToolBar::RemoveAllCustomButtonTemplates();
        CWindowsBar::ForgetTemplatesState();
        CreateBar(*m_bar);
        m_bar->SetCustomizableButtons(kAllIds, 5);
        m_comboIndex = AddTemplate(m_combo, kComboId);
        m_editIndex = AddTemplate(m_edit, kEditId);
    }
    void TearDown() override
    {
        COXCoolToolBar::RemoveAllCustomButtonTemplates();
        CWindowsBar::ForgetTemplatesState();
        CoolBarFixture::TearDown();
    }

    static int AddTemplate(COXCustomTBTemplate& tmpl, UINT id, DWORD placement = 0x7)
    {
        OXCustomTBButtonRecord record;
        record.tmpl = &tmpl;
        record.id = id;
        record.placement = placement;
        record.image = 2;
        return COXCoolToolBar::AddCustomButtonTemplate(record);
    }

    // Every window sits 2 pixels into its separator, which is 4 pixels wider than it, and
    // inside it from top to bottom (but a window left out here).
    void ExpectWindowsInPlace(const COXCoolToolBar& bar, UINT leftOut = 0)
    {
        fw::test::Pump();
        for (int i = 0; i < bar.GetCount(); ++i)
        {
            CWnd* wnd = bar.GetCustomButtonWnd(i);
            if (!wnd || static_cast<UINT>(wnd->GetDlgCtrlID()) == leftOut)
                continue;
            SCOPED_TRACE(::testing::Message() << "button " << i);
            EXPECT_TRUE(wnd->IsWindowVisible());
            EXPECT_EQ(&bar, wnd->GetParent());
            CRect item;
            bar.GetItemRect(i, &item);
            CRect window;
            wnd->GetWindowRect(&window);
            bar.ScreenToClient(&window);
            EXPECT_EQ(item.left + 2, window.left);
            EXPECT_EQ(item.Width(), window.Width() + 4);
            EXPECT_GE(window.top, item.top);
            EXPECT_LE(window.top, item.top + std::max(0, item.Height() - window.Height()));
        }
    }

    void InsertBoth()
    {
        ASSERT_TRUE(m_bar->InsertComboBox(1, m_comboIndex));
        ASSERT_TRUE(m_bar->InsertEditBox(m_bar->GetCount(), m_editIndex, "x"));
        m_frame->RecalcLayout();
    }

    COXCustomTBWndTemplate m_combo{"ComboBox", CSize(100, 150)};
    COXCustomTBWndTemplate m_edit{"Edit", CSize(80, 20)};
    int m_comboIndex = -1;
    int m_editIndex = -1;
};

TEST_F(CoolToolBarWindows, AComboBoxAndAnEditSitInTheirSeparators)
{
    EXPECT_EQ(0, m_comboIndex);
    EXPECT_EQ(1, m_editIndex);
    EXPECT_EQ(1, COXCoolToolBar::GetTemplateIndex(kEditId));
    EXPECT_EQ(-1, COXCoolToolBar::GetTemplateIndex(kUnknownId));
    const int count = m_bar->GetCount();
    EXPECT_FALSE(m_bar->InsertComboBox(count + 1, m_comboIndex)) << "beyond the buttons";
    EXPECT_FALSE(m_bar->InsertComboBox(0, 7)) << "no such template";
    EXPECT_EQ(count, m_bar->GetCount());

    InsertBoth();
    EXPECT_EQ((std::vector<UINT>{kCmdFirst, kComboId, 0, kCmdSecond, kCmdThird, fw::test::kCmdTest,
                                 kCmdCombo, kEditId}),
              Layout(*m_bar))
        << "the count appends";
    EXPECT_EQ(m_bar->GetCustomButtonWnd(1), m_combo.GetWindow());
    EXPECT_EQ(kComboId, static_cast<UINT>(m_combo.GetWindow()->GetDlgCtrlID()));
    EXPECT_EQ(0, COXCoolToolBar::GetTemplateIndex(m_combo.GetWindow()));
    CString text;
    m_edit.GetWindow()->GetWindowText(text);
    EXPECT_STREQ("x", text);
    ExpectWindowsInPlace(*m_bar);
}

TEST_F(CoolToolBarWindows, WindowsFollowTheirButtonsWhenButtonsMoveGoOrCome)
{
    InsertBoth();
    ASSERT_TRUE(m_bar->MoveButton(1, 5));
    EXPECT_EQ((std::vector<UINT>{kCmdFirst, 0, kCmdSecond, kCmdThird, fw::test::kCmdTest, kComboId,
                                 kCmdCombo, kEditId}),
              Layout(*m_bar));
    ExpectWindowsInPlace(*m_bar);

    ASSERT_TRUE(m_bar->MoveButton(6, 0));
    ASSERT_TRUE(m_bar->DeleteButton(2));
    EXPECT_EQ((std::vector<UINT>{kCmdCombo, kCmdFirst, kCmdSecond, kCmdThird, fw::test::kCmdTest,
                                 kComboId, kEditId}),
              Layout(*m_bar));
    ExpectWindowsInPlace(*m_bar);

    TBBUTTON button = {};
    button.iBitmap = 1;
    button.idCommand = static_cast<int>(kCmdSecond);
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    button.iString = -1;
    ASSERT_TRUE(m_bar->SendMessage(TB_INSERTBUTTONA, 0, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(kComboId, static_cast<UINT>(m_bar->GetCustomButtonWnd(6)->GetDlgCtrlID()));
    ExpectWindowsInPlace(*m_bar);

    // Deleting a window's button drops its record.
    ASSERT_TRUE(m_bar->DeleteButton(6));
    EXPECT_EQ(1, m_bar->GetCustomButtonCount());
    EXPECT_EQ(kEditId, static_cast<UINT>(m_bar->GetCustomButtonWnd(6)->GetDlgCtrlID()));
}

TEST_F(CoolToolBarWindows, WindowsKeepTheirPlacesWhenTheBarWrapsAndMayBeLeftOut)
{
    InsertBoth();
    m_frame->DockControlBar(m_bar.get(), AFX_IDW_DOCKBAR_LEFT);
    m_frame->RecalcLayout();
    fw::test::Pump();
    IdleUpdate(*m_bar);
    CRect first;
    CRect last;
    m_bar->GetItemRect(0, &first);
    m_bar->GetItemRect(m_bar->GetCount() - 1, &last);
    ASSERT_GT(last.top, first.top) << "docked at the side the buttons wrap";
    fw::test::Pump();
    ExpectWindowsInPlace(*m_bar);

    // The combo box leaves vertical bars: its button is an ordinary one with the record's image.
    EXPECT_EQ(0, AddTemplate(m_combo, kComboId, 0x2 | 0x4));
    EXPECT_EQ(0x6u, m_bar->GetCustomButton(1)->placement);
    m_frame->RecalcLayout();
    IdleUpdate(*m_bar);
    fw::test::Pump();
    EXPECT_FALSE(m_combo.GetWindow()->IsWindowVisible());
    UINT id = 0;
    UINT style = 0;
    int image = 0;
    m_bar->GetButtonInfo(1, id, style, image);
    EXPECT_EQ(kComboId, id);
    EXPECT_EQ(0u, style & TBBS_SEPARATOR);
    EXPECT_EQ(2, image);
    ExpectWindowsInPlace(*m_bar, kComboId); // the edit still

    m_frame->DockControlBar(m_bar.get(), AFX_IDW_DOCKBAR_TOP);
    m_frame->RecalcLayout();
    IdleUpdate(*m_bar);
    EXPECT_TRUE(m_combo.GetWindow()->IsWindowVisible()) << "back on a horizontal bar";
    ExpectWindowsInPlace(*m_bar);
}

TEST_F(CoolToolBarWindows, TwoBarsShowTwoWindowsOfOneTemplateAndFollowItsChange)
{
    COXCoolToolBar second;
    CreateBar(second, kSecondBarId);
    InsertBoth();
    ASSERT_TRUE(second.InsertComboBox(0, m_comboIndex));
    m_frame->RecalcLayout();
    CWnd* mine = m_bar->GetCustomButtonWnd(1);
    CWnd* theirs = second.GetCustomButtonWnd(0);
    ASSERT_NE(nullptr, theirs);
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(&second, theirs->GetParent());
    EXPECT_EQ(kComboId, static_cast<UINT>(theirs->GetDlgCtrlID()));
    ExpectWindowsInPlace(second);

    AddTemplate(m_combo, kComboId, 0x4);
    EXPECT_EQ(0x4u, m_bar->GetCustomButton(1)->placement);
    EXPECT_EQ(0x4u, second.GetCustomButton(0)->placement);
    EXPECT_FALSE(theirs->IsWindowVisible());
    second.DestroyWindow();
}

TEST_F(CoolToolBarWindows, TheSavedStatePutsTheWindowsBackAndMakesALostOneAgain)
{
    InsertBoth();
    const std::vector<UINT> saved = Layout(*m_bar);
    ASSERT_TRUE(m_bar->SaveBarState("Bars", "Main"));

    ASSERT_TRUE(m_bar->MoveButton(1, 4));
    ASSERT_NE(saved, Layout(*m_bar));
    ASSERT_TRUE(m_bar->LoadBarState("Bars", "Main", FALSE));
    EXPECT_EQ(saved, Layout(*m_bar));
    ExpectWindowsInPlace(*m_bar);

    m_combo.GetWindow()->DestroyWindow();
    ASSERT_TRUE(m_bar->LoadBarState("Bars", "Main", FALSE));
    EXPECT_EQ(saved, Layout(*m_bar));
    ASSERT_NE(nullptr, m_combo.GetWindow()->GetSafeHwnd()) << "made again from the template";
    ExpectWindowsInPlace(*m_bar);
}

TEST_F(CoolToolBarWindows, BadSavedWindowPlacesChangeNothing)
{
    InsertBoth();
    ASSERT_TRUE(m_bar->SaveBarState("Bars", "Main"));
    ASSERT_TRUE(m_bar->MoveButton(1, 4));
    const std::vector<UINT> moved = Layout(*m_bar);
    const int combo = static_cast<int>(kComboId);
    const struct
    {
        const char* what;
        std::vector<int32_t> words;
        size_t cut;
    } blobs[] = {
        {"cut short", {2, 1, combo, 7, static_cast<int32_t>(kEditId)}, 2},
        {"count past the end", {0x7FFFFFFF, 1, combo}, 0},
        {"negative count", {-1, 1, combo}, 0},
        {"unknown template", {2, 1, combo, 7, static_cast<int32_t>(kUnknownId)}, 0},
        {"negative place", {1, -3, combo}, 0},
    };
    for (const auto& blob : blobs)
    {
        SCOPED_TRACE(blob.what);
        WriteBlob("Main_CustomButtonsPositions", blob.words, blob.cut);
        m_bar->LoadBarState("Bars", "Main", FALSE);
        EXPECT_EQ(moved, Layout(*m_bar));
        EXPECT_EQ(2, m_bar->GetCustomButtonCount());
        ExpectWindowsInPlace(*m_bar);
    }
}

TEST_F(CoolToolBarWindows, SavedTemplatesNamingAnUnknownOneAreNotUsed)
{
    InsertBoth();
    ASSERT_TRUE(m_bar->SaveBarState("Bars", "Main"));
    // A known template's new values, then one of an unknown id: none of it is taken.
    WriteBlob("Toolbars_CustomButtonsSettings", {2, static_cast<int32_t>(kComboId), 5, 6, 0x1, 3,
                                                 static_cast<int32_t>(kUnknownId), -1, -1, 7, -1});
    CWindowsBar::ForgetTemplatesState();
    m_bar->LoadBarState("Bars", "Main", FALSE);
    EXPECT_EQ(0x7u, m_bar->GetCustomButton(1)->placement);

    // The same values alone are taken.
    WriteBlob("Toolbars_CustomButtonsSettings", {1, static_cast<int32_t>(kComboId), 5, 6, 0x1, 3});
    CWindowsBar::ForgetTemplatesState();
    m_bar->LoadBarState("Bars", "Main", FALSE);
    COXCoolToolBar third;
    CreateBar(third, kSecondBarId);
    ASSERT_TRUE(third.InsertComboBox(0, m_comboIndex));
    EXPECT_EQ(0x1u, third.GetCustomButton(0)->placement);
    EXPECT_EQ(5, third.GetCustomButton(0)->size1);
    third.DestroyWindow();
}

TEST_F(CoolToolBarWindows, InCustomisationAWindowsSeparatorIsMarkedAndCountsAsAButton)
{
    InsertBoth();
    m_bar->SetCustomizationMode(TRUE, nullptr);
    fw::test::Pump();
    // A press on the window's separator (past the window's right end) marks it; a plain
    // separator is not marked.
    CRect item;
    m_bar->GetItemRect(1, &item);
    m_bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(item.right - 1, item.CenterPoint().y));
    m_bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.right - 1, item.CenterPoint().y));
    EXPECT_EQ(1, m_bar->GetMarkedButton());
    m_bar->GetItemRect(2, &item);
    m_bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y));
    m_bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y));
    EXPECT_EQ(-1, m_bar->GetMarkedButton());

    // The first button may get a separator after it: its neighbour holds a window.
    const HMENU menu = CWindowsBar::MenuOf(*m_bar, 0);
    EXPECT_EQ(0u, ::GetMenuState(menu, ID_OXCTB_SEPARATORAFTER, MF_BYCOMMAND) & MF_GRAYED);
    ::DestroyMenu(menu);
    const HMENU own = CWindowsBar::MenuOf(*m_bar, 1);
    EXPECT_NE(0u, ::GetMenuState(own, ID_OXCTB_IMAGEONLY, MF_BYCOMMAND) & MF_GRAYED)
        << "no text items for a window";
    EXPECT_EQ(0u, ::GetMenuState(own, ID_OXCTB_SEPARATORBEFORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(0u, ::GetMenuState(own, ID_OXCTB_SEPARATORAFTER, MF_BYCOMMAND) & MF_GRAYED)
        << "a plain separator follows";
    ::DestroyMenu(own);
    m_bar->SetCustomizationMode(FALSE, nullptr);
}
