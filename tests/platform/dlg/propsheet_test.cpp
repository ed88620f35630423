// Property sheets under Wine: a modal sheet in the framework's loop, OK applying only the pages
// that were shown, in order, and a page that refuses to be left keeping the sheet on it.
#include "platform/dlg/propsheet.h"

#include "platform/ctrl/comctrl.h"
#include "platform/dlg/ddx.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/privmsg.h"
#include "tests/platform/dlg/dlg_test_ids.h"

#include <windows.h>

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
