// What showing a result from the project tree needs of the program: the open project's model,
// the active 3-D view and the load-case list. The main frame provides the host and the 3-D view
// the view side; tests install fakes. Nothing is shown while no host is installed.
#pragma once

#include "platform/base/types.h"

class CModelSet;

class CResultShowView
{
public:
    virtual ~CResultShowView() = default;

    // Shows the packed load-case id (-1: none) in the given display mode and component.
    virtual void DisplayResultView(int resultId, int mode, int component, BOOL flag) = 0;
};

class CResultShowHost
{
public:
    virtual ~CResultShowHost() = default;

    // The model of the open project; null when none is open.
    virtual CModelSet* GetProjectModel() = 0;
    // The active view of the active child frame (borrowed); null when no view is open.
    virtual CResultShowView* GetActiveResultView() = 0;
    // Refills the load-case list for the packed id (-1: none).
    virtual void FillLoadCaseCombo(int resultId) = 0;
};

// The process-wide host (borrowed), null when none; installing returns the previous one.
CResultShowHost* GetResultShowHost();
CResultShowHost* SetResultShowHost(CResultShowHost* host);
