// Result sheet dialog.
#include "dialogs/tools/XLSControlDlg.h"

#include "core/services/ProductIni.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/tools/FormulaDlg.h"
#include "platform/base/os.h"
#include "platform/dlg/commdlg.h"
#include "resources/ids/dialogs_ids.h"

#include <windows.h>

#include <commctrl.h>

namespace
{
const DialogText kTexts[] = {{0, "XLSControl", "Title"},
                             {IDC_XLS_CSV, "XLSControl", "CSV"},
                             {IDC_XLS_FORMULA, "XLSControl", "Formula"},
                             {IDCANCEL, "Common", "Close"}};

constexpr int kColumnWidth = 100;
} // namespace

FW_TABLE(
    CXLSControlDlg, CDialog, fw::on<WM_SIZE, &CXLSControlDlg::OnSize>(),
    fw::command<IDC_XLS_CSV, &CXLSControlDlg::OnSaveCsv>(),
    fw::command<IDC_XLS_FORMULA, &CXLSControlDlg::OnFormula>(),
    fw::notify<static_cast<int>(LVN_GETDISPINFOA), IDC_XLS_LIST, &CXLSControlDlg::OnGetDispInfoA>(),
    fw::notify<static_cast<int>(LVN_GETDISPINFOW), IDC_XLS_LIST, &CXLSControlDlg::OnGetDispInfoW>())

CXLSControlDlg::CXLSControlDlg(CWnd* parent)
    : CDialog(IDD_XLS_CONTROL, parent)
{
}

CXLSControlDlg::~CXLSControlDlg() = default;

BOOL CXLSControlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow(); // over its owner, never at the screen's corner
    SetDialogTexts(*this, "Dialog.str", kTexts);
    const CString caption =
        LoadUiText("Dialog.str", "XLSControl", m_bNodal ? "NodeID" : "ElementID");
    m_sheet = std::make_unique<CResultSheet>(caption.GetString(), m_ids);
    for (INT_PTR i = 0; i < m_columns.GetSize(); ++i)
    {
        const CDataSeries& series = m_columns[i];
        std::vector<double> values(m_ids.size(), 0.0);
        for (size_t row = 0; row < values.size() && INT_PTR(row) < series.m_values.GetSize(); ++row)
            values[row] = series.m_values[INT_PTR(row)];
        m_sheet->AddResultColumn(series.m_title.GetString(), std::move(values));
    }
    FillList();
    const HWND list = ::GetDlgItem(m_hWnd, IDC_XLS_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.Width(), client.Height());
    return TRUE;
}

void CXLSControlDlg::FillList()
{
    const HWND list = ::GetDlgItem(m_hWnd, IDC_XLS_LIST);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0))
    {
    }
    for (int n = 0; n <= m_sheet->ColumnCount(); ++n)
    {
        CString title(" ");
        if (n > 0)
            title.Format("C%d", n);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = kColumnWidth;
        column.pszText = const_cast<char*>(title.GetString());
        ::SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(n), reinterpret_cast<LPARAM>(&column));
    }
    // Row 0 holds the captions; rows 1..M the ids.
    ListView_SetItemCountEx(list, int(m_sheet->RowCount() + 1), LVSICF_NOINVALIDATEALL);
    ::InvalidateRect(list, nullptr, TRUE);
}

void CXLSControlDlg::OnGetDispInfoA(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    *result = 0;
    if (!m_sheet || !(info->item.mask & LVIF_TEXT) || info->item.cchTextMax <= 0)
        return;
    m_cell = m_sheet->CellText(size_t(info->item.iItem), info->item.iSubItem);
    lstrcpynA(info->item.pszText, m_cell.c_str(), info->item.cchTextMax);
}

void CXLSControlDlg::OnGetDispInfoW(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    *result = 0;
    if (!m_sheet || !(info->item.mask & LVIF_TEXT) || info->item.cchTextMax <= 0)
        return;
    m_cell = m_sheet->CellText(size_t(info->item.iItem), info->item.iSubItem);
    const int n = ::MultiByteToWideChar(CP_ACP, 0, m_cell.c_str(), -1, info->item.pszText,
                                        info->item.cchTextMax);
    if (n == 0)
        info->item.pszText[info->item.cchTextMax - 1] = L'\0';
}

void CXLSControlDlg::OnSize(UINT type, int cx, int cy)
{
    Default();
    (void)type;
    const HWND list = ::GetDlgItem(m_hWnd, IDC_XLS_LIST);
    if (list == nullptr)
        return;
    ::MoveWindow(list, 5, 39, cx - 10, cy - 44, TRUE);
}

void CXLSControlDlg::OnFormula()
{
    if (!m_sheet)
        return;
    CFormulaDlg dialog(this);
    for (int n = 1; n <= m_sheet->ReferableCount(); ++n)
    {
        CString name;
        name.Format("C%d : %s", n, m_sheet->Title(n).c_str());
        dialog.m_columnNames.push_back(name);
    }
    dialog.m_columnCount = m_sheet->ColumnCount();
    if (dialog.DoModal() != IDOK)
        return;
    if (m_sheet->AddFormulaColumn(dialog.m_formula.GetString()))
        FillList();
}

void CXLSControlDlg::OnSaveCsv()
{
    if (!m_sheet)
        return;
    CString folder;
    GetIniString("FileIOPaths", "CSV", &folder);
    CFileDialog dialog(FALSE, "csv",
                       m_defaultFileName.IsEmpty() ? nullptr : m_defaultFileName.GetString(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "CSV Files (*.csv)|*.csv||", this);
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder.GetString();
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (!fw::os::SaveWholeFile(path.GetString(), m_sheet->ToCsv()))
    {
        const CString text = LoadUiText("Message.str", "Error", "CSVFileError");
        ShowDialogMessage(*this, text.GetString(), MB_OK | MB_ICONSTOP);
    }
    const int slash = path.ReverseFind('\\');
    if (slash >= 0)
        SetIniString("FileIOPaths", "CSV", path.Left(slash + 1).GetString());
}
