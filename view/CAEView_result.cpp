// 3-D view: the result commands of its message table.
#include "platform/win/cmdtarget.h"
#include "view/CAEView.h"

void CCAEView::OnDisplayResultCommand()
{
    OnDisplayResult();
}

void CCAEView::OnUpdateModelCommand(CCmdUI* cmdUI)
{
    if (cmdUI != nullptr)
        cmdUI->Enable(CanUseModelCommands());
}
