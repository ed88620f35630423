// File path page.
#include "dialogs/settings/SettingFilePath.h"

#include "core/services/ProductIni.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/DirectoryDlg.h"
#include "platform/dlg/ddx.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"

namespace
{
const char kSection[] = "FileIOPaths";

// By radio index (the buttons' order in their group): the folder it shows.
constexpr CAESettings::FileIoFolder kFolderOfRadio[] = {
    CAESettings::kFolderMpj, CAESettings::kFolderDat, CAESettings::kFolderImg,
    CAESettings::kFolderCsv, CAESettings::kFolderOp2, CAESettings::kFolderUnv};
constexpr int kRadioIds[] = {IDC_PATHS_MPJ, IDC_PATHS_DAT, IDC_PATHS_IMG,
                             IDC_PATHS_CSV, IDC_PATHS_OP2, IDC_PATHS_UNV};
// The INI keys in the order they are read and written.
struct FolderKey
{
    CAESettings::FileIoFolder folder;
    const char* key;
};
constexpr FolderKey kKeys[] = {{CAESettings::kFolderMpj, "MPJ"}, {CAESettings::kFolderCsv, "CSV"},
                               {CAESettings::kFolderImg, "IMG"}, {CAESettings::kFolderOp2, "OP2"},
                               {CAESettings::kFolderDat, "DAT"}, {CAESettings::kFolderUnv, "UNV"}};

const DialogText kTexts[] = {{0, "SettingFilePath", "File Settings"},
                             {IDC_PATHS_TYPE_GROUP, "SettingFilePath", "FileType"},
                             {IDC_PATHS_FOLDER_GROUP, "SettingFilePath", "Folder"},
                             {IDC_PATHS_LABEL, "SettingFilePath", "ReadWritePath"},
                             {IDC_PATHS_MPJ, "SettingFilePath", "MPJFile"},
                             {IDC_PATHS_OP2, "SettingFilePath", "OP2File"},
                             {IDC_PATHS_DAT, "SettingFilePath", "DATFile"},
                             {IDC_PATHS_IMG, "SettingFilePath", "IMJFile"},
                             {IDC_PATHS_CSV, "SettingFilePath", "CSVFile"},
                             {IDC_PATHS_UNV, "SettingFilePath", "UNVFile"},
                             {IDC_SETTINGS_LOAD_DEFAULT, "Common", "LoadDefault"},
                             {IDC_SETTINGS_SAVE_DEFAULT, "Common", "SaveDefault"}};

bool IsFileType(int radio)
{
    return radio >= 0 && radio < static_cast<int>(std::size(kFolderOfRadio));
}
} // namespace

FW_TABLE(CSettingFilePath, CSettingsPage,
         fw::command<IDC_SETTINGS_SAVE_DEFAULT, &CSettingFilePath::OnSaveDefaults>(),
         fw::command<IDC_SETTINGS_LOAD_DEFAULT, &CSettingFilePath::OnLoadDefaults>(),
         fw::command<IDC_PATHS_BROWSE, &CSettingFilePath::OnBrowse>(),
         fw::command<IDC_PATHS_CSV, &CSettingFilePath::OnFileType>(),
         fw::command_range<IDC_PATHS_MPJ, IDC_PATHS_OP2, &CSettingFilePath::OnFileType>(),
         fw::command<IDC_PATHS_UNV, &CSettingFilePath::OnFileType>())

CSettingFilePath::CSettingFilePath()
    : CSettingsPage(IDD_FILE_PATHS)
{
}

void CSettingFilePath::DoDataExchange(CDataExchange* dx)
{
    CSettingsPage::DoDataExchange(dx);
    DDX_Radio(dx, IDC_PATHS_MPJ, m_fileType);
    DDX_Text(dx, IDC_PATHS_PATH, m_pathText);
}

BOOL CSettingFilePath::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    m_fileType = 0;
    SetDialogTexts(*this, "Dialog.str", kTexts);
    if (const CProjectData* project = Project())
    {
        for (int folder = 0; folder < CAESettings::kFileIoFolders; ++folder)
            m_paths[folder] = project->m_settings.m_fileIoFolders[folder];
        UpdateData(FALSE);
    }
    else
    {
        ReadIniPaths();
    }
    m_pathText = m_paths[CAESettings::kFolderMpj];
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_PATHS_PATH, m_pathText.GetString());
    m_isInitialised = true;
    return TRUE;
}

void CSettingFilePath::ReadIniPaths()
{
    // A missing key leaves its folder as it was.
    for (const FolderKey& entry : kKeys)
        GetIniString(kSection, entry.key, &m_paths[entry.folder]);
    if (IsFileType(m_fileType))
        m_pathText = m_paths[kFolderOfRadio[m_fileType]];
    UpdateData(FALSE);
}

void CSettingFilePath::WriteIniPaths()
{
    UpdateData(TRUE);
    for (const FolderKey& entry : kKeys)
        SetIniString(kSection, entry.key, m_paths[entry.folder].GetString());
}

void CSettingFilePath::OnFileType(UINT id)
{
    for (int radio = 0; radio < static_cast<int>(std::size(kRadioIds)); ++radio)
    {
        if (kRadioIds[radio] != static_cast<int>(id))
            continue;
        m_fileType = radio;
        m_pathText = m_paths[kFolderOfRadio[radio]];
        ::SetDlgItemTextA(GetSafeHwnd(), IDC_PATHS_PATH, m_pathText.GetString());
    }
}

void CSettingFilePath::OnBrowse()
{
    UpdateData(TRUE);
    CDirectoryDlg dialog(this);
    dialog.m_folder = m_pathText;
    if (dialog.DoModal() != IDOK)
        return;
    m_pathText = dialog.m_folder;
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_PATHS_PATH, m_pathText.GetString());
    if (IsFileType(m_fileType))
        m_paths[kFolderOfRadio[m_fileType]] = m_pathText;
    SetModifiedFlag(TRUE);
    UpdateData(FALSE);
}

void CSettingFilePath::OnSaveDefaults()
{
    WriteIniPaths();
    UpdateData(FALSE);
}

void CSettingFilePath::OnLoadDefaults()
{
    ReadIniPaths();
    SetModifiedFlag(TRUE);
}

void CSettingFilePath::StorePaths()
{
    if (CProjectData* project = Project())
    {
        for (int folder = 0; folder < CAESettings::kFileIoFolders; ++folder)
            project->m_settings.m_fileIoFolders[folder] = m_paths[folder];
    }
    else
    {
        WriteIniPaths();
    }
}

BOOL CSettingFilePath::OnApply()
{
    if (m_bModified == 1)
    {
        StorePaths();
        if (m_pHost != nullptr)
            m_pHost->ApplySettingsToAllViews(TRUE);
        SetModifiedFlag(FALSE);
    }
    return TRUE;
}

void CSettingFilePath::OnOK()
{
    if (m_bModified == 1)
    {
        StorePaths();
        UpdateData(TRUE);
        if (m_pHost != nullptr)
            m_pHost->ApplySettingsToAllViews(TRUE);
        SetModifiedFlag(FALSE);
    }
    CSettingsPage::OnOK();
}
