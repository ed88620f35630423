// Command records: what a view, a tool dialog or a command hands to the command manager. The
// sender builds one on its stack, fills it and passes it; nobody keeps it.
#pragma once

#include <windows.h>

#include <cstdint>

struct CCmdRecord
{
    // Codes the view sends so far; the command manager defines the rest.
    enum Code : int32_t
    {
        kPostCommand = 12,     // post a menu command to the active view
        kEndCommand = 13,      // end the running command
        kElementProperty = 526 // start the element property tool
    };

    void* pData = nullptr;
    int32_t nCode = -1;
    BYTE bKeepRunning = 1; // 0: end every command before this code is handled
};

// Code 12: the command to post to the active view.
struct CPostCommandRecord : CCmdRecord
{
    CPostCommandRecord() { nCode = kPostCommand; }
    virtual ~CPostCommandRecord() = default;

    int32_t nCommandId = 0;
};
