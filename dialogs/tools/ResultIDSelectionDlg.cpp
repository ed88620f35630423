// Result id selection dialog.
#include "dialogs/tools/ResultIDSelectionDlg.h"

#include "core/model/ResultData.h"
#include "dialogs/settings/DialogTexts.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CmdRecord.h"

#include <windows.h>

namespace
{
const DialogText kTexts[] = {{0, "ResultIDSelection", "Title"},
                             {IDC_RESULTID_RESULTS_LABEL, "ResultIDSelection", "RESULTS"},
                             {IDC_RESULTID_RESULT_GROUP, "ResultFilter", "ResultSel"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"}};
} // namespace

FW_TABLE(CResultIDSelectionDlg, CToolDlg)

CResultIDSelectionDlg::CResultIDSelectionDlg(int frameKey)
    : CToolDlg(IDD_RESULT_ID_SELECTION, frameKey)
{
}

BOOL CResultIDSelectionDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    SetDialogTexts(*this, "Dialog.str", kTexts);
    SetDlgItemText(IDC_RESULTID_ID_GROUP, LoadUiText("Dialog.str", "ResultIDSelection",
                                                     m_bNodal ? "NODEIDS" : "ELEMENTIDS"));
    CString ids;
    for (size_t i = 0; i < m_ids.size(); ++i)
    {
        CString id;
        id.Format(i == 0 ? "%d" : ", %d", m_ids[i]);
        ids += id;
    }
    SetDlgItemText(IDC_RESULTID_IDS, ids);

    m_resultName.Empty();
    m_nResultId = -1;
    m_nComponent = -1;
    if (m_model == nullptr)
        return TRUE;
    m_results = result_choice::ListResults(*m_model, m_bNodal, result_choice::LoadLabels());
    const HWND list = ::GetDlgItem(m_hWnd, IDC_RESULTID_RESULTS);
    for (size_t i = 0; i < m_results.size(); ++i)
    {
        const LRESULT at = ::SendMessageA(list, LB_ADDSTRING, 0,
                                          reinterpret_cast<LPARAM>(m_results[i].text.GetString()));
        ::SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(i));
    }
    return TRUE;
}

void CResultIDSelectionDlg::OnOK()
{
    const HWND list = ::GetDlgItem(m_hWnd, IDC_RESULTID_RESULTS);
    const LRESULT at = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR)
        return;
    const size_t index = size_t(::SendMessageA(list, LB_GETITEMDATA, WPARAM(at), 0));
    if (index >= m_results.size() || m_results[index].record == nullptr)
        return;
    const result_choice::Item& item = m_results[index];
    m_resultName = item.record->GetName();
    m_nResultId = static_cast<int>(item.record->m_id);
    m_nComponent = item.component;
    if (m_nResultId <= 0)
        return;
    // A copy: the owner may release the dialog in the call.
    if (const std::function<void()> onOk = m_onOk)
        onOk();
}

void CResultIDSelectionDlg::OnCancel()
{
    // The command ends with its dialog, which it then releases.
    ShowWindow(SW_HIDE);
    SendCode(CCmdRecord::kEndCommand);
}
