// Select results to load dialog.
#include "dialogs/tools/SelectResultsDlg.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "dialogs/settings/DialogTexts.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

#include <algorithm>

namespace
{
const DialogText kTexts[] = {
    {0, "SelectResults", "Title"},
    {IDC_SELECTRESULTS_RESULTS_LABEL, "SelectResults", "Results"},
    {IDC_SELECTRESULTS_STEPS_LABEL, "SelectResults", "ResultSteps"},
    {IDC_SELECTRESULTS_SELECTED_LABEL, "SelectResults", "SelectedResults"},
    {IDC_SELECTRESULTS_CONVERSION, "SelectResults", "ElementalNodalConversion"},
    {IDC_SELECTRESULTS_ALL, "SelectResults", "LoadAll"},
    {IDOK, "Common", "OK"}};

std::vector<int> ChosenItems(HWND list)
{
    const LRESULT count = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> chosen(count > 0 ? size_t(count) : 0);
    if (!chosen.empty())
        ::SendMessageA(list, LB_GETSELITEMS, WPARAM(chosen.size()),
                       reinterpret_cast<LPARAM>(chosen.data()));
    return chosen;
}

CString ItemText(HWND list, int index)
{
    const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length <= 0)
        return CString();
    std::vector<char> text(size_t(length) + 1, '\0');
    ::SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    return CString(text.data());
}

// The item of exactly this text (ignoring case), or -1. A longer name that starts with the
// same letters is another result.
int FindText(HWND list, const CString& text)
{
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < int(count); ++i)
    {
        if (ItemText(list, i).CompareNoCase(text) == 0)
            return i;
    }
    return -1;
}

void AddItem(HWND list, const CString& text, UINT data)
{
    const LRESULT at =
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    ::SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(data));
}

UINT ItemData(HWND list, int index)
{
    return UINT(::SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0));
}

int DecimalDigits(int value)
{
    int digits = 1;
    while (value >= 10)
    {
        value /= 10;
        ++digits;
    }
    return digits;
}
} // namespace

FW_TABLE(
    CSelectResultsDlg, CDialog,
    fw::control<LBN_SELCHANGE, IDC_SELECTRESULTS_RESULTS, &CSelectResultsDlg::OnResultsChanged>(),
    fw::command<IDC_SELECTRESULTS_MOVE_IN, &CSelectResultsDlg::OnMoveIn>(),
    fw::command<IDC_SELECTRESULTS_MOVE_OUT, &CSelectResultsDlg::OnMoveOut>(),
    fw::command<IDC_SELECTRESULTS_ALL, &CSelectResultsDlg::OnLoadAll>())

CSelectResultsDlg::CSelectResultsDlg(CWnd* parent)
    : CDialog(IDD_SELECT_RESULTS, parent)
{
}

bool CSelectResultsDlg::IsDefault(const CString& name) const
{
    return m_isDefaultResult && m_isDefaultResult(name);
}

CString CSelectResultsDlg::OfferedText(const CResultData& result) const
{
    return IsDefault(result.GetName()) ? "*" + result.GetName() : result.GetName();
}

std::vector<CResultData*> CSelectResultsDlg::FileResults() const
{
    std::vector<CResultData*> found;
    if (m_model == nullptr)
        return found;
    const CResultMap& results = m_model->GetResults();
    for (UINT id : results.SortedKeys())
    {
        CResultData* result = nullptr;
        if (results.Lookup(id, result) && result != nullptr &&
            result->m_loaded == CResultData::kNotLoaded && result->m_sourcePath == m_path)
            found.push_back(result);
    }
    return found;
}

std::vector<CResultData*> CSelectResultsDlg::UnloadedCases(const CString& name, int loadCase) const
{
    std::vector<CResultData*> cases;
    for (CResultData* record : FileResults())
    {
        if (record->GetName() == name &&
            (loadCase < 0 || int(ResultIdLoadCase(record->m_id)) == loadCase))
            cases.push_back(record);
    }
    return cases;
}

BOOL CSelectResultsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow(); // over its owner, never at the screen's corner
    SetDialogTexts(*this, "Dialog.str", kTexts);
    ::CheckDlgButton(m_hWnd, IDC_SELECTRESULTS_CONVERSION, BST_CHECKED);
    if (m_model == nullptr)
        return TRUE;
    const HWND results = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_RESULTS);
    for (CResultData* result : FileResults())
    {
        if (IsDefault(result->GetName()) && m_model->GetLoadCaseCount(result->m_id) <= 2)
            AddSelected(*result);
        else if (FindText(results, OfferedText(*result)) < 0)
            AddItem(results, OfferedText(*result), result->m_id);
    }
    UpdateSelectedExtent();
    return TRUE;
}

void CSelectResultsDlg::OnResultsChanged()
{
    FillSteps();
}

void CSelectResultsDlg::FillSteps()
{
    const HWND results = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_RESULTS);
    const HWND steps = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_STEPS);
    ::SendMessageA(steps, LB_RESETCONTENT, 0, 0);
    const std::vector<int> chosen = ChosenItems(results);
    ::EnableWindow(steps, chosen.size() < 2);
    if (chosen.size() != 1 || m_model == nullptr)
        return;
    const CResultData* result = m_model->GetResult(ItemData(results, chosen[0]));
    if (result == nullptr)
        return;
    // The load cases not loaded yet of every record of the name, in order, each once.
    std::vector<int> cases;
    int count = 0;
    for (const CResultData* record : UnloadedCases(result->GetName(), -1))
    {
        cases.push_back(int(ResultIdLoadCase(record->m_id)));
        count = std::max(count, m_model->GetLoadCaseCount(record->m_id));
    }
    std::sort(cases.begin(), cases.end());
    cases.erase(std::unique(cases.begin(), cases.end()), cases.end());
    CString format;
    format.Format("%%.%dd", DecimalDigits(std::max(count - 1, 0)));
    for (const int n : cases)
    {
        CString text;
        text.Format(format.GetString(), n);
        AddItem(steps, text, UINT(n));
    }
    ::SendMessageA(steps, LB_SETSEL, TRUE, -1);
}

void CSelectResultsDlg::AddSelected(CResultData& record)
{
    record.m_loaded = CResultData::kRequested;
    CString text;
    text.Format("[%u] %s", ResultIdLoadCase(record.m_id), OfferedText(record).GetString());
    AddItem(::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_SELECTED), text, record.m_id);
}

void CSelectResultsDlg::AddOffered(const CResultData& record)
{
    const HWND results = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_RESULTS);
    const CString text = OfferedText(record);
    const int existing = FindText(results, text);
    if (existing < 0)
    {
        AddItem(results, text, record.m_id);
        return;
    }
    const std::vector<int> chosen = ChosenItems(results);
    if (chosen.size() == 1 && chosen[0] == existing)
        FillSteps();
}

void CSelectResultsDlg::OnMoveIn()
{
    if (m_model == nullptr)
        return;
    const HWND results = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_RESULTS);
    const HWND steps = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_STEPS);
    const std::vector<int> chosen = ChosenItems(results);
    if (chosen.empty())
        return;
    if (chosen.size() == 1)
    {
        // One result: its chosen steps.
        const CResultData* result = m_model->GetResult(ItemData(results, chosen[0]));
        const CString name = result != nullptr ? result->GetName() : CString();
        const std::vector<int> chosenSteps = ChosenItems(steps);
        for (const int at : chosenSteps)
        {
            for (CResultData* record : UnloadedCases(name, int(ItemData(steps, at))))
                AddSelected(*record);
        }
        for (auto at = chosenSteps.rbegin(); at != chosenSteps.rend(); ++at)
            ::SendMessageA(steps, LB_DELETESTRING, WPARAM(*at), 0);
        if (result == nullptr || UnloadedCases(name, -1).empty())
            ::SendMessageA(results, LB_DELETESTRING, WPARAM(chosen[0]), 0);
    }
    else
    {
        // Several results: every load case of each not loaded yet.
        for (const int at : chosen)
        {
            if (const CResultData* result = m_model->GetResult(ItemData(results, at)))
            {
                for (CResultData* record : UnloadedCases(result->GetName(), -1))
                    AddSelected(*record);
            }
        }
        for (auto at = chosen.rbegin(); at != chosen.rend(); ++at)
            ::SendMessageA(results, LB_DELETESTRING, WPARAM(*at), 0);
        FillSteps();
    }
    UpdateSelectedExtent();
}

void CSelectResultsDlg::OnMoveOut()
{
    const HWND selected = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_SELECTED);
    const std::vector<int> chosen = ChosenItems(selected);
    std::vector<CResultData*> records;
    for (const int at : chosen)
    {
        if (CResultData* record =
                m_model != nullptr ? m_model->GetResult(ItemData(selected, at)) : nullptr)
            records.push_back(record);
    }
    for (auto at = chosen.rbegin(); at != chosen.rend(); ++at)
        ::SendMessageA(selected, LB_DELETESTRING, WPARAM(*at), 0);
    for (CResultData* record : records)
    {
        record->m_loaded = CResultData::kNotLoaded;
        AddOffered(*record);
    }
    UpdateSelectedExtent();
}

void CSelectResultsDlg::OnLoadAll()
{
    for (CResultData* record : FileResults())
        AddSelected(*record);
    ::SendDlgItemMessageA(m_hWnd, IDC_SELECTRESULTS_RESULTS, LB_RESETCONTENT, 0, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_SELECTRESULTS_STEPS, LB_RESETCONTENT, 0, 0);
    EndChoice();
}

void CSelectResultsDlg::UpdateSelectedExtent()
{
    const HWND selected = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_SELECTED);
    const HDC dc = ::GetDC(selected);
    const HGDIOBJ oldFont =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(selected, WM_GETFONT, 0, 0)));
    int widest = 0;
    const LRESULT count = ::SendMessageA(selected, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < int(count); ++i)
    {
        const CString text = ItemText(selected, i);
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text.GetString(), text.GetLength(), &size);
        widest = std::max(widest, int(size.cx));
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(selected, dc);
    ::SendMessageA(selected, LB_SETHORIZONTALEXTENT, WPARAM(widest + 2), 0);
}

void CSelectResultsDlg::OnOK()
{
    EndChoice();
}

void CSelectResultsDlg::EndChoice()
{
    m_nConversion =
        ::IsDlgButtonChecked(m_hWnd, IDC_SELECTRESULTS_CONVERSION) == BST_CHECKED ? 1 : 0;
    const HWND selected = ::GetDlgItem(m_hWnd, IDC_SELECTRESULTS_SELECTED);
    const LRESULT count = ::SendMessageA(selected, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < int(count); ++i)
    {
        if (CResultData* record =
                m_model != nullptr ? m_model->GetResult(ItemData(selected, i)) : nullptr)
            record->m_average = BYTE(m_nConversion);
    }
    EndDialog(IDOK);
}
