// The command manager of the main frame: the one entry point of the command records. Only the
// codes the view needs so far are handled: ending the running command and posting a command to
// a view; the others are accepted and do nothing.
#pragma once

#include "view/CmdRecord.h"

class CCAEView;
class CViewMainFrame;

class CCmdManager
{
public:
    explicit CCmdManager(CViewMainFrame* frame);
    virtual ~CCmdManager() = default;
    CCmdManager(const CCmdManager&) = delete;
    CCmdManager& operator=(const CCmdManager&) = delete;

    virtual void ExecuteCommand(CCmdRecord* record);

    // Key of the child frame whose view sent the last record; views store theirs here
    // before each record.
    int m_nFrameKey = 0;

protected:
    // The view of the frame m_nFrameKey designates, or null.
    CCAEView* GetActiveView() const;

    CViewMainFrame* m_pFrame; // the owner
};
