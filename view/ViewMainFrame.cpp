// The main window as the views see it.
#include "view/ViewMainFrame.h"

#include "platform/win/app.h"
#include "platform/win/wnd.h"
#include "view/CmdManager.h"

CViewMainFrame* GetViewMainFrame()
{
    return dynamic_cast<CViewMainFrame*>(AfxGetMainWnd());
}

void SendToCmdManager(CCmdRecord& record, int frameKey)
{
    CViewMainFrame* frame = GetViewMainFrame();
    CCmdManager* manager = frame != nullptr ? frame->GetCmdManager() : nullptr;
    if (manager == nullptr)
        return;
    manager->m_nFrameKey = frameKey;
    manager->ExecuteCommand(&record);
}
