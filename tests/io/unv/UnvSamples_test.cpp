// Real universal files from other tools; the expected values were read off the files by hand.
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "io/unv/UnvReader.h"
#include "tests/io/unv/UnvTestFile.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

using testing_support::SamplePath;
using unv_test::CountKey;

namespace
{
struct Sample
{
    bool isRead;
    std::vector<std::string> keys;
};

Sample ReadSample(CModelSet& model, const std::string& relative)
{
    CUnvReader reader(&model);
    const bool isRead = reader.ReadUnv(SamplePath(relative));
    return {isRead, reader.GetErrorKeys()};
}

std::map<int, int> CountDescriptors(const CModelSet& model)
{
    std::map<int, int> counts;
    for (const auto& assoc : fw::Assocs(model.GetElements()))
        ++counts[assoc.value->m_feDescriptorId];
    return counts;
}

uint32_t IdOf(uint32_t typeBits, int resultType, int index, int vectorFlag)
{
    return MakeLoadCaseKey(static_cast<uint32_t>(resultType), typeBits,
                           static_cast<uint32_t>(index)) |
           static_cast<uint32_t>(vectorFlag);
}

const uint32_t kFirst = 0x3F800000u;
const uint32_t kSecond = 0x3F000000u;

TEST(UnvSamples, HeatEngineHousingTetrasTriasAndTemperature)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "pyuff/heat_engine_housing.uff");
    ASSERT_TRUE(sample.isRead);
    EXPECT_TRUE(sample.keys.empty());
    EXPECT_EQ(10, model.GetNodeCount());
    EXPECT_DOUBLE_EQ(-171.1755676269531, model.GetNodePoint(1).x);
    EXPECT_DOUBLE_EQ(147.4829101562500, model.GetNodePoint(10).z);
    const std::map<int, int> expected = {{111, 4}, {91, 4}};
    EXPECT_EQ(expected, CountDescriptors(model));
    const CFEElement* tetra = model.FindElement(3);
    ASSERT_NE(nullptr, tetra);
    EXPECT_EQ(5, tetra->m_propertyId);
    EXPECT_EQ(9, tetra->m_ids[2]);
    const CResultData* temperature = model.GetResult(IdOf(kFirst, 5, 1, 0));
    ASSERT_NE(nullptr, temperature);
    EXPECT_EQ(CResultData::kScalar, temperature->m_kind);
    double value = 0.0;
    ASSERT_TRUE(temperature->GetNodeValue(7, &value));
    EXPECT_DOUBLE_EQ(24.9976, value);
    EXPECT_EQ(std::string("Temperature"), std::string(temperature->GetName()));
}

TEST(UnvSamples, PermasModeShapesWithFortranExponents)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "pyuff/2411 and 2414.uff");
    ASSERT_TRUE(sample.isRead);
    EXPECT_TRUE(sample.keys.empty());
    EXPECT_EQ(441, model.GetNodeCount());
    EXPECT_DOUBLE_EQ(0.95, model.GetNodePoint(2).x);
    const std::map<int, int> expected = {{94, 400}};
    EXPECT_EQ(expected, CountDescriptors(model));
    // Ten datasets of 6 values per node: translations and rotations, load cases 1 to 10.
    EXPECT_EQ(11, model.GetLoadCaseCountByKey(8, kFirst));
    EXPECT_EQ(11, model.GetLoadCaseCountByKey(8, kSecond));
    const CResultData* mode1 = model.GetResult(IdOf(kFirst, 8, 1, 1));
    const CResultData* rotation1 = model.GetResult(IdOf(kSecond, 8, 1, 1));
    ASSERT_NE(nullptr, mode1);
    ASSERT_NE(nullptr, rotation1);
    EXPECT_EQ(1, mode1->m_mode);
    CPoint3D vector;
    ASSERT_TRUE(mode1->GetNodeVector(1, &vector));
    EXPECT_DOUBLE_EQ(-0.708571, vector.z);
    ASSERT_TRUE(rotation1->GetNodeVector(1, &vector));
    EXPECT_DOUBLE_EQ(-0.0418149, vector.x);
    double frequency = 0.0;
    ASSERT_TRUE(model.GetModeFrequency(2, &frequency));
    EXPECT_DOUBLE_EQ(2.34163, frequency);
    EXPECT_EQ(static_cast<int>(IdOf(kFirst, 8, 1, 1)), model.GetDefaultDisplacementId());
}

TEST(UnvSamples, SimcenterShellsBeamsAndStaticDisplacement)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "pyuff/simcenter_exported_result.uff");
    ASSERT_TRUE(sample.isRead);
    EXPECT_TRUE(sample.keys.empty());
    EXPECT_EQ(11520, model.GetNodeCount());
    const std::map<int, int> expected = {{21, 4751}, {91, 21}, {94, 11916}};
    EXPECT_EQ(expected, CountDescriptors(model));
    const CResultData* displacement = model.GetResult(IdOf(kFirst, 8, 1, 1));
    ASSERT_NE(nullptr, displacement);
    CPoint3D vector;
    ASSERT_TRUE(displacement->GetNodeVector(11619, &vector));
    EXPECT_DOUBLE_EQ(6.19262e-05, vector.x);
    EXPECT_DOUBLE_EQ(-1.25072e-04, vector.z);
}

TEST(UnvSamples, LegacyNodeDatasetAndQuads)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "pyuff/mesh_Oros-modal_uff15_uff2412.uff");
    ASSERT_TRUE(sample.isRead);
    EXPECT_EQ(96, model.GetNodeCount());
    EXPECT_DOUBLE_EQ(-51.619, model.GetNodePoint(7).x);
    EXPECT_DOUBLE_EQ(50.0, model.GetNodePoint(7).z);
    const std::map<int, int> expected = {{94, 72}};
    EXPECT_EQ(expected, CountDescriptors(model));

    CModelSet mixed;
    ASSERT_TRUE(ReadSample(mixed, "pyuff/mesh_test_uff2412_mixed.uff").isRead);
    EXPECT_DOUBLE_EQ(1.0, mixed.GetNodePoint(11).z);
    const std::map<int, int> mixedExpected = {{91, 4}, {94, 1}};
    EXPECT_EQ(mixedExpected, CountDescriptors(mixed));
}

TEST(UnvSamples, ThreeHundredTransientDatasets55WithTitledHeaders)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample =
        ReadSample(model, "FEconv/examples/test/unv/salida_code_aster_series.unv");
    ASSERT_TRUE(sample.isRead);
    EXPECT_TRUE(sample.keys.empty());
    EXPECT_EQ(67, model.GetNodeCount());
    const std::map<int, int> expected = {{21, 28}, {91, 104}};
    EXPECT_EQ(expected, CountDescriptors(model));
    EXPECT_EQ(302, model.GetLoadCaseCountByKey(5, kFirst));
    const CResultData* first = model.GetResult(IdOf(kFirst, 5, 1, 0));
    const CResultData* last = model.GetResult(IdOf(kFirst, 5, 301, 0));
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(24, last->m_flags & CResultData::kFlagStepKind);
    EXPECT_DOUBLE_EQ(150.0, last->m_stepValue);
    double value = 0.0;
    ASSERT_TRUE(first->GetNodeValue(1, &value));
    EXPECT_DOUBLE_EQ(28.0, value);
    ASSERT_TRUE(last->GetNodeValue(67, &value));
    EXPECT_DOUBLE_EQ(20.0, value);
}

TEST(UnvSamples, SkipsForeignDatasetsAndReportsRigidElements)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "FEconv/examples/test/unv/unvmesh2414propio.unv");
    ASSERT_TRUE(sample.isRead);
    EXPECT_EQ(2, CountKey(sample.keys, "InvalidElementType"));
    EXPECT_EQ(2u, sample.keys.size());
    EXPECT_EQ(218, model.GetNodeCount());
    const std::map<int, int> expected = {{94, 150}, {115, 125}};
    EXPECT_EQ(expected, CountDescriptors(model));
    const CResultData* scalar = model.GetResult(IdOf(kFirst, 1002, 1, 0));
    ASSERT_NE(nullptr, scalar);
    double value = 0.0;
    ASSERT_TRUE(scalar->GetNodeValue(2, &value));
    EXPECT_DOUBLE_EQ(313.901, value);
}

// Salome writes its quadratic edges as descriptor 22 with three nodes (end, middle, end): they
// become linear beams between their ends, next to the parabolic shells and solids.
TEST(UnvSamples, SalomeQuadraticMeshesKeepTheEndsOfTheirBeams)
{
    REQUIRE_SAMPLES();
    struct SalomeCase
    {
        const char* file;
        int nodeCount;
        std::map<int, int> descriptors;
        int beamId;
        std::vector<int> beamEnds;
    };
    const SalomeCase cases[] = {
        {"FEconv/examples/test/unv/salomehexap2.unv", 20, {{21, 12}, {45, 6}, {116, 1}}, 1, {2, 1}},
        {"FEconv/examples/test/unv/salometetrap2.unv",
         26,
         {{21, 12}, {42, 12}, {118, 5}},
         5,
         {6, 5}},
    };
    for (const SalomeCase& c : cases)
    {
        SCOPED_TRACE(c.file);
        CModelSet model;
        const Sample sample = ReadSample(model, c.file);
        ASSERT_TRUE(sample.isRead);
        EXPECT_TRUE(sample.keys.empty());
        EXPECT_EQ(c.nodeCount, model.GetNodeCount());
        EXPECT_EQ(c.descriptors, CountDescriptors(model));
        const CFEElement* beam = model.FindElement(c.beamId);
        ASSERT_NE(nullptr, beam);
        EXPECT_EQ(101, beam->type);
        EXPECT_EQ(2, beam->m_nodeCount);
        EXPECT_EQ(c.beamEnds, std::vector<int>(beam->m_ids.GetData(),
                                               beam->m_ids.GetData() + beam->m_ids.GetSize()));
    }
    CModelSet linear;
    ASSERT_TRUE(ReadSample(linear, "FEconv/examples/test/unv/salomequadp1.unv").isRead);
    EXPECT_EQ(4, linear.GetNodeCount());
    EXPECT_EQ(5, linear.GetElementCount());
}

TEST(UnvSamples, ElementResultsWithCrlfLineEnds)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "FEconv/examples/test/unv/campos.unv");
    ASSERT_TRUE(sample.isRead);
    EXPECT_EQ(84, model.GetNodeCount());
    const std::map<int, int> expected = {{94, 60}};
    EXPECT_EQ(expected, CountDescriptors(model));
    // 70 datasets; two give the result type -1, which has no place in a result id.
    EXPECT_EQ(68, model.GetResults().GetCount());
    EXPECT_EQ(2, CountKey(sample.keys, "ResultDataSet[2414]"));
    const CResultData* pressure = model.GetResult(IdOf(kFirst, 117, 1, 0));
    ASSERT_NE(nullptr, pressure);
    double value = 0.0;
    ASSERT_TRUE(pressure->GetElementValue(1, &value));
    EXPECT_DOUBLE_EQ(1.66888e-03, value);
    EXPECT_EQ(0, pressure->m_flags & CResultData::kFlagAtNodes);
}

// Complex mode shapes (data type 5) are not shown: the mesh is read, the datasets skipped.
TEST(UnvSamples, ComplexDatasetsAreSkipped)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    const Sample sample = ReadSample(model, "pyuff/NX simulation output.uff");
    ASSERT_TRUE(sample.isRead);
    EXPECT_TRUE(sample.keys.empty());
    EXPECT_EQ(18, model.GetNodeCount());
    const std::map<int, int> expected = {{21, 17}};
    EXPECT_EQ(expected, CountDescriptors(model));
    EXPECT_EQ(0, model.GetResults().GetCount());
}

TEST(UnvSamples, FilesWithoutAMeshFailCleanly)
{
    REQUIRE_SAMPLES();
    const char* const files[] = {
        "pyuff/Sample_UFF58b_bin.uff", "pyuff/Simcenter_nxopen_thickness.uff",
        "pyuff/uff55_translation.uff", "pyuff/dataset_milestone_in_header.uff"};
    for (const char* file : files)
    {
        SCOPED_TRACE(file);
        CModelSet model;
        const Sample sample = ReadSample(model, file);
        EXPECT_FALSE(sample.isRead);
        EXPECT_EQ(1, CountKey(sample.keys, "MandatoryDataSet_Node"));
        EXPECT_EQ(0, model.GetElementCount());
    }
    CModelSet nodesOnly;
    const Sample legacy = ReadSample(nodesOnly, "pyuff/TestLab 161 164 18 15 82.uff");
    EXPECT_FALSE(legacy.isRead);
    EXPECT_EQ(1, CountKey(legacy.keys, "MandatoryDataSet_Element"));
    EXPECT_EQ(36, nodesOnly.GetNodeCount());
}
} // namespace
