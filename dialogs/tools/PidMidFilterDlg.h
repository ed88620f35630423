// Element filter: which elements a view draws, by property, material or group, or all of them.
// The user ticks ids in a list; Apply writes the kind and the ticks into the view's filter and,
// when anything changed, rebuilds the view's lists. Modeless, on the heap, for the view of one
// frame: once that view has gone Apply does nothing; Close takes the dialog away.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/listctrl.h"
#include "view/CmdRecord.h"

#include <memory>

class CPidMidFilterDlg : public CToolDlg
{
public:
    enum Kind
    {
        kByProperty = 0,
        kByMaterial = 1,
        kByGroup = 2,
        kEntireModel = 3
    };

    explicit CPidMidFilterDlg(int frameKey = 0);
    ~CPidMidFilterDlg() override;

    // Creates and shows the dialog for the view of the frame key; null when no window was made.
    static CPidMidFilterDlg* Open(int frameKey);

    BOOL OnInitDialog() override;
    void OnKindChanged();
    void OnSelectAll();
    void OnDeselectAll();
    // Apply: the dialog stays.
    void OnOK() override;
    void OnCancel() override;

    CIdArray m_PropertyIds; // ascending
    CIdArray m_MaterialIds;
    CIdArray m_GroupIds;
    CListCtrl m_list;
    int m_nKind = kByProperty;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void SynchroniseMaps();
    void CollectIds();
    void SetColumns();
    void FillList();
    void RestoreTicks();
    void TickAll(BOOL isTicked);

    std::unique_ptr<CImageList> m_images;
};
