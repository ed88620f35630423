// Scratch product layouts.
#include "tests/app/AppFolders.h"

#include "core/services/AppEnvironment.h"
#include "platform/win/texts.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

CAppFolders::CAppFolders(const std::string& name, const std::string& iniText)
    : m_root(testing_support::MakeTempDir(name))
    , m_savedFolder(GetExecutableFolder())
    , m_savedSuffix(GetLanguageSuffix())
    , m_savedLanguage(GetLanguageSetting())
{
    m_savedCurrentFolder = fs::current_path().string();
    for (const char* sub : {"bin", "ini", "log", "Help"})
        fs::create_directories(fs::path(m_root) / sub);
    fs::copy("resources/string", fs::path(m_root) / "string", fs::copy_options::recursive);
    WriteIni(iniText);
    SetExecutableFolder(Path("bin"));
}

CAppFolders::~CAppFolders()
{
    std::error_code ignored;
    fs::current_path(m_savedCurrentFolder, ignored);
    SetExecutableFolder(m_savedFolder);
    SetLanguageSuffix(m_savedSuffix);
    SetLanguageSetting(m_savedLanguage);
    fw::SetTextSource((m_savedFolder + "\\..\\string").c_str(), "_ENG");
}

std::string CAppFolders::Path(const std::string& sub) const
{
    return (fs::path(m_root) / sub).string();
}

void CAppFolders::WriteIni(const std::string& text) const
{
    std::ofstream out(fs::path(m_root) / "ini" / "Gravik.ini", std::ios::binary);
    out << text;
}

std::string CAppFolders::Read(const std::string& sub) const
{
    std::ifstream in(fs::path(m_root) / sub, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
