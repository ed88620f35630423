// The choice of results to load under Wine: what one file offers (default results marked and
// selected at once), load cases zero-padded and chosen together, ">" and "<" moving results and
// their loaded marks, the conversion box, and Load All taking every result in one click.
#include "dialogs/tools/SelectResultsDlg.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "platform/test/pump.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <map>

using dialogs_test::DialogFixture;

namespace
{
const char kFile[] = "C:\\runs\\plate.op2";

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

std::vector<std::string> Chosen(HWND dialog, int id)
{
    const std::vector<std::string> items = Items(dialog, id);
    std::vector<std::string> chosen;
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (::SendDlgItemMessageA(dialog, id, LB_GETSEL, WPARAM(i), 0) > 0)
            chosen.push_back(items[i]);
    }
    return chosen;
}

// Chooses exactly these items of a list, by text, as the user's clicks leave them.
void Choose(HWND dialog, int id, std::initializer_list<const char*> texts)
{
    const HWND list = ::GetDlgItem(dialog, id);
    ::SendMessageA(list, LB_SETSEL, FALSE, -1);
    const std::vector<std::string> items = Items(dialog, id);
    for (const char* text : texts)
    {
        for (size_t i = 0; i < items.size(); ++i)
        {
            if (items[i] == text)
                ::SendMessageA(list, LB_SETSEL, TRUE, LPARAM(i));
        }
    }
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

class SelectResultsDlgTest : public DialogFixture
{
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        // Displacement (default, one case) and Stress (default, three cases); Strain Energy and
        // Strain over twelve steps; Force as two results of one name (one case and two); a
        // result of another file and one that is loaded already are not offered.
        Add(1, "Displacement", 1);
        Add(2, "Stress", 3);
        Add(3, "Strain Energy", 1);
        Add(4, "Strain", 12);
        Add(5, "Force", 1);
        Add(6, "Other", 1, "C:\\runs\\other.op2");
        Add(8, "Force", 2);
        Add(7, "Loaded", 1, kFile, CResultData::kLoaded);
    }

    // A result over its load cases 1 to cases, all records of the file.
    void Add(UINT number, const char* name, int cases, const char* path = kFile,
             int loaded = CResultData::kNotLoaded)
    {
        const UINT key = (1u << 23) | (number << 13);
        for (int n = 0; n < cases; ++n)
        {
            const UINT index = m_model.AddLoadCaseValueById(key, double(n));
            auto* result = new CResultData();
            result->m_id = key | (index << 3);
            result->m_loaded = loaded;
            result->m_sourcePath = path;
            result->m_average = 7; // neither of the box's values
            result->SetName(name);
            ASSERT_TRUE(m_model.AddResult(result));
            m_byName[name].push_back(result);
        }
    }

    // Runs the dialog with the script inside it; the dialog's answer.
    INT_PTR Run(std::function<void(HWND)> script)
    {
        CSelectResultsDlg dialog;
        dialog.m_model = &m_model;
        dialog.m_path = kFile;
        dialog.m_isDefaultResult = [](const CString& name)
        { return name == "Displacement" || name == "Stress"; };
        dialogs_test::WhenDialogShows("Select Results to Load", std::move(script));
        return dialog.DoModal();
    }

    std::vector<int> Loaded(const char* name)
    {
        std::vector<int> flags;
        for (const CResultData* result : m_byName[name])
            flags.push_back(result->m_loaded);
        return flags;
    }

    std::vector<int> Conversions(const char* name)
    {
        std::vector<int> flags;
        for (const CResultData* result : m_byName[name])
            flags.push_back(result->m_average);
        return flags;
    }

    CModelSet m_model;
    std::map<std::string, std::vector<CResultData*>> m_byName;
};
} // namespace

TEST_F(SelectResultsDlgTest, OffersTheFilesResultsWithDefaultsMarkedAndStepsZeroPadded)
{
    const INT_PTR answer = Run(
        [&](HWND hwnd)
        {
            // A one-case default result is selected at once; a name that starts another is its own.
            EXPECT_EQ((std::vector<std::string>{"*Stress", "Strain Energy", "Strain", "Force"}),
                      Items(hwnd, IDC_SELECTRESULTS_RESULTS));
            EXPECT_EQ((std::vector<std::string>{"[1] *Displacement"}),
                      Items(hwnd, IDC_SELECTRESULTS_SELECTED));
            EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hwnd, IDC_SELECTRESULTS_CONVERSION));
            EXPECT_EQ("Convert elemental results to nodal",
                      ControlText(hwnd, IDC_SELECTRESULTS_CONVERSION));

            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"Strain"});
            const std::vector<std::string> steps = {"01", "02", "03", "04", "05", "06",
                                                    "07", "08", "09", "10", "11", "12"};
            EXPECT_EQ(steps, Items(hwnd, IDC_SELECTRESULTS_STEPS));
            EXPECT_EQ(steps, Chosen(hwnd, IDC_SELECTRESULTS_STEPS));
            EXPECT_TRUE(IsEnabled(hwnd, IDC_SELECTRESULTS_STEPS));

            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"*Stress"});
            EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}),
                      Items(hwnd, IDC_SELECTRESULTS_STEPS));
            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"Force"}); // the cases of both, once each
            EXPECT_EQ((std::vector<std::string>{"1", "2"}), Items(hwnd, IDC_SELECTRESULTS_STEPS));

            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"Strain", "Force"});
            EXPECT_TRUE(Items(hwnd, IDC_SELECTRESULTS_STEPS).empty());
            EXPECT_FALSE(IsEnabled(hwnd, IDC_SELECTRESULTS_STEPS));
            ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        });
    EXPECT_EQ(IDOK, answer);
    EXPECT_EQ((std::vector<int>{2}), Loaded("Displacement"));
    EXPECT_EQ((std::vector<int>{1}), Conversions("Displacement"));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Loaded("Stress"));
    EXPECT_EQ((std::vector<int>{0}), Loaded("Other"));
    EXPECT_EQ((std::vector<int>{7}), Conversions("Other"));
}

TEST_F(SelectResultsDlgTest, MovesMarkTheRecordsAndOkSetsTheirConversion)
{
    const INT_PTR answer = Run(
        [&](HWND hwnd)
        {
            // One result: only its chosen steps move, the rest stays offered.
            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"Strain"});
            Choose(hwnd, IDC_SELECTRESULTS_STEPS, {"03", "12"});
            Click(hwnd, IDC_SELECTRESULTS_MOVE_IN);
            EXPECT_EQ(10u, Items(hwnd, IDC_SELECTRESULTS_STEPS).size());
            EXPECT_EQ((std::vector<std::string>{"*Stress", "Strain Energy", "Strain", "Force"}),
                      Items(hwnd, IDC_SELECTRESULTS_RESULTS));

            // Several results: every case of each, and they leave the offered list.
            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"*Stress", "Force"});
            Click(hwnd, IDC_SELECTRESULTS_MOVE_IN);
            EXPECT_EQ((std::vector<std::string>{"Strain Energy", "Strain"}),
                      Items(hwnd, IDC_SELECTRESULTS_RESULTS));
            EXPECT_EQ((std::vector<std::string>{"[1] *Displacement", "[3] Strain", "[12] Strain",
                                                "[1] *Stress", "[2] *Stress", "[3] *Stress",
                                                "[1] Force", "[1] Force", "[2] Force"}),
                      Items(hwnd, IDC_SELECTRESULTS_SELECTED));
            const LRESULT extent = ::SendDlgItemMessageA(hwnd, IDC_SELECTRESULTS_SELECTED,
                                                         LB_GETHORIZONTALEXTENT, 0, 0);
            EXPECT_GT(extent, 2);

            // Back: Force is offered again, Displacement with its star.
            Choose(hwnd, IDC_SELECTRESULTS_SELECTED,
                   {"[1] Force", "[1] *Displacement", "[2] *Stress"});
            EXPECT_EQ(4u, Chosen(hwnd, IDC_SELECTRESULTS_SELECTED).size());
            Click(hwnd, IDC_SELECTRESULTS_MOVE_OUT);
            EXPECT_EQ((std::vector<std::string>{"Strain Energy", "Strain", "*Displacement",
                                                "*Stress", "Force"}),
                      Items(hwnd, IDC_SELECTRESULTS_RESULTS));
            // The returned Stress case is a step again of the offered Stress.
            Choose(hwnd, IDC_SELECTRESULTS_RESULTS, {"*Stress"});
            EXPECT_EQ((std::vector<std::string>{"2"}), Items(hwnd, IDC_SELECTRESULTS_STEPS));

            ::CheckDlgButton(hwnd, IDC_SELECTRESULTS_CONVERSION, BST_UNCHECKED);
            ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        });
    EXPECT_EQ(IDOK, answer);
    EXPECT_EQ((std::vector<int>{0}), Loaded("Displacement"));
    EXPECT_EQ((std::vector<int>{0, 0, 2}), Loaded("Force"));
    EXPECT_EQ((std::vector<int>{2, 0, 2}), Loaded("Stress"));
    EXPECT_EQ((std::vector<int>{0, 7, 0}), Conversions("Stress"));
    std::vector<int> strain(12, 0);
    strain[2] = strain[11] = 2;
    EXPECT_EQ(strain, Loaded("Strain"));
    EXPECT_EQ(0, m_byName["Strain"][11]->m_average);
    EXPECT_EQ(7, m_byName["Strain"][0]->m_average);
}

TEST_F(SelectResultsDlgTest, LoadAllTakesEveryResultOfTheFileInOneClick)
{
    const INT_PTR answer = Run([&](HWND hwnd) { Click(hwnd, IDC_SELECTRESULTS_ALL); });
    EXPECT_EQ(IDOK, answer);
    for (const char* name : {"Displacement", "Stress", "Strain Energy", "Strain", "Force"})
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(std::vector<int>(m_byName[name].size(), 2), Loaded(name));
        EXPECT_EQ(std::vector<int>(m_byName[name].size(), 1), Conversions(name));
    }
    EXPECT_EQ((std::vector<int>{0}), Loaded("Other"));
    EXPECT_EQ((std::vector<int>{1}), Loaded("Loaded"));
}

TEST_F(SelectResultsDlgTest, JapaneseTexts)
{
    SetLanguage("_JPN");
    std::string button;
    // "読み込む結果の選択" in the program's code page.
    dialogs_test::WhenDialogShows(
        "\x93\xc7\x82\xdd\x8d\x9e\x82\xde\x8c\x8b\x89\xca\x82\xcc\x91\x49\x91\xf0",
        [&](HWND hwnd)
        {
            button = ControlText(hwnd, IDC_SELECTRESULTS_ALL);
            ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        });
    CSelectResultsDlg dialog;
    dialog.m_model = &m_model;
    dialog.m_path = kFile;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("\x82\xb7\x82\xd7\x82\xc4\x93\xc7\x8d\x9e", button); // "すべて読込"
}
