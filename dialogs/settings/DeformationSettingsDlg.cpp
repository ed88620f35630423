// Deformation settings dialog.
#include "dialogs/settings/DeformationSettingsDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

namespace
{
const DialogText kTexts[] = {{0, "DeformationSettings", "Title"},
                             {IDC_DEFORM_BY_SCALE, "DeformationSettings", "DeformationScale"},
                             {IDC_DEFORM_BY_MODEL_SCALE, "DeformationSettings", "ModelScale"},
                             {IDC_DEFORM_ENABLE, "DeformationSettings", "EnableDeformation"},
                             {IDC_DEFORM_SHOW_MODEL, "DeformationSettings", "ShowModel"},
                             {IDC_DEFORM_SHOW_CONTOUR, "DeformationSettings", "ShowContour"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"}};
} // namespace

FW_TABLE(CDeformationSettingsDlg, CDialog,
         fw::command<IDC_DEFORM_BY_SCALE, &CDeformationSettingsDlg::OnByDeformationScale>(),
         fw::command<IDC_DEFORM_BY_MODEL_SCALE, &CDeformationSettingsDlg::OnByModelScale>(),
         fw::command<IDC_DEFORM_ENABLE, &CDeformationSettingsDlg::OnEnableDeformation>())

CDeformationSettingsDlg::CDeformationSettingsDlg(CWnd* parent)
    : CDialog(IDD_DEFORMATION_SETTINGS, parent)
{
}

void CDeformationSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_DEFORM_BY_SCALE, m_scaleChoice);
    DDX_Text(dx, IDC_DEFORM_SCALE, m_deformationScale);
    DDX_Text(dx, IDC_DEFORM_MODEL_SCALE, m_modelScale);
    DDX_Check(dx, IDC_DEFORM_ENABLE, m_enableDeformation);
    DDX_Check(dx, IDC_DEFORM_SHOW_MODEL, m_showModel);
    DDX_Check(dx, IDC_DEFORM_SHOW_CONTOUR, m_showContour);
    // Without deformation there is no undeformed shape to overlay.
    if (!m_enableDeformation)
        EnableShowChecks(false);
}

BOOL CDeformationSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    UpdateData(FALSE);
    EnableScaleEdits(m_scaleChoice == kByModelScale);
    return TRUE;
}

void CDeformationSettingsDlg::EnableScaleEdits(bool isModelScale)
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DEFORM_SCALE), isModelScale ? FALSE : TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DEFORM_MODEL_SCALE), isModelScale ? TRUE : FALSE);
}

void CDeformationSettingsDlg::EnableShowChecks(bool enable)
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DEFORM_SHOW_MODEL), enable ? TRUE : FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DEFORM_SHOW_CONTOUR), enable ? TRUE : FALSE);
}

void CDeformationSettingsDlg::OnByDeformationScale()
{
    EnableScaleEdits(false);
}

void CDeformationSettingsDlg::OnByModelScale()
{
    EnableScaleEdits(true);
}

void CDeformationSettingsDlg::OnEnableDeformation()
{
    m_enableDeformation = m_enableDeformation ? FALSE : TRUE;
    EnableShowChecks(m_enableDeformation != FALSE);
}

void CDeformationSettingsDlg::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}
