// The child frame of every 3-D view. The frame of a project's first view (frame id 1) stays
// open until the project closes; further views close normally.
#pragma once

#include "platform/docview/mdi.h"

class CChildFrame : public CMDIChildWnd
{
    FW_CREATABLE(CChildFrame, CMDIChildWnd)

public:
    CChildFrame() = default;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    void OnClose();
};
