// The formula of a new computed column of the result sheet: typed, or clicked together from
// a keypad and the list of result columns; OK only for a formula that passes the check.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <vector>

class CFormulaDlg : public CDialog
{
public:
    explicit CFormulaDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_formula;
    // "C%d : %s" of each result column, in column order; filled by the sheet.
    std::vector<CString> m_columnNames;
    // Columns a typed reference may name (the result and the formula columns).
    int m_columnCount = 0;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnKey(UINT id);
    void OnBackspace();
    void OnClear();
    void OnAdd();

private:
    void Append(const CString& text);
    // Tells the user why the formula cannot be taken; false when it cannot.
    bool IsAccepted();
};
