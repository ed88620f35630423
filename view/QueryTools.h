// What the view and its commands ask of the query tools: the decision dialog that lets the user
// choose among the entities under the cursor, the modal Select Entities dialog, and the modeless
// dialogs of the information and element tools. The tools install their implementation; until
// then (and in tests that script them) the view works without: a click on several entities
// takes the nearest, and the information tools open nothing.
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

// The modeless dialog of an information or element tool, owned by its command. It reports to
// the command manager as the running command's dialog (700, 13) and works on the view of the
// frame key it was made for. Its window goes after the object, once the message that destroyed
// the object has returned: a command may end inside the dialog's own handler.
class CToolDialog
{
public:
    enum Kind
    {
        kModelInfo,         // the whole model
        kSelectedModelInfo, // the entities it is opened with
        kEntityInfo,
        kNodeDistance, // the first two entities
        kElementProperty,
        kClippingPlane // the section plane through the renderer's three points
    };

    virtual ~CToolDialog() = default;

    // Creates and shows the window for the entities (a copy of the list; the entities are the
    // model's); false when no window could be made.
    virtual bool Open(const CEntityArray& entities) = 0;
    // The window is hidden at once and destroyed when the messages in hand are done.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

// The dialog of the group create and edit commands, owned by its command: it hands the
// command a CGroupRecord (700) or closes (701), and asks for elements itself (500), the
// command bringing them back. Its window goes once the messages in hand are done.
class CGroupDialog
{
public:
    virtual ~CGroupDialog() = default;

    // Creates and shows the window for a new group (the id after the model's highest) or, with
    // isEdit, for the group of the id; false when no window could be made.
    virtual bool Open(bool isEdit, int groupId) = 0;
    // The picked elements that the list lacks go into it; the dialog shows again.
    virtual void AddElements(const CEntityArray& picked) = 0;
    // Shows the dialog again after a pick that was cancelled.
    virtual void ShowAgain() = 0;
    virtual void Close() = 0;
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
    // The dialog of a tool (CToolDialog::Kind) for the view of the frame key, its window not
    // made yet; null when the tools have none.
    virtual std::unique_ptr<CToolDialog> CreateToolDialog(int kind, int frameKey)
    {
        (void)kind;
        (void)frameKey;
        return nullptr;
    }
    // The dialog of the group commands for the view of the frame key; null when the tools
    // have none.
    virtual std::unique_ptr<CGroupDialog> CreateGroupDialog(int frameKey)
    {
        (void)frameKey;
        return nullptr;
    }
    // Opens the list of the model's groups, to edit one (isEdit) or delete one, for the view
    // of the frame key.
    virtual void OpenGroupList(int frameKey, bool isEdit)
    {
        (void)frameKey;
        (void)isEdit;
    }
};

// The tools in use, or null.
CQueryTools* GetQueryTools();
// Installs tools (not owned; null for none) and returns the previous ones.
CQueryTools* InstallQueryTools(CQueryTools* tools);
