// The result filter: which results, components and load cases to list for picked nodes or
// elements. Modeless; OK hands the chosen items to its owner; Cancel and the close box end the
// running command, which takes the dialog away.
#pragma once

#include "dialogs/tools/ResultChoice.h"
#include "dialogs/tools/ToolDlg.h"
#include "platform/base/string.h"

#include <functional>
#include <vector>

class CModelSet;

class CResultFilterDlg : public CToolDlg
{
public:
    // The frame of the view whose command runs the filter.
    explicit CResultFilterDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Set before the window is created.
    const CModelSet* m_model = nullptr; // borrowed
    bool m_bNodal = true;
    std::vector<int> m_ids; // picked ids, in picking order
    // The result the view shows, preselected: its packed id (0 for none) and the view's
    // component selector.
    UINT m_shownResultId = 0;
    int m_shownSelector = 0;
    // Called on OK, after the outputs are filled; the owner may destroy the dialog in it.
    std::function<void()> m_onOk;

    // Outputs of OK: one entry per item of the selected list, in order.
    std::vector<CResultData*> m_chosenResults;
    std::vector<int> m_chosenComponents;
    std::vector<CString> m_chosenTexts;

    FW_MESSAGE_TABLE()

protected:
    // Released (safe from inside m_onOk): OK no longer reaches the owner.
    void OnReleasing() override { m_onOk = nullptr; }
    void OnResultChosen();
    void OnAdd();
    void OnDelete();

private:
    // Appends to the selected list unless an item of the same text (ignoring case) is there.
    void AddSelected(const result_choice::Item& item);

    result_choice::Labels m_labels;
    std::vector<result_choice::Item> m_results;  // item data of the results list: index
    std::vector<result_choice::Item> m_steps;    // of the steps list
    std::vector<result_choice::Item> m_selected; // of the selected list
};
