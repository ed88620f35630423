// The result sheet: one row per picked node or element, one column per chosen result, formula
// columns computed from them, saved as a CSV file. The list is virtual: rows are formatted
// only when shown, so a million ids fill at once.
#pragma once

#include "core/model/DataSeries.h"
#include "dialogs/tools/ResultSheet.h"
#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <cstdint>
#include <memory>
#include <vector>

class CXLSControlDlg : public CDialog
{
public:
    explicit CXLSControlDlg(CWnd* parent = nullptr);
    ~CXLSControlDlg() override;

    BOOL OnInitDialog() override;

    // Set by the command before DoModal.
    std::vector<int32_t> m_ids; // one row each, in this order
    bool m_bNodal = true;
    CDataSeriesArray m_columns; // result columns, values in the order of m_ids
    CString m_defaultFileName;  // preset in the Save dialog

    // The table shown; null before the window exists.
    const CResultSheet* Sheet() const { return m_sheet.get(); }

    FW_MESSAGE_TABLE()

protected:
    void OnSize(UINT type, int cx, int cy);
    void OnSaveCsv();
    void OnFormula();
    void OnGetDispInfoA(NMHDR* header, LRESULT* result);
    void OnGetDispInfoW(NMHDR* header, LRESULT* result);

private:
    void FillList();

    std::unique_ptr<CResultSheet> m_sheet;
    std::string m_cell; // the text last handed to the list, alive until it asks again
};
