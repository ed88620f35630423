// The settings pages' shared part.
#include "dialogs/settings/SettingsPage.h"

#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"

void CSettingsPage::SetModifiedFlag(BOOL modified)
{
    SetModified(modified);
    m_bModified = modified ? 1 : 0;
}

void CSettingsPage::EnableControl(int id, BOOL enable)
{
    if (const HWND control = ::GetDlgItem(GetSafeHwnd(), id))
        ::EnableWindow(control, enable);
}

CProjectData* CSettingsPage::Project() const
{
    return m_pHost != nullptr ? m_pHost->GetProject() : nullptr;
}

void ShowBandCountMessage(CWnd& dialog)
{
    CString text;
    text.Format("%s %d", LoadUiText("message.str", "Error", "NoOfBands").GetString(),
                setting_ranges::kBandCount.high);
    ShowDialogMessage(dialog, text.GetString(), MB_OK);
}

void DDV_BandCount(CDataExchange* dx, CWnd& dialog, int bands)
{
    if (!dx->m_bSaveAndValidate || setting_ranges::kBandCount.Contains(bands))
        return;
    ShowBandCountMessage(dialog);
    dx->Fail();
}

void DDV_SettingRange(CDataExchange* dx, int& value, const CIntRange& range, bool isEditable)
{
    if (!dx->m_bSaveAndValidate)
        return;
    if (isEditable)
        DDV_MinMaxInt(dx, value, range.low, range.high);
    else
        value = range.Clamp(value);
}

void DDV_SettingRange(CDataExchange* dx, double& value, const CRealRange& range, bool isEditable)
{
    if (!dx->m_bSaveAndValidate)
        return;
    if (isEditable)
        DDV_MinMaxDouble(dx, value, range.low, range.high);
    else
        value = range.Clamp(value);
}
