// What the view's result commands ask of the result filter and of the result id selection, which
// live with the dialogs: the program installs them; until then neither opens.
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
    // component selector preselected; onOk hears the chosen results. Cancel ends the running
    // command through the manager, as from the frame of frameKey. False when it could not be
    // opened.
    virtual bool Open(const CModelSet& model, bool nodal, const std::vector<int>& ids,
                      UINT shownResultId, int shownSelector, int frameKey,
                      std::function<void(const std::vector<CChosenResult>&)> onOk) = 0;
    virtual void Close() = 0;
};

// The result id selection of one command: one result or vector component for the picks.
class CResultIdSelectionWindow
{
public:
    virtual ~CResultIdSelectionWindow() = default;

    // Shows the loaded results the picked ids can show; onOk hears the chosen packed result id
    // and component code. Cancel ends the running command as the filter's does. False when it
    // could not be opened.
    virtual bool Open(const CModelSet& model, bool nodal, const std::vector<int>& ids, int frameKey,
                      std::function<void(int resultId, int component)> onOk) = 0;
    virtual void Close() = 0;
};

class CResultListTools
{
public:
    virtual ~CResultListTools() = default;

    virtual std::unique_ptr<CResultFilterWindow> CreateResultFilter() = 0;
    // Null when the tools have none.
    virtual std::unique_ptr<CResultIdSelectionWindow> CreateResultIdSelection() { return nullptr; }
};

// The tools in use, or null.
CResultListTools* GetResultListTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CResultListTools* InstallResultListTools(CResultListTools* tools);
