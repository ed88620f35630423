// Process-wide start-up state: the executable folder that every data path starts from, the
// language suffix of the UI-text keys and the language setting, and the start-up step that
// sets them from the product INI.
#pragma once

#include <string>

constexpr int kLanguageEnglish = 1;
constexpr int kLanguageJapanese = 2;

// Folder of the executable without a trailing separator; empty until start-up sets it.
const std::string& GetExecutableFolder();
void SetExecutableFolder(const std::string& folder);

// "_ENG" or "_JPN"; "_JPN" until start-up has read the language.
const std::string& GetLanguageSuffix();
void SetLanguageSuffix(const std::string& suffix);

// kLanguageEnglish or kLanguageJapanese; Japanese until start-up has read the language.
int GetLanguageSetting();
void SetLanguageSetting(int language);

// The executable folder, a backslash and the relative path ("..\ini\Gravik.ini"). Paths keep
// backslashes; fw::os::ResolvePath turns them into what the platform opens.
std::string DataPath(const std::string& relative);

// Start-up: stores the folder, makes it current (a failure is ignored) and reads the product
// INI's "Environment"/"Language". "English" or "Japanese" (any letter case) set the suffix and
// the language setting and give true. A missing or empty value gives false with the text of
// standard.str "Error"/"LangSettingNotFound", any other value the text of "LangSetting"; both
// are looked up with "_JPN", the language not being known, and in englishText, when given, with
// "_ENG". The caller shows the text and ends.
bool InitializeEnvironment(const std::string& executableFolder, std::string* failureText,
                           std::string* englishText = nullptr);

// The same with the folder of the running executable.
bool InitializeEnvironment(std::string* failureText);
