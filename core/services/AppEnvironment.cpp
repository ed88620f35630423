// Process-wide start-up state and the language step of start-up.
#include "core/services/AppEnvironment.h"

#include "core/services/ProductIni.h"
#include "core/services/StringFile.h"
#include "platform/base/os.h"

namespace
{
// Never destroyed: the process-wide logger and other static objects may still look texts up
// and write logs while statics are torn down at exit.
std::string& ExecutableFolderValue()
{
    static std::string* folder = new std::string;
    return *folder;
}

std::string& LanguageSuffixValue()
{
    static std::string* suffix = new std::string("_JPN");
    return *suffix;
}

int g_languageSetting = kLanguageJapanese;

bool EqualsNoCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
    {
        const char x = (a[i] >= 'A' && a[i] <= 'Z') ? char(a[i] - 'A' + 'a') : a[i];
        const char y = (b[i] >= 'A' && b[i] <= 'Z') ? char(b[i] - 'A' + 'a') : b[i];
        if (x != y)
            return false;
    }
    return i == a.size() && b[i] == '\0';
}
} // namespace

const std::string& GetExecutableFolder()
{
    return ExecutableFolderValue();
}

void SetExecutableFolder(const std::string& folder)
{
    ExecutableFolderValue() = folder;
}

const std::string& GetLanguageSuffix()
{
    return LanguageSuffixValue();
}

void SetLanguageSuffix(const std::string& suffix)
{
    LanguageSuffixValue() = suffix;
}

int GetLanguageSetting()
{
    return g_languageSetting;
}

void SetLanguageSetting(int language)
{
    g_languageSetting = language;
}

std::string DataPath(const std::string& relative)
{
    return GetExecutableFolder() + "\\" + relative;
}

bool InitializeEnvironment(const std::string& executableFolder, std::string* failureText,
                           std::string* englishText)
{
    SetExecutableFolder(executableFolder);
    fw::os::SetCurrentFolder(executableFolder);

    std::string language;
    const char* key = "LangSetting";
    if (!GetIniString("Environment", "Language", &language))
    {
        key = "LangSettingNotFound";
    }
    else if (EqualsNoCase(language, "English"))
    {
        SetLanguageSuffix("_ENG");
        SetLanguageSetting(kLanguageEnglish);
        return true;
    }
    else if (EqualsNoCase(language, "Japanese"))
    {
        SetLanguageSuffix("_JPN");
        SetLanguageSetting(kLanguageJapanese);
        return true;
    }
    std::string text;
    LoadStringWithSuffix("standard.str", "Error", key, "_JPN", &text);
    if (failureText)
        *failureText = text;
    if (englishText)
    {
        englishText->clear();
        LoadStringWithSuffix("standard.str", "Error", key, "_ENG", englishText);
    }
    return false;
}

bool InitializeEnvironment(std::string* failureText)
{
    return InitializeEnvironment(fw::os::ExecutableFolder(), failureText);
}
