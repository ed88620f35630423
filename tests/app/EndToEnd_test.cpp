// A whole session as a user runs it, on a real Nastran run from the shared samples: a new
// project from the bulk data, its OUTPUT2 results imported, a stress shown from the tree as a
// contour, the project saved, closed and opened again with the same result and camera.
#include "core/geometry/FENode.h"
#include "core/model/ResultData.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <cmath>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace
{
class EndToEnd : public ProjectAppFixture
{
protected:
    // Before start-up makes the program's folder current, while "../shared" is found.
    void SetUp() override
    {
        REQUIRE_SAMPLES();
        ProjectAppFixture::SetUp();
    }
};
} // namespace

TEST_F(EndToEnd, ImportShowAStressSaveCloseAndOpenAgain)
{
    const std::string deck = m_sampleRoot + "\\pyNastran\\ogs\\ogs.bdf";
    const std::string results = m_sampleRoot + "\\pyNastran\\ogs\\ogs.op2";
    NewProject("ogs", deck);
    ASSERT_NE(nullptr, Project());
    ASSERT_EQ(20, Project()->m_model.GetElementCount());
    (*m_services)->fileAnswers.push_back(results);
    fw::test::WhenDialogShows("Select Results to Load", [](HWND dialog)
                              { ::PostMessageA(dialog, WM_COMMAND, IDC_SELECTRESULTS_ALL, 0); });
    Command(ID_IMPORT_OP2);
    ASSERT_EQ(2, Project()->m_settings.m_inputFileCount);

    const HTREEITEM stress = FindResultItem("von Mises, fibre 1");
    ASSERT_NE(nullptr, stress) << "no stress result in the tree";
    const auto* node = dynamic_cast<CResultItemNode*>(Tree().NodeOf(stress));
    const int loadCase = Project()->m_model.GetFirstLoadCase(node->m_result->m_id);
    DoubleClick(stress);
    CCAEView* shown = View(2);
    ASSERT_NE(nullptr, shown);
    ASSERT_EQ(loadCase, shown->Renderer().ContourResultId());

    // The user turns the model before saving.
    shown->Camera(CSceneView::kSceneViewport).SetRotationAngles(CPoint3D(30, -20, 15));
    const CViewVolume camera = shown->Camera(CSceneView::kSceneViewport);
    const std::set<int> bands = ShownBands(shown);
    EXPECT_GE(bands.size(), 3u) << "the contour shows several bands";
    const int mode = shown->Scene().DisplayMode();

    (*m_services)->fileAnswers.push_back(DataPath("session"));
    Command(ID_PROJECT_SAVE_AS);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(DataPath("session.mpj").c_str()));
    (*m_services)->messageBoxAnswers.push_back(IDNO); // saved already
    Command(ID_PROJECT_CLOSE);
    ASSERT_EQ(nullptr, Project());
    ASSERT_TRUE(Items().empty());

    (*m_services)->fileAnswers.push_back(DataPath("session.mpj"));
    Command(ID_PROJECT_OPEN);
    ASSERT_NE(nullptr, Project());
    EXPECT_EQ(20, Project()->m_model.GetElementCount());
    EXPECT_NE(nullptr, FindResultItem("von Mises, fibre 1")) << "the results are in the tree again";
    CCAEView* reopened = View(2);
    ASSERT_NE(nullptr, reopened);
    EXPECT_EQ(loadCase, reopened->Renderer().ContourResultId());
    EXPECT_EQ(mode, reopened->Scene().DisplayMode());
    const CViewVolume& again = reopened->Camera(CSceneView::kSceneViewport);
    const auto same = [](const CPoint3D& a, const CPoint3D& b) {
        return std::abs(a.x - b.x) < 1e-4 && std::abs(a.y - b.y) < 1e-4 &&
               std::abs(a.z - b.z) < 1e-4;
    };
    EXPECT_TRUE(same(camera.m_rotation, again.m_rotation));
    EXPECT_TRUE(same(camera.m_panPoint, again.m_panPoint));
    EXPECT_TRUE(same(camera.m_volumeStart, again.m_volumeStart));
    EXPECT_TRUE(same(camera.m_volumeEnd, again.m_volumeEnd));
    EXPECT_EQ(bands, ShownBands(reopened)) << "the contour is shown again as it was";
}

namespace
{
// The packed ids of the file's results marked loaded, ascending.
std::set<UINT> LoadedOf(const CModelSet& model, const std::string& path)
{
    std::set<UINT> ids;
    const CResultMap& results = model.GetResults();
    for (UINT id : results.SortedKeys())
    {
        CResultData* result = nullptr;
        if (results.Lookup(id, result) && result != nullptr && result->IsLoaded() &&
            std::string(result->m_sourcePath.GetString()) == path)
            ids.insert(id);
    }
    return ids;
}
} // namespace

TEST_F(EndToEnd, OutputTwoImportLoadsExactlyTheChosenResults)
{
    const std::string results = m_sampleRoot + "\\pyNastran\\ogs\\ogs.op2";
    NewProject("ogs", m_sampleRoot + "\\pyNastran\\ogs\\ogs.bdf");
    ASSERT_NE(nullptr, Project());

    // The first offered result moves over with its steps; the defaults selected at once stay.
    std::set<UINT> chosen;
    std::string firstOffered;
    (*m_services)->fileAnswers.push_back(results);
    fw::test::WhenDialogShows(
        "Select Results to Load",
        [&](HWND dialog)
        {
            const HWND offered = ::GetDlgItem(dialog, IDC_SELECTRESULTS_RESULTS);
            char text[256] = {};
            ::SendMessageA(offered, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
            firstOffered = text;
            ::SendMessageA(offered, LB_SETSEL, TRUE, 0);
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELECTRESULTS_RESULTS, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(offered));
            ::SendMessageA(dialog, WM_COMMAND, IDC_SELECTRESULTS_MOVE_IN, 0);
            const HWND selected = ::GetDlgItem(dialog, IDC_SELECTRESULTS_SELECTED);
            const LRESULT count = ::SendMessageA(selected, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i)
                chosen.insert(UINT(::SendMessageA(selected, LB_GETITEMDATA, WPARAM(i), 0)));
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    Command(ID_IMPORT_OP2);
    ASSERT_FALSE(firstOffered.empty()) << "the file offers results";
    ASSERT_FALSE(chosen.empty());
    EXPECT_EQ(chosen, LoadedOf(Project()->m_model, results));
    const size_t all = Project()->m_model.GetResults().GetCount();
    EXPECT_LT(chosen.size(), all) << "results not chosen stay unloaded";

    // Closing the dialog without OK reads none of a second file's results.
    const std::string second = m_sampleRoot + "\\pyNastran\\ogs\\nx_ogstr.op2";
    (*m_services)->fileAnswers.push_back(second);
    fw::test::WhenDialogShows("Select Results to Load",
                              [](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    Command(ID_IMPORT_OP2);
    EXPECT_TRUE(LoadedOf(Project()->m_model, second).empty());
    EXPECT_EQ(chosen, LoadedOf(Project()->m_model, results));
}

namespace
{
// The texts of a list view's rows, each row's cells joined by '|'.
std::vector<std::string> ListRows(HWND list)
{
    std::vector<std::string> rows;
    const HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = int(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    const int count = int(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
    {
        std::string line;
        for (int column = 0; column < columns; ++column)
        {
            char text[128] = {};
            LVITEMA cell = {};
            cell.iSubItem = column;
            cell.pszText = text;
            cell.cchTextMax = sizeof text;
            ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
            line += std::string(column ? "|" : "") + text;
        }
        rows.push_back(line);
    }
    return rows;
}

// Chooses the result item of this text in the result filter, adds its first load case and
// leaves only it in the chosen list.
void ChooseOnly(HWND filter, const char* item)
{
    const HWND chosen = ::GetDlgItem(filter, IDC_RESULTFILTER_SELECTED);
    while (::SendMessageA(chosen, LB_GETCOUNT, 0, 0) > 0)
    {
        ::SendMessageA(chosen, LB_SETSEL, TRUE, 0);
        ::SendDlgItemMessageA(filter, IDC_RESULTFILTER_DELETE, BM_CLICK, 0, 0);
    }
    const HWND results = ::GetDlgItem(filter, IDC_RESULTFILTER_RESULTS);
    const LRESULT at =
        ::SendMessageA(results, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(item));
    ASSERT_NE(LB_ERR, at) << item;
    ::SendMessageA(results, LB_SETCURSEL, WPARAM(at), 0);
    ::SendMessageA(filter, WM_COMMAND, MAKEWPARAM(IDC_RESULTFILTER_RESULTS, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(results));
    ::SendDlgItemMessageA(filter, IDC_RESULTFILTER_STEPS, LB_SETSEL, TRUE, 0);
    ::SendDlgItemMessageA(filter, IDC_RESULTFILTER_ADD, BM_CLICK, 0, 0);
}
} // namespace

// Grids 1, 2 and 5 of the CHEXA are shared with shells and solids whose stresses are not read
// (corner-output CQUAD4, CTRIA3, CPENTA, CTETRA): the sheet shows at each the CHEXA's own
// corner value of the printout, not one thinned by the elements without values.
TEST_F(EndToEnd, ResultListNodalOfACornerStressShowsTheSolidsCornerValues)
{
    fw::test::WhenDialogShows("Select Results to Load", [](HWND dialog)
                              { ::PostMessageA(dialog, WM_COMMAND, IDC_SELECTRESULTS_ALL, 0); });
    NewProject("corners",
               m_sampleRoot + "\\pyNastran\\sol_101_elements\\static_solid_shell_bar.op2");
    ASSERT_NE(nullptr, Project());
    fw::test::CancelDialogScript();
    CCAEView* view = nullptr;
    for (int key = 1; key < 4 && view == nullptr; ++key)
        view = View(key);
    ASSERT_NE(nullptr, view);
    Command(ID_INFO_RESULT_LIST_NODAL);
    ASSERT_TRUE(view->ViewSelection().IsSelecting());
    CEntityArray picked;
    for (const int id : {5, 2, 1})
        picked.Add(Project()->m_model.GetNode(id));
    view->AddPickedEntity(picked);
    view->CommitSelection(CCAEView::kDecision);
    fw::test::Pump();
    const HWND filter = ::FindWindowA(nullptr, "Result Filter");
    ASSERT_NE(nullptr, filter);
    std::vector<std::string> rows;
    fw::test::WhenDialogShows("Result List",
                              [&](HWND sheet)
                              {
                                  rows = ListRows(
                                      ::FindWindowExA(sheet, nullptr, "SysListView32", nullptr));
                                  ::PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
                              });
    ChooseOnly(filter, "X : Element stress - Normal");
    ::SendMessageA(filter, WM_COMMAND, IDOK, 0);
    fw::test::Pump();
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ("Node ID|Case1 : X : Element stress - Normal", rows[0]);
    const std::pair<const char*, double> kPrinted[] = {
        {"1|", -2.806434E+02}, {"2|", -2.806434E+02}, {"5|", 1.363054E+03}};
    for (size_t i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(rows[i + 1]);
        ASSERT_EQ(0u, rows[i + 1].find(kPrinted[i].first));
        const double shown = std::stod(rows[i + 1].substr(2));
        EXPECT_NEAR(kPrinted[i].second, shown, 1e-5 * std::abs(kPrinted[i].second));
    }
}
