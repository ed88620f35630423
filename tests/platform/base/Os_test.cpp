// The seam's INI access runs the same cases natively (our emulation) and under Wine (the real
// profile functions), which is how the emulation is checked.
#include "platform/base/os.h"

#include "tests/support/TestPaths.h"
#include "tests/support/UnixSide.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <sddl.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace
{
std::string WriteTextFile(const std::string& folder, const std::string& name,
                          const std::string& text)
{
    const std::string path = folder + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << text;
    return path;
}

std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
                        "[Last]\r\n"
                        "tail=end";

struct ReadCase
{
    const char* section;
    const char* key;
    const char* defaultValue;
    const char* expected;
};

const ReadCase kReads[] = {
    {"Environment", "Language", "", "English"},
    {"ENVIRONMENT", "language", "", "English"},
    {"Quotes", "double", "", "quoted value"},
    {"Quotes", "single", "", "x"},
    {"Quotes", "lone", "", "\"abc"},
    {"Dup", "key", "", "first"},
    {"Spaces", "padded key", "", "padded = value"},
    {"Spaces", "empty", "fallback", ""},
    {"Last", "tail", "", "end"},
    {"Environment", "Missing", "fallback  ", "fallback"},
    {"NoSuchSection", "Language", "  lead", "  lead"},
};
} // namespace

TEST(OsProfile, ReadsByTheProfileRules)
{
    const std::string dir = testing_support::MakeTempDir("os_profile_read");
    const std::string file = WriteTextFile(dir, "read.ini", kProfile);
    for (const ReadCase& c : kReads)
    {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(c.expected,
                  fw::os::ReadProfileString(file, c.section, c.key, c.defaultValue, 256));
    }
    EXPECT_EQ("dflt",
              fw::os::ReadProfileString(dir + "/none.ini", "Environment", "Language", "dflt", 256));
}

TEST(OsProfile, CutsValuesToTheBuffer)
{
    const std::string dir = testing_support::MakeTempDir("os_profile_cut");
    const std::string longValue(300, 'v');
    const std::string file = WriteTextFile(dir, "cut.ini", "[S]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(std::string(255, 'v'), fw::os::ReadProfileString(file, "S", "k", "", 256));
    EXPECT_EQ("vvv", fw::os::ReadProfileString(file, "S", "k", "", 4));
    EXPECT_EQ("", fw::os::ReadProfileString(file, "S", "k", "", 0));
    EXPECT_EQ("ab", fw::os::ReadProfileString(file, "S", "missing", "abcdef", 3));
}

TEST(OsProfile, WritesCreateAndReplace)
{
    const std::string dir = testing_support::MakeTempDir("os_profile_write");
    const std::string file = dir + "/sub/../written.ini";

    // The file, then a section, then a key are created; a later write replaces the value.
    ASSERT_TRUE(fw::os::StoreProfileString(file, "Environment", "Language", "English"));
    ASSERT_TRUE(fw::os::StoreProfileString(file, "Environment", "Version", "3"));
    ASSERT_TRUE(fw::os::StoreProfileString(file, "MRU", "MRU0", "c:\\a.mpj"));
    ASSERT_TRUE(fw::os::StoreProfileString(file, "environment", "LANGUAGE", "Japanese"));
    ASSERT_TRUE(fw::os::StoreProfileString(file, "Environment", "Blank", ""));

    EXPECT_EQ("Japanese", fw::os::ReadProfileString(file, "Environment", "Language", "", 256));
    EXPECT_EQ("3", fw::os::ReadProfileString(file, "Environment", "Version", "", 256));
    EXPECT_EQ("c:\\a.mpj", fw::os::ReadProfileString(file, "MRU", "MRU0", "", 256));
    EXPECT_EQ("", fw::os::ReadProfileString(file, "Environment", "Blank", "d", 256));

    const std::string text = ReadTextFile(dir + "/written.ini");
    EXPECT_NE(std::string::npos, text.find("Version=3"));
    EXPECT_EQ(std::string::npos, text.find("English"));
    EXPECT_LT(text.find("[Environment]"), text.find("[MRU]"));
}

TEST(OsProfile, WriteKeepsOtherEntriesAndReplacesTheFirstOfTwo)
{
    const std::string dir = testing_support::MakeTempDir("os_profile_keep");
    const std::string file = WriteTextFile(dir, "keep.ini", kProfile);
    ASSERT_TRUE(fw::os::StoreProfileString(file, "Dup", "key", "new"));
    ASSERT_TRUE(fw::os::StoreProfileString(file, "Last", "added", "1"));
    EXPECT_EQ("new", fw::os::ReadProfileString(file, "Dup", "Key", "", 256));
    EXPECT_EQ("1", fw::os::ReadProfileString(file, "Last", "added", "", 256));
    EXPECT_EQ("end", fw::os::ReadProfileString(file, "Last", "tail", "", 256));
    EXPECT_EQ("x", fw::os::ReadProfileString(file, "Quotes", "single", "", 256));
    EXPECT_EQ("English", fw::os::ReadProfileString(file, "Environment", "Language", "", 256));
}

TEST(OsProfile, WriteIntoAMissingFolderFails)
{
    const std::string dir = testing_support::MakeTempDir("os_profile_nofolder");
    EXPECT_FALSE(fw::os::StoreProfileString(dir + "/absent/x.ini", "S", "k", "v"));
}

TEST(OsFile, WritesToDiskAndReplacesInOneMove)
{
    const std::string dir = testing_support::MakeTempDir("os_replace");
    const std::string target = WriteTextFile(dir, "target.txt", "old");
    const std::string temporary = dir + "/target.txt.tmp";
    ASSERT_TRUE(fw::os::WriteFileToDisk(temporary, "new\r\ncontent"));
    ASSERT_TRUE(fw::os::MoveFileReplacing(temporary, target));
    EXPECT_EQ("new\r\ncontent", ReadTextFile(target));
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_FALSE(fw::os::WriteFileToDisk(dir + "/absent/x.txt", "x"));
    EXPECT_FALSE(fw::os::MoveFileReplacing(dir + "/none.txt", target));
    EXPECT_EQ("new\r\ncontent", ReadTextFile(target));
}

TEST(OsFile, TemporaryNamesAreShortAndBesideTheTarget)
{
    struct Case
    {
        const char* path;
        unsigned long number;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\data\\results.csv", 42, "C:\\data\\~42.tmp"},
        {"/data/p.mpj", 1234567, "/data/~3456"},
        {"sheet.csv", 99999, "~99999"},
        {"d/x", 7, "d/~7"},
        {"d/", 5, "d/~5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, fw::os::TemporaryNameBeside(c.path, c.number)) << c.path;
}

namespace
{
// Each entry of the folder and below: a file's bytes, a folder, or where a link points.
void ListFolder(const std::filesystem::path& root, const std::filesystem::path& folder,
                std::map<std::string, std::string>& entries)
{
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    {
        const std::string name = entry.path().lexically_relative(root).generic_string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status))
            entries[name] = "link -> " + fs::read_symlink(entry.path()).generic_string();
        else if (fs::is_directory(status))
        {
            entries[name] = "folder";
            ListFolder(root, entry.path(), entries);
        }
        else
            entries[name] = ReadTextFile(entry.path().string());
    }
}

std::map<std::string, std::string> ListFolder(const std::string& folder)
{
    std::map<std::string, std::string> entries;
    ListFolder(folder, folder, entries);
    return entries;
}

#ifdef _WIN32
constexpr std::size_t kLongestPath = 255; // as the CSV file dialog gives it
#else
constexpr std::size_t kLongestPath = 0; // the name is the limit
#endif
constexpr std::size_t kLongestName = 250;

// A file name that makes folder + "/" + name kLongestPath characters long; natively, one of
// kLongestName characters.
std::string LongName(const std::string& folder, const char* extension)
{
    const std::size_t length = kLongestPath > 0 ? kLongestPath - folder.size() - 1 : kLongestName;
    return std::string(length - std::strlen(extension), 'n') + extension;
}
} // namespace

// A save writes the file the user named, or the one its link names, whole; a name near the
// length limit is no obstacle, since the temporary's name is no longer than the target's.
TEST(OsFile, SaveWholeFileWritesTheNamedFileOrTheLinksTarget)
{
    namespace fs = std::filesystem;
    struct Case
    {
        const char* name;
        // Makes the files of the case in the folder; returns the name to save to.
        std::string (*setUp)(const std::string& folder);
        const char* writtenFile; // relative to the folder, "" for the name returned; null: fails
    };
    const Case cases[] = {
        {"an earlier file",
         [](const std::string& d)
         { return WriteTextFile(d, "sheet.csv", "old"), std::string("sheet.csv"); },
         ""},
        {"a long name", [](const std::string& d) { return LongName(d, ".csv"); }, ""},
        {"a long name over an earlier file",
         [](const std::string& d)
         {
             const std::string name = LongName(d, ".csv");
             WriteTextFile(d, name, "old");
             return name;
         },
         ""},
        {"a read-only file",
         [](const std::string& d)
         {
             fs::permissions(WriteTextFile(d, "sheet.csv", "old"), fs::perms::owner_read |
                                                                       fs::perms::group_read |
                                                                       fs::perms::others_read);
             return std::string("sheet.csv");
         },
         nullptr},
#ifndef _WIN32
        {"a link to a file in another folder",
         [](const std::string& d)
         {
             fs::create_directory(d + "/real");
             WriteTextFile(d, "real/r.csv", "old");
             fs::create_symlink("real/r.csv", d + "/sheet.csv");
             return std::string("sheet.csv");
         },
         "real/r.csv"},
        {"a chain of links to a long name",
         [](const std::string& d)
         {
             const std::string name = LongName(d, ".csv");
             WriteTextFile(d, name, "old");
             fs::create_symlink(d + "/" + name, d + "/q.csv");
             fs::create_symlink("q.csv", d + "/sheet.csv");
             return std::string("sheet.csv");
         },
         "long"},
        {"a link to a file not yet there",
         [](const std::string& d)
         {
             fs::create_symlink("new.csv", d + "/sheet.csv");
             return std::string("sheet.csv");
         },
         "new.csv"},
        {"a loop of links",
         [](const std::string& d)
         {
             fs::create_symlink("q.csv", d + "/sheet.csv");
             fs::create_symlink("sheet.csv", d + "/q.csv");
             return std::string("sheet.csv");
         },
         nullptr},
#endif
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string folder = testing_support::MakeTempDir("os_save");
        const std::string name = c.setUp(folder);
        std::map<std::string, std::string> expected = ListFolder(folder);
        if (c.writtenFile != nullptr)
        {
            const std::string written = std::string(c.writtenFile) == "long"
                                            ? LongName(folder, ".csv")
                                        : *c.writtenFile == '\0' ? name
                                                                 : c.writtenFile;
            expected[written] = "new,1\r\n";
        }

        EXPECT_EQ(c.writtenFile != nullptr,
                  fw::os::SaveWholeFile(folder + "/" + name, "new,1\r\n"));

        EXPECT_EQ(expected, ListFolder(folder));
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        {
            if (fs::is_regular_file(entry.symlink_status()))
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
        }
    }
}

#ifdef _WIN32
namespace
{
std::vector<BYTE> AccessListOf(const std::string& path)
{
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<BYTE> descriptor(needed);
    if (needed == 0 || !GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(),
                                         needed, &needed))
        return {};
    return descriptor;
}

// Only the user running the test may open the file, nobody else: a private project file.
bool MakePrivate(const std::string& path)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    std::vector<BYTE> user(256);
    DWORD length = 0;
    const bool hasUser =
        GetTokenInformation(token, TokenUser, user.data(), DWORD(user.size()), &length) != FALSE;
    CloseHandle(token);
    char* sidText = nullptr;
    if (!hasUser ||
        !ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sidText))
        return false;
    const std::string rules = std::string("D:P(A;;FA;;;") + sidText + ")";
    LocalFree(sidText);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(rules.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return false;
    const bool isSet =
        SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor) != FALSE;
    LocalFree(descriptor);
    return isSet;
}
} // namespace

// A save puts a new file in the old one's place: it keeps the old one's attributes and access
// list, and a save that fails leaves the old file as it was.
TEST(OsFile, SaveKeepsTheReplacedFilesAttributesAndAccessList)
{
    struct Case
    {
        const char* name;
        DWORD attributes;
        bool isPrivate;
    };
    const Case cases[] = {
        {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
        {"hidden and system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false},
        {"read-only cleared", FILE_ATTRIBUTE_READONLY, false},
        {"private", 0, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string folder = testing_support::MakeTempDir("os_keep");
        const std::string path = WriteTextFile(folder, "p.mpj", "old");
        if (c.attributes != 0)
        {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        }
        if ((c.attributes & FILE_ATTRIBUTE_READONLY) != 0)
        {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
        }
        if (c.isPrivate)
        {
            ASSERT_TRUE(MakePrivate(path));
        }
        const DWORD attributes = GetFileAttributesA(path.c_str());
        const std::vector<BYTE> accessList = AccessListOf(path);
        ASSERT_FALSE(accessList.empty());

        ASSERT_TRUE(fw::os::SaveWholeFile(path, "new"));
        EXPECT_EQ("new", ReadTextFile(path));
        EXPECT_EQ(attributes, GetFileAttributesA(path.c_str()));
        EXPECT_EQ(accessList, AccessListOf(path));

        // Held open by someone who lets nobody replace it: the save fails, nothing changes.
        const HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, holder);
        EXPECT_FALSE(fw::os::SaveWholeFile(path, "newer"));
        CloseHandle(holder);
        EXPECT_EQ("new", ReadTextFile(path));
        EXPECT_EQ(attributes, GetFileAttributesA(path.c_str()));
        EXPECT_EQ(accessList, AccessListOf(path));
        EXPECT_EQ(1u, ListFolder(folder).size());
    }
}

namespace
{
// What the Unix side shows of a file: mode, owner, group, link count, and its access entries
// where the system has them.
std::string UnixProtectionOf(const std::string& path)
{
    const std::string name = testing_support::ShellQuoted(testing_support::UnixName(path));
    std::string shown;
    testing_support::RunUnixShell("stat -c '%a %u %g %h' " + name +
                                      "; command -v getfacl >/dev/null && getfacl -cp " + name,
                                  &shown);
    return shown;
}

bool HasAccessEntries(const std::string& folder)
{
    const std::string name = testing_support::ShellQuoted(testing_support::UnixName(folder));
    return testing_support::RunUnixShell("command -v setfacl && touch " + name +
                                         "/probe && setfacl -m u:4321:r " + name + "/probe");
}
} // namespace

// Under Wine a file made anew takes a mode that Wine works out from an access list, which
// cannot carry a Unix mode: a save writes over the file itself, so that nobody gains or loses a
// right, its links stay links and no temporary is left.
TEST(OsFile, ASaveUnderWineKeepsTheFilesModeOwnerGroupLinksAndAccessEntries)
{
    if (testing_support::UnixName("C:\\").empty())
        GTEST_SKIP() << "not under Wine: there is no Unix mode to keep";
    const bool isRoot = []
    {
        std::string id;
        return testing_support::RunUnixShell("id -u", &id) && std::atoi(id.c_str()) == 0;
    }();
    struct Case
    {
        const char* name;
        const char* setUp; // shell commands on the file "$f"
        bool needsRoot;
        bool needsAccessEntries;
    };
    const Case cases[] = {
        {"0644, as Save As writes it", "chmod 644 \"$f\"", false, false},
        {"0640", "chmod 640 \"$f\"", false, false},
        {"0600", "chmod 600 \"$f\"", false, false},
        {"0200", "chmod 200 \"$f\"", false, false},
        {"0755", "chmod 755 \"$f\"", false, false},
        {"another user's 0600 file", "chmod 600 \"$f\" && chown 4321:4322 \"$f\"", true, false},
        {"a second name", "chmod 640 \"$f\" && ln \"$f\" \"$f.other\"", false, false},
        {"an extra access entry", "setfacl -m u:4321:rw \"$f\"", false, true},
        {"a denial for one user", "setfacl -m u:4321:--- \"$f\"", false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string folder = testing_support::MakeTempDir("os_unix_keep");
        if ((c.needsRoot && !isRoot) || (c.needsAccessEntries && !HasAccessEntries(folder)))
        {
            std::printf("  %s: not tried here (needs %s)\n", c.name,
                        c.needsRoot ? "root" : "setfacl and a folder with access entries");
            continue;
        }
        std::filesystem::remove(folder + "/probe");
        const std::string path = WriteTextFile(folder, "p.mpj", "the former, longer contents");
        const std::string unixPath = testing_support::UnixName(path);
        ASSERT_TRUE(testing_support::RunUnixShell("f=" + testing_support::ShellQuoted(unixPath) +
                                                  "; " + c.setUp));
        const std::string before = UnixProtectionOf(path);
        const auto files = ListFolder(folder);

        ASSERT_TRUE(fw::os::SaveWholeFile(path, "new"));

        EXPECT_EQ(before, UnixProtectionOf(path));
        std::string contents;
        ASSERT_TRUE(testing_support::RunUnixShell("cat " + testing_support::ShellQuoted(unixPath),
                                                  &contents));
        EXPECT_EQ("new", contents);
        EXPECT_EQ(files.size(), ListFolder(folder).size());
        if (files.count("p.mpj.other") != 0)
        {
            EXPECT_EQ("new", ReadTextFile(path + ".other"));
        }
    }
}

// A save that fails while it writes over the file puts the former contents back; where even
// that fails, they are kept in a file that it names and nobody but the owner may open.
TEST(OsFile, ASaveThatFailsPutsTheFormerContentsBackOrKeepsThem)
{
    struct Case
    {
        const char* name;
        fw::os::SaveFault fault;
        bool isKept;
    };
    const Case cases[] = {
        {"nothing written", {0, false}, false},
        {"part written", {3, false}, false},
        {"part written, and putting back fails", {3, true}, true},
    };
    const std::string former = "the former contents, longer than the new ones";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string folder = testing_support::MakeTempDir("os_save_fails");
        const std::string path = WriteTextFile(folder, "p.mpj", former);
        const std::string unixPath = testing_support::UnixName(path);
        if (!unixPath.empty())
        {
            ASSERT_TRUE(testing_support::RunUnixShell("chmod 640 " +
                                                      testing_support::ShellQuoted(unixPath)));
        }
        const std::string before = unixPath.empty() ? "" : UnixProtectionOf(path);

        fw::os::SetSaveFault(c.fault);
        fw::os::SaveFailure failure;
        const bool isSaved = fw::os::SaveWholeFile(path, "new contents", &failure);
        fw::os::SetSaveFault({});

        EXPECT_FALSE(isSaved);
        EXPECT_EQ(c.isKept, failure.isFileChanged);
        if (!unixPath.empty())
        {
            EXPECT_EQ(before, UnixProtectionOf(path));
        }
        if (!c.isKept)
        {
            EXPECT_EQ(former, ReadTextFile(path));
            EXPECT_TRUE(failure.formerContents.empty());
            EXPECT_EQ(1u, ListFolder(folder).size());
            continue;
        }
        ASSERT_FALSE(failure.formerContents.empty());
        EXPECT_EQ(2u, ListFolder(folder).size());
        if (!unixPath.empty())
        {
            const std::string kept = testing_support::UnixName(failure.formerContents);
            std::string shown;
            ASSERT_TRUE(
                testing_support::RunUnixShell("stat -c %a " + testing_support::ShellQuoted(kept) +
                                                  "; cat " + testing_support::ShellQuoted(kept),
                                              &shown));
            EXPECT_EQ("0\n" + former, shown);
        }
        else
        {
            EXPECT_EQ(INVALID_HANDLE_VALUE,
                      CreateFileA(failure.formerContents.c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
        }
        // Wine shows it as read-only, which its own removal leaves behind.
        EXPECT_TRUE(testing_support::RemoveAsAnotherProgram(failure.formerContents));
    }
}
#else
// A save puts a new file in the old one's place: a private file stays private, and the owner
// and group stay those of the old file.
TEST(OsFile, SaveKeepsTheReplacedFilesModeOwnerAndGroup)
{
    struct Case
    {
        const char* name;
        mode_t mode;
        bool isAnotherUsers; // needs the privilege to give a file away
    };
    const Case cases[] = {
        {"private", 0600, false},
        {"group may read", 0640, false},
        {"a script", 0750, false},
        {"another user's", 0660, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.isAnotherUsers && geteuid() != 0)
            continue;
        const std::string folder = testing_support::MakeTempDir("os_keep");
        const std::string path = WriteTextFile(folder, "p.mpj", "old");
        ASSERT_EQ(0, chmod(path.c_str(), c.mode));
        if (c.isAnotherUsers)
        {
            ASSERT_EQ(0, chown(path.c_str(), 4321, 4322));
        }
        struct stat before;
        ASSERT_EQ(0, stat(path.c_str(), &before));

        ASSERT_TRUE(fw::os::SaveWholeFile(path, "new"));
        struct stat after;
        ASSERT_EQ(0, stat(path.c_str(), &after));
        EXPECT_EQ("new", ReadTextFile(path));
        EXPECT_EQ(c.mode, after.st_mode & 07777);
        EXPECT_EQ(before.st_uid, after.st_uid);
        EXPECT_EQ(before.st_gid, after.st_gid);
    }
    // A file that was not there gets what the process's mask leaves of 0644.
    const mode_t mask = umask(022);
    umask(mask);
    const std::string fresh = testing_support::MakeTempDir("os_keep") + "/fresh.mpj";
    ASSERT_TRUE(fw::os::SaveWholeFile(fresh, "new"));
    struct stat created;
    ASSERT_EQ(0, stat(fresh.c_str(), &created));
    EXPECT_EQ(0644 & ~mask, created.st_mode & 07777);
    EXPECT_EQ(geteuid(), created.st_uid);
}
#endif

// A reader tells a file written to while it holds it open; on Windows nobody may write to it or
// delete it meanwhile.
TEST(OsFile, AFileOpenForReadingKeepsItsStampUntilWrittenTo)
{
    const std::string path =
        WriteTextFile(testing_support::MakeTempDir("os_stamp"), "r.op2", "first");
    std::FILE* file = fw::os::OpenFileForReading(path);
    ASSERT_NE(nullptr, file);
    fw::os::FileStamp opened;
    ASSERT_TRUE(fw::os::GetOpenFileStamp(file, &opened));
    EXPECT_EQ(5, opened.size);
    fw::os::FileStamp now;
    ASSERT_TRUE(fw::os::GetOpenFileStamp(file, &now));
    EXPECT_EQ(opened, now);

    std::ofstream(path, std::ios::binary | std::ios::app) << ", then more";
    ASSERT_TRUE(fw::os::GetOpenFileStamp(file, &now));
#ifdef _WIN32
    EXPECT_EQ("first", ReadTextFile(path));
    EXPECT_FALSE(fw::os::RemoveFile(path));
    EXPECT_EQ(opened, now);
#else
    EXPECT_EQ(16, now.size);
    EXPECT_NE(opened, now);
#endif
    std::fclose(file);
    EXPECT_EQ(nullptr, fw::os::OpenFileForReading(path + ".absent"));
}

TEST(OsPath, ResolvesDotDotAndLetterCase)
{
    const std::string dir = testing_support::MakeTempDir("os_path");
    std::filesystem::create_directories(dir + "/string");
    WriteTextFile(dir + "/string", "Message.str", "x");
    const std::string path = fw::os::ResolvePath(dir + "\\bin\\..\\STRING\\message.STR");
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(nullptr, file) << path;
    std::fclose(file);
}

TEST(OsProcess, ExecutableFolderHoldsTheTestProgram)
{
    const std::string folder = fw::os::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE('\\', folder.back());
    EXPECT_NE('/', folder.back());
#ifdef _WIN32
    const std::string program = folder + "\\test_platform_base.exe";
#else
    const std::string program = folder + "/test_platform_base";
#endif
    FILE* file = std::fopen(program.c_str(), "rb");
    EXPECT_NE(nullptr, file) << program;
    if (file)
        std::fclose(file);
}

TEST(OsProcess, SetsTheCurrentFolder)
{
    const std::filesystem::path before = std::filesystem::current_path();
    const std::string dir = testing_support::MakeTempDir("os_cwd");
    WriteTextFile(dir, "marker.txt", "m");
    ASSERT_TRUE(fw::os::SetCurrentFolder(dir));
    EXPECT_TRUE(std::filesystem::exists("marker.txt"));
    std::filesystem::current_path(before);
    EXPECT_FALSE(fw::os::SetCurrentFolder(dir + "/absent"));
}

TEST(OsProcess, LocalTimeIsInRange)
{
    const fw::os::LocalTime t = fw::os::GetLocalTime();
    EXPECT_GE(t.year, 2000);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12);
    EXPECT_TRUE(t.day >= 1 && t.day <= 31);
    EXPECT_TRUE(t.hour >= 0 && t.hour <= 23);
    EXPECT_TRUE(t.minute >= 0 && t.minute <= 59);
    EXPECT_TRUE(t.second >= 0 && t.second <= 60);
    EXPECT_TRUE(t.millisecond >= 0 && t.millisecond <= 999);
}

TEST(OsProcess, LockSerialisesThreadsWithDistinctIds)
{
    fw::os::Lock lock;
    long counter = 0;
    std::atomic<unsigned long> otherId{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back(
            [&]
            {
                otherId = fw::os::CurrentThreadId();
                for (int i = 0; i < 20000; ++i)
                {
                    fw::os::LockGuard guard(lock);
                    counter = counter + 1;
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(80000, counter);
    EXPECT_NE(0UL, fw::os::CurrentThreadId());
    EXPECT_NE(otherId.load(), fw::os::CurrentThreadId());
}
