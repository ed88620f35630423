// What showing a result from the project tree needs of the program: the open project's model,
// the active 3-D view and the load-case list. The main frame provides it and installs itself;
// tests install fakes. Nothing is shown while no host is installed.
#pragma once

#include "platform/base/types.h"

class CModelSet;

class CResultShowHost
{
public:
    virtual ~CResultShowHost() = default;

    // The model of the open project; null when none is open.
    virtual CModelSet* GetProjectModel() = 0;
    // True when the active child frame has an active 3-D view.
    virtual bool HasActiveView() = 0;
    // Shows the packed load-case id (-1: none) in the active view in the given display mode
    // and component.
    virtual void DisplayResultView(int resultId, int mode, int component, BOOL flag) = 0;
    // Refills the load-case list for the packed id (-1: none).
    virtual void FillLoadCaseCombo(int resultId) = 0;
};

// The process-wide host (borrowed), null when none; installing returns the previous one.
CResultShowHost* GetResultShowHost();
CResultShowHost* SetResultShowHost(CResultShowHost* host);
