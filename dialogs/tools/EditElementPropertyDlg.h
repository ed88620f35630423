// Element property edit: the user chooses or types the property id that the picked elements
// take; OK reports it (700) when it is a whole number from 1 to INT_MAX written in digits only.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/stdctrl.h"

class CEditElementPropertyDlg : public CToolDlg
{
public:
    explicit CEditElementPropertyDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    // The model's property ids, ascending; none selected.
    void FillPropertyCombo();
    void OnOK() override;
    // Hides the dialog and ends the running command: nothing is changed.
    void OnCancel() override;

    // The id a text stands for, or -1 when the text is not a valid property id.
    static int ParsePropertyId(const CString& text);

    int m_nPropertyId = -1;
    CComboBox m_combo;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
