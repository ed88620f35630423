// The list of the model's groups (the default group aside), from which the user edits one
// (its id goes to the edit command, 617) or deletes one after a confirmation (619). Modeless,
// on the heap; it goes when it acts or closes.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/listctrl.h"
#include "view/CmdRecord.h"

class CGroupEditDlg : public CToolDlg
{
public:
    enum Mode
    {
        kDelete = 0,
        kEdit = 1
    };

    explicit CGroupEditDlg(int frameKey = 0);

    // Creates and shows a list for the view of the frame key; null when no window was made.
    static CGroupEditDlg* Open(int frameKey, int mode);

    BOOL OnInitDialog() override;
    void SetActionButtonText(const CString& text);
    void OnAction();
    // Close and Escape: the dialog goes.
    void OnCancel() override;

    CIdArray m_GroupIds; // ascending
    CListCtrl m_list;
    int m_nMode = kEdit;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override { OnAction(); }
};
