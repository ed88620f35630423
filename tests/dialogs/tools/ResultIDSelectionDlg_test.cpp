// The result id selection under Wine: the results a set of nodes or elements can show, OK
// only with a chosen result, the component code and packed id of the choice, and the program's
// tools releasing the dialog from its own OK.
#include "dialogs/tools/ResultIDSelectionDlg.h"

#include "core/model/ModelSet.h"
#include "dialogs/tools/DialogResultListTools.h"
#include "platform/test/pump.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using dialogs_test::DialogFixture;

namespace
{
constexpr UINT kDispKey = (1u << 23) | (2u << 13) | 1u | (1u << 3); // a vector
constexpr UINT kStressKey = (1u << 23) | (3u << 13) | (1u << 3);

std::vector<std::string> Items(HWND dialog, int id)
{
    const HWND list = ::GetDlgItem(dialog, id);
    std::vector<std::string> items;
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        char text[256] = {};
        ::SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class ResultIDSelectionDlgTest : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        Add(kDispKey, "Disp", CResultData::kFlagVector | CResultData::kFlagAtNodes);
        Add(kStressKey, "Stress", 0);
        Add((1u << 23) | (4u << 13) | (1u << 3), "Unloaded", CResultData::kFlagAtNodes,
            CResultData::kNotLoaded);
    }

    void TearDown() override
    {
        if (m_dialog.GetSafeHwnd())
            m_dialog.DestroyWindow();
        DialogFixture::TearDown();
    }

    void Add(UINT id, const char* name, int flags, int loaded = CResultData::kLoaded)
    {
        auto* result = new CResultData();
        result->m_id = id;
        result->m_loaded = loaded;
        result->m_flags = flags;
        result->m_average = 0;
        result->SetName(name);
        ASSERT_TRUE(m_model.AddResult(result));
    }

    HWND Open(bool nodal)
    {
        m_dialog.m_model = &m_model;
        m_dialog.m_bNodal = nodal;
        m_dialog.m_ids = {7, 3};
        m_dialog.m_onOk = [this] { ++m_okCount; };
        EXPECT_TRUE(m_dialog.Create(IDD_RESULT_ID_SELECTION));
        m_dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return m_dialog.GetSafeHwnd();
    }

    CModelSet m_model;
    CResultIDSelectionDlg m_dialog;
    int m_okCount = 0;
};
} // namespace

TEST_F(ResultIDSelectionDlgTest, OkWithoutAChoiceStaysOpenAndAChoiceGivesItsComponent)
{
    const HWND hwnd = Open(true);
    char caption[64] = {};
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ("Result Selection", caption);
    EXPECT_EQ("Node IDs", ControlText(hwnd, IDC_RESULTID_ID_GROUP));
    EXPECT_EQ("Results", ControlText(hwnd, IDC_RESULTID_RESULTS_LABEL));
    EXPECT_EQ("Result Selection", ControlText(hwnd, IDC_RESULTID_RESULT_GROUP));
    EXPECT_EQ("7, 3", ControlText(hwnd, IDC_RESULTID_IDS));
    // Stress is held per element only: the nodes cannot show it.
    EXPECT_EQ((std::vector<std::string>{"Resultant : Disp", "X : Disp", "Y : Disp", "Z : Disp"}),
              Items(hwnd, IDC_RESULTID_RESULTS));

    Click(hwnd, IDOK);
    EXPECT_EQ(0, m_okCount);
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    EXPECT_EQ(-1, m_dialog.m_nResultId);

    const struct
    {
        int index;
        int component;
    } cases[] = {{2, 14}, {0, 16}, {1, 13}, {3, 15}};
    for (const auto& c : cases)
    {
        ::SendDlgItemMessageA(hwnd, IDC_RESULTID_RESULTS, LB_SETCURSEL, WPARAM(c.index), 0);
        Click(hwnd, IDOK);
        EXPECT_EQ(c.component, m_dialog.m_nComponent) << c.index;
        EXPECT_EQ(int(kDispKey), m_dialog.m_nResultId);
        EXPECT_EQ(CString("Disp"), m_dialog.m_resultName);
    }
    EXPECT_EQ(4, m_okCount);

    // Escape and the close box only hide it: nothing is reported.
    for (const bool closeBox : {false, true})
    {
        m_dialog.ShowWindow(SW_SHOW);
        if (closeBox)
            ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            ::SendMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        fw::test::Pump();
        EXPECT_FALSE(::IsWindowVisible(hwnd)) << closeBox;
        EXPECT_EQ(4, m_okCount);
    }
}

TEST_F(ResultIDSelectionDlgTest, ElementsListTheirScalarWithTheValueCode)
{
    const HWND hwnd = Open(false);
    EXPECT_EQ("Element IDs", ControlText(hwnd, IDC_RESULTID_ID_GROUP));
    EXPECT_EQ((std::vector<std::string>{"Stress"}), Items(hwnd, IDC_RESULTID_RESULTS));
    ::SendDlgItemMessageA(hwnd, IDC_RESULTID_RESULTS, LB_SETCURSEL, 0, 0);
    Click(hwnd, IDOK);
    EXPECT_EQ(1, m_okCount);
    EXPECT_EQ(12, m_dialog.m_nComponent);
    EXPECT_EQ(int(kStressKey), m_dialog.m_nResultId);
}

TEST_F(ResultIDSelectionDlgTest, JapaneseTexts)
{
    SetLanguage("_JPN");
    const HWND hwnd = Open(false);
    EXPECT_EQ("\x97\x76\x91\x66ID", ControlText(hwnd, IDC_RESULTID_ID_GROUP));    // 要素ID
    EXPECT_EQ("\x8C\x8B\x89\xCA", ControlText(hwnd, IDC_RESULTID_RESULTS_LABEL)); // 結果
}

TEST_F(ResultIDSelectionDlgTest, ProgramToolsReleaseTheSelectionFromItsOwnOk)
{
    CDialogResultListTools tools;
    std::unique_ptr<CResultIdSelectionWindow> selection = tools.CreateResultIdSelection();
    int chosenId = 0;
    int chosenComponent = 0;
    ASSERT_TRUE(selection->Open(m_model, true, {7, 3}, 0,
                                [&](int id, int component)
                                {
                                    chosenId = id;
                                    chosenComponent = component;
                                    selection.reset(); // as the command goes in the call
                                }));
    const HWND hwnd = ::FindWindowA(nullptr, "Result Selection");
    ASSERT_NE(nullptr, hwnd);
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    ::SendDlgItemMessageA(hwnd, IDC_RESULTID_RESULTS, LB_SETCURSEL, 2, 0);
    Click(hwnd, IDOK);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(int(kDispKey), chosenId);
    EXPECT_EQ(14, chosenComponent);
}
