// Every text the project looks up exists in both languages of the shipped string files.
#include "core/services/AppEnvironment.h"
#include "core/services/StringFile.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(ProjectTexts, EveryLookedUpTextExistsInBothLanguages)
{
    const std::string savedFolder = GetExecutableFolder();
    SetExecutableFolder((std::filesystem::current_path() / "resources" / "bin").string());
    const struct
    {
        const char* section;
        const char* key;
    } keys[] = {{"Error", "TooManyInputFiles"},
                {"Error", "ProjectSaveFailed"},
                {"Error", "ProjectSaveFailedFormerKept"},
                {"Error", "ProjectSaveFailedFileChanged"},
                {"Status", "ReadingFile"},
                {"Status", "ReadingFileComplete"},
                {"Status", "OpeningUNVFile"},
                {"Status", "OpeningBDFFile"},
                {"Status", "ProjectClosed"}};
    for (const auto& k : keys)
    {
        for (const char* suffix : {"_ENG", "_JPN"})
        {
            SCOPED_TRACE(std::string(k.section) + "/" + k.key + suffix);
            std::string text;
            EXPECT_TRUE(LoadStringWithSuffix("message.str", k.section, k.key, suffix, &text));
        }
    }
    SetExecutableFolder(savedFolder);
}
