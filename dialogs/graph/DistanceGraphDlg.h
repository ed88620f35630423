// The distance graph dialog: the chosen results of picked nodes or elements plotted against
// the entity id, one coordinate of the entity or its distance from the first pick. Each
// Create Graph opens a graph window of its own; earlier ones stay open.
#pragma once

#include "platform/dlg/dialog.h"
#include "render/EntityArray.h"

#include <vector>

class CGraphFrame;
class CModelSet;
class CResultData;

class CDistanceGraphDlg : public CDialog
{
public:
    CDistanceGraphDlg() = default;

    // What the command hands over: the model the picks and results belong to, the picks in
    // picking order, and per chosen result its record (the model's), its component code and
    // the name of its series.
    void SetData(const CModelSet& model, bool isNodal, const CEntityArray& entities,
                 const std::vector<const CResultData*>& results, const std::vector<int>& components,
                 const std::vector<CString>& names);

    // Creates the window (modeless, no parent) and shows it.
    BOOL CreateAndShow();
    // The Create Graph button: the frame opened, or null when no scale is chosen or the frame
    // could not be made.
    CGraphFrame* CreateGraph();
    // The chosen scale of the combo box (DistanceScale), -1 when none.
    int GetScale() const;

    FW_MESSAGE_TABLE()

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnCreateGraph();
    void OnClose();

private:
    const CModelSet* m_model = nullptr; // the project's, outlives the dialog
    bool m_isNodal = false;
    std::vector<const CModelEntity*> m_entities;
    std::vector<const CResultData*> m_results;
    std::vector<int> m_components;
    std::vector<CString> m_names;
};
