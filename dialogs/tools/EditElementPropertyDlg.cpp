// Element property edit dialog.
#include "dialogs/tools/EditElementPropertyDlg.h"

#include "core/model/ModelSet.h"
#include "dialogs/settings/DialogTexts.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CmdRecord.h"

#include <algorithm>
#include <climits>
#include <vector>

CEditElementPropertyDlg::CEditElementPropertyDlg(int frameKey)
    : CToolDlg(IDD_EDIT_ELEMENT_PROPERTY, frameKey)
{
}

void CEditElementPropertyDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_ELEMPROP_COMBO, m_combo);
}

BOOL CEditElementPropertyDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetWindowText(ToolText("Dialog.str", "EditElementProperty", "ElementProperty"));
    SetDlgItemText(IDC_ELEMPROP_LABEL,
                   ToolText("Dialog.str", "EditElementProperty", "PropertyID").GetString());
    SetDlgItemText(IDOK, ToolText("Dialog.str", "COMMON", "Ok").GetString());
    SetDlgItemText(IDCANCEL, ToolText("Dialog.str", "COMMON", "Cancel").GetString());
    FillPropertyCombo();
    return TRUE;
}

void CEditElementPropertyDlg::FillPropertyCombo()
{
    m_combo.ResetContent();
    CModelSet* model = FindModel();
    if (model == nullptr)
        return;
    std::vector<int> ids;
    const auto& colors = model->GetPropertyColors();
    ids.reserve(static_cast<size_t>(colors.GetCount()));
    POSITION pos = colors.GetStartPosition();
    while (pos != nullptr)
    {
        UINT id = 0;
        CPropertyColor color;
        colors.GetNextAssoc(pos, id, color);
        ids.push_back(static_cast<int>(id));
    }
    std::sort(ids.begin(), ids.end());
    for (const int id : ids)
    {
        CString text;
        text.Format("%d", id);
        const int index = m_combo.AddString(text.GetString());
        if (index >= 0)
            m_combo.SetItemData(index, static_cast<DWORD_PTR>(id));
    }
}

int CEditElementPropertyDlg::ParsePropertyId(const CString& text)
{
    const char* p = text.GetString();
    if (*p == '\0')
        return -1;
    long long value = 0;
    for (; *p != '\0'; ++p)
    {
        if (*p < '0' || *p > '9')
            return -1;
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            return -1; // atoi would wrap it into another id
    }
    return value > 0 ? static_cast<int>(value) : -1;
}

void CEditElementPropertyDlg::OnOK()
{
    CString text;
    GetDlgItemText(IDC_ELEMPROP_COMBO, text);
    const int id = ParsePropertyId(text);
    if (id < 0)
    {
        ShowDialogMessage(*this,
                          ToolText("message.str", "Property ID Edit", "Invalid Value").GetString(),
                          MB_OK | MB_ICONERROR);
        return;
    }
    m_nPropertyId = id;
    CElementPropertyRecord record;
    record.nCode = CCmdRecord::kDialogOk;
    record.nPropertyId = id;
    SendRecord(record);
}

void CEditElementPropertyDlg::OnCancel()
{
    CToolDlg::OnCancel();
    SendCode(CCmdRecord::kEndCommand);
}
