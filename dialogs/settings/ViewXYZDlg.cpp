// View angle and view vector dialogs' shared base.
#include "dialogs/settings/ViewXYZDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"

#include <windows.h>

CViewXYZDlg::CViewXYZDlg(UINT templateId, const int (&editIds)[3], const DialogText* texts,
                         std::size_t textCount, CWnd* parent)
    : CDialog(templateId, parent)
    , m_editIds{editIds[0], editIds[1], editIds[2]}
    , m_captions(texts)
    , m_captionCount(textCount)
{
}

void CViewXYZDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    for (int i = 0; i < 3; ++i)
    {
        DDX_Text(dx, m_editIds[i], m_texts[i]);
        // Text that is no number is refused here with the message of every number field.
        if (dx->m_bSaveAndValidate)
            DDX_Text(dx, m_editIds[i], m_typed[i]);
    }
}

BOOL CViewXYZDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", m_captions, m_captionCount);
    m_texts[0].Format("%3.3lf", m_values.x);
    m_texts[1].Format("%3.3lf", m_values.y);
    m_texts[2].Format("%3.3lf", m_values.z);
    UpdateData(FALSE);
    return TRUE;
}

void CViewXYZDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const CPoint3D values(m_typed[0], m_typed[1], m_typed[2]);
    const CPoint3D before = m_values;
    m_values = values;
    if (!AcceptValues())
    {
        m_values = before;
        return;
    }
    EndDialog(IDOK);
}
