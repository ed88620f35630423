// Command manager.
#include "view/CmdManager.h"

#include "view/CAEView.h"
#include "view/ViewMainFrame.h"

CCmdManager::CCmdManager(CViewMainFrame* frame)
    : m_pFrame(frame)
{
}

void CCmdManager::ExecuteCommand(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    switch (record->nCode)
    {
    case CCmdRecord::kPostCommand:
        if (CCAEView* view = GetActiveView())
        {
            const auto* post = static_cast<const CPostCommandRecord*>(record);
            view->PostMessage(WM_COMMAND, MAKEWPARAM(post->nCommandId, 1), 0);
        }
        break;
    default: break;
    }
}

CCAEView* CCmdManager::GetActiveView() const
{
    return m_pFrame ? m_pFrame->GetFrameView(m_nFrameKey) : nullptr;
}
