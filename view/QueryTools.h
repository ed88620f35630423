// What the view and its selection command ask of the query tools: the decision dialog that lets
// the user choose among the entities under the cursor, and the modal Select Entities dialog.
// The tools install their implementation; until then (and in tests that script them) the view
// works without: a click on several entities takes the nearest.
#pragma once

#include "render/EntityArray.h"

#include <memory>

class CCAEView;

// The decision dialog of one selection, its window created hidden. It sends code 700 with the
// chosen entity as the record's data, or 701, and clears the view's hover entity as it closes.
class CSelectionDecision
{
public:
    virtual ~CSelectionDecision() = default; // destroys the window

    // Takes a copy of the candidates and lists them; false when nothing was listed.
    virtual bool FillEntityList(const CEntityArray& candidates) = 0;
    virtual void Show() = 0;
};

class CQueryTools
{
public:
    // Search kinds of the Select Entities dialog.
    enum SearchKind
    {
        kById = 0,
        kByProperty = 1,
        kByMaterial = 2
    };

    virtual ~CQueryTools() = default;

    // The decision dialog for a selection in the view; null when it cannot be made.
    virtual std::unique_ptr<CSelectionDecision> CreateSelectionDecision(CCAEView* view) = 0;
    // Runs the Select Entities dialog; it adds what it finds through CCAEView::AddPickedEntity.
    virtual void RunSelectionById(CCAEView* view, int searchKind) = 0;
};

// The tools in use, or null.
CQueryTools* GetQueryTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CQueryTools* InstallQueryTools(CQueryTools* tools);
