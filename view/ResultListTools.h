// What the view's result list commands ask of the result filter, which lives with the dialogs:
// the program installs it; until then no filter opens.
#pragma once

#include "view/ResultListTable.h"

#include <functional>
#include <memory>
#include <vector>

class CModelSet;

// The result filter of one command: open while the user chooses.
class CResultFilterWindow
{
public:
    virtual ~CResultFilterWindow() = default;

    // Shows the filter over the picked ids, with the view's shown result (0 for none) and its
    // component selector preselected; onOk hears the chosen results. False when it could not
    // be opened.
    virtual bool Open(const CModelSet& model, bool nodal, const std::vector<int>& ids,
                      UINT shownResultId, int shownSelector,
                      std::function<void(const std::vector<CChosenResult>&)> onOk) = 0;
    virtual void Close() = 0;
};

class CResultListTools
{
public:
    virtual ~CResultListTools() = default;

    virtual std::unique_ptr<CResultFilterWindow> CreateResultFilter() = 0;
};

// The tools in use, or null.
CResultListTools* GetResultListTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CResultListTools* InstallResultListTools(CResultListTools* tools);
