// The in-memory project file against the profile functions: the same reads, and (under Wine,
// where the real functions run) the same bytes after the same writes.
#include "project/ProjectFile.h"

#include "platform/base/os.h"
#include "tests/support/ProjectTestSupport.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{
const char kProfile[] = "[Environment]\r\n"
                        "Language = English \r\n"
                        "\r\n"
                        "[Quotes]\r\n"
                        "double = \"quoted value\"\r\n"
                        "single='x'\r\n"
                        "lone = \"abc\r\n"
                        "[Dup]\r\n"
                        "Key=first\r\n"
                        "KEY=second\r\n"
                        "[Spaces]\r\n"
                        "   Padded Key   =   padded = value   \r\n"
                        "empty=\r\n"
                        "noequals\r\n"
                        "[ Trimmed ]\r\n"
                        "t=1\r\n"
                        "[abc\r\n"
                        "k=in Trimmed\r\n"
                        "[a]b]\r\n"
                        "z=last bracket\r\n"
                        "[Dup]\r\n"
                        "later=hidden\r\n"
                        "[Last]\r\n"
                        "tail=end";

struct ReadCase
{
    const char* section;
    const char* key;
    const char* expected; // null: not found
};

const ReadCase kReads[] = {
    {"Environment", "Language", "English"},
    {"ENVIRONMENT", "language", "English"},
    {"Quotes", "double", "quoted value"},
    {"Quotes", "single", "x"},
    {"Quotes", "lone", "\"abc"},
    {"Dup", "key", "first"},
    {"Dup", "later", nullptr}, // only the first section of a name counts
    {"Spaces", "padded key", "padded = value"},
    {"Spaces", "empty", ""},
    {"Spaces", "noequals", nullptr},
    {"Trimmed", "t", "1"},
    {"Trimmed", "k", "in Trimmed"}, // "[abc" opens no section
    {"abc", "k", nullptr},
    {"a]b", "z", "last bracket"},
    {"Last", "tail", "end"},
    {"Environment", "Missing", nullptr},
    {"NoSuchSection", "Language", nullptr},
};

std::string Found(const CProjectFile& file, const ReadCase& c)
{
    std::string value;
    return file.Find(c.section, c.key, &value, 1023) ? value : "<missing>";
}
} // namespace

TEST(ProjectFile, ReadsByTheProfileRules)
{
    CProjectFile file;
    file.Parse(kProfile);
    for (const ReadCase& c : kReads)
    {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(c.expected ? c.expected : "<missing>", Found(file, c));
    }
    std::string value;
    ASSERT_TRUE(file.Find("Spaces", "padded key", &value, 4));
    EXPECT_EQ("padd", value);
}

// The real profile functions read the same text the same way (Wine's under Windows).
TEST(ProjectFile, ReadsAsTheProfileFunctionsRead)
{
    CProjectFolders folders("project_file_reads");
    const std::string path = folders.DataFile("profile.ini");
    CProjectFolders::WriteBytes(path, kProfile);
    CProjectFile file;
    ASSERT_TRUE(file.Load(path));
    for (const ReadCase& c : kReads)
    {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        const std::string real =
            fw::os::ReadProfileString(path, c.section, c.key, "<missing>", 1024);
        if (c.expected != nullptr && real != "<missing>")
        {
            EXPECT_EQ(real, Found(file, c));
        }
    }
}

TEST(ProjectFile, WritesInTheProfileForm)
{
    CProjectFile file;
    file.Write("Path", "InputFileCount", "1");
    file.Write("Path", "InputFile0", "c:\\x.dat");
    file.Write("ViewSettings", "ViewCnt", "2");
    file.Write("ViewSettings1", "ViewID", "1");
    file.Write("ViewSettings2", "ViewID", "2");
    file.Write("path", "INPUTFILECOUNT", " 2 "); // keeps the key's spelling and place
    file.Write("Path", "InputFile1", "two\r\nlines");
    file.EraseSection("viewsettings1");
    file.Write("ViewSettings1", "ViewID", "1"); // a new section goes last
    EXPECT_EQ(CrLf({"[Path]", "InputFileCount=2", "InputFile0=c:\\x.dat", "InputFile1=two  lines",
                    "[ViewSettings]", "ViewCnt=2", "[ViewSettings2]", "ViewID=2", "[ViewSettings1]",
                    "ViewID=1"}),
              file.ToText());
    EXPECT_TRUE(file.IsModified());
}

// What is read, written and read again is what was read first: a value with its own quotes
// keeps them, and a NUL byte ends a name or value as it ends a C string.
TEST(ProjectFile, AValueReadAndWrittenBackReadsTheSame)
{
    const std::string text = std::string("[S]\r\nquoted=\"\"a\"\"\r\nsingle=\"'b'\"\r\n") +
                             "two=\"\"\"\"\r\nnul=c" + '\0' + "d\r\ncr=e\rf\r\n[T" + '\0' +
                             "x]\r\nk" + '\0' + "y=1\r\n";
    const struct
    {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {{"S", "quoted", "\"a\""}, {"S", "single", "'b'"}, {"S", "two", "\"\""},
                 {"S", "nul", "c"},        {"S", "cr", "e f"},     {"T", "k", "1"}};
    CProjectFile first;
    first.Parse(text);
    CProjectFile second;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        std::string value;
        ASSERT_TRUE(first.Find(c.section, c.key, &value, 1023));
        EXPECT_EQ(c.value, value);
        second.Write(c.section, c.key, value);
    }
    CProjectFile reread;
    reread.Parse(second.ToText());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("again ") + c.section + "/" + c.key);
        std::string value;
        ASSERT_TRUE(reread.Find(c.section, c.key, &value, 1023));
        EXPECT_EQ(c.value, value);
    }
}

TEST(ProjectFile, NormalisesWhatItReadsAndKnowsWhetherItChanged)
{
    CProjectFile file;
    file.Parse("; comment\r\ntop=1\r\n\r\n[S]\r\n  Key = v1 \r\n\r\n[T]\r\nx=1\r\n");
    EXPECT_EQ(CrLf({"; comment", "top=1", "[S]", "Key=v1", "[T]", "x=1"}), file.ToText());
    file.Write("S", "key", "v1");
    EXPECT_FALSE(file.IsModified());
    file.Write("S", "key", "v2");
    EXPECT_TRUE(file.IsModified());
    EXPECT_EQ(2u, file.GetEntryCount("Path") + file.GetEntryCount("s") + file.GetEntryCount("T"));
}

TEST(ProjectFile, FindsNumberedSectionsAndErasesTheFirstOfTwo)
{
    CProjectFile file;
    file.Parse("[Group 0]\r\na=1\r\n[group 12]\r\n[Group x]\r\n[Group]\r\n[Group 0]\r\nb=2\r\n");
    EXPECT_EQ((std::vector<long long>{0, 12, 0}), file.GetNumberedSections("Group "));
    std::string value;
    file.EraseSection("Group 0");
    EXPECT_TRUE(file.Find("Group 0", "b", &value, 10));
    EXPECT_EQ("2", value);
    EXPECT_EQ((std::vector<long long>{12, 0}), file.GetNumberedSections("GROUP "));
}

// The same writes through the profile functions and through the file give the same values;
// under Wine, where the real functions run, the same bytes too.
TEST(ProjectFile, MatchesTheProfileFunctionsAfterTheSameWrites)
{
    CProjectFolders folders("project_file_same");
    const std::string start = CrLf({"[Path]", "InputFileCount=3", "InputFile0=a.dat", "[Old]",
                                    "k=1", "[ViewSettings]", "ViewCnt=1"});
    const std::string realPath = folders.DataFile("real.mpj");
    CProjectFolders::WriteBytes(realPath, start);
    struct WriteStep
    {
        const char* section;
        const char* key;
        const char* value;
    };
    const WriteStep steps[] = {{"Path", "InputFileCount", "2"},
                               {"Path", "InputFile1", "b.op2"},
                               {"viewsettings", "DisplayFilters", "63"},
                               {"New", "GroupID", "5"},
                               {"Old", "K", "2"},
                               {"Path", "InputFile0", "c.unv"}};
    CProjectFile file;
    file.Parse(start);
    for (const WriteStep& step : steps)
    {
        ASSERT_TRUE(fw::os::StoreProfileString(realPath, step.section, step.key, step.value));
        file.Write(step.section, step.key, step.value);
    }
#ifdef _WIN32
    ASSERT_TRUE(WritePrivateProfileStringA("Old", nullptr, nullptr, realPath.c_str()));
    file.EraseSection("Old");
    ASSERT_TRUE(WritePrivateProfileStringA("Old", "k", "3", realPath.c_str()));
    file.Write("Old", "k", "3");
    EXPECT_EQ(CProjectFolders::ReadBytes(realPath), file.ToText());
#endif
    for (const WriteStep& step : steps)
    {
        std::string value;
        EXPECT_TRUE(file.Find(step.section, step.key, &value, 1023));
        EXPECT_EQ(fw::os::ReadProfileString(realPath, step.section, step.key, "", 1024), value);
    }
}

TEST(ProjectFile, SavesThroughATemporaryFileAndKeepsTheOldOneOnFailure)
{
    CProjectFolders folders("project_file_save");
    const std::string path = folders.DataFile("p.mpj");
    CProjectFile file;
    file.Write("Path", "InputFileCount", "0");
    ASSERT_TRUE(file.Save(path));
    EXPECT_EQ(CrLf({"[Path]", "InputFileCount=0"}), CProjectFolders::ReadBytes(path));
    EXPECT_FALSE(CProjectFolders::Exists(path + ".tmp"));

    CProjectFile other;
    other.Write("Path", "InputFileCount", "1");
    EXPECT_FALSE(other.Save(folders.DataFile("absent\\p.mpj")));

    CProjectFile loaded;
    EXPECT_TRUE(loaded.Load(path));
    EXPECT_FALSE(loaded.Load(folders.DataFile("none.mpj")));
    EXPECT_EQ("", loaded.ToText());
}

namespace
{
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes)
{
    CProjectFolders::WriteBytes(path.string(), bytes);
}

void MakeReadOnly(const fs::path& path)
{
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.string().c_str(), FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#endif
}

// What lies beside the project file "p.mpj" before the save, and what the save must do: write
// the project text into one file (none when it must fail) and change nothing else.
struct SaveCase
{
    const char* name;
    void (*setUp)(const fs::path& folder);
    const char* writtenFile; // relative to the folder; null: the save fails
};

const SaveCase kSaveCases[] = {
    {"a new file", [](const fs::path&) {}, "p.mpj"},
    {"an earlier project", [](const fs::path& d) { WriteFile(d / "p.mpj", "[Path]\r\n"); },
     "p.mpj"},
    {"a user's file named like an old temporary",
     [](const fs::path& d)
     {
         WriteFile(d / "p.mpj", "[Path]\r\n");
         WriteFile(d / "p.mpj.tmp", "notes of the user\r\n");
     },
     "p.mpj"},
    {"a folder named like an old temporary",
     [](const fs::path& d)
     {
         WriteFile(d / "p.mpj", "[Path]\r\n");
         fs::create_directory(d / "p.mpj.tmp");
     },
     "p.mpj"},
    {"a read-only project",
     [](const fs::path& d)
     {
         WriteFile(d / "p.mpj", "[Path]\r\nInputFileCount=0\r\n");
         MakeReadOnly(d / "p.mpj");
     },
     nullptr},
    {"a folder in the project's place",
     [](const fs::path& d) { fs::create_directory(d / "p.mpj"); }, nullptr},
#ifndef _WIN32
    {"a link named like an old temporary",
     [](const fs::path& d)
     {
         WriteFile(d / "victim.txt", "not a project\r\n");
         fs::create_symlink("victim.txt", d / "p.mpj.tmp");
     },
     "p.mpj"},
    {"a project opened through a link",
     [](const fs::path& d)
     {
         fs::create_directory(d / "real");
         WriteFile(d / "real" / "r.mpj", "[Path]\r\n");
         fs::create_symlink("real/r.mpj", d / "p.mpj");
     },
     "real/r.mpj"},
    {"a chain of links",
     [](const fs::path& d)
     {
         WriteFile(d / "r.mpj", "[Path]\r\n");
         fs::create_symlink(d / "r.mpj", d / "q.mpj");
         fs::create_symlink("q.mpj", d / "p.mpj");
     },
     "r.mpj"},
    {"a link to a file not yet there",
     [](const fs::path& d) { fs::create_symlink("new.mpj", d / "p.mpj"); }, "new.mpj"},
    {"a link to a read-only project",
     [](const fs::path& d)
     {
         WriteFile(d / "r.mpj", "[Path]\r\n");
         MakeReadOnly(d / "r.mpj");
         fs::create_symlink("r.mpj", d / "p.mpj");
     },
     nullptr},
    {"a loop of links",
     [](const fs::path& d)
     {
         fs::create_symlink("q.mpj", d / "p.mpj");
         fs::create_symlink("p.mpj", d / "q.mpj");
     },
     nullptr},
    {"a FIFO in the project's place",
     [](const fs::path& d) { ASSERT_EQ(0, mkfifo((d / "p.mpj").c_str(), 0644)); }, nullptr},
    {"a link to a device", [](const fs::path& d) { fs::create_symlink("/dev/null", d / "p.mpj"); },
     nullptr},
#endif
};
} // namespace

// Saving writes only the file that the user named (or the file its link names), never through
// a file, folder or link that happens to have the temporary's name; whatever fails changes
// nothing, and no temporary stays behind.
TEST(ProjectFile, SaveChangesOnlyTheNamedFile)
{
    CProjectFile file;
    file.Write("Path", "InputFileCount", "2");
    const std::string text = file.ToText();
    for (const SaveCase& c : kSaveCases)
    {
        SCOPED_TRACE(c.name);
        CProjectFolders folders("project_file_cases");
        const fs::path folder = CProjectFolders::Native(folders.Path("data"));
        c.setUp(folder);
        std::map<std::string, std::string> expected = SnapshotFolder(folder.string());
        if (c.writtenFile != nullptr)
            expected[c.writtenFile] = "file rw " + text;

        EXPECT_EQ(c.writtenFile != nullptr, file.Save(folders.DataFile("p.mpj")));

        EXPECT_EQ(expected, SnapshotFolder(folder.string()));
#ifdef _WIN32
        const DWORD attributes = GetFileAttributesA((folder / "p.mpj").string().c_str());
        if (std::string(c.name) == "a read-only project")
            EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_READONLY);
#endif
        // Leave nothing read-only for the folder's removal.
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        {
            if (fs::is_regular_file(entry.symlink_status()))
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
        }
    }
}

#ifndef _WIN32
// A write that fails half way (the disk full, a quota) leaves the earlier file and removes only
// the temporary file that this save made.
TEST(ProjectFile, AFailedWriteLeavesTheEarlierFileAndNoTemporary)
{
    CProjectFolders folders("project_file_full");
    const fs::path folder = CProjectFolders::Native(folders.Path("data"));
    WriteFile(folder / "p.mpj", "[Path]\r\nInputFileCount=1\r\n");
    WriteFile(folder / "p.mpj.tmp", "notes\r\n");
    const std::map<std::string, std::string> before = SnapshotFolder(folder.string());
    CProjectFile file;
    file.Write("Path", "InputFileCount", "2");
    file.Write("Path", "InputFile0", std::string(4000, 'x'));

    // Files past 1,000 bytes cannot be written while the limit holds.
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    void (*savedHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    const bool isSaved = file.Save(folders.DataFile("p.mpj"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(isSaved);
    EXPECT_EQ(before, SnapshotFolder(folder.string()));
}
#endif
