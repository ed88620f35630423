#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/bulk/BulkImport.h"
#include "io/unv/UnvImport.h"
#include "tests/io/bulk/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace
{
// A real deck (grids in local systems, solids, shells, bars and rods, an include) written as a
// universal file and read back must give the same mesh, to the six digits dataset 15 keeps.
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

    const std::string path = testing_support::MakeTempDir("unv_deck") + "/deck.unv";
    ASSERT_TRUE(ExportUnvFile(original, original, path, output))
        << (output.lines.empty() ? "" : output.lines.back());
    CModelSet copy;
    ASSERT_TRUE(ImportUnvFile(copy, path, nullptr, output));

    EXPECT_EQ(original.GetNodeCount(), copy.GetNodeCount());
    ASSERT_EQ(original.GetElementCount(), copy.GetElementCount());
    POSITION pos = original.GetElements().GetStartPosition();
    while (pos)
    {
        UINT id = 0;
        CFEElement* a = nullptr;
        original.GetElements().GetNextAssoc(pos, id, a);
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
    }
}
} // namespace
