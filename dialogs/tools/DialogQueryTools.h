// The query tools of the program: the decision dialog of a selection and the dialogs of the
// information and element tools, made for the view and commands that ask for them. The
// application installs one for its lifetime (InstallQueryTools).
#pragma once

#include "view/QueryTools.h"

class CDialogQueryTools : public CQueryTools
{
public:
    std::unique_ptr<CSelectionDecision> CreateSelectionDecision(CCAEView* view) override;
    // The modal Select Entities dialog of the kind, for the view's frame.
    void RunSelectionById(CCAEView* view, int searchKind) override;
    std::unique_ptr<CToolDialog> CreateToolDialog(int kind, int frameKey) override;
    std::unique_ptr<CGroupDialog> CreateGroupDialog(int frameKey) override;
    void OpenGroupList(int frameKey, bool isEdit) override;
};
