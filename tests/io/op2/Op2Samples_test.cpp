// Real OUTPUT2 files; expected values come from the solver's own printed results (.f06).
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2Import.h"
#include "tests/support/Op2TestModel.h"
#include "tests/support/TestPaths.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace
{
void ExpectClose(double expected, double actual)
{
    EXPECT_NEAR(expected, actual, std::fabs(expected) * 2e-6) << "expected " << expected;
}

// Imports with the default chooser (every result loaded).
void Import(const std::string& relative, CModelSet* model, CaptureSink* sink)
{
    std::vector<std::string> inputs;
    ASSERT_EQ(0, ImportOp2File(testing_support::SamplePath(relative), model, inputs,
                               ChooseAllOp2Results, sink));
}
} // namespace

TEST(Op2Samples, StaticDisplacementOfNode1MatchesThePrintout)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    CaptureSink sink;
    Import("pyNastran/sol_101_elements/static_solid_shell_bar.op2", &model, &sink);
    EXPECT_TRUE(sink.lines.empty());
    // Geometry came from GEOM1S/GEOM2S: 25 grids.
    EXPECT_EQ(25, model.GetNodeCount());
    // Subcase 1 (load set 1): translation and rotation of grid 1.
    const int index =
        static_cast<int>(model.AddLoadCaseValue(1, 1u << 23, std::ldexp(1.0, -149), 1));
    const CResultData* t = model.GetResult(static_cast<UINT>(PackedId(1, 1, index, 1)));
    const CResultData* r = model.GetResult(static_cast<UINT>(PackedId(1, 2, index, 1)));
    ASSERT_NE(nullptr, t);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(CResultData::kLoaded, t->m_loaded);
    CPoint3D tv, rv;
    ASSERT_TRUE(t->GetNodeVector(1, &tv));
    ASSERT_TRUE(r->GetNodeVector(1, &rv));
    ExpectClose(-1.116251E-03, tv.x);
    ExpectClose(1.035899E-04, tv.y);
    ExpectClose(7.851645E-04, tv.z);
    ExpectClose(-9.060274E-05, rv.x);
    ExpectClose(-4.439605E-04, rv.y);
    ExpectClose(6.172495E-06, rv.z);
}

TEST(Op2Samples, EigenvaluesMatchThePrintoutWithAndWithoutLabel)
{
    REQUIRE_SAMPLES();
    const double cycles[10] = {4.566603E+02, 4.566603E+02, 2.674588E+03, 2.674588E+03,
                               3.554923E+03, 4.507487E+03, 6.626104E+03, 6.626104E+03,
                               1.111159E+04, 1.111159E+04};
    for (const char* file :
         {"pyNastran/beam_modes/beam_modes_m1.op2", "pyNastran/beam_modes/beam_modes_m2.op2"})
    {
        SCOPED_TRACE(file);
        CModelSet model;
        CaptureSink sink;
        Import(file, &model, &sink);
        for (int mode = 1; mode <= 10; ++mode)
        {
            double frequency = 0.0;
            ASSERT_TRUE(model.GetModeFrequency(mode, &frequency));
            ExpectClose(cycles[mode - 1], frequency);
        }
        // Ten eigenvectors, translation and rotation each, loaded and tagged with the mode.
        const CResultData* mode3 = model.GetResult(static_cast<UINT>(PackedId(7, 1, 3, 1)));
        ASSERT_NE(nullptr, mode3);
        EXPECT_EQ(3, mode3->m_mode);
        EXPECT_EQ(CResultData::kLoaded, mode3->m_loaded);
        EXPECT_GT(model.GetElementCount(), 0);
    }
}

TEST(Op2Samples, SplitRecordsOfALargeModalFile)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    CaptureSink sink;
    Import("pyNastran/femap_exhaust/modal_example.op2", &model, &sink);
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(4472, model.GetNodeCount());
    EXPECT_EQ(4386 + 80 + 9, model.GetElementCount());
    // Every eigenvector holds a value for every grid (its record spans several pieces).
    for (int mode = 1; mode <= 10; ++mode)
    {
        SCOPED_TRACE(mode);
        const CResultData* t = model.GetResult(static_cast<UINT>(PackedId(7, 1, mode, 1)));
        ASSERT_NE(nullptr, t);
        int withValue = 0;
        for (int id = 0; id < t->GetNodeVectorCount(); ++id)
        {
            CPoint3D v;
            withValue += t->GetNodeVector(id, &v) ? 1 : 0;
        }
        EXPECT_EQ(4472, withValue);
    }
}

TEST(Op2Samples, ResultsOnlyFileAddsNoGeometry)
{
    REQUIRE_SAMPLES();
    CModelSet model;
    CaptureSink sink;
    Import("pyNastran/wingbox/wingbox_stitched_together-000.op2", &model, &sink);
    EXPECT_EQ(0, model.GetElementCount());
    // Displacements and constraint forces. This solver writes its MPC forces with the SPC
    // table code, so they share the SPC results' ids; the first block (SPC) keeps them.
    int kinds[2] = {};
    for (UINT id : model.GetResults().SortedKeys())
    {
        const int number = static_cast<int>((id >> 13) & 0x3ff);
        kinds[0] += number == 1;
        kinds[1] += number == 3;
        EXPECT_NE(39, number);
        EXPECT_EQ(CResultData::kLoaded, model.GetResult(id)->m_loaded);
    }
    EXPECT_GT(kinds[0], 0);
    EXPECT_GT(kinds[1], 0);
}

TEST(Op2Samples, EveryFileReadsWithoutFailure)
{
    REQUIRE_SAMPLES();
    namespace fs = std::filesystem;
    int files = 0;
    for (const auto& entry :
         fs::recursive_directory_iterator(testing_support::SamplePath("pyNastran")))
    {
        if (!entry.is_regular_file() || !IsOp2Path(entry.path().string()))
            continue;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        ++files;
        const bool isRefused = path.find("64_bit") != std::string::npos ||
                               path.find("plate_formatted") != std::string::npos;
        CModelSet model;
        CaptureSink sink;
        std::vector<std::string> inputs;
        const int code = ImportOp2File(path, &model, inputs, ChooseAllOp2Results, &sink);
        EXPECT_EQ(isRefused ? OP2Reader::kRefused : 0, code);
        EXPECT_EQ(isRefused ? 1u : 0u, sink.lines.size());
        if (isRefused)
        {
            EXPECT_TRUE(inputs.empty());
            EXPECT_EQ(0, model.GetResults().GetCount());
            continue;
        }
        // No element of a file refers to node 0 or to a node the file does not define.
        for (UINT id : model.GetElements().SortedKeys())
        {
            const CFEElement* element = model.FindElement(static_cast<int>(id));
            for (INT_PTR i = 0; i < element->m_ids.GetSize(); ++i)
            {
                if (element->m_feDescriptorId != 250 && element->m_feDescriptorId != 251)
                {
                    EXPECT_NE(0, element->m_ids[i]) << "element " << id;
                }
            }
        }
    }
    EXPECT_EQ(21, files);
}
