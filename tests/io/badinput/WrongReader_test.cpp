// Every sample file read with the readers of the other formats: a clear failure, nothing added.
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "io/bulk/BulkImport.h"
#include "io/op2/OP2Reader.h"
#include "io/unv/UnvReader.h"
#include "tests/io/badinput/BadInputSupport.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using badinput::CCapturedOutput;

namespace
{
namespace fs = std::filesystem;

// Sample files whose extension (lower case, without the dot) is one of the given.
std::vector<std::string> SamplesOf(std::initializer_list<const char*> extensions)
{
    std::vector<std::string> paths;
    for (const fs::directory_entry& entry :
         fs::recursive_directory_iterator(testing_support::SamplePath("")))
    {
        if (!entry.is_regular_file())
            continue;
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (const char* wanted : extensions)
        {
            if (extension == std::string(".") + wanted)
                paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Imports store their folder in the product INI: keep it in a scratch product folder, with the
// program's string files beside it so that messages read as the user sees them.
class WrongReaderTest : public ::testing::Test
{
protected:
    WrongReaderTest()
        : m_savedFolder(GetExecutableFolder())
        , m_savedSuffix(GetLanguageSuffix())
    {
        const fs::path root = testing_support::MakeTempDir("wrong_reader");
        fs::create_directories(root / "bin");
        fs::create_directories(root / "ini");
        fs::copy("resources/string", root / "string");
        SetExecutableFolder((root / "bin").string());
        SetLanguageSuffix("_ENG");
    }
    ~WrongReaderTest() override
    {
        SetExecutableFolder(m_savedFolder);
        SetLanguageSuffix(m_savedSuffix);
    }

    std::string m_savedFolder;
    std::string m_savedSuffix;
};

TEST_F(WrongReaderTest, BulkDataImportOfOtherFormatsReadsNothingAndSaysSo)
{
    REQUIRE_SAMPLES();
    const std::vector<std::string> paths = SamplesOf({"op2", "unv", "uff"});
    ASSERT_GE(paths.size(), 30u);
    for (const std::string& path : paths)
    {
        SCOPED_TRACE(path);
        CModelSet model;
        CCapturedOutput output;
        model.SetOutputSink(&output);
        EXPECT_TRUE(ImportBulkFile(model, path, output));
        EXPECT_EQ(0, model.GetNodeCount());
        EXPECT_EQ(0, model.GetElementCount());
        ASSERT_FALSE(output.lines.empty());
        EXPECT_NE(std::string::npos, output.lines.back().find("may not be bulk data"));
    }
}

TEST_F(WrongReaderTest, UniversalFileReaderRefusesOtherFormatsAndRollsBack)
{
    REQUIRE_SAMPLES();
    const std::vector<std::string> paths = SamplesOf({"op2", "bdf", "dat", "blk", "inc"});
    ASSERT_GE(paths.size(), 60u);
    for (const std::string& path : paths)
    {
        SCOPED_TRACE(path);
        CModelSet model;
        CUnvReader reader(&model);
        EXPECT_FALSE(reader.ReadUnv(path));
        model.RemoveAll(1);
        EXPECT_FALSE(reader.GetErrors().empty());
        EXPECT_EQ(0, model.GetNodeCount());
        EXPECT_EQ(0, model.GetElementCount());
    }
}

TEST_F(WrongReaderTest, Op2ReaderRefusesOtherFormatsWithAMessage)
{
    REQUIRE_SAMPLES();
    const std::vector<std::string> paths = SamplesOf({"unv", "uff", "bdf", "dat", "blk", "inc"});
    ASSERT_GE(paths.size(), 70u);
    for (const std::string& path : paths)
    {
        SCOPED_TRACE(path);
        CModelSet model;
        CCapturedOutput output;
        OP2Reader reader;
        EXPECT_EQ(OP2Reader::kRefused, reader.readCatalogue(path, &model, true, &output));
        EXPECT_EQ(1u, output.lines.size());
        EXPECT_EQ(0, model.GetNodeCount());
        EXPECT_EQ(0, model.GetResults().GetCount());
    }
}
} // namespace
