// The application under test: the real start-up in a scratch product layout, with scripted
// message boxes and without the splash. Tests read what start-up made and close the main frame.
#pragma once

#include "app/MainFrame.h"
#include "app/WendraApp.h"
#include "platform/test/scripted_services.h"
#include "tests/app/AppFolders.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

// The INI text of a product set up in English.
extern const char* const kEnglishIni;

// The INI text of each language with the suffix its texts carry in the string files.
struct LanguageCase
{
    const char* ini;
    const char* suffix;
};
extern const LanguageCase kLanguageCases[2];

// The centre of the toolbar's button of the command, in the bar's client coordinates; false
// when the bar has no such button.
bool ToolbarButtonCentre(HWND bar, UINT command, POINT* centre);

// The commands of every button on the frame's toolbars, separators left out.
std::set<UINT> ToolBarCommands(CMainFrame& frame);

class CTestWendraApp : public CWendraApp
{
public:
    explicit CTestWendraApp(std::string folder)
        : m_folder(std::move(folder))
    {
    }

protected:
    std::string StartUpFolder() const override { return m_folder; }
    std::unique_ptr<CStartUpRead> NewStartUpRead() const override
    {
        return std::make_unique<CStartUpRead>(m_startUpReader);
    }

public:
    // Reads the command line's file in place of the program's reader when set.
    CStartUpRead::Reader m_startUpReader;

private:
    std::string m_folder;
};

class AppFixture : public ::testing::Test
{
protected:
    // Lays out the product with the INI text and runs the start-up; its result. The command
    // line's file is read and opened by its return unless m_waitsForStartUpRead is cleared.
    BOOL StartUp(const std::string& iniText, const char* commandLine = "/Automation");
    void TearDown() override;

    CMainFrame* MainFrame() const;
    // Sends WM_CLOSE to the main frame and pumps; true when the window went.
    bool CloseMainFrame();
    // A key of the scratch INI.
    std::string IniValue(const char* section, const char* key) const;

    std::unique_ptr<CAppFolders> m_folders;
    std::unique_ptr<fw::test::ScopedServices> m_services;
    std::unique_ptr<CTestWendraApp> m_app;
    // Given to the application before its start.
    CStartUpRead::Reader m_startUpReader;
    std::wstring m_wideCommandLine;
    bool m_waitsForStartUpRead = true;
};
