// Animation frames dialog.
#include "dialogs/settings/MaxLCStepDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

#include <climits>
#include <cstdlib>

namespace
{
const DialogText kTexts[] = {{0, "MaxLCStep", "Title"},
                             {IDC_MAXLCSTEP_LABEL, "MaxLCStep", "MaxLCStep"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"}};

// The leading digits as an int, 0 for none; a number past the int range stops at its end.
int LeadingInt(const CString& text)
{
    const long value = std::strtol(text.GetString(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
} // namespace

CMaxLCStepDlg::CMaxLCStepDlg(CWnd* parent)
    : CDialog(IDD_MAX_LC_STEP, parent)
{
}

void CMaxLCStepDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_MAXLCSTEP_EDIT, m_maxStepText);
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
    m_maxStep = LeadingInt(m_maxStepText);
    EndDialog(IDOK);
}
