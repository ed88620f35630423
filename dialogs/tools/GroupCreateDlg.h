// Group create and edit: the user names a group and picks its elements in the view; the action
// button hands the name, the id and the element ids to the running command (700), Close ends it
// (701). The list holds each element once, in ascending id order; it draws its rows from the
// ids, so that a million of them list at once.
#pragma once

#include "dialogs/tools/ToolDlg.h"
#include "platform/ctrl/stdctrl.h"
#include "render/EntityArray.h"
#include "view/CmdRecord.h"

#include <unordered_set>

// The element list of the dialog: its rows are drawn from the dialog's ids.
class CGroupElementList : public CListBox
{
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    const CIdArray* m_pIds = nullptr;
};

class CGroupCreateDlg : public CToolDlg
{
public:
    enum Mode
    {
        kCreate = 0,
        kEdit = 1
    };

    explicit CGroupCreateDlg(int frameKey = 0);

    // The id of a new group: the model's highest group id plus 1.
    BOOL OnInitDialog() override;
    // Takes the group's id, name and elements for editing; nothing for the default group or a
    // group the model lacks.
    void LoadGroup(int groupId);
    void SetActionButtonText(const CString& text);
    // Sorts the element ids and lists them, one row "  %d " each.
    void RefreshElementList();
    // The text of a row of the list.
    CString RowText(int row) const;
    // The picked elements not yet listed are added; the dialog shows again.
    void AddElements(const CEntityArray& picked);
    // Shows and enables the dialog again after a pick.
    void ShowAgain();

    void OnSelect();
    void OnDelete();
    void OnCreate();
    void OnCancel() override;

    CIdArray m_ElementIds;
    std::unordered_set<int32_t> m_ElementSet; // the ids of m_ElementIds
    CGroupElementList m_list;
    int m_nGroupId = 0;
    CString m_strName;
    int m_nMode = kCreate;

    FW_MESSAGE_TABLE()

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Enter in the name edit does not press a button.
    void OnOK() override {}

private:
    bool AddElementId(int32_t id);
    void FocusName(bool selectAll);
};
