// New Project dialog.
#include "dialogs/settings/ProjectNewDlg.h"

#include "core/services/ProductIni.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/DirectoryDlg.h"
#include "platform/dlg/commdlg.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

namespace
{
const DialogText kTexts[] = {{0, "ProjectNew", "ProjectNew"},
                             {IDC_PROJECTNEW_GROUP, "ProjectNew", "CreateProject"},
                             {IDC_PROJECTNEW_BLANK, "ProjectNew", "BlankProject"},
                             {IDC_PROJECTNEW_IMPORT, "ProjectNew", "UsingImportFile"},
                             {IDC_PROJECTNEW_NAME_LABEL, "ProjectNew", "ProjectName"},
                             {IDC_PROJECTNEW_FOLDER_LABEL, "ProjectNew", "ProjectPath"},
                             {IDC_PROJECTNEW_FILE_LABEL, "ProjectNew", "FileName"}};

const char kImportFilter[] = "Nastran d File (*.d)|*.d|Nastran dat File (*.dat)|*.dat|"
                             "Nastran bdf File (*.bdf)|*.bdf|OP2 file (*.op2)|*.op2|"
                             "Universal File (*.unv)|*.unv||";

// Characters a file name cannot hold: the project's name becomes its file's name.
const char kBadNameCharacters[] = "\\/:*?\"<>|";

CString DefaultProjectName()
{
    return LoadUiText("Dialog.str", "COMMON", "NewProject");
}
} // namespace

FW_TABLE(CProjectNewDlg, CDialog,
         fw::command<IDC_PROJECTNEW_BLANK, &CProjectNewDlg::OnBlankProject>(),
         fw::command<IDC_PROJECTNEW_IMPORT, &CProjectNewDlg::OnUsingImportFile>(),
         fw::command<IDC_PROJECTNEW_BROWSE_FOLDER, &CProjectNewDlg::OnBrowsePath>(),
         fw::command<IDC_PROJECTNEW_BROWSE_FILE, &CProjectNewDlg::OnBrowseImportFile>())

CProjectNewDlg::CProjectNewDlg(CWnd* parent)
    : CDialog(IDD_PROJECT_NEW, parent)
{
}

void CProjectNewDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PROJECTNEW_NAME, m_nameEdit);
    DDX_Control(dx, IDC_PROJECTNEW_BROWSE_FOLDER, m_folderButton);
    DDX_Control(dx, IDC_PROJECTNEW_BROWSE_FILE, m_importButton);
    DDX_Radio(dx, IDC_PROJECTNEW_BLANK, m_projectKind);
    DDX_Text(dx, IDC_PROJECTNEW_FILE, m_importFileName);
    DDX_Text(dx, IDC_PROJECTNEW_NAME, m_projectName);
    DDX_Text(dx, IDC_PROJECTNEW_FOLDER, m_projectFolder);
}

BOOL CProjectNewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    m_projectKind = kBlankProject;
    EnableProjectFields(FALSE);
    m_projectName = DefaultProjectName();
    m_projectFolder.Empty();
    GetIniString("FileIOPaths", "MPJ", &m_projectFolder);
    UpdateData(FALSE);
    return TRUE;
}

void CProjectNewDlg::EnableProjectFields(BOOL enable)
{
    m_nameEdit.EnableWindow(enable);
    m_folderButton.EnableWindow(enable);
    m_importButton.EnableWindow(enable);
}

void CProjectNewDlg::OnBlankProject()
{
    m_projectKind = kBlankProject;
    EnableProjectFields(FALSE);
    m_projectName = DefaultProjectName();
    UpdateData(FALSE);
}

void CProjectNewDlg::OnUsingImportFile()
{
    EnableProjectFields(TRUE);
    m_nameEdit.SetFocus();
    m_nameEdit.SetSel(0, -1);
    m_nameEdit.SendMessage(EM_SCROLLCARET);
}

void CProjectNewDlg::OnBrowsePath()
{
    UpdateData(TRUE);
    CDirectoryDlg chooser(this);
    chooser.m_folder = m_projectFolder;
    if (chooser.DoModal() != IDOK)
        return;
    m_projectFolder = chooser.m_folder;
    UpdateData(FALSE);
}

void CProjectNewDlg::OnBrowseImportFile()
{
    UpdateData(TRUE);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                       kImportFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_importFileName = dialog.GetFileName();
    m_importFilePath = dialog.GetPathName();
    UpdateData(FALSE);
}

void CProjectNewDlg::ShowError(const char* key, CWnd& focus)
{
    ShowDialogMessage(*this, LoadUiText("message.str", "ProjectNew", key).GetString(),
                      MB_OK | MB_ICONERROR);
    focus.SetFocus();
}

void CProjectNewDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_projectKind == kBlankProject)
    {
        EndDialog(IDOK);
        return;
    }
    if (m_projectName.IsEmpty())
        ShowError("ProjectName", m_nameEdit);
    else if (m_projectName.FindOneOf(kBadNameCharacters) >= 0)
        ShowError("InvalidProjectName", m_nameEdit);
    else if (m_importFileName.IsEmpty())
        ShowError("FileName", m_importButton);
    else
        EndDialog(IDOK);
}
