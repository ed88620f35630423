#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/bulk/BulkImport.h"
#include "io/unv/UnvImport.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
using bulk_test::Card;

// Same elements (descriptor, kind, property, nodes, faces) on the same points, to the six digits
// dataset 15 keeps.
void ExpectSameMesh(const CModelSet& original, const CModelSet& copy)
{
    EXPECT_EQ(original.GetNodeCount(), copy.GetNodeCount());
    ASSERT_EQ(original.GetElementCount(), copy.GetElementCount());
    for (const auto& [id, a] : fw::Assocs(original.GetElements()))
    {
        SCOPED_TRACE(id);
        const CFEElement* b = copy.FindElement(static_cast<int>(id));
        ASSERT_NE(nullptr, b);
        EXPECT_EQ(a->m_feDescriptorId, b->m_feDescriptorId);
        EXPECT_EQ(a->type, b->type);
        EXPECT_EQ(a->m_propertyId, b->m_propertyId);
        ASSERT_EQ(a->m_ids.GetSize(), b->m_ids.GetSize());
        for (INT_PTR i = 0; i < a->m_ids.GetSize(); ++i)
        {
            ASSERT_EQ(a->m_ids[i], b->m_ids[i]);
            const CPoint3D pa = original.GetNodePoint(a->m_ids[i]);
            const CPoint3D pb = copy.GetNodePoint(b->m_ids[i]);
            EXPECT_NEAR(pa.x, pb.x, 1e-5 * std::max(1.0, std::fabs(pa.x)));
            EXPECT_NEAR(pa.y, pb.y, 1e-5 * std::max(1.0, std::fabs(pa.y)));
            EXPECT_NEAR(pa.z, pb.z, 1e-5 * std::max(1.0, std::fabs(pa.z)));
        }
        ASSERT_EQ(a->m_faces.GetSize(), b->m_faces.GetSize());
        for (INT_PTR k = 0; k < a->m_faces.GetSize(); ++k)
        {
            const CIdList& fa = a->m_faces[k].m_ids;
            const CIdList& fb = b->m_faces[k].m_ids;
            EXPECT_EQ(std::vector<int>(fa.GetData(), fa.GetData() + fa.GetSize()),
                      std::vector<int>(fb.GetData(), fb.GetData() + fb.GetSize()));
        }
    }
}

// Writes the model as a universal file and reads it into copy.
void ExportAndImport(CModelSet& original, CModelSet& copy, const std::string& name)
{
    bulk_test::CCapturedOutput output;
    const std::string path = testing_support::MakeTempDir(name) + "/deck.unv";
    ASSERT_TRUE(ExportUnvFile(original, original, path, output))
        << (output.lines.empty() ? "" : output.lines.back());
    ASSERT_TRUE(ImportUnvFile(copy, path, nullptr, output))
        << (output.lines.empty() ? "" : output.lines.back());
}

// A real deck (grids in local systems, solids, shells, bars and rods, an include) written as a
// universal file and read back must give the same mesh.
TEST(UnvDeckRoundTrip, DeckWrittenAndReadBackGivesTheSameMesh)
{
    REQUIRE_SAMPLES();
    // Absolute: the scratch product moves the current folder to its own executable folder.
    const std::string deck =
        std::filesystem::absolute(
            testing_support::SamplePath("pyNastran/sol_101_elements/static_solid_shell_bar.bdf"))
            .string();
    bulk_test::CScratchProduct product("unv_deck_round_trip");
    bulk_test::CCapturedOutput output;
    CModelSet original;
    ASSERT_TRUE(ImportBulkFile(original, deck, output));
    ASSERT_EQ(25, original.GetNodeCount());

    CModelSet copy;
    ExportAndImport(original, copy, "unv_deck");
    ExpectSameMesh(original, copy);
}

// Springs, masses, gaps and shear panels travel under this system's own descriptors; a gap stays
// drawn as a spring and a shear panel as a shell with its face.
TEST(UnvDeckRoundTrip, ScalarElementsGapsAndShearPanelsComeBackAlike)
{
    bulk_test::CScratchProduct product("unv_scalar_round_trip");
    const std::string folder = testing_support::MakeTempDir("unv_scalar_deck");
    const std::string deck = bulk_test::WriteDeck(
        folder, "scalar.dat",
        Card("GRID", {"1", "", "0.", "0.", "0."}) + Card("GRID", {"2", "", "1.", "0.", "0."}) +
            Card("GRID", {"3", "", "1.", "1.", "0."}) + Card("GRID", {"4", "", "0.", "1.", "0."}) +
            Card("CELAS1", {"1", "5", "1", "1", "2", "1"}) +
            Card("CMASS2", {"2", "3.5", "3", "1", "4", "1"}) +
            Card("CONM2", {"3", "4", "0", "2."}) + Card("CGAP", {"4", "6", "1", "3"}) +
            Card("CSHEAR", {"5", "7", "1", "2", "3", "4"}));
    bulk_test::CCapturedOutput output;
    CModelSet original;
    ASSERT_TRUE(ImportBulkFile(original, deck, output));
    ASSERT_EQ(5, original.GetElementCount());

    CModelSet copy;
    ExportAndImport(original, copy, "unv_scalar");
    ExpectSameMesh(original, copy);
    const CFEElement* shear = copy.FindElement(5);
    ASSERT_NE(nullptr, shear);
    EXPECT_EQ(132, shear->type);
    ASSERT_EQ(1, shear->m_faces.GetSize());
    EXPECT_EQ(4, shear->m_faces[0].m_ids.GetSize());
    EXPECT_EQ(130, copy.FindElement(4)->type);
}
} // namespace
