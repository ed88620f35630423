// What the view's graph commands ask of the graph window, which lives with the dialogs: the
// program installs it; until then (and in view tests that do not script it) no graph opens.
#pragma once

#include "render/EntityArray.h"

#include <windows.h>

#include <memory>

class CModelSet;
struct CDistanceGraphRecord;

// The distance graph dialog of a command; its window goes with the object.
class CDistanceGraphWindow
{
public:
    virtual ~CDistanceGraphWindow() = default;

    // Takes the record's picks, results, components, names and nodal flag and shows the
    // window; false when none could be made.
    virtual bool Open(const CDistanceGraphRecord& record) = 0;
};

class CGraphTools
{
public:
    virtual ~CGraphTools() = default;

    // Opens a graph window of the entities' values of one result over its load cases (the
    // component code as the result tools hand it on); false when no window was opened.
    virtual bool OpenTransientGraph(const CModelSet& model, const CEntityArray& entities,
                                    UINT resultId, int component) = 0;
    // A distance graph dialog, its window not made yet; null when the tools have none.
    virtual std::unique_ptr<CDistanceGraphWindow> CreateDistanceGraphDialog() { return nullptr; }
};

// The tools in use, or null.
CGraphTools* GetGraphTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CGraphTools* InstallGraphTools(CGraphTools* tools);
