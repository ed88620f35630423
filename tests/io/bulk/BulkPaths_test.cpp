#include "io/bulk/BulkPaths.h"

#include "tests/support/BulkTestSupport.h"

#include <gtest/gtest.h>

using bulk_test::Native;

namespace
{
struct IncludeCase
{
    const char* includingPath;
    const char* name;
    const char* expected; // in "/" separators
};

const IncludeCase kIncludes[] = {
    {"C:\\m\\main.dat", "sub/part.dat", "C:/m/sub/part.dat"},
    {"models/main.bdf", "../bulk/a.blk", "models/../bulk/a.blk"},
    {"main.dat", "geom.inc", "geom.inc"},
    {"/decks/main.dat", "/abs/x.inc", "/abs/x.inc"},
    {"C:\\m\\main.dat", "D:\\x.inc", "D:/x.inc"},
};

TEST(BulkPaths, IncludesAreRelativeToTheIncludingDeck)
{
    for (const IncludeCase& c : kIncludes)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Native(c.expected), IncludedPath(c.includingPath, c.name));
    }
}

TEST(BulkPaths, FolderStopsAtTheLastSeparator)
{
    EXPECT_EQ("C:\\m", FolderOf("C:\\m\\main.dat"));
    EXPECT_EQ("../shared/x", FolderOf("../shared/x/a.bdf"));
    EXPECT_EQ("", FolderOf("a.bdf"));
}

// "表" is 0x95 0x5C in code page 932: its second byte is no separator.
TEST(BulkPaths, SecondByteOfADoubleByteCharacterIsNoSeparator)
{
    if (!IsPathLeadByte('\x95'))
        GTEST_SKIP() << "the file-name code page has no double-byte characters";
    const std::string folder = "C:\\\x95\x5C";
    EXPECT_EQ(folder, FolderOf(folder + "\\main.dat"));
    EXPECT_EQ(folder + "\\geom.inc", IncludedPath(folder + "\\main.dat", "geom.inc"));
}
} // namespace
