// 3-D view: the result commands of its message table.
#include "platform/win/cmdtarget.h"
#include "resources/ids/view_ids.h"
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

CCAEView::EntrySpan CCAEView::ResultEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::update<ID_EDIT_ELEMENT_PROPERTY, &CCAEView::OnUpdateModelCommand>(),
        fw::command<ID_DISPLAY_RESULT, &CCAEView::OnDisplayResultCommand>(),
    };
    return {kEntries, std::size(kEntries)};
}
