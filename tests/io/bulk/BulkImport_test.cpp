#include "io/bulk/BulkImport.h"

#include "core/geometry/CoordSystem.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/services/ProductIni.h"
#include "io/bulk/BulkDataReader.h"
#include "io/bulk/BulkMessages.h"
#include "io/results/ImportMessages.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

using bulk_test::Card;
using bulk_test::CCapturedOutput;
using bulk_test::WriteDeck;

namespace
{
class BulkImportTest : public ::testing::Test
{
protected:
    BulkImportTest() { m_model.SetOutputSink(&m_output); }

    bulk_test::CScratchProduct m_product{"bulk_import_product"};
    bool Import(const std::string& deck, const std::string& name = "deck.dat")
    {
        return ImportBulkFile(m_model, WriteDeck(m_folder, name, deck), m_output);
    }

    void ExpectNodeAt(int id, double x, double y, double z)
    {
        SCOPED_TRACE(id);
        const CFENode* node = m_model.GetNode(id);
        ASSERT_NE(nullptr, node);
        EXPECT_NEAR(x, node->m_coord.x, 1e-9);
        EXPECT_NEAR(y, node->m_coord.y, 1e-9);
        EXPECT_NEAR(z, node->m_coord.z, 1e-9);
    }

    // The model box holds every node of the model.
    void ExpectBoxHoldsEveryNode()
    {
        const CBox3D box = m_model.GetBoundingBox();
        for (UINT id = 1; id <= m_model.GetMaxNodeId(); ++id)
        {
            const CFENode* node = m_model.GetNode(static_cast<int>(id));
            if (node == nullptr)
                continue;
            SCOPED_TRACE(id);
            const CPoint3D& at = node->m_coord;
            EXPECT_TRUE(box.min.x <= at.x && box.min.y <= at.y && box.min.z <= at.z &&
                        at.x <= box.max.x && at.y <= box.max.y && at.z <= box.max.z)
                << "(" << at.x << ", " << at.y << ", " << at.z << ") outside (" << box.min.x << ", "
                << box.min.y << ", " << box.min.z << ")-(" << box.max.x << ", " << box.max.y << ", "
                << box.max.z << ")";
        }
    }

    std::string m_folder = testing_support::MakeTempDir("bulk_import");
    CModelSet m_model;
    CCapturedOutput m_output;
};

std::vector<int> IdsOf(const CIdList& ids)
{
    return std::vector<int>(ids.GetData(), ids.GetData() + ids.GetSize());
}

const std::string kQuadDeck =
    Card("GRID", {"1", "", "0.", "0.", "0."}) + Card("GRID", {"2", "", "1.", "0.", "0."}) +
    Card("GRID", {"3", "", "1.", "1.", "0."}) + Card("GRID", {"4", "", "0.", "1.", "0."}) +
    Card("CQUAD4", {"12", "3", "1", "2", "3", "4"});

TEST_F(BulkImportTest, QuadDeckGivesAShellWithItsFace)
{
    ASSERT_TRUE(Import(kQuadDeck));
    EXPECT_EQ(4, m_model.GetNodeCount());
    const CFEElement* quad = m_model.FindElement(12);
    ASSERT_NE(nullptr, quad);
    EXPECT_EQ(94, quad->m_feDescriptorId);
    EXPECT_EQ(132, quad->type);
    EXPECT_EQ(3, quad->m_propertyId);
    ASSERT_EQ(1, quad->m_faces.GetSize());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), IdsOf(quad->m_faces[0].m_ids));
    EXPECT_EQ(12, m_model.GetMarkElementId());
    EXPECT_EQ(4, m_model.GetMarkNodeId());
    EXPECT_TRUE(m_output.lines.empty());

    std::string folder;
    EXPECT_TRUE(GetIniString("FileIOPaths", "DAT", &folder));
    EXPECT_EQ(m_folder, folder);
}

TEST_F(BulkImportTest, SecondReadOfADeckIsAShiftedCopy)
{
    ASSERT_TRUE(Import(kQuadDeck));
    ASSERT_TRUE(Import(kQuadDeck));
    EXPECT_EQ(8, m_model.GetNodeCount());
    EXPECT_EQ(2, m_model.GetElementCount());
    ExpectNodeAt(2, 1.0, 0.0, 0.0);
    ExpectNodeAt(6, 1.0, 0.0, 0.0);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), IdsOf(m_model.FindElement(12)->m_ids));
    const CFEElement* copy = m_model.FindElement(24);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(3, copy->m_propertyId);
    EXPECT_EQ((std::vector<int>{5, 6, 7, 8}), IdsOf(copy->m_faces[0].m_ids));
}

TEST_F(BulkImportTest, IncludedFilesShareTheIdOffsets)
{
    ASSERT_TRUE(Import(kQuadDeck)); // the model now holds nodes 1-4 and element 12
    WriteDeck(m_folder, "mesh.inc", Card("CTRIA3", {"1", "1", "1", "2", "3"}));
    ASSERT_TRUE(Import("INCLUDE 'mesh.inc'\n" + Card("GRID", {"1", "", "5.", "0.", "0."}) +
                           Card("GRID", {"2", "", "6.", "0.", "0."}) +
                           Card("GRID", {"3", "", "6.", "1.", "0."}),
                       "second.bdf"));
    const CFEElement* tria = m_model.FindElement(13);
    ASSERT_NE(nullptr, tria);
    EXPECT_EQ((std::vector<int>{5, 6, 7}), IdsOf(tria->m_ids));
    ExpectNodeAt(5, 5.0, 0.0, 0.0);
}

// System 1 moves by (10, 0, 0); system 2 turns local x to global y and local y to -x.
const std::string kSystems = Card("CORD2R", {"1", "", "10.", "0.", "0.", "10.", "0.", "1."}) +
                             Card("", {"11.", "0.", "0."}) +
                             Card("CORD2R", {"2", "0", "0.", "0.", "0.", "0.", "0.", "1."}) +
                             Card("", {"0.", "1.", "0."});

TEST_F(BulkImportTest, NodesInLocalSystemsAreMovedAfterTheRead)
{
    ASSERT_TRUE(Import(Card("GRID", {"1", "1", "1.", "2.", "3."}) + kSystems +
                       Card("GRID", {"2", "2", "1.", "2.", "3."})));
    ExpectNodeAt(1, 11.0, 2.0, 3.0);
    ExpectNodeAt(2, -2.0, 1.0, 3.0);
    EXPECT_EQ(0, m_model.GetPendingNodeCount());
    const CBox3D box = m_model.GetBoundingBox();
    EXPECT_NEAR(-2.0, box.min.x, 1e-9);
    EXPECT_NEAR(11.0, box.max.x, 1e-9);

    // A second copy refers to its own, shifted systems.
    ASSERT_TRUE(Import(Card("GRID", {"1", "1", "1.", "2.", "3."}) + kSystems));
    ExpectNodeAt(3, 11.0, 2.0, 3.0);
    EXPECT_EQ(4u, m_model.GetMaxCoordSystemId());
}

// The model box holds every node the model holds after each read, whether a read adds nodes,
// gives a node new coordinates with a second GRID of its id, or moves it out of a local system;
// a later read numbers its nodes after those already held, so it never moves one of them.
TEST_F(BulkImportTest, ModelBoxHoldsEveryNodeAfterEachRead)
{
    const std::vector<std::string> reads = {
        // A second GRID 2 moves the node out of the box the first one made.
        Card("GRID", {"1", "", "0.", "0.", "0."}) + Card("GRID", {"2", "", "1.", "1.", "1."}) +
            Card("GRID", {"2", "", "5.", "-3.", "0."}),
        // The same ids again, far away: new nodes 3 and 4, node 4 moved within the read.
        Card("GRID", {"1", "", "100.", "0.", "0."}) + Card("GRID", {"2", "", "0.", "0.", "0."}) +
            Card("GRID", {"2", "", "0.", "0.", "-70."}),
        // A node given in a system that moves it by (10, 0, 0), past the box so far.
        Card("GRID", {"1", "1", "95.", "0.", "0."}) + kSystems,
    };
    for (size_t i = 0; i < reads.size(); ++i)
    {
        SCOPED_TRACE(i);
        ASSERT_TRUE(Import(reads[i], "read" + std::to_string(i) + ".dat"));
        ExpectBoxHoldsEveryNode();
    }
    EXPECT_EQ(5, m_model.GetNodeCount());
    ExpectNodeAt(2, 5.0, -3.0, 0.0);
    ExpectNodeAt(4, 0.0, 0.0, -70.0);
    ExpectNodeAt(5, 105.0, 0.0, 0.0);
}

// A reader that reads again keeps its id offsets: the second deck gives the nodes of the
// first new coordinates, and the model box takes them, also those of a node in a local system.
TEST_F(BulkImportTest, ModelBoxFollowsTheNodesAReaderMovesWhenItReadsAgain)
{
    CBulkDataReader reader(m_model, m_output);
    ASSERT_TRUE(reader.ReadBulkData(WriteDeck(m_folder, "first.dat",
                                              Card("GRID", {"1", "", "0.", "0.", "0."}) +
                                                  Card("GRID", {"2", "", "1.", "1.", "1."}))));
    ExpectBoxHoldsEveryNode();
    ASSERT_TRUE(reader.ReadBulkData(WriteDeck(m_folder, "second.dat",
                                              Card("GRID", {"1", "", "-40.", "0.", "0."}) +
                                                  Card("GRID", {"2", "1", "50.", "0.", "60."}) +
                                                  kSystems)));
    EXPECT_EQ(2, m_model.GetNodeCount());
    ExpectNodeAt(1, -40.0, 0.0, 0.0);
    ExpectNodeAt(2, 60.0, 0.0, 60.0);
    ExpectBoxHoldsEveryNode();
}

TEST_F(BulkImportTest, SystemsByGridsAndByOtherSystemsMayComeLater)
{
    ASSERT_TRUE(Import(
        Card("GRID", {"7", "5", "1.", "2.", "3."}) + Card("GRID", {"8", "6", "1.", "1.", "1."}) +
        Card("CORD2R", {"6", "1", "0.", "0.", "0.", "0.", "0.", "1."}) +
        Card("", {"1.", "0.", "0."}) + Card("CORD1R", {"5", "101", "102", "103"}) + kSystems +
        Card("GRID", {"101", "", "5.", "5.", "5."}) + Card("GRID", {"102", "", "5.", "5.", "6."}) +
        Card("GRID", {"103", "", "5.", "6.", "5."})));
    ExpectNodeAt(7, 3.0, 6.0, 8.0);
    ExpectNodeAt(8, 11.0, 1.0, 1.0);
}

// Each system is given in the next, the first one last in the deck, and a system by grids
// stands on grids given in the chain: all settle in the one pass their order allows.
TEST_F(BulkImportTest, ChainedSystemsSettleInDependencyOrder)
{
    constexpr int kChain = 200;
    std::string deck = Card("GRID", {"1", "1", "0.", "0.", "0."}) +
                       Card("CORD1R", {"900", "2", "3", "4"}) +
                       Card("GRID", {"5", "900", "1.", "0.", "0."});
    for (int id = 2; id <= 4; ++id)
    {
        const std::string grid = std::to_string(id);
        deck += Card("GRID", {grid.c_str(), "1", id == 2 ? "0." : "0.", id == 3 ? "1." : "0.",
                              id == 4 ? "1." : "0."});
    }
    for (int id = kChain; id >= 1; --id)
    {
        const std::string system = std::to_string(id);
        const std::string reference = id == kChain ? "0" : std::to_string(id + 1);
        // Origin one unit along x of the reference system, axes as the reference's.
        deck += Card("CORD2R",
                     {system.c_str(), reference.c_str(), "1.", "0.", "0.", "1.", "0.", "1."}) +
                Card("", {"2.", "0.", "0."});
    }
    ASSERT_TRUE(Import(deck));
    ExpectNodeAt(1, kChain, 0.0, 0.0);
    ExpectNodeAt(4, kChain, 0.0, 1.0);
    // System 900: origin at grid 2, z towards grid 3, x-z plane through grid 4.
    ExpectNodeAt(5, kChain, 0.0, 1.0);
    EXPECT_EQ(0, m_model.GetPendingNodeCount());
}

TEST_F(BulkImportTest, CylindricalAndSphericalCoordinatesAreAnglesInDegrees)
{
    ASSERT_TRUE(Import(Card("CORD2C", {"3", "", "0.", "0.", "0.", "0.", "0.", "1."}) +
                       Card("", {"1.", "0.", "0."}) +
                       Card("CORD2S", {"4", "", "0.", "0.", "0.", "0.", "0.", "1."}) +
                       Card("", {"1.", "0.", "0."}) + Card("GRID", {"1", "3", "2.", "90.", "1."}) +
                       Card("GRID", {"2", "4", "2.", "90.", "90."})));
    ExpectNodeAt(1, 0.0, 2.0, 1.0);
    ExpectNodeAt(2, 0.0, 2.0, 0.0);
}

TEST_F(BulkImportTest, NodeInAnUndefinedSystemIsKeptAndReported)
{
    // 77 is missing, 78 waits for grids that never come, 80 and 81 wait for each other.
    ASSERT_TRUE(Import(Card("GRID", {"9", "77", "1.", "2.", "3."}) +
                       Card("CORD1R", {"78", "1", "2", "3"}) +
                       Card("GRID", {"10", "78", "1.", "2.", "3."}) +
                       Card("CORD2R", {"80", "81", "0.", "0.", "0.", "0.", "0.", "1."}) +
                       Card("", {"1.", "0.", "0."}) +
                       Card("CORD2R", {"81", "80", "0.", "0.", "0.", "0.", "0.", "1."}) +
                       Card("", {"1.", "0.", "0."}) + Card("GRID", {"11", "80", "1.", "2.", "3."}) +
                       Card("GRID", {"12", "80", "1.", "2.", "3."})));
    ExpectNodeAt(9, 1.0, 2.0, 3.0);
    ExpectNodeAt(10, 1.0, 2.0, 3.0);
    ExpectNodeAt(12, 1.0, 2.0, 3.0);
    EXPECT_EQ((std::vector<std::string>{BulkMessage("UndefinedCoordSystem", 77, 1),
                                        BulkMessage("UndefinedCoordSystem", 78, 1),
                                        BulkMessage("UndefinedCoordSystem", 80, 2)}),
              m_output.lines);
}

TEST_F(BulkImportTest, GapIsASpringAndShearPanelAShellWithItsFace)
{
    ASSERT_TRUE(Import(kQuadDeck + Card("CGAP", {"20", "1", "1", "3"}) +
                       Card("CSHEAR", {"21", "1", "1", "2", "3", "4"})));
    const CFEElement* gap = m_model.FindElement(20);
    ASSERT_NE(nullptr, gap);
    EXPECT_EQ(130, gap->type);
    const CFEElement* shear = m_model.FindElement(21);
    ASSERT_NE(nullptr, shear);
    EXPECT_EQ(132, shear->type);
    EXPECT_EQ(254, shear->m_feDescriptorId);
    ASSERT_EQ(1, shear->m_faces.GetSize());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), IdsOf(shear->m_faces[0].m_ids));
}

TEST_F(BulkImportTest, DuplicateIdsKeepTheFirstElementAndTheLastGrid)
{
    ASSERT_TRUE(Import(kQuadDeck + Card("GRID", {"2", "", "7.", "0.", "0."}) +
                       Card("CQUAD4", {"12", "9", "4", "3", "2", "1"})));
    ExpectNodeAt(2, 7.0, 0.0, 0.0);
    EXPECT_EQ(3, m_model.FindElement(12)->m_propertyId);
    EXPECT_EQ(4, m_model.GetNodeCount());
}

TEST_F(BulkImportTest, ElementsNamingUndefinedNodesAreKeptAndReported)
{
    ASSERT_TRUE(Import(kQuadDeck + Card("CQUAD4", {"13", "3", "1", "2", "99", "98"}) +
                       Card("CTRIA3", {"14", "3", "1", "2", "99"})));
    EXPECT_EQ(3, m_model.GetElementCount());
    // Each element named with its own missing nodes, so that it can be found in the deck.
    const std::string first = ImportMessage("ElementMissingNodes", {13, "99, 98"}) + "; " +
                              ImportMessage("ElementMissingNodes", {14, "99"});
    EXPECT_EQ((std::vector<std::string>{ImportMessage("ElementsMissingNodes", {2, first})}),
              m_output.lines);
}

// Ids near the bound: the second deck, numbered after the first, would pass it. Nothing of it
// is kept, not even the grids before the card that passes.
TEST_F(BulkImportTest, DeckWhoseShiftedIdsPassTheBoundIsRefusedWhole)
{
    ASSERT_TRUE(Import(Card("GRID", {"99999990", "", "0.", "0.", "0."}) +
                       Card("CORD2R", {"7", "", "0.", "0.", "0.", "0.", "0.", "1."}) +
                       Card("", {"1.", "0.", "0."})));
    m_output.lines.clear();
    const std::string second = "second.dat";
    EXPECT_FALSE(Import(kQuadDeck + Card("GRID", {"12", "", "0.", "0.", "0."}), second));
    EXPECT_EQ(1, m_model.GetNodeCount());
    EXPECT_EQ(0, m_model.GetElementCount());
    EXPECT_EQ(99999990u, m_model.GetMaxNodeId());
    EXPECT_EQ(7u, m_model.GetMaxCoordSystemId());
    EXPECT_EQ((std::vector<std::string>{
                  ImportMessage("IdsPastBound", {m_folder + "/" + second, kMaxEntityId})}),
              m_output.lines);
}

// The card that passes the bound comes after thousands of others: nothing after it is read or
// reported, however far ahead the deck was read.
TEST_F(BulkImportTest, NothingAfterTheCardThatPassesTheBoundIsReported)
{
    ASSERT_TRUE(Import(Card("GRID", {"99999990", "", "0.", "0.", "0."})));
    m_output.lines.clear();
    std::string deck;
    std::vector<std::string> expected;
    int line = 0;
    for (int i = 1; i <= 10000; ++i)
    {
        const std::string id = std::to_string(i);
        deck += Card("CBAR", {id.c_str(), "1", "1", "2"});
        if (i % 1000 == 0)
        {
            deck += Card("CFOO", {id.c_str()});
            expected.push_back(BulkMessage("NonSupportedElement", "CFOO", line + 2));
            ++line;
        }
        ++line;
    }
    deck += Card("GRID", {"12", "", "0.", "0.", "0."});
    for (int i = 0; i < 10000; ++i)
        deck += Card("CFOO", {"1"}) + "INCLUDE 'absent.inc'\n";
    const std::string name = "past.dat";
    EXPECT_FALSE(Import(deck, name));
    expected.push_back(ImportMessage("IdsPastBound", {m_folder + "/" + name, kMaxEntityId}));
    EXPECT_EQ(expected, m_output.lines);
    EXPECT_EQ(0, m_model.GetElementCount());
}

// The folder remembered for the next deck is only one that a deck was read from.
TEST_F(BulkImportTest, MissingDeckFailsAndKeepsTheRememberedFolder)
{
    ASSERT_TRUE(Import(kQuadDeck));
    m_output.lines.clear();
    const std::string elsewhere = testing_support::MakeTempDir("bulk_import_elsewhere");
    EXPECT_FALSE(ImportBulkFile(m_model, elsewhere + "/absent.bdf", m_output));
    EXPECT_EQ(1u, m_output.lines.size());
    std::string folder;
    EXPECT_TRUE(GetIniString("FileIOPaths", "DAT", &folder));
    EXPECT_EQ(m_folder, folder);
}

TEST(BulkImport, BulkDataFilesAreKnownByExtension)
{
    for (const char* path : {"a.d", "a.dat", "a.bdf", "A.DAT", "dir.x/m.Bdf", "c:\\m\\x.D"})
    {
        SCOPED_TRACE(path);
        EXPECT_TRUE(IsBulkDataFile(path));
    }
    for (const char* path : {"a.op2", "a.unv", "a", "a.dat.bak", "dir.dat/file", ".datx"})
    {
        SCOPED_TRACE(path);
        EXPECT_FALSE(IsBulkDataFile(path));
    }
}
} // namespace
