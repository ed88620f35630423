// Shrink setting dialog.
#include "dialogs/settings/ShrinkSettingDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CAEView.h"
#include "view/ViewMainFrame.h"

#include <windows.h>

namespace
{
const DialogText kTexts[] = {{0, "ShrinkSetting", "Title"},
                             {IDC_SHRINK_FACTOR_LABEL, "ShrinkSetting", "ShrinkageFactor"},
                             {IDC_SHRINK_MODE, "ShrinkSetting", "ShrinkMode"},
                             {IDOK, "COMMON", "Ok"},
                             {IDCANCEL, "COMMON", "Cancel"}};
} // namespace

CShrinkSettingDlg::CShrinkSettingDlg(CWnd* parent)
    : CDialog(IDD_SHRINK_SETTING, parent)
{
}

void CShrinkSettingDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Check(dx, IDC_SHRINK_MODE, m_shrinkMode);
    DDX_Text(dx, IDC_SHRINK_FACTOR, m_factorText);
    // Text that is no number is refused here with the message of every number field.
    if (dx->m_bSaveAndValidate)
        DDX_Text(dx, IDC_SHRINK_FACTOR, m_typedFactor);
}

CCAEView* CShrinkSettingDlg::FindView() const
{
    CViewMainFrame* frame = GetViewMainFrame();
    return frame != nullptr ? frame->GetFrameView(m_frameKey) : nullptr;
}

BOOL CShrinkSettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    const CCAEView* view = FindView();
    if (view == nullptr)
        return TRUE;
    m_shrinkMode = view->Scene().IsShrunk() ? TRUE : FALSE;
    m_shrinkFactor = view->Scene().ShrinkFactor();
    m_factorText.Format("%3.3lf", m_shrinkFactor);
    m_shownText = m_factorText;
    UpdateData(FALSE);
    return TRUE;
}

void CShrinkSettingDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The text shows the factor rounded: left as shown, it keeps the factor the view has.
    if (m_factorText != m_shownText || FindView() == nullptr)
        m_shrinkFactor = m_typedFactor;
    if (m_shrinkFactor < 0.0 || m_shrinkFactor > 1.0)
    {
        ShowDialogMessage(*this,
                          LoadUiText("message.str", "Error", "ShrinkSettingDlgOnOK").GetString(),
                          MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (CCAEView* view = FindView())
    {
        const bool wasShrunk = view->Scene().IsShrunk();
        const double oldFactor = view->Scene().ShrinkFactor();
        const bool isShrunk = m_shrinkMode == 1;
        view->EditScene().SetShrunk(isShrunk);
        view->EditScene().SetShrinkFactor(m_shrinkFactor);
        // A factor changed while shrink is off shows nothing new.
        if (isShrunk != wasShrunk || (isShrunk && m_shrinkFactor != oldFactor))
        {
            view->BeginWaitCursor();
            view->Renderer().RenderAll();
            view->InvalidateView();
            view->EndWaitCursor();
        }
    }
    EndDialog(IDOK);
}
