// The demo model that the run command opens (resources/demo/demo.unv, written by
// scripts/make_demo_model.py) reads through the universal-file reader with its shells and
// bricks, its displacements and temperatures at the nodes and its energy density on the
// elements. The values checked follow from the formulas of the script.
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "io/unv/UnvReader.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace
{
const char kDemoModel[] = "resources/demo/demo.unv";

// The node at a position, 0 when none is there.
int NodeAt(const CModelSet& model, double x, double y, double z)
{
    for (int id = 1; id <= model.GetNodeCount(); ++id)
    {
        const CPoint3D point = model.GetNodePoint(id);
        if (std::fabs(point.x - x) < 1e-9 && std::fabs(point.y - y) < 1e-9 &&
            std::fabs(point.z - z) < 1e-9)
            return id;
    }
    return 0;
}

// The loaded results at one location (CResultData::kFlagAtNodes or 0), by dataset name.
std::vector<CResultData*> ResultsOf(const CModelSet& model, int location, const char* name)
{
    std::vector<CResultData*> found;
    for (const auto& [id, result] : fw::Assocs(model.GetResults()))
    {
        if (result->GetLocation() == location && result->GetName() == name && result->IsLoaded())
            found.push_back(result);
    }
    return found;
}

class DemoModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CUnvReader reader(&m_model);
        ASSERT_TRUE(reader.ReadUnv(kDemoModel)) << "the demo model is missing or unreadable";
        EXPECT_TRUE(reader.GetErrorKeys().empty());
    }

    CModelSet m_model;
};
} // namespace

TEST_F(DemoModel, HoldsAPlateOfShellsClampedInABlockOfBricks)
{
    EXPECT_EQ(41 * 9 + 2 * 9 * 3 + 2 * 9, m_model.GetNodeCount());
    ASSERT_EQ(40 * 8 + 2 * 8 * 2, m_model.GetElementCount());
    int shells = 0;
    int solids = 0;
    for (int id = 1; id <= m_model.GetElementCount(); ++id)
    {
        const CFEElement* element = m_model.FindElement(id);
        ASSERT_NE(nullptr, element) << id;
        shells += element->type == kTagShell ? 1 : 0;
        solids += element->type == kTagSolid ? 1 : 0;
    }
    EXPECT_EQ(320, shells);
    EXPECT_EQ(32, solids);
    EXPECT_NE(0, NodeAt(m_model, 200.0, 40.0, 0.0));
    EXPECT_NE(0, NodeAt(m_model, -10.0, 0.0, -5.0));
}

TEST_F(DemoModel, DisplacementsOfTwoLoadCasesAtTheNodes)
{
    // Each case gives translations (type 8) and rotations (1008).
    std::vector<CResultData*> displacements;
    for (CResultData* result : ResultsOf(m_model, CResultData::kFlagAtNodes, "Displacement"))
    {
        if (result->m_type == 8)
            displacements.push_back(result);
        else
            EXPECT_EQ(1008, result->m_type);
    }
    ASSERT_EQ(2u, displacements.size());
    const int tip = NodeAt(m_model, 200.0, 0.0, 0.0);
    const int clamped = NodeAt(m_model, 0.0, 20.0, 0.0);
    // Bent: the whole tip goes 12 down. Bent and twisted: the edge at y = 0 goes 12 - 0.15 * 20.
    std::vector<double> tipZ;
    for (const CResultData* result : displacements)
    {
        EXPECT_EQ(CResultData::kVectorXYZ, result->m_kind);
        CPoint3D vector;
        ASSERT_TRUE(result->GetNodeVector(tip, &vector));
        tipZ.push_back(vector.z);
        ASSERT_TRUE(result->GetNodeVector(clamped, &vector));
        EXPECT_DOUBLE_EQ(0.0, vector.z);
    }
    std::sort(tipZ.begin(), tipZ.end());
    EXPECT_NEAR(-12.0, tipZ[0], 1e-4);
    EXPECT_NEAR(-9.0, tipZ[1], 1e-4);
    EXPECT_EQ(1u, ResultsOf(m_model, CResultData::kFlagAtNodes, "Temperature").size());
}

TEST_F(DemoModel, EnergyDensityOnTheElementsLargestAtTheClamp)
{
    const std::vector<CResultData*> densities = ResultsOf(m_model, 0, "Strain energy density");
    ASSERT_EQ(2u, densities.size());
    for (const CResultData* result : densities)
    {
        EXPECT_EQ(CResultData::kScalar, result->m_kind);
        double atClamp = 0.0;
        double atTip = 0.0;
        ASSERT_TRUE(result->GetElementValue(1, &atClamp)); // first shell, centre x = 2.5
        ASSERT_TRUE(result->GetElementValue(313, &atTip)); // a shell of the last column
        EXPECT_GT(atClamp, 5.0 * atTip);
        double atBlock = 0.0;
        EXPECT_TRUE(result->GetElementValue(352, &atBlock)); // the last brick
        EXPECT_GT(atBlock, 0.0);
    }
}
