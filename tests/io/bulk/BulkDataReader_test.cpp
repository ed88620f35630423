#include "io/bulk/BulkDataReader.h"

#include "core/services/OutputSink.h"
#include "io/bulk/BulkLineReader.h"
#include "io/bulk/BulkMessages.h"
#include "io/results/ImportMessages.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using bulk_test::Card;
using bulk_test::CCapturedOutput;
using bulk_test::Native;
using bulk_test::WriteDeck;

namespace
{
class CRecorder : public CBulkRecordTarget
{
public:
    void AddGrid(const SBulkGrid& grid) override { grids.push_back(grid); }
    void AddCoordSystem(const SBulkCoordSystem& system) override { systems.push_back(system); }
    void AddElement(const SBulkElement& element) override { elements.push_back(element); }

    std::vector<SBulkGrid> grids;
    std::vector<SBulkCoordSystem> systems;
    std::vector<SBulkElement> elements;
};

class BulkDataReaderTest : public ::testing::Test
{
protected:
    bool Read(const std::string& deck) { return ReadFile(WriteDeck(m_folder, "deck.dat", deck)); }
    bool ReadFile(const std::string& path)
    {
        CBulkDataReader reader(m_records, m_output);
        return reader.ReadBulkData(path);
    }

    std::string m_folder = testing_support::MakeTempDir("bulk_reader");
    CRecorder m_records;
    CCapturedOutput m_output;
};

std::vector<int> Nodes(const SBulkElement& element)
{
    return std::vector<int>(element.nodeIds, element.nodeIds + element.nodeCount);
}

TEST_F(BulkDataReaderTest, SmallFieldGridWithImplicitExponent)
{
    ASSERT_TRUE(Read(Card("GRID", {"7", "0", "1.0", "2.0-1", "3.5"})));
    ASSERT_EQ(1u, m_records.grids.size());
    const SBulkGrid& grid = m_records.grids[0];
    EXPECT_EQ(7, grid.id);
    EXPECT_EQ(0, grid.cp);
    EXPECT_DOUBLE_EQ(1.0, grid.x);
    EXPECT_DOUBLE_EQ(0.2, grid.y);
    EXPECT_DOUBLE_EQ(3.5, grid.z);
    EXPECT_TRUE(m_output.lines.empty());
}

TEST_F(BulkDataReaderTest, LargeFieldGridTakesX3FromItsContinuation)
{
    ASSERT_TRUE(Read(Card("GRID*", {"8", "5", "1.0", "-2.5+2"}, 16) + Card("*", {"2.5", "4"}, 16) +
                     Card("GRID", {"9", "", "1.", "2.", "3."})));
    ASSERT_EQ(2u, m_records.grids.size());
    EXPECT_EQ(8, m_records.grids[0].id);
    EXPECT_EQ(5, m_records.grids[0].cp);
    EXPECT_DOUBLE_EQ(-250.0, m_records.grids[0].y);
    EXPECT_DOUBLE_EQ(2.5, m_records.grids[0].z);
    EXPECT_EQ(9, m_records.grids[1].id);
}

TEST_F(BulkDataReaderTest, LargeFieldCardWithoutContinuationDoesNotSwallowTheNextCard)
{
    ASSERT_TRUE(Read(Card("GRID*", {"8", "", "1.0", "2.0"}, 16) +
                     Card("GRID", {"9", "", "1.", "2.", "3."})));
    ASSERT_EQ(2u, m_records.grids.size());
    EXPECT_DOUBLE_EQ(0.0, m_records.grids[0].z);
    EXPECT_DOUBLE_EQ(3.0, m_records.grids[1].z);
}

TEST_F(BulkDataReaderTest, LastLineWithoutLineEndAndCrLfDecks)
{
    std::string deck = Card("GRID", {"1", "", "0.", "0.", "0."});
    deck.insert(deck.size() - 1, "\r");
    deck += Card("GRID", {"2", "", "1.", "0.", "0."});
    deck.pop_back();
    ASSERT_TRUE(Read(deck));
    ASSERT_EQ(2u, m_records.grids.size());
    EXPECT_DOUBLE_EQ(0.0, m_records.grids[0].z);
    EXPECT_DOUBLE_EQ(1.0, m_records.grids[1].x);
}

TEST_F(BulkDataReaderTest, TabsAndLowerCaseCardsAreRead)
{
    ASSERT_TRUE(Read("grid\t3\t\t1.5\t2.5\t3.5\ncquad4\t1\t2\t3\t4\t5\t6\n"));
    ASSERT_EQ(1u, m_records.grids.size());
    EXPECT_DOUBLE_EQ(3.5, m_records.grids[0].z);
    ASSERT_EQ(1u, m_records.elements.size());
    EXPECT_EQ((std::vector<int>{3, 4, 5, 6}), Nodes(m_records.elements[0]));
}

TEST_F(BulkDataReaderTest, QuadCardGivesAShellWithOneFace)
{
    ASSERT_TRUE(Read(Card("CQUAD4", {"12", "3", "1", "2", "3", "4"})));
    ASSERT_EQ(1u, m_records.elements.size());
    const SBulkElement& quad = m_records.elements[0];
    EXPECT_EQ(12, quad.id);
    EXPECT_EQ(3, quad.propertyId);
    EXPECT_EQ(94, quad.descriptorId);
    EXPECT_EQ(132, quad.kindTag);
    EXPECT_EQ(1, quad.faceCount);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Nodes(quad));
}

struct ElementCase
{
    std::string deck;
    int descriptorId;
    int kindTag;
    int propertyId;
    std::vector<int> nodes;
};

TEST_F(BulkDataReaderTest, EveryElementCardTakesItsCornerNodes)
{
    const ElementCase cases[] = {
        {Card("CQUAD8", {"1", "2", "11", "12", "13", "14", "15", "16"}) + Card("", {"17", "18"}),
         94,
         132,
         2,
         {11, 12, 13, 14}},
        {Card("CTRIA6", {"1", "2", "11", "12", "13", "14", "15", "16"}), 91, 132, 2, {11, 12, 13}},
        {Card("CTRIAX6", {"1", "7", "11", "12", "13", "14", "15", "16"}), 91, 132, 0, {11, 13, 15}},
        {Card("CBAR", {"1", "2", "11", "12", "0.", "1.", "0."}), 21, 101, 2, {11, 12}},
        {Card("CONROD", {"1", "11", "12", "3", ".1"}), 21, 101, 0, {11, 12}},
        {Card("CBEAM", {"1", "", "11", "12"}), 21, 101, 1, {11, 12}},
        {Card("CPENTA", {"1", "2", "11", "12", "13", "14", "15", "16"}),
         112,
         129,
         2,
         {11, 12, 13, 14, 15, 16}},
        {Card("CTETRA", {"1", "2", "11", "12", "13", "14"}), 111, 129, 2, {11, 12, 13, 14}},
        {Card("CMASS2", {"20", "1.5", "7", "1", "8", "1"}), 251, 131, 1, {7, 8}},
        {Card("CMASS4", {"1", "2.5", "7", "8"}), 251, 131, 2, {7, 8}},
        {Card("CELAS1", {"1", "2", "7", "1", "8", "1"}), 250, 130, 2, {7, 8}},
        {Card("CELAS3", {"1", "2", "7", "8"}), 250, 130, 2, {7, 8}},
        {Card("CONM2", {"30", "40", "0", "2.5"}), 251, 131, 0, {40}},
        {Card("CGAP", {"1", "2", "7", "8"}), 253, 130, 2, {7, 8}},
        {Card("CSHEAR", {"1", "2", "11", "12", "13", "14"}), 254, 132, 2, {11, 12, 13, 14}},
    };
    for (const ElementCase& c : cases)
    {
        SCOPED_TRACE(c.deck);
        m_records.elements.clear();
        ASSERT_TRUE(Read(c.deck));
        ASSERT_EQ(1u, m_records.elements.size());
        const SBulkElement& element = m_records.elements[0];
        EXPECT_EQ(c.descriptorId, element.descriptorId);
        EXPECT_EQ(c.kindTag, element.kindTag);
        EXPECT_EQ(c.propertyId, element.propertyId);
        EXPECT_EQ(c.nodes, Nodes(element));
    }
    EXPECT_TRUE(m_output.lines.empty());
}

TEST_F(BulkDataReaderTest, SolidsWithMidsideNodesAreReportedAndKeptLinear)
{
    ASSERT_TRUE(Read(
        Card("CHEXA", {"1", "2", "1", "2", "3", "4", "5", "6"}) + Card("", {"7", "8", "9", "10"}) +
        Card("", {"11"}) + Card("CHEXA", {"2", "2", "1", "2", "3", "4", "5", "6"}) +
        Card("", {"7", "8"}) + Card("CTETRA", {"3", "2", "1", "2", "3", "4", "5", "6"}) +
        Card("", {"7", "8", "9", "10"})));
    ASSERT_EQ(3u, m_records.elements.size());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}), Nodes(m_records.elements[0]));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}), Nodes(m_records.elements[1]));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Nodes(m_records.elements[2]));
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedHighElement", "CHEXA"),
                                        BulkMessage("NonSupportedHighElement", "CTETRA")}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, LargeFieldSolidsSpanThreeLinesAndEightNodesAreNotReported)
{
    ASSERT_TRUE(Read(Card("CHEXA*", {"1", "2", "1", "2"}, 16) +
                     Card("*", {"3", "4", "5", "6"}, 16) + Card("*", {"7", "8"}, 16) +
                     Card("CTETRA*", {"2", "2", "1", "2"}, 16) + Card("*", {"3", "4", "5"}, 16)));
    ASSERT_EQ(2u, m_records.elements.size());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}), Nodes(m_records.elements[0]));
    EXPECT_EQ(115, m_records.elements[0].descriptorId);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Nodes(m_records.elements[1]));
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedHighElement", "CTETRA")}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, PentaContinuationIsMatchedByItsMarkerOrLeftForTheNextCard)
{
    ASSERT_TRUE(Read(Card("CPENTA", {"1", "2", "1", "2", "3", "4", "5", "6", "+P1"}) +
                     Card("+P1", {"7", "8", "9"}) +
                     Card("CPENTA", {"2", "2", "1", "2", "3", "4", "5", "6", "+P2"}) +
                     Card("GRID", {"5", "", "1.", "2.", "3."})));
    ASSERT_EQ(2u, m_records.elements.size());
    ASSERT_EQ(1u, m_records.grids.size());
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedHighElement", "CPENTA")}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, UnknownCardsBeginningWithCAreReportedWithTheirLine)
{
    ASSERT_TRUE(Read("$ comment\nPARAM   POST    -1\nCFOO    1       2\nSPC1    1\n"));
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedElement", "CFOO", 3)}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, CaseControlCommandsAreNoCards)
{
    ASSERT_TRUE(Read("SOL 103\nCEND\nCMETHOD = 9\nSUBCASE 1\nBEGIN BULK\n" +
                     Card("GRID", {"1", "", "0.", "0.", "0."}) + "CFOO    1\n"));
    EXPECT_EQ(1u, m_records.grids.size());
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedElement", "CFOO", 7)}),
              m_output.lines);
}

// The solver reads nothing after ENDDATA, also when an included file holds it.
TEST_F(BulkDataReaderTest, CardsAfterEndDataAreNotRead)
{
    WriteDeck(m_folder, "end.inc",
              Card("GRID", {"2", "", "0.", "0.", "0."}) + "ENDDATA\n" +
                  Card("GRID", {"3", "", "0.", "0.", "0."}));
    ASSERT_TRUE(Read(Card("GRID", {"1", "", "0.", "0.", "0."}) + "INCLUDE 'end.inc'\n" +
                     Card("GRID", {"4", "", "0.", "0.", "0."}) + "CFOO    1\n"));
    ASSERT_EQ(2u, m_records.grids.size());
    EXPECT_EQ(2, m_records.grids[1].id);
    EXPECT_EQ((std::vector<std::string>{"[" + Native(m_folder + "/end.inc") + "]"}),
              m_output.lines);

    m_records.grids.clear();
    ASSERT_TRUE(Read(Card("GRID", {"1", "", "0.", "0.", "0."}) + "enddata\n" +
                     Card("GRID", {"2", "", "0.", "0.", "0."})));
    EXPECT_EQ(1u, m_records.grids.size());
}

TEST_F(BulkDataReaderTest, KnownCardsInAnUnreadableFormAreReportedOncePerName)
{
    ASSERT_TRUE(Read("GRID,1,,0.,0.,0.\nGRID,2,,0.,0.,0.\n" + Card("CBAR", {"5", "1", "1"}) +
                     Card("CBAR", {"6", "1", "1"}) + Card("GRID", {"3", "", "1.", "2.", "3."})));
    EXPECT_EQ(1u, m_records.grids.size());
    EXPECT_TRUE(m_records.elements.empty());
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedElement", "GRID,1,,", 1),
                                        BulkMessage("FormatErrorAtLineNumber", 3)}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, FieldsThatAreNoNumbersReportTheirCardLine)
{
    ASSERT_TRUE(Read(Card("GRID", {"1", "", "0.", "abc", "0."}) +
                     Card("GRID", {"2", "", "0.", "1.x", "0."}) +
                     Card("CQUAD4", {"1", "1", "1", "2", "3", "-5"}) +
                     Card("GRID*", {"3", "2147483647", "0.", "0."}, 16) + "*       0.\n" +
                     // Two values in one field, or text after a number, small or large.
                     Card("GRID", {"4", "", "1.5 3", "0.", "0."}) +
                     Card("CQUAD4", {"2", "1", "7 9", "2", "3", "4"}) +
                     Card("CQUAD4", {"3", "1", "12abc", "2", "3", "4"}) +
                     Card("GRID*", {"5", "", "0.", "2.5  7"}, 16) + "*       0.\n"));
    EXPECT_TRUE(m_records.grids.empty());
    EXPECT_TRUE(m_records.elements.empty());
    std::vector<std::string> expected;
    for (int line : {1, 2, 3, 4, 6, 7, 8, 9})
        expected.push_back(BulkMessage("FormatErrorAtLineNumber", line));
    EXPECT_EQ(expected, m_output.lines);
}

TEST_F(BulkDataReaderTest, CoordinateSystemCards)
{
    ASSERT_TRUE(Read(Card("CORD2R", {"3", "0", "0.", "0.", "0.", "0.", "0.", "1."}) +
                     Card("", {"1.", "0.", "0."}) +
                     Card("CORD2C", {"4", "", "1.", "0.", "0.", "1.", "0.", "1."}) +
                     Card("", {"2.", "0.", "0."}) +
                     Card("CORD1R", {"5", "1", "2", "3", "6", "4", "5", "6"})));
    ASSERT_EQ(4u, m_records.systems.size());
    const SBulkCoordSystem& cord2r = m_records.systems[0];
    EXPECT_EQ(3, cord2r.id);
    EXPECT_FALSE(cord2r.isByGrids);
    EXPECT_DOUBLE_EQ(1.0, cord2r.b[2]);
    EXPECT_DOUBLE_EQ(1.0, cord2r.c[0]);
    EXPECT_EQ(SBulkCoordSystem::Cylindrical, m_records.systems[1].form);
    EXPECT_EQ(0, m_records.systems[1].referenceId);
    EXPECT_DOUBLE_EQ(2.0, m_records.systems[1].c[0]);
    EXPECT_TRUE(m_records.systems[2].isByGrids);
    EXPECT_EQ(5, m_records.systems[2].id);
    EXPECT_EQ(3, m_records.systems[2].gridIds[2]);
    EXPECT_EQ(6, m_records.systems[3].id);
    EXPECT_EQ(4, m_records.systems[3].gridIds[0]);
}

// A continuation whose marker is neither "+" nor "*": taken when it repeats the marker that ends
// the line before, or when the card still lacks the line its fields need.
TEST_F(BulkDataReaderTest, ContinuationsMarkedWithoutPlusOrStarAreTaken)
{
    ASSERT_TRUE(Read(
        Card("CHEXA", {"1", "2", "1", "2", "3", "4", "5", "6", "C1"}) + Card("C1", {"7", "8"}) +
        Card("CHEXA", {"2", "2", "1", "2", "3", "4", "5", "6"}) + Card("C2", {"17", "18"}) +
        Card("CORD2R", {"3", "0", "0.", "0.", "0.", "0.", "0.", "1.", "A9"}) +
        Card("A9", {"1.", "0.", "0."}) +
        // Nothing lacks here: the line is a card of its own, reported.
        Card("CBAR", {"4", "1", "1", "2", "0.", "1.", "0.", "B7"}) + Card("C3", {"9"})));
    ASSERT_EQ(3u, m_records.elements.size());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}), Nodes(m_records.elements[0]));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 17, 18}), Nodes(m_records.elements[1]));
    ASSERT_EQ(1u, m_records.systems.size());
    EXPECT_DOUBLE_EQ(1.0, m_records.systems[0].c[0]);
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NonSupportedElement", "C3", 8)}),
              m_output.lines);
}

// A card that lacks its continuation takes no card of ours for it.
TEST_F(BulkDataReaderTest, MissingContinuationDoesNotSwallowTheNextCard)
{
    ASSERT_TRUE(Read(Card("CHEXA", {"1", "2", "1", "2", "3", "4", "5", "6"}) +
                     Card("GRID", {"9", "", "1.", "2.", "3."})));
    EXPECT_TRUE(m_records.elements.empty());
    ASSERT_EQ(1u, m_records.grids.size());
    EXPECT_EQ((std::vector<std::string>{BulkMessage("FormatErrorAtLineNumber", 1)}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, IncludesAreReadRelativeToTheIncludingFile)
{
    std::filesystem::create_directories(m_folder + "/sub");
    std::filesystem::create_directories(m_folder + "/other");
    WriteDeck(m_folder + "/sub", "part.dat",
              Card("GRID", {"1", "", "0.", "0.", "0."}) + "include '../other/more.inc'\n");
    WriteDeck(m_folder + "/other", "more.inc", Card("GRID", {"2", "", "0.", "0.", "0."}));
    ASSERT_TRUE(Read("INCLUDE 'sub/part.dat'\nInclude 'missing.dat'\n" +
                     Card("GRID", {"3", "", "0.", "0.", "0."})));
    ASSERT_EQ(3u, m_records.grids.size());
    EXPECT_EQ(1, m_records.grids[0].id);
    EXPECT_EQ(2, m_records.grids[1].id);
    EXPECT_EQ(3, m_records.grids[2].id);
    const std::string missing = Native(m_folder + "/missing.dat");
    EXPECT_EQ((std::vector<std::string>{"[" + Native(m_folder + "/sub/part.dat") + "]",
                                        "[" + Native(m_folder + "/sub/../other/more.inc") + "]",
                                        "[" + missing + "]", BulkMessage("NotFound", missing)}),
              m_output.lines);
}

TEST_F(BulkDataReaderTest, IncludeCyclesAreRefused)
{
    WriteDeck(m_folder, "b.inc",
              Card("GRID", {"2", "", "0.", "0.", "0."}) + "INCLUDE 'deck.dat'\n");
    ASSERT_TRUE(Read("INCLUDE 'b.inc'\nINCLUDE './deck.dat'\n" +
                     Card("GRID", {"1", "", "0.", "0.", "0."})));
    EXPECT_EQ(2u, m_records.grids.size());
    const std::string again = Native(m_folder + "/deck.dat");
    const std::string dotted = Native(m_folder + "/./deck.dat");
    EXPECT_EQ((std::vector<std::string>{"[" + Native(m_folder + "/b.inc") + "]", "[" + again + "]",
                                        BulkMessage("IncludeCycle", again, 2), "[" + dotted + "]",
                                        BulkMessage("IncludeCycle", dotted, 2)}),
              m_output.lines);
}

// The same file reached through ".." and through another letter case is the file being read.
TEST_F(BulkDataReaderTest, IncludeCyclesAreFoundWhateverPathLeadsBack)
{
    std::filesystem::create_directories(m_folder + "/sub");
    WriteDeck(m_folder + "/sub", "part.inc",
              Card("GRID", {"2", "", "0.", "0.", "0."}) + "INCLUDE '../sub/part.inc'\n" +
                  "INCLUDE '../DECK.DAT'\n");
    ASSERT_TRUE(Read("INCLUDE 'sub/part.inc'\n" + Card("GRID", {"1", "", "0.", "0.", "0."})));
    EXPECT_EQ(2u, m_records.grids.size());
    const std::string self = Native(m_folder + "/sub/../sub/part.inc");
    const std::string main = Native(m_folder + "/sub/../DECK.DAT");
    EXPECT_EQ((std::vector<std::string>{"[" + Native(m_folder + "/sub/part.inc") + "]",
                                        "[" + self + "]", BulkMessage("IncludeCycle", self, 2),
                                        "[" + main + "]", BulkMessage("IncludeCycle", main, 3)}),
              m_output.lines);
}

// Each of 24 files includes the next twice: read again and again, that would be 2^24 reads.
TEST_F(BulkDataReaderTest, AFileIsReadOnceAnImportHoweverOftenItIsIncluded)
{
    constexpr int kFiles = 24;
    for (int i = 0; i < kFiles; ++i)
    {
        const std::string next = "f" + std::to_string(i + 1) + ".inc";
        const std::string grid = std::to_string(i + 1);
        WriteDeck(m_folder, "f" + std::to_string(i) + ".inc",
                  Card("GRID", {grid.c_str(), "", "0.", "0.", "0."}) +
                      (i + 1 < kFiles ? "INCLUDE '" + next + "'\nINCLUDE '" + next + "'\n" : ""));
    }
    ASSERT_TRUE(Read("INCLUDE 'f0.inc'\n"));
    EXPECT_EQ(static_cast<size_t>(kFiles), m_records.grids.size());
    const std::string again = Native(m_folder + "/f5.inc");
    const auto repeated = std::find(m_output.lines.begin(), m_output.lines.end(),
                                    ImportMessage("IncludeRepeated", {again, 3}));
    EXPECT_NE(m_output.lines.end(), repeated);
}

// A folder named as a deck is said to be no file, at once; the read goes on.
TEST_F(BulkDataReaderTest, OnlyRegularFilesAreRead)
{
    std::filesystem::create_directories(m_folder + "/folder.inc");
    ASSERT_TRUE(Read("INCLUDE 'folder.inc'\n" + Card("GRID", {"1", "", "0.", "0.", "0."})));
    EXPECT_EQ(1u, m_records.grids.size());
    const std::string folder = Native(m_folder + "/folder.inc");
    EXPECT_EQ((std::vector<std::string>{"[" + folder + "]", ImportMessage("NotAFile", {folder})}),
              m_output.lines);
    m_output.lines.clear();
    EXPECT_FALSE(ReadFile(m_folder + "/folder.inc"));
    EXPECT_EQ((std::vector<std::string>{ImportMessage("NotAFile", {m_folder + "/folder.inc"})}),
              m_output.lines);
}

// One huge line cannot make the reader take gigabytes: the file ends there, with a message.
TEST_F(BulkDataReaderTest, ALineFarLongerThanAnyCardEndsTheFile)
{
    const std::string deck = Card("GRID", {"1", "", "0.", "0.", "0."}) +
                             std::string(CBulkLineReader::kMaxLineLength + 10, '$') + "\n" +
                             Card("GRID", {"2", "", "0.", "0.", "0."});
    ASSERT_TRUE(Read(deck));
    EXPECT_EQ(1u, m_records.grids.size());
    EXPECT_EQ((std::vector<std::string>{ImportMessage(
                  "LineTooLong", {m_folder + "/deck.dat", 2,
                                  static_cast<long long>(CBulkLineReader::kMaxLineLength)})}),
              m_output.lines);
}

// Records and output lines in one log, as the receiver and the sink see them.
class CLoggingRecorder : public CBulkRecordTarget, public COutputSink
{
public:
    void AddGrid(const SBulkGrid& grid) override
    {
        log.push_back("GRID " + std::to_string(grid.id));
    }
    void AddCoordSystem(const SBulkCoordSystem&) override { log.push_back("SYSTEM"); }
    void AddElement(const SBulkElement& element) override
    {
        log.push_back("ELEMENT " + std::to_string(element.id));
    }
    void AddOutputLine(const std::string& line) override { log.push_back(line); }

    std::vector<std::string> log;
};

// A deck far longer than the reader's look-ahead: every message comes out between the records
// of the cards around it, as the deck orders them.
TEST_F(BulkDataReaderTest, MessagesKeepTheirPlaceAmongTheRecordsOfALongDeck)
{
    std::string deck;
    std::vector<std::string> expected;
    int line = 0;
    for (int i = 1; i <= 20000; ++i)
    {
        const std::string id = std::to_string(i);
        deck += Card("GRID", {id.c_str(), "", "1.", "2.", "3."});
        ++line;
        expected.push_back("GRID " + id);
        if (i % 997 == 0)
        {
            deck += Card("CFOO", {id.c_str()});
            expected.push_back(BulkMessage("NonSupportedElement", "CFOO", ++line));
        }
        if (i % 1499 == 0)
        {
            deck += Card("CBAR", {id.c_str(), "1", "x", "2"});
            expected.push_back(BulkMessage("FormatErrorAtLineNumber", ++line));
        }
    }
    const std::string path = WriteDeck(m_folder, "long.dat", deck);
    CLoggingRecorder recorder;
    CBulkDataReader reader(recorder, recorder);
    ASSERT_TRUE(reader.ReadBulkData(path));
    EXPECT_EQ(expected, recorder.log);
}

TEST_F(BulkDataReaderTest, MissingFileIsReportedAndFails)
{
    EXPECT_FALSE(ReadFile(m_folder + "/absent.dat"));
    EXPECT_EQ((std::vector<std::string>{BulkMessage("NotFound", m_folder + "/absent.dat")}),
              m_output.lines);
}
} // namespace
