// The result id selection: one result, or one component of a vector result, for picked nodes or
// elements, whose values the result graph then shows over the load cases. Modeless; OK hands
// the choice to its owner and leaves the dialog open when nothing is chosen; Cancel and the
// close box end the running command, which takes the dialog away.
#pragma once

#include "dialogs/tools/ResultChoice.h"
#include "dialogs/tools/ToolDlg.h"

#include <functional>
#include <vector>

class CResultIDSelectionDlg : public CToolDlg
{
public:
    // The frame of the view whose command runs the selection.
    explicit CResultIDSelectionDlg(int frameKey = 0);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Set before the window is created.
    const CModelSet* m_model = nullptr; // borrowed
    bool m_bNodal = true;
    std::vector<int> m_ids; // picked ids, in picking order
    // Called on OK once a result is chosen; the owner may release the dialog in it.
    std::function<void()> m_onOk;

    // Outputs of OK: the chosen result's name, packed id and component code (-1 until chosen).
    CString m_resultName;
    int m_nResultId = -1;
    int m_nComponent = -1;

    FW_MESSAGE_TABLE()

private:
    std::vector<result_choice::Item> m_results; // item data of the results list: index
};
