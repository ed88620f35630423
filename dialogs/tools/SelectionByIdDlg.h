// Select Entities: while a selection runs in a view, the user adds nodes and elements to it by
// typing their ids ("12", "1,5-9"), or elements by choosing property or material ids from
// lists. Modal; what it finds goes to the view in one pick action, so an entity already picked
// is picked off again.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "platform/ctrl/stdctrl.h"
#include "view/CmdRecord.h"

#include <memory>
#include <vector>

class CFEElement;
class CModelEntity;

class CSelectionByIdDlg : public CToolDlg
{
public:
    enum Kind
    {
        kById = 0,
        kByProperty = 1,
        kByMaterial = 2
    };
    enum EntityKind
    {
        kNodes = 0,
        kElements = 1
    };

    explicit CSelectionByIdDlg(int frameKey = 0);
    ~CSelectionByIdDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSelchangeSelection();

    // Ids first..last, both included, named `times` times.
    struct IdRun
    {
        int first;
        int last;
        int times;
    };
    // The items of a list separated by commas, in the order written, each as a run named once:
    // an id, or a range "a-b" (a <= b, both included) whose upper bound is lowered to
    // highestId. A range with a negative bound empties the whole list; items without digits,
    // empty items and empty ranges add nothing. False, with no runs, when a number lies outside
    // the range of int.
    static bool ParseIdList(const char* text, int highestId, std::vector<IdRun>& runs);
    // The ids of the runs as disjoint runs in ascending order, each with the number of times the
    // runs name its ids.
    static std::vector<IdRun> CountIdRuns(const std::vector<IdRun>& runs);
    // Hands the nodes (kNodes) or elements of the list that the view shows to the view; false
    // when the list holds a number too large to be an id.
    bool SelectByIdList(const CString& text, int entityKind);

    int m_nKind = kById;
    CIdArray m_PropertyIds; // ascending
    CIdArray m_MaterialIds;
    CString m_strNodeIds;
    CString m_strElementIds;
    CComboBox m_combo;
    CListCtrl m_propertyList;
    CListCtrl m_materialList;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    // Whether the view of the dialog and the project's display filter let the entity be picked.
    bool IsSelectable(const CFEElement* element) const;
    bool IsSelectable(const CModelEntity* node) const;
    int SelectionFilter() const;
    // The counted runs of the list for the kind's highest id; false when a number is too large.
    bool ReadIds(const CString& text, int entityKind, std::vector<IdRun>& runs);
    // Hands the entities of the counted runs that pass the tests to the view in one batch.
    void SelectIds(const std::vector<IdRun>& runs, int entityKind);
    void FillList(CListCtrl& list, const CIdArray& ids, int kind);
    void ShowControls();
    // The elements of the selected rows' ids, one pick action per row.
    void SelectByRows(CListCtrl& list, int kind);
    void ReleaseImageLists();

    std::unique_ptr<CImageList> m_propertyImages;
    std::unique_ptr<CImageList> m_materialImages;
};
