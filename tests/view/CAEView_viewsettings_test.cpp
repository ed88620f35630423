// The view's deformation, animation-frame and colour-mode commands: what their dialogs are
// opened with, what the renderer takes on OK, when the commands are enabled, and the lists
// rebuilt only for a new colour mode.
#include "ResultViewFixture.h"
#include "StripModel.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "resources/resource.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

using namespace view_window_test;
using view_test::AddNodalCase;

namespace
{
constexpr int kSide = 200;
constexpr UINT kTranslationType = 0x800000u;
constexpr UINT kRotationType = 0x1000000u;
constexpr UINT kScalarType = 0x2000000u;
constexpr int kStatic = CResultData::kFlagAtNodes | 8;
constexpr int kModes = CResultData::kFlagAtNodes | 16;
constexpr int kSteps = CResultData::kFlagAtNodes | 24;

class ViewSettings : public ResultViewFixture
{
protected:
    void SetUp() override
    {
        ResultViewFixture::SetUp();
        view_test::AddStrip(Model());
        Frame().m_project->m_settings.m_contourDefaults.m_nBandType = 0;
    }

    UINT AddResult(UINT number, UINT typeBits, int flags, UINT cases = 1)
    {
        UINT first = 0;
        for (UINT c = 1; c <= cases; ++c)
        {
            const UINT id = AddNodalCase(Model(), number, typeBits, c, flags, 1.0)->m_id;
            first = c == 1 ? id : first;
        }
        return first;
    }
    CWendraView* Show(UINT resultId) { return ShowResult(resultId, kSide, kSide); }

    // Drops a list of the view, so that a rebuild shows as the list made again.
    void DropShellFaces(CWendraView* view)
    {
        view->Renderer().RenderAll();
        view->MakeCurrent();
        m_faces = view->Renderer().ListName(CAESet::kShellFaceList);
        glDeleteLists(m_faces, 1);
    }
    bool WasRebuilt(CWendraView* view)
    {
        view->MakeCurrent();
        return glIsList(m_faces) == GL_TRUE;
    }

    UINT m_faces = 0;
};
} // namespace

TEST_F(ViewSettings, DeformationAndFramesAreOfferedForTheResultsTheyApplyTo)
{
    const UINT translation = AddResult(1, kTranslationType, kStatic);
    const UINT rotation = AddResult(1, kRotationType, kModes);
    const UINT scalar = AddResult(2, kScalarType, kStatic);
    const UINT modes = AddResult(3, kScalarType, kModes);
    const UINT steps = AddResult(4, kScalarType, kSteps, 3);
    const UINT longSteps = AddResult(5, kScalarType, kSteps, 4);
    const struct
    {
        const char* name;
        UINT shown;
        bool hasDisplacement; // the model's default displacement is the translation
        int comboCase;        // load case chosen in the combo; -1 none
        bool deformation;
        bool frames;
    } kCases[] = {
        {"translation", translation, false, -1, true, true},
        {"translation, its case chosen", translation, false, 1, true, true},
        // The combo's case lies past the shown result's cases.
        {"translation, a case it lacks", translation, false, 2, false, true},
        {"rotation of a mode", rotation, false, -1, true, true},
        {"scalar, static", scalar, false, -1, false, true},
        {"scalar of a mode", modes, false, -1, false, true},
        {"steps", steps, false, -1, true, false},
        {"steps, the last case chosen", steps, false, 3, true, false},
        // With a displacement to deform by, any result; the case must be the displacement's.
        {"scalar, a displacement", scalar, true, -1, true, true},
        {"scalar of a mode, a displacement", modes, true, 1, true, true},
        {"steps past the displacement's cases", longSteps, true, 2, false, false},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        Model().SetDefaultDisplacementId(c.hasDisplacement ? static_cast<int>(translation) : -1);
        CWendraView* view = Show(c.shown);
        ASSERT_NE(nullptr, view);
        Frame().m_selectedLoadCase =
            c.comboCase < 0 ? -1 : static_cast<int>(ResultIdWithLoadCase(c.shown, c.comboCase));
        EXPECT_EQ(c.deformation ? 1 : 0, QueryUpdate(view, ID_RESULT_DEFORMATION_SETTINGS).enabled);
        EXPECT_EQ(c.frames ? 1 : 0, QueryUpdate(view, ID_RESULT_ANIMATION_SETTINGS).enabled);
    }
    Model().SetDefaultDisplacementId(-1);
    Frame().m_selectedLoadCase = -1;
    CWendraView* model = OpenView(kSide, kSide); // no result shown
    EXPECT_EQ(0, QueryUpdate(model, ID_RESULT_DEFORMATION_SETTINGS).enabled);
    EXPECT_EQ(0, QueryUpdate(model, ID_RESULT_ANIMATION_SETTINGS).enabled);
}

TEST_F(ViewSettings, DeformationDialogShowsTheRenderersSettingsAndOkShowsTheWholeDeformation)
{
    CWendraView* view = Show(AddResult(1, kTranslationType, kStatic));
    ASSERT_NE(nullptr, view);
    CAESet& renderer = view->Renderer();
    renderer.SetDeformationScale(2.5);
    renderer.SetModelScale(0.07);
    renderer.SetShowDeformation(CAESet::kRelativeToModel);
    renderer.SetShowModel(1);
    renderer.SetShowContour(0);
    Command(view, ID_RESULT_DEFORMATION_SETTINGS); // cancelled
    ASSERT_EQ(1u, Frame().m_deformationShown.size());
    const CDeformationChoice& shown = Frame().m_deformationShown[0];
    EXPECT_DOUBLE_EQ(2.5, shown.deformationScale);
    EXPECT_NEAR(7.0, shown.modelScalePercent, 1e-12) << "the model scale as a percentage";
    EXPECT_TRUE(shown.isEnabled);
    EXPECT_TRUE(shown.isByModelScale);
    EXPECT_TRUE(shown.showsModel);
    EXPECT_FALSE(shown.showsContour);
    EXPECT_EQ(CAESet::kRelativeToModel, renderer.ShowDeformation()) << "Cancel changes nothing";

    const struct
    {
        bool isEnabled;
        bool isByModelScale;
        int mode;
    } kChoices[] = {{true, false, CAESet::kAbsoluteScale},
                    {true, true, CAESet::kRelativeToModel},
                    {false, true, CAESet::kNoDeformation},
                    {false, false, CAESet::kNoDeformation}};
    for (const auto& c : kChoices)
    {
        SCOPED_TRACE(testing::Message() << c.isEnabled << " " << c.isByModelScale);
        renderer.SetLCStep(3);
        DropShellFaces(view);
        CDeformationChoice answer;
        answer.deformationScale = 4.0;
        answer.modelScalePercent = 25.0;
        answer.isEnabled = c.isEnabled;
        answer.isByModelScale = c.isByModelScale;
        answer.showsModel = false;
        answer.showsContour = true;
        Frame().m_deformationAnswers = {answer};
        Command(view, ID_RESULT_DEFORMATION_SETTINGS);
        EXPECT_EQ(c.mode, renderer.ShowDeformation());
        EXPECT_DOUBLE_EQ(4.0, renderer.DeformationScale());
        EXPECT_DOUBLE_EQ(0.25, renderer.ModelScale());
        EXPECT_EQ(0, renderer.ShowsModel());
        EXPECT_EQ(1, renderer.ShowsContour());
        EXPECT_EQ(renderer.MaxLCSteps(), renderer.LCStep()) << "the last frame";
        if (c.mode == CAESet::kAbsoluteScale)
            EXPECT_DOUBLE_EQ(4.0, renderer.DeformationFactor()) << "the whole deformation";
        if (c.mode == CAESet::kNoDeformation)
            EXPECT_EQ(0.0, renderer.DeformationFactor());
        EXPECT_TRUE(WasRebuilt(view));
    }
}

TEST_F(ViewSettings, FramesDialogShowsTheCountAndOkStartsAgainFromTheFirstFrame)
{
    CWendraView* view = Show(AddResult(2, kScalarType, kStatic));
    ASSERT_NE(nullptr, view);
    CAESet& renderer = view->Renderer();
    renderer.SetLCStep(4);
    Command(view, ID_RESULT_ANIMATION_SETTINGS); // cancelled
    EXPECT_EQ(std::vector<int>{10}, Frame().m_maxStepShown);
    EXPECT_EQ(4, renderer.LCStep());

    DropShellFaces(view);
    Frame().m_maxStepAnswers = {25};
    Command(view, ID_RESULT_ANIMATION_SETTINGS);
    EXPECT_EQ(25, renderer.MaxLCSteps());
    EXPECT_EQ(0, renderer.LCStep());
    EXPECT_DOUBLE_EQ(1.0, renderer.ResultFactor()) << "frame 0 shows the whole values";
    EXPECT_TRUE(WasRebuilt(view));
}

TEST_F(ViewSettings, EachColourModeIsLoggedAndOnlyANewOneRebuildsTheLists)
{
    CWendraView* view = OpenView(kSide, kSide);
    ASSERT_NE(nullptr, view);
    const struct
    {
        UINT id;
        int mode;
        const char* line;
    } kModes[] = {{ID_COLOR_MODE_MATERIAL, kColorByMaterial, "Colours by material id"},
                  {ID_COLOR_MODE_MATERIAL, kColorByMaterial, "Colours by material id"},
                  {ID_COLOR_MODE_ELEMENT_TYPE, kColorByElementType, "Colours by element type"},
                  {ID_COLOR_MODE_PROPERTY, kColorByProperty, "Colours by property id"},
                  {ID_COLOR_MODE_PROPERTY, kColorByProperty, "Colours by property id"}};
    for (const auto& m : kModes)
    {
        SCOPED_TRACE(m.line);
        const int before = view->Scene().ColorMode();
        DropShellFaces(view);
        Frame().m_outputLines.clear();
        Command(view, m.id);
        EXPECT_EQ(std::vector<std::string>{m.line}, Frame().m_outputLines);
        EXPECT_EQ(m.mode, view->Scene().ColorMode());
        EXPECT_EQ(before != m.mode, WasRebuilt(view));
        for (UINT id : {ID_COLOR_MODE_PROPERTY, ID_COLOR_MODE_MATERIAL, ID_COLOR_MODE_ELEMENT_TYPE})
            EXPECT_EQ(id == m.id ? 1 : 0, QueryUpdate(view, id).checked) << id;
        EXPECT_EQ(-1, QueryUpdate(view, m.id).enabled) << "always enabled";
    }
}
