// The number of animation frames of one view. The edit takes digits only; the view fills the
// member and reads it back after OK.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

class CMaxLCStepDlg : public CDialog
{
public:
    explicit CMaxLCStepDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // Takes the text's whole number of 0 or more; other text gets the data exchange's message
    // and the dialog stays.
    void OnOK() override;

    int m_maxStep = 0;
    CString m_maxStepText;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    int m_typedStep = 0; // the text's number, once the exchange has accepted it
};
