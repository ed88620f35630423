// Element result tables of real solver files, checked against the printed results of the same
// runs where those exist.
#include "core/model/ModelSet.h"
#include "io/op2/OP2Reader.h"
#include "tests/io/op2/ElementResultFixtures.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace
{
// Catalogues the sample and loads every result.
int LoadSample(const std::string& relative, CModelSet* model)
{
    OP2Reader reader;
    const std::string path = testing_support::SamplePath(relative);
    const int code = reader.readCatalogue(path, model, false, nullptr);
    for (UINT id : model->GetResults().SortedKeys())
        model->GetResult(id)->m_loaded = CResultData::kRequested;
    EXPECT_EQ(0, reader.readResults(path, model));
    return code;
}

// Results per family block name.
std::map<std::string, int> CountByBlock(const CModelSet& model)
{
    std::map<std::string, int> counts;
    for (UINT id : model.GetResults().SortedKeys())
        ++counts[model.GetResult(id)->m_blockName.GetString()];
    return counts;
}

const CComponentSet* Corners(const CModelSet& model, int packedId, int elementId)
{
    const CResultData* result = model.GetResult(static_cast<UINT>(packedId));
    EXPECT_NE(nullptr, result);
    return result == nullptr ? nullptr : result->GetComponentSet(elementId);
}

void ExpectNear(double expected, double actual)
{
    EXPECT_NEAR(expected, actual, 1e-5 * std::max(1.0, std::abs(expected)));
}
} // namespace

TEST(ElementResultSamples, HexahedronStressesMatchThePrintout)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    ASSERT_EQ(0, LoadSample("pyNastran/sol_101_elements/static_solid_shell_bar.op2", &model));
    EXPECT_EQ(24, CountByBlock(model)["OES"]); // 12 stress and 12 strain results of the CHEXA
    // Element 1: centre then corners in entry order (grids 2, 3, 4, 1, 8, 5, 6, 7).
    const CComponentSet* normal = Corners(model, PackedId(12, 7, 1, 1), 1);
    ASSERT_NE(nullptr, normal);
    ASSERT_EQ(9u, normal->vectors.size());
    ExpectNear(4.876093E+02, normal->vectors[0].x);
    ExpectNear(3.103326E+02, normal->vectors[0].y);
    ExpectNear(1.000000E+04, normal->vectors[0].z);
    EXPECT_EQ(2, normal->nodeIds[1]);
    ExpectNear(-2.806434E+02, normal->vectors[1].x);
    EXPECT_EQ(7, normal->nodeIds[8]);
    ExpectNear(7.691287E+03, normal->vectors[8].z);
    const CComponentSet* vonMises = Corners(model, PackedId(12, 57, 1, 0), 1);
    ASSERT_NE(nullptr, vonMises);
    ExpectNear(9.654195E+03, vonMises->values[0]);
    ExpectNear(6.975692E+03, vonMises->values[8]);
    const CComponentSet* pressure = Corners(model, PackedId(12, 13, 1, 0), 1);
    ASSERT_NE(nullptr, pressure);
    ExpectNear(-3.683228E+03, pressure->values[1]);
    const CComponentSet* shearXy = Corners(model, PackedId(12, 23, 1, 0), 1);
    ASSERT_NE(nullptr, shearXy);
    ExpectNear(-5.773972E+02, shearXy->values[0]);
}

TEST(ElementResultSamples, HexahedronStrainsAreTheirOwnResults)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    ASSERT_EQ(0, LoadSample("pyNastran/sol_101_elements/static_solid_shell_bar.op2", &model));
    // Strain tables keep their table type (5) as result number.
    const CComponentSet* normal = Corners(model, PackedId(5, 7, 1, 1), 1);
    ASSERT_NE(nullptr, normal);
    ExpectNear(-9.695508E-05, normal->vectors[0].x);
    ExpectNear(3.360227E-04, normal->vectors[0].z);
    const CComponentSet* vonMises = Corners(model, PackedId(5, 57, 1, 0), 1);
    ASSERT_NE(nullptr, vonMises);
    ExpectNear(2.929549E-04, vonMises->values[0]);
    EXPECT_STREQ("STRAIN_HEXA", model.GetResult(PackedId(5, 57, 1, 0))->m_groupName.GetString());
}

TEST(ElementResultSamples, RodBarAndBeamForcesMatchThePrintout)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    ASSERT_EQ(0, LoadSample("pyNastran/sol_101_elements/static_solid_shell_bar.op2", &model));
    const auto value = [&model](int typeBits, int elementId)
    {
        double v = 0.0;
        const CResultData* result = model.GetResult(static_cast<UINT>(PackedId(4, typeBits, 1, 0)));
        EXPECT_TRUE(result != nullptr && result->GetElementValue(elementId, &v))
            << typeBits << " of " << elementId;
        return v;
    };
    // The bar table comes first: the shared axial force keeps the bar's text and also holds
    // the rods of the later table.
    EXPECT_STREQ("ELEMENT_FORCE_CBAR_34",
                 model.GetResult(PackedId(4, 69, 1, 0))->m_groupName.GetString());
    ExpectNear(2.570716E+03, value(69, 13));
    ExpectNear(2.432185E+03, value(69, 14));
    ExpectNear(2.438213E+03, value(69, 15));
    ExpectNear(8.099466E-02, value(74, 13));
    ExpectNear(-1.987108E-01, value(74, 15));
    ExpectNear(1.181360E+00, value(70, 13));
    ExpectNear(-6.492776E+01, value(72, 13));
    ExpectNear(-1.908931E+00, value(71, 13));
    ExpectNear(3.090290E+00, value(75, 13));

    const CComponentSet* beamAxial = Corners(model, PackedId(4, 69, 1, 0), 12);
    ASSERT_NE(nullptr, beamAxial);
    ASSERT_EQ(11u, beamAxial->values.size());
    EXPECT_EQ(18, beamAxial->nodeIds[0]);
    EXPECT_EQ(22, beamAxial->nodeIds[10]); // end B in the last station
    ExpectNear(2.558886E+03, beamAxial->values[10]);
    const CComponentSet* distance = Corners(model, PackedId(4, 79, 1, 0), 12);
    ASSERT_NE(nullptr, distance);
    ExpectNear(1.0, distance->values[10]);
    const CComponentSet* moment = Corners(model, PackedId(4, 77, 1, 0), 12);
    ASSERT_NE(nullptr, moment);
    ExpectNear(4.810475E+00, moment->values[10]);
}

TEST(ElementResultSamples, StrainEnergyPercentagesAddUpPerMode)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    ASSERT_EQ(0, LoadSample("pyNastran/elements/modes_elements.op2", &model));
    int modes = 0;
    for (UINT id : model.GetResults().SortedKeys())
    {
        const CResultData* percent = model.GetResult(id);
        if (percent->m_blockName != "OEE" || ResultIdTypeBits(id) != (21u << 23))
            continue;
        ++modes;
        EXPECT_STREQ("ELEMENT_STRAIN_ENERGY", percent->m_groupName.GetString());
        EXPECT_EQ(CResultData::kLoaded, percent->m_loaded);
        EXPECT_EQ(16, percent->m_flags & 0x18);
        double total = 0.0;
        for (int e = 0; e < percent->GetElementValueCount(); ++e)
        {
            double v = 0.0;
            if (percent->GetElementValue(e, &v))
                total += v;
        }
        EXPECT_NEAR(100.0, total, 0.5) << "mode " << percent->m_mode;
    }
    EXPECT_GT(modes, 0);
}

TEST(ElementResultSamples, GridPointStressFilesLoad)
{
    REQUIRE_SAMPLES();
    const struct
    {
        const char* file;
        int tableCode;
        int typeBits;
        int variant;
    } kFiles[] = {{"pyNastran/ogs/ogs.op2", 26, 7, 1},
                  {"pyNastran/solid_bending/solid_bending_ogs.op2", 27, 23, 0},
                  {"pyNastran/solid_bending/solid_bending_ogs.op2", 28, 14, 1},
                  {"pyNastran/ogs/nx_ogstr.op2", 26, 12, 0},
                  {"pyNastran/ogs/nx_ogstr.op2", 28, 17, 0}};
    for (const auto& f : kFiles)
    {
        SCOPED_TRACE(f.file);
        CModelSet model;
        ASSERT_EQ(0, LoadSample(f.file, &model));
        const CResultData* result =
            model.GetResult(static_cast<UINT>(PackedId(f.tableCode, f.typeBits, 1, f.variant)));
        ASSERT_NE(nullptr, result);
        EXPECT_EQ(CResultData::kLoaded, result->m_loaded);
        EXPECT_GT(result->GetNodeValueCount(), 0);
        // Surface values are also stored per element; the result stays one at the grids,
        // which keeps its range through the load and is not averaged from the elements.
        EXPECT_NE(0, result->m_flags & CResultData::kFlagAtNodes);
        EXPECT_TRUE(result->HasRange());
        if (f.tableCode == 26)
        {
            EXPECT_GT(result->GetElementValueCount(), 0);
        }
    }
}

TEST(ElementResultSamples, BarAndBeamModeForcesLoad)
{
    REQUIRE_SAMPLES();
    // The second file has no label and the older block names OES1 and OEF1.
    for (const char* file :
         {"pyNastran/beam_modes/beam_modes_m1.op2", "pyNastran/beam_modes/beam_modes_m2.op2"})
    {
        SCOPED_TRACE(file);
        CModelSet model;
        ASSERT_EQ(0, LoadSample(file, &model));
        const CResultData* barMoment = model.GetResult(static_cast<UINT>(PackedId(4, 70, 1, 0)));
        ASSERT_NE(nullptr, barMoment);
        EXPECT_STREQ("ELEMENT_FORCE_CBAR_34", barMoment->m_groupName.GetString());
        EXPECT_EQ(CResultData::kLoaded, barMoment->m_loaded);
        EXPECT_EQ(1, barMoment->m_mode);
        int bars = 0;
        for (int e = 0; e < barMoment->GetElementValueCount(); ++e)
        {
            double v = 0.0;
            bars += barMoment->GetElementValue(e, &v) ? 1 : 0;
        }
        EXPECT_EQ(9, bars);
        const CResultData* beamMoment = model.GetResult(static_cast<UINT>(PackedId(4, 77, 1, 0)));
        ASSERT_NE(nullptr, beamMoment);
        int beams = 0;
        for (int e = 0; e < beamMoment->GetComponentSetCount(); ++e)
        {
            const CComponentSet* set = beamMoment->GetComponentSet(e);
            if (set == nullptr)
                continue;
            ++beams;
            EXPECT_EQ(11u, set->values.size());
        }
        EXPECT_EQ(1, beams);
    }
}

TEST(ElementResultSamples, RefusedElementTypesAreReportedOnceByTheCatalogue)
{
    REQUIRE_SAMPLES();
    LogCapture log;
    CModelSet model;
    ASSERT_EQ(0, LoadSample("pyNastran/sol_101_elements/static_solid_shell_bar.op2", &model));
    // Pentahedra, tetrahedra, corner-output quads, rods, triangles and beams follow the
    // hexahedra in the stress table: the load of the hexahedra reads over them quietly.
    EXPECT_TRUE(log.Contains("[OESNSResultBlockReader::createResults],Record type not supported"));
    EXPECT_FALSE(log.Contains("OESNSResultBlockReader::readRecord")) << log.Text();
    EXPECT_FALSE(log.Contains("OEFNSResultBlockReader::readRecord")) << log.Text();
}
