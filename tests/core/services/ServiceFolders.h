// A scratch product layout for the service tests: <root>/bin as the executable folder beside
// string/, ini/ and log/. Restores the process-wide folder and language on destruction.
#pragma once

#include "core/services/AppEnvironment.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>
#include <string>

class CServiceFolders
{
public:
    explicit CServiceFolders(const std::string& name)
        : m_root(testing_support::MakeTempDir(name))
        , m_savedFolder(GetExecutableFolder())
        , m_savedSuffix(GetLanguageSuffix())
        , m_savedLanguage(GetLanguageSetting())
    {
        for (const char* sub : {"bin", "string", "ini", "log"})
            std::filesystem::create_directories(m_root / sub);
        SetExecutableFolder((m_root / "bin").string());
    }

    ~CServiceFolders()
    {
        SetExecutableFolder(m_savedFolder);
        SetLanguageSuffix(m_savedSuffix);
        SetLanguageSetting(m_savedLanguage);
    }

    std::string Path(const std::string& sub) const { return (m_root / sub).string(); }

    // Writes the bytes as they are (no line-end translation).
    void WriteFile(const std::string& sub, const std::string& bytes) const
    {
        std::ofstream out(m_root / sub, std::ios::binary);
        out << bytes;
    }

    std::string ReadFile(const std::string& sub) const
    {
        std::ifstream in(m_root / sub, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_root;
    std::string m_savedFolder;
    std::string m_savedSuffix;
    int m_savedLanguage;
};
