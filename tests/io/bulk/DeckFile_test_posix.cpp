// What only POSIX systems make easy: FIFOs, devices and folder links named by includes.
#include "io/bulk/BulkDataReader.h"
#include "io/bulk/BulkMessages.h"
#include "io/results/ImportMessages.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using bulk_test::Card;
using bulk_test::CCapturedOutput;
using bulk_test::WriteDeck;

namespace
{
class CGridCount : public CBulkRecordTarget
{
public:
    void AddGrid(const SBulkGrid&) override { ++grids; }
    void AddCoordSystem(const SBulkCoordSystem&) override {}
    void AddElement(const SBulkElement&) override {}
    int grids = 0;
};
} // namespace

// Opening a FIFO for reading would wait for a writer for ever.
TEST(DeckFilePosix, FifosAndDevicesAreRefusedAtOnce)
{
    const std::string folder = testing_support::MakeTempDir("deck_fifo");
    const std::string fifo = folder + "/pipe.inc";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const std::string deck = WriteDeck(folder, "deck.dat",
                                       "INCLUDE 'pipe.inc'\nINCLUDE '/dev/zero'\n" +
                                           Card("GRID", {"1", "", "0.", "0.", "0."}));
    CGridCount target;
    CCapturedOutput output;
    CBulkDataReader reader(target, output);
    ASSERT_TRUE(reader.ReadBulkData(deck));
    EXPECT_EQ(1, target.grids);
    EXPECT_EQ((std::vector<std::string>{"[" + fifo + "]", ImportMessage("NotAFile", {fifo}),
                                        "[/dev/zero]", ImportMessage("NotAFile", {"/dev/zero"})}),
              output.lines);
}

TEST(DeckFilePosix, AFolderLinkBackToTheDeckIsACycle)
{
    const std::string folder = testing_support::MakeTempDir("deck_link");
    std::filesystem::create_directory_symlink(folder, folder + "/again");
    const std::string deck =
        WriteDeck(folder, "deck.dat",
                  Card("GRID", {"1", "", "0.", "0.", "0."}) + "INCLUDE 'again/deck.dat'\n");
    CGridCount target;
    CCapturedOutput output;
    CBulkDataReader reader(target, output);
    ASSERT_TRUE(reader.ReadBulkData(deck));
    EXPECT_EQ(1, target.grids);
    const std::string linked = folder + "/again/deck.dat";
    EXPECT_EQ(
        (std::vector<std::string>{"[" + linked + "]", BulkMessage("IncludeCycle", linked, 2)}),
        output.lines);
}
