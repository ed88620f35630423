// The result filter under Wine: the results a set of nodes or elements can list, load cases
// added once each, the view's result preselected with its own component, and what OK hands on.
#include "dialogs/tools/ResultFilterDlg.h"

#include "core/model/ModelSet.h"
#include "dialogs/tools/DialogResultListTools.h"
#include "platform/test/pump.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

using dialogs_test::DialogFixture;

namespace
{
constexpr UINT kDispKey = (1u << 23) | (2u << 13) | 1u; // a vector: variant bit 0
constexpr UINT kStressKey = (1u << 23) | (3u << 13);

CResultData* AddResult(CModelSet& model, UINT id, const char* name, int flags,
                       int loaded = CResultData::kLoaded)
{
    auto* result = new CResultData();
    result->m_id = id;
    result->m_loaded = loaded;
    result->m_flags = flags;
    result->SetName(name);
    EXPECT_TRUE(model.AddResult(result));
    return result;
}

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

void Choose(HWND dialog, int id, int index)
{
    const HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    fw::test::Pump();
}

void ChooseSteps(HWND dialog, std::initializer_list<int> indices)
{
    const HWND list = ::GetDlgItem(dialog, IDC_RESULTFILTER_STEPS);
    ::SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (const int i : indices)
        ::SendMessageA(list, LB_SETSEL, TRUE, i);
}

class ResultFilterDlgTest : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        // Disp: a vector at the nodes over load cases 1 and 2; Stress: a scalar per element.
        const int cases = 0x08;
        for (const double value : {1.0, 2.0})
        {
            const UINT index = m_model.AddLoadCaseValueById(kDispKey, value);
            AddResult(m_model, kDispKey | (index << 3), "Disp",
                      CResultData::kFlagVector | CResultData::kFlagAtNodes | cases);
        }
        const UINT index = m_model.AddLoadCaseValueById(kStressKey, 0.0);
        AddResult(m_model, kStressKey | (index << 3), "Stress", cases);
        AddResult(m_model, (1u << 23) | (4u << 13) | (1u << 3), "Unloaded",
                  CResultData::kFlagAtNodes, CResultData::kNotLoaded);
    }

    void TearDown() override
    {
        if (m_dialog.GetSafeHwnd())
            m_dialog.DestroyWindow();
        DialogFixture::TearDown();
    }

    HWND Open(bool nodal)
    {
        m_dialog.m_model = &m_model;
        m_dialog.m_bNodal = nodal;
        m_dialog.m_ids = {4, 2, 9};
        m_dialog.m_onOk = [this] { ++m_okCount; };
        EXPECT_TRUE(m_dialog.Create(IDD_RESULT_FILTER));
        m_dialog.ShowWindow(SW_SHOW);
        fw::test::Pump();
        return m_dialog.GetSafeHwnd();
    }

    CModelSet m_model;
    CResultFilterDlg m_dialog;
    int m_okCount = 0;
};
} // namespace

TEST_F(ResultFilterDlgTest, ListsVectorComponentsAndAddsEachLoadCaseOnce)
{
    const HWND hwnd = Open(true);
    char caption[64] = {};
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ("Result Filter", caption);
    EXPECT_EQ("Node IDs", ControlText(hwnd, IDC_RESULTFILTER_ID_GROUP));
    EXPECT_EQ("4, 2, 9", ControlText(hwnd, IDC_RESULTFILTER_IDS));
    const std::vector<std::string> results = {"Resultant : Disp", "X : Disp", "Y : Disp",
                                              "Z : Disp", "Stress"};
    EXPECT_EQ(results, Items(hwnd, IDC_RESULTFILTER_RESULTS));

    Choose(hwnd, IDC_RESULTFILTER_RESULTS, 2); // Y : Disp
    EXPECT_EQ((std::vector<std::string>{"Case1", "Case2"}), Items(hwnd, IDC_RESULTFILTER_STEPS));
    EXPECT_EQ("Cases", ControlText(hwnd, IDC_RESULTFILTER_STEPS_LABEL));
    ChooseSteps(hwnd, {1});
    Click(hwnd, IDC_RESULTFILTER_ADD);
    Click(hwnd, IDC_RESULTFILTER_ADD);
    Choose(hwnd, IDC_RESULTFILTER_RESULTS, 4); // Stress: one load case
    EXPECT_EQ((std::vector<std::string>{"Case1"}), Items(hwnd, IDC_RESULTFILTER_STEPS));
    ChooseSteps(hwnd, {0});
    Click(hwnd, IDC_RESULTFILTER_ADD);
    EXPECT_EQ((std::vector<std::string>{"Case2 : Y : Disp", "Case1 : Stress"}),
              Items(hwnd, IDC_RESULTFILTER_SELECTED));

    Click(hwnd, IDOK);
    ASSERT_EQ(1, m_okCount);
    ASSERT_EQ(2u, m_dialog.m_chosenResults.size());
    EXPECT_EQ(m_model.GetResult(kDispKey | (2u << 3)), m_dialog.m_chosenResults[0]);
    EXPECT_EQ((std::vector<int>{14, 12}), m_dialog.m_chosenComponents);
    EXPECT_EQ(CString("Case2 : Y : Disp"), m_dialog.m_chosenTexts[0]);

    // Delete takes the chosen items out; OK with none reports empty outputs.
    ::SendDlgItemMessageA(hwnd, IDC_RESULTFILTER_SELECTED, LB_SETSEL, TRUE, -1);
    Click(hwnd, IDC_RESULTFILTER_DELETE);
    EXPECT_TRUE(Items(hwnd, IDC_RESULTFILTER_SELECTED).empty());
    Click(hwnd, IDOK);
    EXPECT_EQ(2, m_okCount);
    EXPECT_TRUE(m_dialog.m_chosenResults.empty());
    EXPECT_TRUE(m_dialog.m_chosenComponents.empty());
}

TEST_F(ResultFilterDlgTest, ElementsSkipNodalResults)
{
    const HWND hwnd = Open(false);
    EXPECT_EQ("Element IDs", ControlText(hwnd, IDC_RESULTFILTER_ID_GROUP));
    EXPECT_EQ((std::vector<std::string>{"Stress"}), Items(hwnd, IDC_RESULTFILTER_RESULTS));
}

TEST_F(ResultFilterDlgTest, ViewResultIsPreselectedWithItsOwnComponent)
{
    struct Case
    {
        UINT id;
        int selector;
        const char* text;
        int component;
    };
    const Case cases[] = {
        {kDispKey | (1u << 3), 0x100 | 2, "Case1 : X : Disp", 13}, // bit 8 ignored
        {kDispKey | (2u << 3), 1, "Case2 : Resultant : Disp", 16},
        {kStressKey | (1u << 3), 0, "Stress", 12}, // one load case: no prefix
    };
    for (const Case& c : cases)
    {
        m_dialog.m_shownResultId = c.id;
        m_dialog.m_shownSelector = c.selector;
        const HWND hwnd = Open(true);
        EXPECT_EQ(std::vector<std::string>{c.text}, Items(hwnd, IDC_RESULTFILTER_SELECTED));
        Click(hwnd, IDOK);
        ASSERT_EQ(1u, m_dialog.m_chosenComponents.size());
        EXPECT_EQ(c.component, m_dialog.m_chosenComponents[0]) << c.text;
        m_dialog.DestroyWindow();
    }
}

TEST_F(ResultFilterDlgTest, LongResultNamesScrollIntoSight)
{
    constexpr UINT kLongKey = (1u << 23) | (5u << 13) | 1u;
    const char* const kName = "Displacement - Translation in the basic coordinate system";
    const UINT index = m_model.AddLoadCaseValueById(kLongKey, 1.0);
    AddResult(m_model, kLongKey | (index << 3), kName,
              CResultData::kFlagVector | CResultData::kFlagAtNodes | 0x08);
    m_dialog.m_shownResultId = kLongKey | (index << 3);
    m_dialog.m_shownSelector = 1;
    const HWND hwnd = Open(true);
    for (const int id : {IDC_RESULTFILTER_RESULTS, IDC_RESULTFILTER_SELECTED})
    {
        SCOPED_TRACE(id);
        const HWND list = ::GetDlgItem(hwnd, id);
        const std::string text = "Resultant : " + std::string(kName);
        ASSERT_NE(LB_ERR, ::SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1),
                                         reinterpret_cast<LPARAM>(text.c_str())));
        const HDC dc = ::GetDC(list);
        const HGDIOBJ old =
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0)));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(list, dc);
        RECT client = {};
        ::GetClientRect(list, &client);
        ASSERT_GT(size.cx, client.right) << "the name is wider than the list";
        EXPECT_GE(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), size.cx)
            << "the whole name can be scrolled to";
    }
}

TEST_F(ResultFilterDlgTest, ProgramToolsReleaseTheFilterFromItsOwnOk)
{
    CDialogResultListTools tools;
    std::unique_ptr<CResultFilterWindow> filter = tools.CreateResultFilter();
    std::vector<CChosenResult> chosen;
    ASSERT_TRUE(filter->Open(m_model, true, {4, 2, 9}, kDispKey | (1u << 3), 3, 0,
                             [&](const std::vector<CChosenResult>& results)
                             {
                                 chosen = results;
                                 filter.reset(); // as the command goes in the call
                             }));
    const HWND hwnd = ::FindWindowA(nullptr, "Result Filter");
    ASSERT_NE(nullptr, hwnd);
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    Click(hwnd, IDOK);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(hwnd));
    ASSERT_EQ(1u, chosen.size());
    EXPECT_EQ(m_model.GetResult(kDispKey | (1u << 3)), chosen[0].result);
    EXPECT_EQ(14, chosen[0].component);
    EXPECT_EQ(CString("Case1 : Y : Disp"), chosen[0].title);
}
