// The file path page (Display settings and System settings sheets): one default folder for
// each of six file types. With a project open it edits the project's folders; without one it
// edits section "FileIOPaths" of the product INI. Load and Save Defaults always use the INI.
#pragma once

#include "dialogs/settings/SettingsPage.h"
#include "platform/base/string.h"
#include "project/AESettings.h"

#include <array>

class CSettingFilePath : public CSettingsPage
{
    FW_CREATABLE(CSettingFilePath, CSettingsPage)

public:
    CSettingFilePath();

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;

    // By CAESettings::FileIoFolder.
    std::array<CString, CAESettings::kFileIoFolders> m_paths;
    int m_fileType = -1; // radio index of the selected file type
    CString m_pathText;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnFileType(UINT id);
    void OnBrowse();
    void OnLoadDefaults();
    void OnSaveDefaults();

private:
    void ReadIniPaths();
    void WriteIniPaths();
    // The project's folders, or the INI without a project.
    void StorePaths();
};
