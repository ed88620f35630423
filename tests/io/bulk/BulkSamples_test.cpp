// Real decks: counts from the decks' own card lines, coordinates worked out by hand from the
// GRID and CORD2 cards (global = A + x ex + y ey + z ez, ez along B - A, ey = ez x (C - A)).
#include "core/geometry/CoordSystem.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/bulk/BulkImport.h"
#include "io/bulk/BulkMessages.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <gtest/gtest.h>

using bulk_test::CCapturedOutput;

namespace
{
class BulkSamplesTest : public ::testing::Test
{
protected:
    BulkSamplesTest() { m_model.SetOutputSink(&m_output); }

    void Import(const std::string& relative)
    {
        ASSERT_TRUE(ImportBulkFile(m_model, testing_support::SamplePath(relative), m_output));
    }

    void ExpectNodeAt(int id, double x, double y, double z, double tolerance = 1e-9)
    {
        SCOPED_TRACE(id);
        const CFENode* node = m_model.GetNode(id);
        ASSERT_NE(nullptr, node);
        EXPECT_NEAR(x, node->m_coord.x, tolerance);
        EXPECT_NEAR(y, node->m_coord.y, tolerance);
        EXPECT_NEAR(z, node->m_coord.z, tolerance);
    }

    void ExpectElement(int id, int propertyId, std::vector<int> nodes)
    {
        SCOPED_TRACE(id);
        const CFEElement* element = m_model.FindElement(id);
        ASSERT_NE(nullptr, element);
        EXPECT_EQ(propertyId, element->m_propertyId);
        EXPECT_EQ(nodes, std::vector<int>(element->m_ids.GetData(),
                                          element->m_ids.GetData() + element->m_ids.GetSize()));
    }

    int CountLines(const std::string& text) const
    {
        return static_cast<int>(std::count(m_output.lines.begin(), m_output.lines.end(), text));
    }

    bulk_test::CScratchProduct m_product{"bulk_samples_product"};
    CModelSet m_model;
    CCapturedOutput m_output;
};

TEST_F(BulkSamplesTest, SolidShellBarDeckWithItsInclude)
{
    REQUIRE_SAMPLES();
    Import("pyNastran/sol_101_elements/static_solid_shell_bar.bdf");
    EXPECT_EQ(25, m_model.GetNodeCount());
    EXPECT_EQ(21, m_model.GetElementCount()); // in geom.inc
    ExpectNodeAt(13, 0.5, 0.5, 3.0);
    ExpectNodeAt(21, 1.0, 0.0, -2.0);
    ExpectElement(1, 2, {2, 3, 4, 1, 8, 5, 6, 7});
    ExpectElement(12, 5, {18, 22});
    EXPECT_EQ(115, m_model.FindElement(1)->m_feDescriptorId);
    EXPECT_EQ(6, m_model.FindElement(1)->m_faces.GetSize());
    EXPECT_EQ(0, CountLines(BulkMessage("NonSupportedHighElement", "CHEXA")));
}

TEST_F(BulkSamplesTest, LargeFieldSatelliteWithAMissingInclude)
{
    REQUIRE_SAMPLES();
    Import("pyNastran/iSat/ISat_Launch_Sm_4pt.dat");
    EXPECT_EQ(5375 + 4, m_model.GetNodeCount());
    EXPECT_EQ(827 + 15 + 4580 + 32 + 25, m_model.GetElementCount()); // CBAR*, CONM2*, shells, CHEXA
    ASSERT_NE(nullptr, m_model.LookupCoordSystem(61));
    EXPECT_TRUE(m_model.LookupCoordSystem(61)->IsDefined());
    ExpectNodeAt(1, -4.5, -7.5, -14.0);    // CORD2R* 4 is the basic system
    ExpectNodeAt(5596, -5.0, 22.3, -18.0); // the origin of CORD2R* 61
    ExpectNodeAt(5564, -5.0, 22.3, -3.0);  // x of system 61 is global z
    ExpectElement(3323, 4, {11, 12});      // CBAR*
    ExpectElement(3684, 5, {55, 51, 778, 758, 60, 56, 880, 952});
    ExpectElement(10000, 0, {2696}); // CONM2*

    // The solver's own DMAP include is not supplied: reported, and the read goes on.
    const std::string missing =
        bulk_test::Native(testing_support::SamplePath("pyNastran/iSat/write_modes.v2005"));
    EXPECT_EQ(1, CountLines("[" + missing + "]"));
    EXPECT_EQ(1, CountLines(BulkMessage("NotFound", missing)));
}

TEST_F(BulkSamplesTest, BentPlateInALargeFieldRotatedSystem)
{
    REQUIRE_SAMPLES();
    Import("pyNastran/bend/bend_A1_105.bdf");
    EXPECT_EQ(3028 + 627, m_model.GetNodeCount());
    EXPECT_EQ(3534 + 6, m_model.GetElementCount());
    // CORD2R* 1 (blank RID): A = (0, 1200, 0), B = (291.048, 2364.17, 0),
    // C = (1164.17, 908.952, 0): ez = (0.24254, 0.97014, 0), ey = (0, 0, -1),
    // ex = (0.97014, -0.24254, 0). Local (-145.524, 0, 582.085) lands near (0, 1800, 0).
    ExpectNodeAt(11031, 0.0, 1800.0, 0.0, 0.01);
    ExpectNodeAt(11087, 0.0, 1800.0, -16.6667, 0.01);
    ExpectElement(11271, 1, {11255, 11256, 12752, 12751});
}

TEST_F(BulkSamplesTest, LowerCaseSolidDeck)
{
    REQUIRE_SAMPLES();
    Import("pyNastran/other/rot063akd2s_107.bdf");
    EXPECT_EQ(2951, m_model.GetNodeCount());
    EXPECT_EQ(2400 + 336 + 8040 + 348 + 4, m_model.GetElementCount()); // with 4 CELAS1
    ExpectNodeAt(1131, 23.094, 13.3333, -464.777);
    ExpectElement(1097, 1000, {1010, 1011, 1023, 1022, 1118, 1119, 1131, 1130});
    ExpectElement(1001, 1000, {1001, 1010, 1011, 1002, 1022, 1023});
    ExpectElement(101, 101, {101, 201});
    EXPECT_EQ(4, CountLines(BulkMessage("NonSupportedElement", "CDAMP1", 154)) +
                     CountLines(BulkMessage("NonSupportedElement", "CDAMP1", 155)) +
                     CountLines(BulkMessage("NonSupportedElement", "CDAMP1", 157)) +
                     CountLines(BulkMessage("NonSupportedElement", "CDAMP1", 158)));
}

TEST_F(BulkSamplesTest, SatelliteWithNestedIncludesInSiblingFolders)
{
    REQUIRE_SAMPLES();
    Import("pyNastran/Satellite_V02/JOBS/QS/satellite_V02_ACA_QS_SOL101.dat");
    EXPECT_EQ(1283 + 24, m_model.GetNodeCount());
    EXPECT_EQ(1392 + 102 + 16, m_model.GetElementCount());
    ExpectNodeAt(2962, 11.3364, -11.4985, 15.0);
    ExpectNodeAt(1849, 0.0, 0.0, 75.0);
    ExpectNodeAt(4, 20.0, 0.0, 0.0); // from an include of an include
    ExpectElement(2313, 202, {2984, 3315});
    ExpectElement(1675, 0, {651});
    // 27 include lines, all found.
    EXPECT_EQ(27, std::count_if(m_output.lines.begin(), m_output.lines.end(),
                                [](const std::string& line) { return line[0] == '['; }));
    EXPECT_EQ(0, CountLines(BulkMessage("NotFound")));
}

TEST_F(BulkSamplesTest, PlateWithHoleInACylindricalSystem)
{
    REQUIRE_SAMPLES();
    Import("pyNastran/plate_with_circular_hole/a101x.dat");
    EXPECT_EQ(59, m_model.GetNodeCount());
    EXPECT_EQ(42 + 1, m_model.GetElementCount());
    // CORD2C 1: A at the origin, B on z, C on x; (r, theta, z) with theta in degrees.
    ExpectNodeAt(10006, 5.0, 0.0, 0.0);
    ExpectNodeAt(10100, 0.984807753, 0.173648178, 0.0, 1e-8);
    ExpectNodeAt(10105, 3.5 * 0.984807753, 3.5 * 0.173648178, 0.0, 1e-8);
}
} // namespace
