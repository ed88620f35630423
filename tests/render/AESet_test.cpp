// Renderer object: model box, camera fit and the factors of an animation frame.
#include "FakeSceneView.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "tests/core/model/ModelFixtures.h"

#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <vector>

using render_test::SceneTest;

namespace
{
void ExpectPoint(const CPoint3D& expected, const CPoint3D& actual)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-9);
    EXPECT_NEAR(expected.y, actual.y, 1e-9);
    EXPECT_NEAR(expected.z, actual.z, 1e-9);
}
} // namespace

TEST(AESet, StartsWithTheDefaultsOfAView)
{
    CAESet renderer;
    EXPECT_EQ(10, renderer.MaxLCSteps());
    EXPECT_EQ(1.0, renderer.DeformationScale());
    EXPECT_EQ(0.1, renderer.ModelScale());
    EXPECT_EQ(1.0, renderer.ResultFactor());
    EXPECT_EQ(-1, renderer.ContourResultId());
    EXPECT_EQ(-1, renderer.VectorResultId());
    EXPECT_EQ(-1, renderer.ResultComponent());
    EXPECT_EQ(1, renderer.ShowsContour());
    EXPECT_EQ(nullptr, renderer.Group());
    renderer.RenderAll(); // no view, no group: nothing to build
    renderer.DrawScene();
}

TEST_F(SceneTest, SingleNodeIsShownInTheUnitBox)
{
    AddTestNode(m_model, 1, 5, 5, 5);
    View().Show(&m_model);
    ExpectPoint(CPoint3D(5, 5, 5), View().ModelCenter());
    // AutoScale then fits the rotated box: x and y stay, z grows by 2 on each side.
    ExpectPoint(CPoint3D(-1, -1, -3), View().ModelBoxCorner(0));
    ExpectPoint(CPoint3D(1, 1, 3), View().ModelBoxCorner(1));
    ExpectPoint(CPoint3D(-1, -1, -1), View().ClipBoxCorner(0));
    ExpectPoint(CPoint3D(1, 1, 1), View().ClipBoxCorner(1));
    const CViewVolume& scene = View().Camera(0);
    ExpectPoint(CPoint3D(-5, -5, -5), scene.m_panPoint);
    ExpectPoint(View().ModelBoxCorner(0), scene.m_volumeStart);
    ExpectPoint(View().ModelBoxCorner(1), scene.m_copyEnd);
}

TEST_F(SceneTest, FlatModelGetsAThinButNotEmptyBox)
{
    AddTestNode(m_model, 1, 0, 0, 0);
    AddTestNode(m_model, 2, 100, 20, 0);
    View().m_pModel = &m_model;
    Renderer().UpdateModelBox();
    ExpectPoint(CPoint3D(50, 10, 0), View().ModelCenter());
    ExpectPoint(CPoint3D(-52.5, -12.5, -2.505), View().ModelBoxCorner(0));
    ExpectPoint(CPoint3D(52.5, 12.5, 2.505), View().ModelBoxCorner(1));
}

TEST_F(SceneTest, ModelBoxCountsOnlyWhatTheViewsElementFilterShows)
{
    AddTestNode(m_model, 1, 0, 0, 0);
    AddTestNode(m_model, 2, 1, 0, 0);
    AddTestNode(m_model, 3, 9, 0, 0);
    AddTestElement(m_model, 1, kTagBeam, 21, {1, 2});
    AddTestElement(m_model, 2, kTagBeam, 21, {2, 3});
    m_model.BuildElementFaces();
    View().m_pModel = &m_model;
    View().m_hiddenIds = {2}; // this view is not the active one: no active view exists at all
    Renderer().UpdateModelBox();
    ExpectPoint(CPoint3D(0.5, 0, 0), View().ModelCenter());
}

TEST_F(SceneTest, FitToAspectWidensTheSavedBox)
{
    CViewVolume& scene = View().Camera(0);
    scene.SetViewport(CPoint3D(0, 0, 0), CPoint3D(800, 400, 0));
    scene.m_copyStart = CPoint3D(-50, -50, -7);
    scene.m_copyEnd = CPoint3D(50, 50, 9);
    Renderer().FitViewVolumeToAspect(0);
    ExpectPoint(CPoint3D(-100, -50, -7), scene.m_volumeStart);
    ExpectPoint(CPoint3D(100, 50, 9), scene.m_volumeEnd);
    ExpectPoint(scene.m_volumeEnd, View().ModelBoxCorner(1));

    // A viewport without height leaves the box as it was saved.
    scene.SetViewport(CPoint3D(0, 0, 0), CPoint3D(800, 0, 0));
    Renderer().FitViewVolumeToAspect(0);
    ExpectPoint(CPoint3D(-50, -50, -7), scene.m_volumeStart);
}

TEST_F(SceneTest, RotatedBoxFit)
{
    View().Camera(0).SetViewport(CPoint3D(0, 0, 0), CPoint3D(300, 300, 0));
    View().SetModelBox(CPoint3D(-2, -1, -0.5), CPoint3D(2, 1, 0.5));
    Renderer().FitRotatedBox(0, 0, 0, 0);
    // Square viewport: the height grows to the width, z by the larger extent on each side.
    ExpectPoint(CPoint3D(-2, -2, -4.5), View().ModelBoxCorner(0));
    ExpectPoint(CPoint3D(2, 2, 4.5), View().ModelBoxCorner(1));

    // A quarter turn about z swaps the x and y extents.
    View().SetModelBox(CPoint3D(-2, -1, -0.5), CPoint3D(2, 1, 0.5));
    Renderer().FitRotatedBox(0, 0, 90, 0);
    EXPECT_NEAR(-2.0, View().ModelBoxCorner(0).x, 1e-5);
    EXPECT_NEAR(2.0, View().ModelBoxCorner(1).y, 1e-5);
    EXPECT_NEAR(4.5, View().ModelBoxCorner(1).z, 1e-5);
}

namespace
{
// A displacement result with load cases 1 and 2 whose largest value is given, filed as the
// model's displacement result; returns the id of case 1.
UINT AddDisplacement(CModelSet& model, double largest, int caseKind)
{
    const UINT typeBits = 0x800000;
    model.AddLoadCaseValue(1, typeBits, 1.0);
    model.AddLoadCaseValue(1, typeBits, 2.0);
    const UINT id = MakeLoadCaseKey(1, typeBits, 1);
    CResultData* result = new CResultData();
    result->m_id = id;
    result->m_flags = CResultData::kFlagAtNodes | caseKind;
    result->WidenRange(largest);
    model.AddResult(result);
    model.SetDefaultDisplacementId(static_cast<int>(MakeResultKey(1, typeBits)));
    return id;
}

struct FrameCase
{
    const char* name;
    int mode;
    int step;
    int steps;
    bool showsResult;
    int caseKind;
    double resultFactor;
    double deformationFactor;
};

// S = 2 (absolute), R = 0.1 (relative); the model's diagonal is 5 and its largest displacement 4.
const FrameCase kFrames[] = {
    {"mode 1 frame 0", 1, 0, 10, true, 8, 1.0, 0.0},
    {"mode 1 frame 5", 1, 5, 10, true, 8, 0.5, 1.0},
    {"mode 1 last frame", 1, 10, 10, true, 8, 1.0, 2.0},
    {"mode 1 step result", 1, 3, 10, true, 24, 1.0, 2.0},
    {"mode 1 no result", 1, 3, 10, false, 8, 1.0, 2.0},
    {"mode 1 no frames", 1, 3, 0, true, 8, 1.0, 2.0},
    {"mode 0", 0, 5, 10, true, 8, 0.5, 0.0},
    {"mode 2 frame 5", 2, 5, 10, true, 8, 0.5, 5 * 0.1 * 5 / (10 * 4.0)},
    {"mode 2 not animated", 2, 5, 0, true, 8, 1.0, 5 * 0.1 / 4.0},
    {"mode 2 no result shown", 2, 5, 10, false, 8, 1.0, 0.1},
    {"unknown mode", 7, 5, 10, true, 8, 0.5, 0.0},
};
} // namespace

TEST_F(SceneTest, AnimationFrameFactors)
{
    for (const FrameCase& c : kFrames)
    {
        SCOPED_TRACE(c.name);
        CModelSet model;
        AddTestNode(model, 1, 0, 0, 0);
        AddTestNode(model, 2, 3, 4, 0);
        const UINT id = AddDisplacement(model, 4.0, c.caseKind);
        View().m_pModel = &model;
        CAESet& r = Renderer();
        r.SetShowDeformation(static_cast<int16_t>(c.mode));
        r.SetDeformationScale(2.0);
        r.SetLCStep(c.step);
        r.SetMaxLCSteps(c.steps);
        r.SetContourResultId(c.showsResult ? static_cast<int>(id) : -1);
        View().SetCurrentResult(c.showsResult ? model.GetResult(id) : nullptr);
        r.UpdateAnimationFrame();
        EXPECT_DOUBLE_EQ(c.resultFactor, r.ResultFactor());
        EXPECT_DOUBLE_EQ(c.deformationFactor, r.DeformationFactor());
        View().SetCurrentResult(nullptr);
        View().m_pModel = nullptr;
    }
}

TEST_F(SceneTest, RelativeDeformationTakesAZeroDisplacementAsOne)
{
    AddTestNode(m_model, 1, 0, 0, 0);
    AddTestNode(m_model, 2, 3, 4, 0);
    const UINT id = AddDisplacement(m_model, 0.0, 8);
    View().m_pModel = &m_model;
    Renderer().SetShowDeformation(CAESet::kRelativeToModel);
    Renderer().SetVectorResultId(static_cast<int>(id));
    Renderer().UpdateAnimationFrame();
    EXPECT_DOUBLE_EQ(5 * 0.1, Renderer().DeformationFactor());
}

TEST(AESet, ListNamesOfAGroupDifferFromEachOtherAndFromTheFixedNames)
{
    // Model lists also come undeformed and as pick lists; result lists do not.
    const UINT modelCodes[] = {CAESet::kNodeList,       CAESet::kSolidFaceList,
                               CAESet::kBeamList,       CAESet::kElassList,
                               CAESet::kMassList,       CAESet::kShellFaceList,
                               CAESet::kSolidRidgeList, CAESet::kShellRidgeList,
                               CAESet::kSolidEdgeList,  CAESet::kShellEdgeList};
    const UINT resultCodes[] = {CAESet::kSolidContourList, CAESet::kBeamContourList,
                                CAESet::kShellContourList, CAESet::kSolidVectorList,
                                CAESet::kBeamVectorList,   CAESet::kShellVectorList};
    const UINT fixedNames[] = {CAESet::kDirectionArrowList, CAESet::kNodeLabelList,
                               CAESet::kElementLabelList, CAESet::kHighlightList};
    std::vector<UINT> codes(std::begin(resultCodes), std::end(resultCodes));
    for (const UINT code : modelCodes)
        for (const UINT variant : {0u, UINT{CAESet::kUndeformed}, UINT{CAESet::kPickList}})
            codes.push_back(code | variant);
    CGroupSet group;
    CAESet renderer;
    renderer.SetGroup(&group);
    for (const int groupId : {0, 1, 2, 5, 16, 255, 1023, 4096})
    {
        SCOPED_TRACE(groupId);
        group.m_id = groupId;
        std::set<UINT> names(std::begin(fixedNames), std::end(fixedNames));
        for (const UINT code : codes)
            EXPECT_TRUE(names.insert(renderer.ListName(code)).second) << std::hex << code;
    }
    group.m_id = 0; // the first group keeps the names it always had
    EXPECT_EQ(UINT{CAESet::kShellFaceList}, renderer.ListName(CAESet::kShellFaceList));
    renderer.SetGroup(nullptr);
}
