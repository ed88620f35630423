// What the settings-dialog tests share: a product folder of their own (the program's string
// files, an INI the test writes, a chosen language) over the framework's main-frame fixture
// with scripted message boxes and file dialogs, and a way to act inside a modal dialog.
#pragma once

#include "dialogs/settings/SettingsPage.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CProjectData;

namespace dialogs_test
{
class DialogFixture : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the product INI.
    void WriteIni(const std::string& text) const;
    // The language of the string lookups ("_ENG" or "_JPN").
    static void SetLanguage(const char* suffix);
    // A scratch folder of the test (Windows path).
    std::string MakeFolder(const std::string& name) const;

    static std::string ControlText(HWND dialog, int id);
    static bool IsEnabled(HWND dialog, int id);
    // Presses a button as a user would (radio buttons get checked).
    static void Click(HWND dialog, int id);
    // The last message box shown, empty when none was.
    std::string LastMessage() const;

    std::string m_root;

private:
    std::string m_savedFolder;
    std::string m_savedSuffix;
};

// The main frame as the settings pages see it: a project of the test's, and a record of what
// the pages asked for.
class FakeSettingsHost : public CSettingsHost
{
public:
    CProjectData* GetProject() override { return project; }
    void ApplySettingsToAllViews(BOOL render) override
    {
        ++applyCount;
        lastRender = render;
    }
    void ApplyBackgroundColor(COLORREF color) override { backgrounds.push_back(color); }
    bool GetActiveViewAngles(CPoint3D& anglesDeg) override
    {
        if (!hasView)
            return false;
        anglesDeg = viewAngles;
        return true;
    }
    void SetActiveViewDisplayMode(int mode) override { viewDisplayMode = mode; }

    CProjectData* project = nullptr;
    int applyCount = 0;
    BOOL lastRender = FALSE;
    std::vector<COLORREF> backgrounds;
    bool hasView = false;
    CPoint3D viewAngles;
    int viewDisplayMode = -1;
};

// A settings page shown alone in a modeless sheet over the fixture's frame.
class SettingsPageFixture : public DialogFixture
{
protected:
    SettingsPageFixture();
    ~SettingsPageFixture() override;
    void TearDown() override;

    // A project made now, from the INI as it stands.
    CProjectData& MakeProject();
    // Shows the page in a new sheet; the page's window.
    HWND Open(CSettingsPage& page);
    // The sheet's buttons, pressed as a user would.
    void PressApply();
    void PressOk();
    void PressCancel();
    // A value of the product INI, empty when the key is missing.
    std::string IniValue(const char* section, const char* key) const;

    FakeSettingsHost m_host;
    std::unique_ptr<CProjectData> m_project;
    std::unique_ptr<CPropertySheet> m_sheet;
};

// The texts of a dialog's labels, buttons and group boxes, by control id (0 the caption), each
// checked to fit its control beside what the control draws itself (a box, a frame), decoded
// in the language's code page (1252 English, 932 Japanese) whatever the process's own.
std::map<int, std::string> FittingTexts(HWND dialog, UINT codePage);

using fw::test::WhenDialogShows;
} // namespace dialogs_test
