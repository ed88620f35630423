// Property sheets under Wine: a modal sheet in the framework's loop, OK applying only the pages
// that were shown, in order, and a page that refuses to be left keeping the sheet on it.
#include "platform/dlg/propsheet.h"

#include "platform/ctrl/comctrl.h"
#include "platform/dlg/ddx.h"
#include "platform/sys/services.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/privmsg.h"
#include "tests/platform/dlg/dlg_test_ids.h"

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr UINT kRunScript = WM_APP + 40;

class CRecordingPage : public CPropertyPage
{
public:
    CRecordingPage(UINT templateId, std::string name, std::vector<std::string>* events)
        : CPropertyPage(templateId)
        , m_name(std::move(name))
        , m_events(events)
    {
        SetTitle(m_name.c_str());
    }

    BOOL OnSetActive() override
    {
        m_events->push_back(m_name + " active");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        if (!m_mayLeave)
            return FALSE;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        m_events->push_back(m_name + " apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override { m_events->push_back(m_name + " reset"); }

    bool m_mayLeave = true;
    int m_value = 3;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_TEST_PAGE_VALUE, m_value); }

private:
    std::string m_name;
    std::vector<std::string>* m_events;
};

// Runs a script inside the sheet's modal loop: a message posted before DoModal.
class CScriptWnd : public CWnd
{
public:
    std::function<void()> script;

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnRunScript(WPARAM, LPARAM)
    {
        script();
        return 0;
    }
};

FW_TABLE(CScriptWnd, CWnd, fw::raw<kRunScript, &CScriptWnd::OnRunScript>())

class Sheet : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        ASSERT_TRUE(m_script.CreateEx(0, fw::RegisterWndClass(0), "script", WS_POPUP, 0, 0, 1, 1,
                                      nullptr, nullptr));
    }
    void TearDown() override
    {
        m_script.DestroyWindow();
        MainFrameFixture::TearDown();
    }

    INT_PTR RunModal(CPropertySheet& sheet, std::function<void()> script)
    {
        m_script.script = std::move(script);
        m_script.PostMessage(kRunScript);
        return sheet.DoModal();
    }

    std::vector<std::string> m_events;
    CRecordingPage m_a{IDD_TEST_PAGE_A, "A", &m_events};
    CRecordingPage m_b{IDD_TEST_PAGE_B, "B", &m_events};
    CRecordingPage m_c{IDD_TEST_PAGE_C, "C", &m_events};
    CScriptWnd m_script;
};
} // namespace

TEST_F(Sheet, OkAppliesOnlyTheVisitedPagesInOrder)
{
    CPropertySheet sheet("Settings", m_frame);
    sheet.AddPage(&m_a);
    sheet.AddPage(&m_b);
    sheet.AddPage(&m_c);
    bool ownerDisabled = false;
    const INT_PTR result = RunModal(sheet,
                                    [&]
                                    {
                                        ownerDisabled = !m_frame->IsWindowEnabled();
                                        EXPECT_TRUE(sheet.SetActivePage(2));
                                        EXPECT_EQ(&m_c, sheet.GetActivePage());
                                        sheet.PressButton(PSBTN_OK);
                                    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(m_frame->IsWindowEnabled());
    EXPECT_EQ(nullptr, sheet.GetSafeHwnd());
    const std::vector<std::string> expected = {"A active", "C active", "A apply", "C apply"};
    EXPECT_EQ(expected, m_events);
}

TEST_F(Sheet, AFailingKillActiveKeepsItsPage)
{
    CPropertySheet sheet("Settings", m_frame);
    sheet.AddPage(&m_a);
    sheet.AddPage(&m_b);
    m_a.m_mayLeave = false;
    int activeAfterTry = -2;
    const INT_PTR result = RunModal(sheet,
                                    [&]
                                    {
                                        EXPECT_FALSE(sheet.SetActivePage(1));
                                        activeAfterTry = sheet.GetActiveIndex();
                                        sheet.PressButton(PSBTN_CANCEL);
                                    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, activeAfterTry);
    const std::vector<std::string> expected = {"A active", "A reset"};
    EXPECT_EQ(expected, m_events);
}

TEST_F(Sheet, ARefusedValueKeepsThePageAndTellsTheUser)
{
    CPropertySheet sheet("Settings", m_frame);
    sheet.AddPage(&m_a);
    sheet.AddPage(&m_b);
    int activeAfterTry = -2;
    const INT_PTR result =
        RunModal(sheet,
                 [&]
                 {
                     ::SetDlgItemTextA(m_a.GetSafeHwnd(), IDC_TEST_PAGE_VALUE, "abc");
                     sheet.SetActivePage(1);
                     activeAfterTry = sheet.GetActiveIndex();
                     sheet.PressButton(PSBTN_CANCEL);
                 });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, activeAfterTry);
    EXPECT_EQ(1u, (*m_services)->messageBoxes.size());
}

TEST_F(Sheet, PagesExchangeTheirValuesAndSetModifiedEnablesApply)
{
    CPropertySheet sheet("Settings", m_frame);
    sheet.AddPage(&m_a);
    sheet.AddPage(&m_b);
    m_a.m_value = 11;
    std::string shown;
    BOOL applyEnabledBefore = TRUE;
    BOOL applyEnabledAfter = FALSE;
    const INT_PTR result =
        RunModal(sheet,
                 [&]
                 {
                     char text[32] = {};
                     ::GetDlgItemTextA(m_a.GetSafeHwnd(), IDC_TEST_PAGE_VALUE, text, sizeof text);
                     shown = text;
                     const HWND apply = ::GetDlgItem(sheet.GetSafeHwnd(), 0x3021);
                     applyEnabledBefore = ::IsWindowEnabled(apply);
                     m_a.SetModified(TRUE);
                     applyEnabledAfter = ::IsWindowEnabled(apply);
                     ::SetDlgItemTextA(m_a.GetSafeHwnd(), IDC_TEST_PAGE_VALUE, "25");
                     sheet.PressButton(PSBTN_OK);
                 });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("11", shown);
    EXPECT_FALSE(applyEnabledBefore);
    EXPECT_TRUE(applyEnabledAfter);
    EXPECT_EQ(25, m_a.m_value); // taken back when OK left the page
}

// A value refused on a page of a modal sheet is told in a box that the sheet owns: the main
// window stays disabled under it and after it, and a click on the main window once the box is
// answered leaves the sheet in front of it, on the screen too.
TEST_F(Sheet, ABoxOfAModalSheetIsItsOwnAndTheMainWindowStaysDisabledBelowIt)
{
    fw::test::SystemBoxes boxes;
    // Away from the sheet, to show its caption inactive.
    const fw::test::WindowElsewhere windowElsewhere;
    const HWND elsewhere = windowElsewhere.Get();
    CPropertySheet sheet("Settings", m_frame);
    sheet.AddPage(&m_a);
    sheet.AddPage(&m_b);
    const HWND main = m_frame->GetSafeHwnd();
    HWND sheetWindow = nullptr;
    HWND boxOwner = nullptr;
    BOOL mainEnabledUnderBox = TRUE;
    BOOL mainEnabledAfterBox = TRUE;
    BOOL mainEnabledAfterClick = TRUE;
    bool sheetShownAfterClick = false;
    bool sheetAboveAfterClick = false;
    const INT_PTR result = RunModal(
        sheet,
        [&]
        {
            sheetWindow = sheet.GetSafeHwnd();
            ASSERT_TRUE(fw::test::WaitFor([&] { return ::IsWindowVisible(sheetWindow) != 0; }));
            fw::test::ScreenCaption caption(sheetWindow);
            caption.TakeLooks(sheetWindow, elsewhere);
            fw::test::WhenDialogShows(m_app->m_pszAppName,
                                      [&](HWND box)
                                      {
                                          boxOwner = ::GetWindow(box, GW_OWNER);
                                          mainEnabledUnderBox = ::IsWindowEnabled(main);
                                          fw::test::SettleScreen();
                                          // OK pressed as a user presses it.
                                          fw::test::ClickOnScreen(
                                              fw::test::CentreOf(::GetDlgItem(box, IDOK)));
                                      });
            ::SetDlgItemTextA(m_a.GetSafeHwnd(), IDC_TEST_PAGE_VALUE, "");
            EXPECT_FALSE(sheet.SetActivePage(1)); // refused, told in the box
            fw::test::SettleScreen();
            mainEnabledAfterBox = ::IsWindowEnabled(main);
            fw::test::ClickOnScreen(fw::test::UncoveredPoint(main, sheetWindow));
            fw::test::SettleScreen();
            mainEnabledAfterClick = ::IsWindowEnabled(main);
            sheetShownAfterClick =
                fw::test::WaitFor([&caption] { return caption.IsShown(); }, 1500);
            sheetAboveAfterClick = fw::test::IsAbove(sheetWindow, main);
            sheet.PressButton(PSBTN_CANCEL);
        });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, boxes.messageBoxes.size());
    EXPECT_EQ(sheetWindow, boxOwner) << "the box is not the sheet's";
    EXPECT_FALSE(mainEnabledUnderBox);
    EXPECT_FALSE(mainEnabledAfterBox) << "the box enabled the main window";
    EXPECT_FALSE(mainEnabledAfterClick);
    EXPECT_TRUE(sheetShownAfterClick) << "the main window covers the sheet on the screen";
    EXPECT_TRUE(sheetAboveAfterClick) << "the main window lies above the sheet";
    EXPECT_TRUE(m_frame->IsWindowEnabled());
}

// Whatever gives the main window the focus while a modal sheet runs over it, the sheet is put
// back in front of it, on the screen too.
TEST_F(Sheet, TheMainWindowTakingTheFocusLeavesARunningModalSheetInFront)
{
    const HWND main = m_frame->GetSafeHwnd();
    const fw::test::WindowElsewhere windowElsewhere;
    const HWND elsewhere = windowElsewhere.Get();
    const struct
    {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"the main window brought to the foreground", [main] { ::SetForegroundWindow(main); }},
        {"the main window made active", [main] { ::SetActiveWindow(main); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        CRecordingPage a{IDD_TEST_PAGE_A, "A", &m_events};
        CPropertySheet sheet("Settings", m_frame);
        sheet.AddPage(&a);
        bool shown = false;
        bool above = false;
        RunModal(sheet,
                 [&]
                 {
                     const HWND window = sheet.GetSafeHwnd();
                     ASSERT_TRUE(fw::test::WaitFor([&] { return ::IsWindowVisible(window) != 0; }));
                     fw::test::ScreenCaption caption(window);
                     caption.TakeLooks(window, elsewhere);
                     c.act();
                     fw::test::SettleScreen();
                     shown = fw::test::WaitFor([&caption] { return caption.IsShown(); }, 1500);
                     above = fw::test::IsAbove(window, main);
                     sheet.PressButton(PSBTN_CANCEL);
                 });
        EXPECT_TRUE(shown) << "the main window covers the sheet on the screen";
        EXPECT_TRUE(above) << "the main window lies above the sheet";
    }
}

// A modeless dialog beside the sheet that refuses anything but a whole number in its field.
class CWholeNumberDialog : public CDialog
{
public:
    CWholeNumberDialog()
        : CDialog(IDD_TEST_DDX)
    {
    }

    int m_value = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_TEST_INT, m_value); }
};

// While a refused value is being told, neither a click on the sheet nor a click on another
// dialog that refuses its own value raises a second box, and every box shown is answered.
TEST_F(Sheet, AValidationBoxNeverNestsInAnotherAndEveryBoxIsAnswered)
{
    fw::test::SystemBoxes boxes;
    fw::test::BoxAnswerer answerer(m_app->m_pszAppName);
    CWholeNumberDialog modeless;
    ASSERT_TRUE(modeless.Create(IDD_TEST_DDX, nullptr));
    ::SetWindowPos(modeless.GetSafeHwnd(), nullptr, 850, 100, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::SetDlgItemTextA(modeless.GetSafeHwnd(), IDC_TEST_INT, "abc");
    const struct
    {
        const char* what;
        std::function<POINT(CPropertySheet&)> target;
    } cases[] = {
        {"a click on the other page's tab",
         [](CPropertySheet& sheet)
         {
             const HWND tabs = sheet.GetTabControl()->GetSafeHwnd();
             RECT tab = {};
             ::SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
             POINT centre = {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
             ::ClientToScreen(tabs, &centre);
             return centre;
         }},
        {"a click on OK of a modeless dialog holding a refused value", [&modeless](CPropertySheet&)
         { return fw::test::CentreOf(::GetDlgItem(modeless.GetSafeHwnd(), IDOK)); }},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        boxes.messageBoxes.clear();
        CRecordingPage a{IDD_TEST_PAGE_A, "A", &m_events};
        CRecordingPage b{IDD_TEST_PAGE_B, "B", &m_events};
        CPropertySheet sheet("Settings", m_frame);
        sheet.AddPage(&a);
        sheet.AddPage(&b);
        bool boxLeft = true;
        answerer.SetAnswering(false);
        const INT_PTR result = RunModal(
            sheet,
            [&]
            {
                ASSERT_TRUE(
                    fw::test::WaitFor([&] { return ::IsWindowVisible(sheet.GetSafeHwnd()) != 0; }));
                fw::test::WhenDialogShows(answerer.Caption(),
                                          [&](HWND box)
                                          {
                                              // Kept open while the user clicks elsewhere.
                                              answerer.SetAnswering(true, box);
                                              fw::test::SettleScreen();
                                              fw::test::ClickOnScreen(c.target(sheet));
                                              fw::test::SettleScreen();
                                              answerer.SetAnswering(true);
                                          });
                ::SetDlgItemTextA(a.GetSafeHwnd(), IDC_TEST_PAGE_VALUE, "");
                sheet.SetActivePage(1);
                boxLeft = !fw::test::WaitFor([&] { return answerer.ShownBox() == nullptr; }, 1500);
                sheet.PressButton(PSBTN_CANCEL);
            });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_EQ(1u, boxes.messageBoxes.size()) << "a box nested in the first";
        EXPECT_FALSE(boxLeft) << "a box was left unanswered";
        EXPECT_EQ(nullptr, answerer.ShownBox());
        EXPECT_TRUE(m_frame->IsWindowEnabled());
    }
    modeless.DestroyWindow();
}
