// What the view's graph commands ask of the graph window, which lives with the dialogs: the
// program installs it; until then (and in view tests that do not script it) no graph opens.
#pragma once

#include "render/EntityArray.h"

#include <windows.h>

class CModelSet;

class CGraphTools
{
public:
    virtual ~CGraphTools() = default;

    // Opens a graph window of the entities' values of one result over its load cases (the
    // component code as the result tools hand it on); false when no window was opened.
    virtual bool OpenTransientGraph(const CModelSet& model, const CEntityArray& entities,
                                    UINT resultId, int component) = 0;
};

// The tools in use, or null.
CGraphTools* GetGraphTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CGraphTools* InstallGraphTools(CGraphTools* tools);
