// The folder chooser: the shell's folder tree from the desktop, the path of the selected
// folder, and a button that creates the folder typed into the path field. On OK the folder is
// the selected one, whatever the path field says.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"
#include "widgets/controls/OXShellFolderTree.h"

#include <windows.h>

class CDirectoryDlg : public CDialog
{
public:
    // Posted after a folder was created: selects it once the tree has been made anew.
    static constexpr UINT kReselectNewFolderMessage = WM_USER + 3;

    explicit CDirectoryDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_folder; // the initial folder on entry, the chosen one after OK
    COXShellFolderTree m_folderTree;
    CString m_pathText;
    CString m_newFolder; // the last folder made with Create New

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnSelChanged(NMHDR* header, LRESULT* result);
    void OnCreateNew();
    LRESULT OnReselectNewFolder(WPARAM wParam, LPARAM lParam);

private:
    void SelectFirstTopItem();
};
