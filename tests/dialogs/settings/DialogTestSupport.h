// What the settings-dialog tests share: a product folder of their own (the program's string
// files, an INI the test writes, a chosen language) over the framework's main-frame fixture
// with scripted message boxes and file dialogs, and a way to act inside a modal dialog.
#pragma once

#include "platform/test/mainframe.h"
#include "platform/test/pump.h"

#include <windows.h>

#include <functional>
#include <string>

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

using fw::test::WhenDialogShows;
} // namespace dialogs_test
