// The information and element tools: each asks the view for picks (code 500), opens its dialog
// for them through the query tools, and on OK restarts itself, ends, or hands the answer on to a
// follow-up command. Also the rotation centre and id label tools, which act on the picks at once.
// Every command works on the view of the frame key it was made for.
#pragma once

#include "platform/base/coll_map.h"
#include "view/CmdColl.h"
#include "view/QueryTools.h"

#include <memory>

class CCAEView;
class CModelSet;
class CProjectData;
struct CCmdRecord;

// What the tool commands share: records sent as from their frame, the view of that frame, and
// their dialog.
class CToolCommand : public CCmdColl
{
public:
    explicit CToolCommand(int frameKey)
        : m_nFrameKey(frameKey)
    {
    }

    int m_nFrameKey; // the frame whose view started the command

protected:
    // The command may be deleted in any of these calls: callers touch nothing afterwards.
    void Send(CCmdRecord& record) const;
    void SendCode(int code) const;
    // The view starts the tool of the menu command again (code 12), which ends this command.
    void PostCommand(int commandId) const;
    // Suspends the command while the user picks (code 500), in pick order.
    void RequestPick(bool isAreaSelect, int maxPicks, int minPicks, int kinds) const;

    CCAEView* FindView() const;
    static CProjectData* FindProject();
    static CModelSet* FindModel();
    // Switches a kind of the project's display filter on, so that its entities can be picked.
    static void ShowKind(int kind);
    // Opens the dialog of the kind for the entities; false when none opened.
    bool OpenDialog(int kind, const CEntityArray& entities);
    void CloseDialog();

    std::unique_ptr<CToolDialog> m_dialog;
};

// Code 513: Model Information of the whole model, at once.
class CCmdCollModelInfo : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override; // ends the command
};

// Code 512: Model Information of picked entities; OK restarts the tool.
class CCmdCollSelectedModelInfo : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override;
};

// Code 511: Entity Information of picked entities; OK restarts the tool.
class CCmdCollEntityInfo : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override;
};

// Code 510: the distance of two picked nodes; Close waits for the next two.
class CCmdCollEntityDistance : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
    void OnDialogOk(CCmdRecord* record) override;
};

// Code 16: direction arrows of the picked shells, the tool restarting after each pick.
class CCmdCollElementDirection : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
};

// Code 526: a new property id for the picked elements, applied by code 613.
class CCmdCollElementProperty : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
    // The record is the dialog's CElementPropertyRecord with the chosen id.
    void OnDialogOk(CCmdRecord* record) override;

    CMap<int32_t, int32_t, int32_t, int32_t> m_Properties; // element id -> its property id now
};

// Code 614: the picked node becomes the view's rotation centre.
class CCmdCollRotationCenter : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;
};

// Codes 520 (nodes) and 524 (elements): id labels of the picked entities, the tool restarting.
class CCmdCollEntityIdLabel : public CToolCommand
{
public:
    using CToolCommand::CToolCommand;
    void Start(CCmdRecord* record) override;
    void OnSelectionOk(CCmdRecord* record) override;
    void OnSelectionCancel(CCmdRecord* record) override;

    int m_bNodeLabels = 0; // 1 for code 520
};
