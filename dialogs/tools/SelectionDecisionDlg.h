// Selection decision: lists the entities a click hit, highlights the one of the current row in
// the view while the user steps through them, and reports the choice (700 with the entity as the
// record's data) or Cancel (701). Its window is made hidden with the selection command.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/stdctrl.h"
#include "render/EntityArray.h"

class CSelectionDecisionDlg : public CToolDlg
{
public:
    explicit CSelectionDecisionDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    // One row per candidate of a known kind, the first selected; false when no row was added.
    bool FillEntityList();
    void OnOK() override;
    void OnCancel() override;

    CEntityArray m_Candidates;         // not owned
    CModelEntity* m_pChosen = nullptr; // after OK
    CListBox m_list;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnNext();
    void OnPrevious();
    void OnSelchangeList();

private:
    void SelectRow(int row);
    // The view highlights the selected row's entity (none: nothing changes).
    void HighlightSelected() const;
    void ClearHighlight() const;
};
