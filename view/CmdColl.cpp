// Command object bases: every operation does nothing unless a command overrides it.
#include "view/CmdColl.h"

#include "platform/win/cmdtarget.h"

void CCmdBase::OnDialogOk(CCmdRecord*)
{
}

void CCmdBase::OnDialogCancel(CCmdRecord*)
{
}

void CCmdBase::OnDialogNotify(CCmdRecord*)
{
}

void* CCmdBase::operator new(std::size_t size)
{
    return CCmdTarget::operator new(size);
}

void CCmdBase::operator delete(void* command, std::size_t size)
{
    CCmdTarget::operator delete(command, size);
}

void CCmdCollListener::OnSelectionOk(CCmdRecord*)
{
}

void CCmdCollListener::OnSelectionCancel(CCmdRecord*)
{
}

void CCmdCollListener::OnListenerHook3(CCmdRecord*)
{
}

void CCmdCollListener::OnApplyRecord(CCmdRecord*)
{
}

void CCmdCollListener::OnListenerHook5(CCmdRecord*)
{
}

void CCmdCollListener::OnShowSheet(CCmdRecord*)
{
}

void CCmdColl::Start(CCmdRecord*)
{
}

void CCmdColl::Do()
{
}

void CCmdColl::Undo()
{
}

void CCmdColl::OnShownResultChanged(int, CCAEView&)
{
}
