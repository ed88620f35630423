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
