// The New Project dialog: a blank project, or one made from a solver file, for which the user
// gives the project's name, its folder (through the folder chooser) and the file to import.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/dlg/dialog.h"

class CProjectNewDlg : public CDialog
{
public:
    // m_projectKind
    static constexpr int kBlankProject = 0;
    static constexpr int kUsingImportFile = 1;

    explicit CProjectNewDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // A blank project closes at once; an import needs a name (one that can name a file) and a
    // file to import, else the user is told and the dialog stays.
    void OnOK() override;

    int m_projectKind = kBlankProject;
    CString m_importFileName; // the file's name only
    CString m_importFilePath; // its full path
    CString m_projectName;
    CString m_projectFolder;
    CEdit m_nameEdit;
    CButton m_folderButton;
    CButton m_importButton;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnBlankProject();
    void OnUsingImportFile();
    void OnBrowsePath();
    void OnBrowseImportFile();

private:
    void EnableProjectFields(BOOL enable);
    void ShowError(const char* key, CWnd& focus);
};
