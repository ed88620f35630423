// The result filter: which results, components and load cases to list for picked nodes or
// elements. Modeless; OK hands the chosen items to its owner, Cancel only closes it.
#pragma once

#include "dialogs/tools/ResultChoice.h"
#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <functional>
#include <vector>

class CModelSet;

class CResultFilterDlg : public CDialog
{
public:
    CResultFilterDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Hides the window and destroys it once the messages in hand are done, then deletes this
    // object (at once when there is no window): safe from inside m_onOk.
    void Release();

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
    void PostNcDestroy() override;
    LRESULT OnReleaseMessage(WPARAM wParam, LPARAM lParam);
    void OnResultChosen();
    void OnAdd();
    void OnDelete();

private:
    // Appends to the selected list unless an item of the same text (ignoring case) is there.
    void AddSelected(const result_choice::Item& item);

    bool m_isReleased = false;
    result_choice::Labels m_labels;
    std::vector<result_choice::Item> m_results;  // item data of the results list: index
    std::vector<result_choice::Item> m_steps;    // of the steps list
    std::vector<result_choice::Item> m_selected; // of the selected list
};
