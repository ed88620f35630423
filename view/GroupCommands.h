// The group create (code 615) and edit (617) commands: each hosts the group dialog, brings it
// the elements the user picks, and hands its answer on to the command that changes the model
// (616, 618). Cancelling an edit opens the group list again.
#pragma once

#include "view/QueryTools.h"
#include "view/ToolCommands.h"

#include <memory>

class CCmdCollGroupCreate : public CToolCommand
{
public:
    CCmdCollGroupCreate(int frameKey, bool isEdit);

    // The record of 617 is a CGroupRecord with the id of the group to edit.
    void Start(CCmdRecord* record) override;
    // The record is the dialog's CGroupRecord.
    void OnDialogOk(CCmdRecord* record) override;
    void OnDialogCancel(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;

    bool m_isEdit;
    std::unique_ptr<CGroupDialog> m_group;
};
