// Animation frames dialog.
#include "dialogs/settings/MaxLCStepDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

#include <climits>

namespace
{
const DialogText kTexts[] = {{0, "MaxLCStep", "Title"},
                             {IDC_MAXLCSTEP_LABEL, "MaxLCStep", "MaxLCStep"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"}};

} // namespace

CMaxLCStepDlg::CMaxLCStepDlg(CWnd* parent)
    : CDialog(IDD_MAX_LC_STEP, parent)
{
}

void CMaxLCStepDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_MAXLCSTEP_EDIT, m_maxStepText);
    // The edit takes digits only, but a pasted "-5" or "abc" still reaches it.
    if (dx->m_bSaveAndValidate)
    {
        DDX_Text(dx, IDC_MAXLCSTEP_EDIT, m_typedStep);
        DDV_MinMaxInt(dx, m_typedStep, 0, INT_MAX);
    }
}

BOOL CMaxLCStepDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    m_maxStepText.Format("%d", m_maxStep);
    UpdateData(FALSE);
    return TRUE;
}

void CMaxLCStepDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_maxStep = m_typedStep;
    EndDialog(IDOK);
}
