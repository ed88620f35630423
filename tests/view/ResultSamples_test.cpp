// Results of real solver files shown in a view: the legend's range is the range of the values
// read.
#include "FakeResultView.h"
#include "ViewTestSupport.h"
#include "core/geometry/FENode.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/model/ResultValue.h"
#include "io/op2/OP2Reader.h"
#include "io/unv/UnvReader.h"
#include "tests/support/TestPaths.h"
#include "view/CmdRecord.h"
#include "view/ProjectOnlyMainFrame.h"
#include "view/ResultListTable.h"
#include "view/ResultTitle.h"
#include "view/WendraView.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

using view_test::FakeResultView;

namespace
{
struct Range
{
    double min = 1e300;
    double max = -1e300;

    void Add(double value)
    {
        min = std::min(min, value);
        max = std::max(max, value);
    }
};

// Shows the result in a new view of the model and checks the bands, legend levels and title
// against the range.
void ExpectShownRange(CModelSet& model, UINT id, int component, const Range& read)
{
    view_test::EnglishStrings strings;
    std::vector<std::unique_ptr<FakeResultView>> opened;
    FakeResultView view(&model, &opened);
    if (!view.IsReady())
    {
        if (std::getenv("GRAVIK_REQUIRE_GL"))
            FAIL() << "no OpenGL context on this display";
        GTEST_SKIP() << "no OpenGL context on this display";
    }
    view.Camera(0).m_rotation = CPoint3D(-60, 0, 30); // not edge-on to any face
    view.Show();
    view.m_renderer.RenderAll();
    view.DisplayResultView(static_cast<int>(id), component, 2, TRUE);
    ASSERT_EQ(1u, opened.size());
    FakeResultView& shown = *opened[0];
    const CResultDisplayAttr& bands = shown.EditScene().EditDisplayAttr();
    EXPECT_DOUBLE_EQ(read.min, bands.m_dataMin);
    EXPECT_DOUBLE_EQ(read.max, bands.m_dataMax);
    EXPECT_DOUBLE_EQ(read.min, bands.m_levels[0]);
    EXPECT_DOUBLE_EQ(read.max, bands.m_levels[bands.m_nTotalBands]);
    const std::string line2 = shown.ResultSubTitle().GetString();
    EXPECT_NE(std::string::npos, line2.find(FormatTitleValue(read.min).GetString())) << line2;
    EXPECT_NE(std::string::npos, line2.find(FormatTitleValue(read.max).GetString())) << line2;
    shown.Draw();
    // The contour covers part of the view beside the legend.
    int coloured = 0;
    for (int y = 0; y < view_test::kSize; y += 4)
    {
        for (int x = 60; x < view_test::kSize; x += 4)
        {
            const std::array<int, 3> p = shown.ReadPixel(x, y);
            coloured += p != std::array<int, 3>{0, 0, 0} && p != std::array<int, 3>{255, 255, 255};
        }
    }
    EXPECT_GT(coloured, 20);
}

// Reads the sample's geometry and every result, and finishes the model as the import does.
void LoadOutput2Sample(const std::string& relative, CModelSet& model)
{
    OP2Reader reader;
    const std::string path = testing_support::SamplePath(relative);
    ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
    for (UINT id : model.GetResults().SortedKeys())
        model.GetResult(id)->m_loaded = CResultData::kRequested;
    ASSERT_EQ(0, reader.readResults(path, &model));
    model.TransformPendingNodes();
    model.BuildElementFaces();
    model.UpdateLoadedResults();
}
} // namespace

TEST(ResultSamples, VonMisesStressOfAnOutput2File)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    OP2Reader reader;
    const std::string path =
        testing_support::SamplePath("pyNastran/sol_101_elements/static_solid_shell_bar.op2");
    ASSERT_EQ(0, reader.readCatalogue(path, &model, true, nullptr));
    for (UINT id : model.GetResults().SortedKeys())
        model.GetResult(id)->m_loaded = CResultData::kRequested;
    ASSERT_EQ(0, reader.readResults(path, &model));
    model.TransformPendingNodes(); // as the import finishes a model
    model.BuildElementFaces();
    model.UpdateLoadedResults();
    // The CHEXA's von Mises stress at its centre and corners (table 12, type 57).
    const UINT id = (57u << 23) | (12u << 13) | (1u << 3);
    const CResultData* vonMises = model.GetResult(id);
    ASSERT_NE(nullptr, vonMises);
    Range read;
    for (int element = 0; element < vonMises->GetComponentSetCount(); ++element)
    {
        if (const CComponentSet* corners = vonMises->GetComponentSet(element))
        {
            for (const double value : corners->values)
                read.Add(value);
        }
    }
    ASSERT_LT(read.min, read.max);
    ExpectShownRange(model, id, 9, read); // the scalar of the element block
}

// The CHEXA's normal stress X at grids 1, 2 and 5, which shells and solids without values
// share (the readers leave the CQUAD4 and CTRIA3 corner stresses and the CPENTA and CTETRA
// stresses unread): each node shows the printout's value at the CHEXA's corner, in the result
// list and as the contour's node value.
TEST(ResultSamples, CornerStressAtSharedNodesIsTheOnlyElementHoldingOne)
{
    REQUIRE_SAMPLES();
    CProjectOnlyMainFrame frame;
    CModelSet& model = frame.m_project.m_model;
    LoadOutput2Sample("pyNastran/sol_101_elements/static_solid_shell_bar.op2", model);
    const UINT id = (7u << 23) | (12u << 13) | (1u << 3) | 1u; // normal stresses, case 1
    const CResultData* normal = model.GetResult(id);
    ASSERT_NE(nullptr, normal);
    struct NodeCase
    {
        int node;
        int elementsUsingIt;
        double x;
    };
    const NodeCase kNodes[] = {{1, 4, -2.806434E+02}, {2, 3, -2.806434E+02}, {5, 2, 1.363054E+03}};

    CEntityArray picks;
    for (const NodeCase& c : kNodes)
        picks.Add(model.GetNode(c.node));
    CResultListRecord record;
    BuildResultList(model, picks, true, {{normal, kComponentX, CString("x")}}, &record);
    ASSERT_EQ(1, record.m_Series.GetSize());
    ASSERT_EQ(3, record.m_Series[0].m_values.GetSize());

    CWendraView view;
    view.SetMainFrame(&frame);
    view.SetCurrentGroup(model.GetDefaultGroup());
    view.Renderer().SetContourResultId(static_cast<int>(id));
    view.Renderer().SetResultComponent(2); // x, by node
    view.SetCurrentResult(model.GetResult(id));
    for (int i = 0; i < 3; ++i)
    {
        const NodeCase& c = kNodes[i];
        SCOPED_TRACE(c.node);
        EXPECT_EQ(c.elementsUsingIt, model.GetNode(c.node)->m_ids.GetSize());
        EXPECT_NEAR(c.x, record.m_Series[0].m_values[i], 1e-6 * std::abs(c.x));
        EXPECT_NEAR(c.x, view.GetNodeValue(c.node, 0), 1e-6 * std::abs(c.x));
        EXPECT_NEAR(c.x, view.GetNodeValue(c.node, 1), 1e-6 * std::abs(c.x)); // the CHEXA's own
    }
}

TEST(ResultSamples, NodalTemperatureOfAUniversalFile)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    CUnvReader reader(&model);
    ASSERT_TRUE(reader.ReadUnv(testing_support::SamplePath("pyuff/heat_engine_housing.uff")));
    model.BuildElementFaces();
    const UINT id = MakeLoadCaseKey(5, 0x3F800000u, 1);
    const CResultData* temperature = model.GetResult(id);
    ASSERT_NE(nullptr, temperature);
    Range read;
    for (int node = 1; node <= model.GetNodeCount(); ++node)
    {
        double value = 0.0;
        if (temperature->GetNodeValue(node, &value))
            read.Add(value);
    }
    ASSERT_LT(read.min, read.max);
    ExpectShownRange(model, id, 1, read);
}
