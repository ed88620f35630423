// Folder chooser dialog.
#include "dialogs/settings/DirectoryDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

namespace
{
const DialogText kTexts[] = {{0, "DirectoryDialog", "Title"},
                             {IDC_DIRECTORY_LABEL, "DirectoryDialog", "Path"},
                             {IDC_DIRECTORY_CREATE, "DirectoryDialog", "CreateNew"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"}};
} // namespace

FW_TABLE(CDirectoryDlg, CDialog,
         fw::notify<static_cast<int>(TVN_SELCHANGEDA), IDC_DIRECTORY_TREE,
                    &CDirectoryDlg::OnSelChanged>(),
         fw::command<IDC_DIRECTORY_CREATE, &CDirectoryDlg::OnCreateNew>(),
         fw::raw<CDirectoryDlg::kReselectNewFolderMessage, &CDirectoryDlg::OnReselectNewFolder>())

CDirectoryDlg::CDirectoryDlg(CWnd* parent)
    : CDialog(IDD_DIRECTORY, parent)
    , m_folderTree(TRUE, TRUE, TRUE, TRUE, FALSE, "")
{
}

void CDirectoryDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DIRECTORY_TREE, m_folderTree);
    DDX_Text(dx, IDC_DIRECTORY_PATH, m_pathText);
}

BOOL CDirectoryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogTexts(*this, "dialog.str", kTexts);
    m_folderTree.SetFileFilter("");
    m_folderTree.InitializeTree("");
    SelectFirstTopItem();
    m_folderTree.SelectPath(m_folder, FALSE);
    return TRUE;
}

void CDirectoryDlg::SelectFirstTopItem()
{
    m_folderTree.SelectItem(m_folderTree.GetRootItem());
}

void CDirectoryDlg::OnSelChanged(NMHDR* header, LRESULT* result)
{
    const auto* view = reinterpret_cast<const NMTREEVIEWA*>(header);
    m_pathText =
        view->itemNew.hItem != nullptr ? m_folderTree.GetItemPath(view->itemNew.hItem) : CString();
    UpdateData(FALSE);
    *result = 0;
}

void CDirectoryDlg::OnCreateNew()
{
    UpdateData(TRUE);
    m_newFolder = m_pathText;
    if (::CreateDirectoryA(m_newFolder.GetString(), nullptr))
    {
        m_folderTree.RefreshItem(TVI_ROOT);
        PostMessage(kReselectNewFolderMessage);
        return;
    }
    // A folder that exists already is no failure worth a word.
    if (::GetLastError() == ERROR_PATH_NOT_FOUND)
    {
        const CString text = LoadUiText("Message.str", "Error", "FolderNotCreate");
        ShowDialogMessage(*this, (text + m_newFolder).GetString(), MB_OK);
    }
}

LRESULT CDirectoryDlg::OnReselectNewFolder(WPARAM, LPARAM)
{
    m_folderTree.RefreshItem(TVI_ROOT);
    UpdateData(TRUE);
    SelectFirstTopItem();
    m_folderTree.SelectPath(m_newFolder, TRUE);
    return 1;
}

void CDirectoryDlg::OnOK()
{
    CString folder = m_folderTree.GetItemPath(m_folderTree.GetSelectedItem());
    folder.Trim();
    if (folder.IsEmpty())
    {
        ShowDialogMessage(*this, LoadUiText("message.str", "Request", "SelectFolder").GetString(),
                          MB_OK);
        return;
    }
    m_folder = folder;
    EndDialog(IDOK);
}
