// A whole session as a user runs it, on a real Nastran run from the shared samples: a new
// project from the bulk data, its OUTPUT2 results imported, a stress shown from the tree as a
// contour, the project saved, closed and opened again with the same result and camera.
#include "core/model/ResultData.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <cmath>
#include <gtest/gtest.h>

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
