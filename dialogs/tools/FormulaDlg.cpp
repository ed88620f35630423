// Formula dialog of the result sheet.
#include "dialogs/tools/FormulaDlg.h"

#include "dialogs/settings/DialogTexts.h"
#include "dialogs/tools/Formula.h"
#include "platform/dlg/ddx.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

namespace
{
const DialogText kTexts[] = {{0, "Formula", "Title"},
                             {IDC_FORMULA_LABEL, "Formula", "Formula"},
                             {IDC_FORMULA_COLUMN_LABEL, "Formula", "Result"},
                             {IDC_FORMULA_ADD, "Formula", "Add"},
                             {IDC_FORMULA_CLEAR, "Formula", "Clear"},
                             {IDOK, "Common", "OK"},
                             {IDCANCEL, "Common", "Cancel"}};

// What each keypad button appends.
struct Key
{
    int id;
    const char* text;
};
const Key kKeys[] = {{IDC_FORMULA_1, "1"},     {IDC_FORMULA_2, "2"},     {IDC_FORMULA_3, "3"},
                     {IDC_FORMULA_4, "4"},     {IDC_FORMULA_5, "5"},     {IDC_FORMULA_6, "6"},
                     {IDC_FORMULA_7, "7"},     {IDC_FORMULA_8, "8"},     {IDC_FORMULA_9, "9"},
                     {IDC_FORMULA_0, "0"},     {IDC_FORMULA_POINT, "."}, {IDC_FORMULA_PLUS, "+"},
                     {IDC_FORMULA_MINUS, "-"}, {IDC_FORMULA_TIMES, "*"}, {IDC_FORMULA_DIVIDE, "/"},
                     {IDC_FORMULA_OPEN, "("},  {IDC_FORMULA_CLOSE, ")"}};
} // namespace

FW_TABLE(CFormulaDlg, CDialog,
         fw::command_range<IDC_FORMULA_BACKSPACE, IDC_FORMULA_POINT, &CFormulaDlg::OnKey>())

CFormulaDlg::CFormulaDlg(CWnd* parent)
    : CDialog(IDD_FORMULA, parent)
{
}

void CFormulaDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_FORMULA_EDIT, m_formula);
}

BOOL CFormulaDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow(); // over its owner, never at the screen's corner
    SetDialogTexts(*this, "Dialog.str", kTexts);
    const HWND combo = ::GetDlgItem(m_hWnd, IDC_FORMULA_COLUMNS);
    for (size_t i = 0; i < m_columnNames.size(); ++i)
    {
        const LRESULT index = ::SendMessageA(
            combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_columnNames[i].GetString()));
        ::SendMessageA(combo, CB_SETITEMDATA, WPARAM(index), LPARAM(i + 1));
    }
    if (!m_columnNames.empty())
        ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return TRUE;
}

void CFormulaDlg::OnKey(UINT id)
{
    switch (id)
    {
    case IDC_FORMULA_BACKSPACE: OnBackspace(); return;
    case IDC_FORMULA_CLEAR: OnClear(); return;
    case IDC_FORMULA_ADD: OnAdd(); return;
    default: break;
    }
    for (const Key& key : kKeys)
        if (UINT(key.id) == id)
            Append(key.text);
}

void CFormulaDlg::Append(const CString& text)
{
    UpdateData(TRUE);
    m_formula += text;
    UpdateData(FALSE);
}

void CFormulaDlg::OnBackspace()
{
    UpdateData(TRUE);
    if (!m_formula.IsEmpty())
        m_formula = m_formula.Left(m_formula.GetLength() - 1);
    UpdateData(FALSE);
}

void CFormulaDlg::OnClear()
{
    UpdateData(TRUE);
    m_formula.Empty();
    UpdateData(FALSE);
}

void CFormulaDlg::OnAdd()
{
    const HWND combo = ::GetDlgItem(m_hWnd, IDC_FORMULA_COLUMNS);
    const LRESULT chosen = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR)
        return;
    CString reference;
    reference.Format("C%d", int(chosen) + 1);
    Append(reference);
}

void CFormulaDlg::OnOK()
{
    UpdateData(TRUE);
    if (IsAccepted())
        EndDialog(IDOK);
}

bool CFormulaDlg::IsAccepted()
{
    if (m_formula.IsEmpty())
    {
        const CString text = LoadUiText("Message.str", "Error", "ExpressionEmpty");
        ShowDialogMessage(*this, text.GetString(), MB_OK | MB_ICONSTOP);
        return false;
    }
    switch (formula::CheckFormula(m_formula.GetString(), m_columnCount))
    {
    case formula::Check::Valid: return true;
    case formula::Check::UnopenedClose: ShowDialogMessage(*this, "Stack is empty", MB_OK); break;
    case formula::Check::LongToken: ShowDialogMessage(*this, "Problem", MB_OK); break;
    case formula::Check::Invalid: break;
    }
    const CString text = LoadUiText("Message.str", "Error", "InValidExpression");
    ShowDialogMessage(*this, text.GetString(), MB_OK | MB_ICONSTOP);
    return false;
}
