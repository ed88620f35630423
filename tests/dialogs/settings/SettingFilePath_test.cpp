// The file path page under Wine: without a project it edits "FileIOPaths" of the product INI,
// with one only the project's folders; the path box follows the file type chosen.
#include "dialogs/settings/SettingFilePath.h"

#include "dialogs/settings/DirectoryDlg.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <gtest/gtest.h>

using dialogs_test::SettingsPageFixture;

namespace
{
class SettingFilePath : public SettingsPageFixture
{
protected:
    // Browses from the page and picks the folder in the folder chooser.
    void Browse(HWND page, const std::string& folder)
    {
        dialogs_test::WhenDialogShows("Select Folder",
                                      [folder](HWND dialog)
                                      {
                                          auto* chooser = dynamic_cast<CDirectoryDlg*>(
                                              CWnd::FromHandlePermanent(dialog));
                                          ASSERT_NE(nullptr, chooser);
                                          chooser->m_folderTree.SelectPath(folder.c_str(), FALSE);
                                          ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                                      });
        Click(page, IDC_PATHS_BROWSE);
    }

    static std::string Folder(const std::string& text)
    {
        return text.empty() || text.back() == '\\' ? text : text + "\\";
    }
};
} // namespace

TEST_F(SettingFilePath, WithoutAProjectApplyWritesTheIniAndOnlyAfterAChange)
{
    WriteIni("[FileIOPaths]\r\nMPJ=C:\\mpj\\\r\nDAT=C:\\dat\\\r\nOP2=C:\\op2\\\r\n"
             "CSV=C:\\csv\\\r\nIMG=C:\\img\\\r\nUNV=C:\\unv\\\r\n");
    const std::string chosen = MakeFolder("chosen");
    CSettingFilePath page;
    const HWND window = Open(page);
    EXPECT_EQ("C:\\mpj\\", ControlText(window, IDC_PATHS_PATH));
    EXPECT_FALSE(IsEnabled(window, IDC_PATHS_PATH)) << "only browsing changes a folder";
    WriteIni("[FileIOPaths]\r\nMPJ=C:\\other\\\r\n");
    PressApply();
    EXPECT_EQ("C:\\other\\", IniValue("FileIOPaths", "MPJ")) << "no change, nothing written";
    EXPECT_EQ("", IniValue("FileIOPaths", "DAT"));

    Click(window, IDC_PATHS_DAT);
    EXPECT_EQ("C:\\dat\\", ControlText(window, IDC_PATHS_PATH));
    Browse(window, chosen);
    EXPECT_NE("C:\\dat\\", ControlText(window, IDC_PATHS_PATH));
    // Another type shows its own folder, not the one just chosen.
    Click(window, IDC_PATHS_OP2);
    EXPECT_EQ("C:\\op2\\", ControlText(window, IDC_PATHS_PATH));
    PressApply();
    EXPECT_NE(std::string::npos, IniValue("FileIOPaths", "DAT").find("chosen"));
    EXPECT_EQ("C:\\mpj\\", IniValue("FileIOPaths", "MPJ")) << "all six are written";
    EXPECT_EQ("C:\\unv\\", IniValue("FileIOPaths", "UNV"));
    EXPECT_EQ(1, m_host.applyCount);
}

TEST_F(SettingFilePath, WithAProjectApplyChangesOnlyTheProjectsFolders)
{
    WriteIni("[FileIOPaths]\r\nMPJ=C:\\mpj\\\r\nCSV=C:\\csv\\\r\n");
    CProjectData& project = MakeProject();
    project.m_settings.m_fileIoFolders[CAESettings::kFolderMpj] = "C:\\project\\";
    const std::string chosen = MakeFolder("chosen");
    CSettingFilePath page;
    const HWND window = Open(page);
    EXPECT_EQ("C:\\project\\", ControlText(window, IDC_PATHS_PATH));
    Browse(window, chosen);
    PressApply();
    EXPECT_NE(std::string::npos,
              std::string(project.m_settings.m_fileIoFolders[CAESettings::kFolderMpj].GetString())
                  .find("chosen"));
    EXPECT_EQ("C:\\mpj\\", IniValue("FileIOPaths", "MPJ"));

    // Load Defaults with CSV chosen shows the INI's CSV folder.
    Click(window, IDC_PATHS_CSV);
    Click(window, IDC_SETTINGS_LOAD_DEFAULT);
    EXPECT_EQ("C:\\csv\\", ControlText(window, IDC_PATHS_PATH));
}
