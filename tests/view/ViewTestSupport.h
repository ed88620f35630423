// What the view tests share: the program's string files read in English, as the view does.
#pragma once

#include "core/services/AppEnvironment.h"

#include <string>

namespace view_test
{
// Points the string lookups at resources/string (the tests run from the repository root) in
// English, and restores the earlier folder and language afterwards.
class EnglishStrings
{
public:
    EnglishStrings()
        : m_folder(GetExecutableFolder())
        , m_suffix(GetLanguageSuffix())
    {
        SetExecutableFolder("resources/bin");
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
