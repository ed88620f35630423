// A scratch product layout for the application tests: <root>/bin as the executable folder
// beside string/ (the shipped string files), ini/ (an INI the test writes) and log/. Puts the
// process-wide folder, language and text source back when it goes.
#pragma once

#include <string>

class CAppFolders
{
public:
    explicit CAppFolders(const std::string& name, const std::string& iniText = "");
    ~CAppFolders();
    CAppFolders(const CAppFolders&) = delete;
    CAppFolders& operator=(const CAppFolders&) = delete;

    // Native path of a file or folder below the root ("bin", "ini\\Gravik.ini").
    std::string Path(const std::string& sub) const;
    void WriteIni(const std::string& text) const;
    // The whole text of a file below the root; empty when missing.
    std::string Read(const std::string& sub) const;

private:
    std::string m_root;
    std::string m_savedCurrentFolder; // start-up makes the executable's folder current
    std::string m_savedFolder;
    std::string m_savedSuffix;
    int m_savedLanguage;
};
