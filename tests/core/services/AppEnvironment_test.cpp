#include "core/services/AppEnvironment.h"

#include "core/services/StringFile.h"
#include "tests/core/services/ServiceFolders.h"

#include <gtest/gtest.h>

namespace
{
const char kStartupErrors[] = "[Error]\r\n"
                              "LangSettingNotFound_ENG = No language setting.\r\n"
                              "LangSettingNotFound_JPN = jpn-not-found\r\n"
                              "LangSetting_ENG = Bad language setting.\r\n"
                              "LangSetting_JPN = jpn-bad\r\n";

struct LanguageCase
{
    const char* stored; // nullptr: no key
    bool isStarted;
    const char* suffix;
    int language;
    const char* failure;
};

const LanguageCase kLanguages[] = {
    {"English", true, "_ENG", kLanguageEnglish, ""},
    {"english", true, "_ENG", kLanguageEnglish, ""},
    {"JAPANESE", true, "_JPN", kLanguageJapanese, ""},
    {nullptr, false, "_ENG", kLanguageEnglish, "jpn-not-found"},
    {"", false, "_ENG", kLanguageEnglish, "jpn-not-found"},
    {"German", false, "_ENG", kLanguageEnglish, "jpn-bad"},
};
} // namespace

TEST(AppEnvironment, StartUpSetsTheLanguageOrFailsWithAJapaneseText)
{
    for (const LanguageCase& c : kLanguages)
    {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        CServiceFolders folders("startup");
        folders.WriteFile("string/standard.str", kStartupErrors);
        if (c.stored)
            folders.WriteFile("ini/Gravik.ini",
                              std::string("[Environment]\r\nLanguage=") + c.stored + "\r\n");
        // A failed start-up leaves the language as it found it.
        SetLanguageSuffix("_ENG");
        SetLanguageSetting(kLanguageEnglish);
        const std::filesystem::path before = std::filesystem::current_path();

        std::string failure;
        EXPECT_EQ(c.isStarted, InitializeEnvironment(folders.Path("bin"), &failure));
        EXPECT_EQ(c.failure, failure);
        EXPECT_EQ(c.suffix, GetLanguageSuffix());
        EXPECT_EQ(c.language, GetLanguageSetting());
        EXPECT_EQ(folders.Path("bin"), GetExecutableFolder());
        EXPECT_TRUE(
            std::filesystem::equivalent(folders.Path("bin"), std::filesystem::current_path()));
        std::filesystem::current_path(before);
    }
}

TEST(AppEnvironment, DataPathsAreSiblingsOfTheExecutableFolder)
{
    CServiceFolders folders("datapath");
    SetExecutableFolder("C:\\Gravik\\bin");
    EXPECT_EQ("C:\\Gravik\\bin\\..\\ini\\Gravik.ini", DataPath("..\\ini\\Gravik.ini"));
}
