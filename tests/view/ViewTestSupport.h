// What the view tests share: the program's string files read in English, as the view does.
#pragma once

#include "core/services/AppEnvironment.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <string>

namespace view_test
{
// A scratch product layout (bin, ini, log) beside a copy of resources/string (the tests run
// from the repository root), read in English; so whatever a test writes to the product INI
// stays out of the repository. Restores the earlier folder and language afterwards.
class EnglishStrings
{
public:
    EnglishStrings()
        : m_folder(GetExecutableFolder())
        , m_suffix(GetLanguageSuffix())
    {
        namespace fs = std::filesystem;
        const fs::path root = testing_support::MakeTempDir("view_strings");
        for (const char* sub : {"bin", "ini", "log", "string"})
            fs::create_directories(root / sub);
        for (const fs::directory_entry& file : fs::directory_iterator("resources/string"))
        {
            fs::copy_file(file.path(), root / "string" / file.path().filename(),
                          fs::copy_options::overwrite_existing);
        }
        SetExecutableFolder((root / "bin").string());
        SetLanguageSuffix("_ENG");
    }
    ~EnglishStrings()
    {
        SetExecutableFolder(m_folder);
        SetLanguageSuffix(m_suffix);
    }
    EnglishStrings(const EnglishStrings&) = delete;
    EnglishStrings& operator=(const EnglishStrings&) = delete;

private:
    std::string m_folder;
    std::string m_suffix;
};
} // namespace view_test
