// The recent-project list: reading the INI's entries and recording project files.
#include "app/RecentProjects.h"

#include <gtest/gtest.h>

namespace
{
CRecentProjects Loaded(const char* a, const char* b, const char* c, const char* d)
{
    CRecentProjects list;
    list.Load({CString(a), CString(b), CString(c), CString(d)});
    return list;
}

void ExpectEntries(const CRecentProjects& list, const char* a, const char* b, const char* c,
                   const char* d)
{
    EXPECT_STREQ(a, list[0].GetString());
    EXPECT_STREQ(b, list[1].GetString());
    EXPECT_STREQ(c, list[2].GetString());
    EXPECT_STREQ(d, list[3].GetString());
}
} // namespace

TEST(RecentProjects, LoadDropsEmptyAndRepeatedEntriesWhateverTheirCase)
{
    ExpectEntries(Loaded("a", "", "A", "b"), "a", "b", "", "");
    ExpectEntries(Loaded("", "", "", ""), "", "", "", "");
    ExpectEntries(Loaded("x", "y", "z", "w"), "x", "y", "z", "w");
}

TEST(RecentProjects, RecordedPathLosesLeadingBlanksAndItsFirstDoubledBackslash)
{
    CRecentProjects list;
    list.Record("  C:\\work\\\\models\\\\plate.mpj");
    EXPECT_STREQ("C:\\work\\models\\\\plate.mpj", list[0].GetString());
    // A network path keeps the pair it starts with.
    list.Record("\\\\server\\share\\p.mpj");
    EXPECT_STREQ("\\\\server\\share\\p.mpj", list[0].GetString());
}

TEST(RecentProjects, MatchInAnyCaseMovesToTheTopInTheNewCase)
{
    CRecentProjects list = Loaded("C:\\a.mpj", "C:\\b.mpj", "C:\\c.mpj", "");
    list.Record("c:\\B.MPJ");
    ExpectEntries(list, "c:\\B.MPJ", "C:\\a.mpj", "C:\\c.mpj", "");
    // The top entry in another letter case changes nothing.
    list.Record("C:\\b.mpj");
    ExpectEntries(list, "c:\\B.MPJ", "C:\\a.mpj", "C:\\c.mpj", "");
}

TEST(RecentProjects, FifthPathDropsTheOldest)
{
    CRecentProjects list = Loaded("1.mpj", "2.mpj", "3.mpj", "4.mpj");
    list.Record("5.mpj");
    ExpectEntries(list, "5.mpj", "1.mpj", "2.mpj", "3.mpj");
}

TEST(RecentProjects, IniKeysCountFromZero)
{
    EXPECT_STREQ("MRU0", CRecentProjects::KeyOf(0).GetString());
    EXPECT_STREQ("MRU3", CRecentProjects::KeyOf(3).GetString());
}
