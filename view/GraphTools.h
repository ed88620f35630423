// What the view's result commands ask of the graph window, the distance graph dialog and the
// result sheet, which live with the dialogs: the program installs them; until then (and in view
// tests that do not script them) nothing opens.
#pragma once

#include "render/EntityArray.h"

#include <windows.h>

#include <memory>

class CModelSet;
struct CDistanceGraphRecord;
struct CResultListRecord;

// The distance graph dialog of a command; its window goes with the object.
class CDistanceGraphWindow
{
public:
    virtual ~CDistanceGraphWindow() = default;

    // Takes the record's picks, results, components, names and nodal flag with the model they
    // belong to (it outlives the window) and shows the window; false when none could be made.
    virtual bool Open(const CModelSet& model, const CDistanceGraphRecord& record) = 0;
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
    // Shows the record's ids and result columns in the modal result sheet.
    virtual void RunResultSheet(const CResultListRecord& record) { (void)record; }
};

// The tools in use, or null.
CGraphTools* GetGraphTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CGraphTools* InstallGraphTools(CGraphTools* tools);
