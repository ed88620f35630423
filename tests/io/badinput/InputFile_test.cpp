// Input files that are no regular files, named to the universal-file and OUTPUT2 imports as a
// project names them: each is refused at once with one line that names it, and nothing is read.
#include "io/results/InputFile.h"

#include "core/model/ModelSet.h"
#include "io/op2/OP2Reader.h"
#include "io/op2/Op2Import.h"
#include "io/results/ImportMessages.h"
#include "io/unv/UnvImport.h"
#include "tests/io/badinput/BadInputSupport.h"
#include "tests/support/BulkTestSupport.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace
{
struct EntryCase
{
    const char* name;
    const char* fileName;
    const char* messageKey;
};

// Each entry as the folder holds it after MakeEntries.
const EntryCase kEntries[] = {
    {"a missing file", "missing", "NotFound"},
    {"a folder", "folder", "NotAFile"},
#ifndef _WIN32
    {"a FIFO without a writer", "pipe", "NotAFile"},
    {"a link to a device", "device", "NotAFile"},
#endif
};

void MakeEntries(const std::string& folder, const std::string& extension)
{
    std::filesystem::create_directory(folder + "/folder" + extension);
#ifndef _WIN32
    ASSERT_EQ(0, mkfifo((folder + "/pipe" + extension).c_str(), 0600));
    std::filesystem::create_symlink("/dev/zero", folder + "/device" + extension);
#endif
}
} // namespace

TEST(InputFile, UniversalFileEntriesThatAreNoFilesAreRefusedByName)
{
    bulk_test::CScratchProduct product("input_unv");
    const std::string folder = testing_support::MakeTempDir("input_unv_entries");
    MakeEntries(folder, ".unv");
    for (const EntryCase& c : kEntries)
    {
        SCOPED_TRACE(c.name);
        const std::string path = folder + "/" + c.fileName + ".unv";
        CModelSet model;
        std::vector<std::string> inputFiles;
        badinput::CCapturedOutput output;
        EXPECT_FALSE(ImportUnvFile(model, path, &inputFiles, output));
        EXPECT_EQ(std::vector<std::string>{ImportMessage(c.messageKey, {path})}, output.lines);
        EXPECT_TRUE(inputFiles.empty());
        EXPECT_EQ(0, model.GetElementCount());
    }
}

#ifdef _WIN32
// Device names show the attributes of a file; they are no disk files.
TEST(InputFile, DeviceNamesAreNoFiles)
{
    for (const char* device : {"NUL", "nul.unv"})
    {
        SCOPED_TRACE(device);
        badinput::CCapturedOutput output;
        EXPECT_FALSE(CheckInputFile(device, &output));
        EXPECT_EQ(std::vector<std::string>{ImportMessage("NotAFile", {device})}, output.lines);
    }
}
#endif

TEST(InputFile, Output2EntriesThatAreNoFilesAreRefusedByName)
{
    bulk_test::CScratchProduct product("input_op2");
    const std::string folder = testing_support::MakeTempDir("input_op2_entries");
    MakeEntries(folder, ".op2");
    for (const EntryCase& c : kEntries)
    {
        SCOPED_TRACE(c.name);
        const std::string path = folder + "/" + c.fileName + ".op2";
        CModelSet model;
        std::vector<std::string> inputFiles;
        badinput::CCapturedOutput output;
        EXPECT_EQ(OP2Reader::kCannotOpen,
                  ImportOp2File(path, &model, inputFiles, ChooseAllOp2Results, &output));
        EXPECT_EQ(std::vector<std::string>{ImportMessage(c.messageKey, {path})}, output.lines);
        EXPECT_TRUE(inputFiles.empty());
        // The reopen of a project reports the same, once per file.
        badinput::CCapturedOutput reopened;
        ReopenOp2Results(&model, {path}, {}, &reopened);
        EXPECT_EQ(output.lines, reopened.lines);
        EXPECT_EQ(0, model.GetResults().GetCount());
    }
}
