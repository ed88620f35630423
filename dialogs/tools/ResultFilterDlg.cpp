// Result filter dialog.
#include "dialogs/tools/ResultFilterDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "resources/ids/dialogs_ids.h"
#include "view/CmdRecord.h"

#include <windows.h>

#include <string>

namespace
{
const DialogText kTexts[] = {
    {0, "ResultFilter", "Title"},
    {IDC_RESULTFILTER_RESULT_GROUP, "ResultFilter", "ResultSel"},
    {IDC_RESULTFILTER_RESULTS_LABEL, "ResultFilter", "ResultList"},
    {IDC_RESULTFILTER_SELECTED_LABEL, "ResultFilter", "SelectedResultList"},
    {IDC_RESULTFILTER_ADD, "ResultFilter", "Add"},
    {IDC_RESULTFILTER_DELETE, "ResultFilter", "Delete"},
    {IDOK, "Common", "OK"},
    {IDCANCEL, "Common", "Cancel"}};

LRESULT AddItem(HWND list, const CString& text, size_t index)
{
    const LRESULT at =
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    ::SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(index));
    return at;
}

// A list's horizontal scroll range covers its widest text, so that a long result name can be
// scrolled into sight rather than cut off at the list's edge.
void FitHorizontalExtent(HWND list)
{
    const HDC dc = ::GetDC(list);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0));
    const HGDIOBJ old = ::SelectObject(dc, font);
    int widest = 0;
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0);
        if (length <= 0)
            continue;
        std::string text(size_t(length) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text.data(), int(length), &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    ::SendMessageA(list, LB_SETHORIZONTALEXTENT, WPARAM(widest + 2), 0);
}

std::vector<int> ChosenItems(HWND list)
{
    const LRESULT count = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> chosen(count > 0 ? size_t(count) : 0);
    if (!chosen.empty())
        ::SendMessageA(list, LB_GETSELITEMS, WPARAM(chosen.size()),
                       reinterpret_cast<LPARAM>(chosen.data()));
    return chosen;
}
} // namespace

FW_TABLE(CResultFilterDlg, CToolDlg,
         fw::control<LBN_SELCHANGE, IDC_RESULTFILTER_RESULTS, &CResultFilterDlg::OnResultChosen>(),
         fw::command<IDC_RESULTFILTER_ADD, &CResultFilterDlg::OnAdd>(),
         fw::command<IDC_RESULTFILTER_DELETE, &CResultFilterDlg::OnDelete>())

CResultFilterDlg::CResultFilterDlg(int frameKey)
    : CToolDlg(IDD_RESULT_FILTER, frameKey)
{
}

BOOL CResultFilterDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    CenterWindow(); // over its owner, never at the screen's corner
    SetDialogTexts(*this, "Dialog.str", kTexts);
    SetDlgItemText(IDC_RESULTFILTER_ID_GROUP,
                   LoadUiText("Dialog.str", "ResultFilter", m_bNodal ? "NodeIds" : "ElementIds"));
    m_labels = result_choice::LoadLabels();

    CString ids;
    for (size_t i = 0; i < m_ids.size(); ++i)
    {
        CString id;
        id.Format(i == 0 ? "%d" : ", %d", m_ids[i]);
        ids += id;
    }
    SetDlgItemText(IDC_RESULTFILTER_IDS, ids);

    m_chosenResults.clear();
    m_chosenComponents.clear();
    m_chosenTexts.clear();
    if (m_model == nullptr)
        return TRUE;
    m_results = result_choice::ListResults(*m_model, m_bNodal, m_labels);
    const HWND results = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_RESULTS);
    for (size_t i = 0; i < m_results.size(); ++i)
        AddItem(results, m_results[i].text, i);
    FitHorizontalExtent(results);
    result_choice::Item shown;
    if (m_shownResultId != 0 && result_choice::ShownResultItem(*m_model, m_shownResultId,
                                                               m_shownSelector, m_labels, &shown))
        AddSelected(shown);
    return TRUE;
}

void CResultFilterDlg::OnResultChosen()
{
    const HWND steps = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_STEPS);
    ::SendMessageA(steps, LB_RESETCONTENT, 0, 0);
    m_steps.clear();
    const HWND results = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_RESULTS);
    const LRESULT at = ::SendMessageA(results, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR || m_model == nullptr)
        return;
    const result_choice::Item& chosen =
        m_results[size_t(::SendMessageA(results, LB_GETITEMDATA, WPARAM(at), 0))];
    SetDlgItemText(IDC_RESULTFILTER_STEPS_LABEL,
                   result_choice::LoadCaseLabel(*chosen.record, m_labels) + "s");
    m_steps = result_choice::ListLoadCases(*m_model, chosen, m_labels);
    for (size_t i = 0; i < m_steps.size(); ++i)
    {
        m_steps[i].text = m_steps[i].text + " : " + chosen.text;
        CString shown = m_steps[i].text.Left(m_steps[i].text.Find(" : "));
        AddItem(steps, shown, i);
    }
}

void CResultFilterDlg::OnAdd()
{
    const HWND steps = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_STEPS);
    for (const int at : ChosenItems(steps))
        AddSelected(m_steps[size_t(::SendMessageA(steps, LB_GETITEMDATA, WPARAM(at), 0))]);
}

void CResultFilterDlg::AddSelected(const result_choice::Item& item)
{
    const HWND selected = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_SELECTED);
    const LRESULT count = ::SendMessageA(selected, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        const size_t index = size_t(::SendMessageA(selected, LB_GETITEMDATA, WPARAM(i), 0));
        if (m_selected[index].text.CompareNoCase(item.text) == 0)
            return;
    }
    m_selected.push_back(item);
    AddItem(selected, item.text, m_selected.size() - 1);
    FitHorizontalExtent(selected);
}

void CResultFilterDlg::OnDelete()
{
    const HWND selected = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_SELECTED);
    const std::vector<int> chosen = ChosenItems(selected);
    for (auto at = chosen.rbegin(); at != chosen.rend(); ++at)
        ::SendMessageA(selected, LB_DELETESTRING, WPARAM(*at), 0);
    FitHorizontalExtent(selected);
}

void CResultFilterDlg::OnOK()
{
    m_chosenResults.clear();
    m_chosenComponents.clear();
    m_chosenTexts.clear();
    const HWND selected = ::GetDlgItem(m_hWnd, IDC_RESULTFILTER_SELECTED);
    const LRESULT count = ::SendMessageA(selected, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        const result_choice::Item& item =
            m_selected[size_t(::SendMessageA(selected, LB_GETITEMDATA, WPARAM(i), 0))];
        if (item.record == nullptr)
            continue;
        m_chosenResults.push_back(item.record);
        m_chosenComponents.push_back(item.component);
        m_chosenTexts.push_back(item.text);
    }
    // A copy: the owner may release the dialog in the call.
    if (const std::function<void()> onOk = m_onOk)
        onOk();
}

void CResultFilterDlg::OnCancel()
{
    // The command ends with its dialog, which it then releases.
    ShowWindow(SW_HIDE);
    SendCode(CCmdRecord::kEndCommand);
}
