// Command manager: dispatch by code and the table of the codes that create commands.
#include "view/CmdManager.h"

#include "view/ApplyCommands.h"
#include "view/CAEView.h"
#include "view/CmdColl.h"
#include "view/CmdCollSelection.h"
#include "view/GraphCommands.h"
#include "view/GroupCommands.h"
#include "view/ResultListCommands.h"
#include "view/SectionCommands.h"
#include "view/SettingCommands.h"
#include "view/ToolCommands.h"
#include "view/ViewMainFrame.h"

#include <algorithm>
#include <memory>

namespace
{
using Entry = CCmdManager::CreationEntry;

// A code whose command class is not part of the program yet: it still ends the running command
// when it asks to (bKeepRunning 0), and makes nothing.
constexpr Entry NotYetBuilt(int32_t code, const char* className, CCmdManager::StartKind start)
{
    return Entry{code, className, start, nullptr, nullptr};
}

CCmdColl* MakeResultGraphNodal(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollResultGraph(frameKey, true);
}

CCmdColl* MakeResultGraphElemental(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollResultGraph(frameKey, false);
}

CCmdColl* MakeResultListNodal(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollResultList(frameKey, true);
}

CCmdColl* MakeResultListElemental(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollResultList(frameKey, false);
}

CCmdColl* MakeDistanceGraphNodal(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollResultDistanceGraph(frameKey, true);
}

CCmdColl* MakeDistanceGraphElemental(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollResultDistanceGraph(frameKey, false);
}

CCmdColl* MakeCsvSheet(const CCmdRecord&, int, CCAEView*)
{
    return new CCmdCollCsvSheet;
}

CCmdColl* MakeDistanceGraphDialog(const CCmdRecord&, int, CCAEView*)
{
    return new CCmdCollDistanceGraphDlg;
}

void StartDistanceGraphDialog(CCmdColl* command, CCmdRecord* record)
{
    static_cast<CCmdCollDistanceGraphDlg*>(command)->StartDialog(
        *static_cast<CDistanceGraphRecord*>(record));
}

CCmdColl* MakeTransientGraph(const CCmdRecord&, int, CCAEView*)
{
    return new CCmdCollTransientGraph;
}

void StartTransientGraph(CCmdColl* command, CCmdRecord* record)
{
    static_cast<CCmdCollTransientGraph*>(command)->StartGraph(
        *static_cast<CResultGraphRecord*>(record));
}

// The commands work on the view of the frame that sent the creating record.
template <typename Command>
CCmdColl* Make(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new Command(frameKey);
}

CCmdColl* MakeGroupCreate(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollGroupCreate(frameKey, false);
}

CCmdColl* MakeGroupEdit(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollGroupCreate(frameKey, true);
}

CCmdColl* MakeGroupCreateApply(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollGroupApply(frameKey, false);
}

CCmdColl* MakeGroupEditApply(const CCmdRecord&, int frameKey, CCAEView*)
{
    return new CCmdCollGroupApply(frameKey, true);
}

constexpr Entry Built(int32_t code, const char* className, CCmdManager::StartKind start,
                      CCmdColl* (*make)(const CCmdRecord&, int, CCAEView*),
                      void (*startOwn)(CCmdColl*, CCmdRecord*) = nullptr)
{
    return Entry{code, className, start, make, startOwn};
}

// The codes that create a command, with the class that answers each. The tools' classes and
// their follow-up commands come with the tools, each filling in its row.
constexpr Entry kCreationTable[] = {
    Built(CCmdRecord::kElementDirection, "CCmdCollElementDirection", CCmdManager::kStartWithRecord,
          &Make<CCmdCollElementDirection>),
    Built(CCmdRecord::kContourSetting, "CCmdCollContourSetting", CCmdManager::kStartWithRecord,
          &CCmdCollContourSetting::Make),
    Built(CCmdRecord::kVectorSetting, "CCmdCollVectorSetting", CCmdManager::kStartWithRecord,
          &CCmdCollVectorSetting::Make),
    Built(CCmdRecord::kEntityDistance, "CCmdCollEntityDistance", CCmdManager::kStartWithRecord,
          &Make<CCmdCollEntityDistance>),
    Built(CCmdRecord::kEntityInfo, "CCmdCollEntityInfo", CCmdManager::kStartWithRecord,
          &Make<CCmdCollEntityInfo>),
    Built(CCmdRecord::kSelectedModelInfo, "CCmdCollSelectedModelInfo",
          CCmdManager::kStartWithRecord, &Make<CCmdCollSelectedModelInfo>),
    Built(CCmdRecord::kModelInfo, "CCmdCollModelInfo", CCmdManager::kStartWithRecord,
          &Make<CCmdCollModelInfo>),
    Entry{CCmdRecord::kResultListNodal, "CCmdCollResultList", CCmdManager::kStartWithRecord,
          &MakeResultListNodal, nullptr},
    Entry{CCmdRecord::kResultListElemental, "CCmdCollResultList", CCmdManager::kStartWithRecord,
          &MakeResultListElemental, nullptr},
    Entry{CCmdRecord::kResultGraphNodal, "CCmdCollResultGraph", CCmdManager::kStartWithRecord,
          &MakeResultGraphNodal, nullptr},
    Entry{CCmdRecord::kResultGraphElemental, "CCmdCollResultGraph", CCmdManager::kStartWithRecord,
          &MakeResultGraphElemental, nullptr},
    Entry{CCmdRecord::kTransientGraph, "CCmdCollTransientGraph", CCmdManager::kStartOwnOperation,
          &MakeTransientGraph, &StartTransientGraph},
    Built(CCmdRecord::kNodeIdLabel, "CCmdCollEntityIdLabel", CCmdManager::kStartWithRecord,
          &Make<CCmdCollEntityIdLabel>),
    Built(CCmdRecord::kElementIdLabel, "CCmdCollEntityIdLabel", CCmdManager::kStartWithRecord,
          &Make<CCmdCollEntityIdLabel>),
    Entry{CCmdRecord::kDistanceGraphNodal, "CCmdCollResultDistanceGraph",
          CCmdManager::kStartWithRecord, &MakeDistanceGraphNodal, nullptr},
    Entry{CCmdRecord::kDistanceGraphElemental, "CCmdCollResultDistanceGraph",
          CCmdManager::kStartWithRecord, &MakeDistanceGraphElemental, nullptr},
    Entry{CCmdRecord::kDistanceGraphDialog, "CCmdCollDistanceGraphDlg",
          CCmdManager::kStartOwnOperation, &MakeDistanceGraphDialog, &StartDistanceGraphDialog},
    Built(CCmdRecord::kCustomSection, "CCmdCollCustomSection", CCmdManager::kStartWithRecord,
          &Make<CCmdCollCustomSection>),
    Built(CCmdRecord::kElementProperty, "CCmdCollElementProperty", CCmdManager::kStartWithRecord,
          &Make<CCmdCollElementProperty>),
    Built(CCmdRecord::kSectionPlane, "CCmdCollClippingPlane", CCmdManager::kStartWithRecord,
          &Make<CCmdCollClippingPlane>),
    Built(CCmdRecord::kContourApply, "CCmdCollContourApply", CCmdManager::kStartApplyRecord,
          &Make<CCmdCollContourApply>),
    Built(CCmdRecord::kVectorApply, "CCmdCollVectorApply", CCmdManager::kStartOwnOperation,
          &Make<CCmdCollVectorApply>, &CCmdCollVectorApply::StartOwn),
    Entry{CCmdRecord::kCsvSheet, "CCmdCollCsvSheet", CCmdManager::kStartShowSheet, &MakeCsvSheet,
          nullptr},
    Built(CCmdRecord::kElementPropertyApply, "CCmdCollElementPropertyApply",
          CCmdManager::kStartOwnOperation, &Make<CCmdCollElementPropertyApply>,
          &CCmdCollElementPropertyApply::StartOwn),
    Built(CCmdRecord::kRotationCenter, "CCmdCollRotationCenter", CCmdManager::kStartWithRecord,
          &Make<CCmdCollRotationCenter>),
    Built(CCmdRecord::kGroupCreate, "CCmdCollGroupCreate", CCmdManager::kStartWithRecord,
          &MakeGroupCreate),
    Built(CCmdRecord::kGroupCreateApply, "CCmdCollGroupCreateApply",
          CCmdManager::kStartOwnOperation, &MakeGroupCreateApply, &CCmdCollGroupApply::StartOwn),
    Built(CCmdRecord::kGroupEdit, "CCmdCollGroupEdit", CCmdManager::kStartWithRecord,
          &MakeGroupEdit),
    Built(CCmdRecord::kGroupEditApply, "CCmdCollGroupEditApply", CCmdManager::kStartOwnOperation,
          &MakeGroupEditApply, &CCmdCollGroupApply::StartOwn),
    Built(CCmdRecord::kGroupDelete, "CCmdCollGroupDelete", CCmdManager::kStartOwnOperation,
          &Make<CCmdCollGroupDelete>, &CCmdCollGroupDelete::StartOwn),
};
} // namespace

CCmdManager::CCmdManager(CViewMainFrame* frame)
    : m_pFrame(frame)
{
}

CCmdManager::~CCmdManager()
{
    DeleteRunning();
    DeleteAll(m_suspended);
    DeleteAll(m_undoList);
    DeleteAll(m_redoList);
}

const CCmdManager::CreationEntry* CCmdManager::FindCreationEntry(int32_t code)
{
    for (const Entry& entry : kCreationTable)
    {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

void CCmdManager::ExecuteCommand(CCmdRecord* record)
{
    if (record == nullptr)
        return;
    if (record->bKeepRunning == 0)
        EndAllCommands();
    switch (record->nCode)
    {
    case CCmdRecord::kApplyContour:
        ApplyContour(*static_cast<CContourSettingRecord*>(record));
        break;
    case CCmdRecord::kApplyVector: ApplyVector(*static_cast<CVectorSettingRecord*>(record)); break;
    case CCmdRecord::kDone:
    {
        // Not running while it acts: a code it sends from Do cannot delete it under itself.
        CCmdColl* command = std::exchange(m_pRunning, nullptr);
        if (command != nullptr)
            AddToHistory(command);
        break;
    }
    case CCmdRecord::kCandidates:
        if (m_pRunning != nullptr)
            m_pRunning->Start(record);
        break;
    case CCmdRecord::kPostCommand:
        PostToActiveView(*static_cast<CPostCommandRecord*>(record));
        break;
    case CCmdRecord::kEndCommand:
        DeleteRunning();
        ClearActiveSelection();
        break;
    case CCmdRecord::kUndo: Undo(); break;
    case CCmdRecord::kRedo: Redo(); break;
    case CCmdRecord::kPickRequest: RequestPick(*static_cast<CPickRequestRecord*>(record)); break;
    case CCmdRecord::kSelectionEnded: EndSelection(record); break;
    case CCmdRecord::kDialogOk:
    case CCmdRecord::kDialogCancel:
    case CCmdRecord::kDialogNotify: ForwardToRunning(record); break;
    default:
        if (const CreationEntry* entry = FindCreationEntry(record->nCode))
            CreateAndStart(*entry, record);
        break;
    }
}

void CCmdManager::OnShownResultChanged(int frameKey)
{
    CCAEView* view = m_pFrame ? m_pFrame->GetFrameView(frameKey) : nullptr;
    if (m_pRunning != nullptr && view != nullptr)
        m_pRunning->OnShownResultChanged(frameKey, *view);
}

CCAEView* CCmdManager::GetActiveView() const
{
    return m_pFrame ? m_pFrame->GetFrameView(m_nFrameKey) : nullptr;
}

CCmdColl* CCmdManager::CreateCommand(const CreationEntry& entry, const CCmdRecord& record)
{
    return entry.make ? entry.make(record, m_nFrameKey, GetActiveView()) : nullptr;
}

void CCmdManager::Undo()
{
    if (m_undoList.empty())
        return;
    CCmdColl* command = m_undoList.back();
    m_undoList.pop_back();
    m_redoList.push_back(command);
    command->Undo();
}

void CCmdManager::Redo()
{
    if (m_redoList.empty())
        return;
    CCmdColl* command = m_redoList.back();
    m_redoList.pop_back();
    m_undoList.push_back(command);
    command->Do();
}

// Lists are emptied before the commands they dropped are deleted: the manager owns them, and
// a dropped command is never reached again.
void CCmdManager::AddToHistory(CCmdColl* command)
{
    command->Do();
    if (command->m_bUndoable)
    {
        m_undoList.push_back(command);
        DeleteAll(m_redoList);
        return;
    }
    delete command;
    DeleteAll(m_undoList);
    DeleteAll(m_redoList);
}

void CCmdManager::PushCommand(CCmdColl* command)
{
    m_suspended.push_back(command);
}

CCmdColl* CCmdManager::PopCommand()
{
    if (m_suspended.empty())
        return nullptr;
    CCmdColl* command = m_suspended.back();
    m_suspended.pop_back();
    return command;
}

void CCmdManager::EndAllCommands()
{
    DeleteRunning();
    std::vector<CCmdColl*> suspended;
    suspended.swap(m_suspended);
    for (CCmdColl* command : suspended)
        delete command;
    ClearActiveSelection();
}

void CCmdManager::DeleteRunning()
{
    // Cleared first: a dialog closing with its command may send records of its own.
    delete std::exchange(m_pRunning, nullptr);
}

void CCmdManager::ClearActiveSelection()
{
    if (CCAEView* view = GetActiveView())
        view->ClearSelection();
}

void CCmdManager::ApplyContour(const CContourSettingRecord& record)
{
    CCAEView* view = GetActiveView();
    if (view == nullptr)
        return;
    // Applied while an animation plays too: its next frames and those after Stop show them.
    view->CopyDisplayAttr(BandsForShownResult(record, *view));
    view->Renderer().RenderAll();
    view->UpdateWindow();
    view->InvalidateView();
}

CResultDisplayAttr CCmdManager::BandsForShownResult(const CContourSettingRecord& record,
                                                    CCAEView& view)
{
    if (view.Animation().IsAnimating() || record.nResultId == view.Renderer().ContourResultId())
        return record.m_Attr;
    // Kind, smoothing, reversal and band count stay; another result's range would put the
    // shown values in the wrong bands.
    const CResultDisplayAttr shown = view.GetDisplayAttr();
    CResultDisplayAttr bands = record.m_Attr;
    bands.m_nResultCategory = shown.m_nResultCategory;
    bands.SetRange(shown.m_dataMin, shown.m_dataMax, shown.m_viewMin, shown.m_viewMax,
                   bands.m_nBands);
    return bands;
}

void CCmdManager::ApplyVector(const CVectorSettingRecord& record)
{
    CCAEView* view = GetActiveView();
    if (view == nullptr)
        return;
    POSITION pos = record.m_Settings.GetStartPosition();
    while (pos != nullptr)
    {
        int32_t key = 0;
        CVectorDisplayAttr attr;
        record.m_Settings.GetNextAssoc(pos, key, attr);
        if (CVectorPlotEntry* entry = view->Scene().VectorPlots().Find(key))
            entry->m_attr = attr;
    }
    view->Renderer().RenderAll();
    view->UpdateWindow();
    view->InvalidateView();
}

void CCmdManager::PostToActiveView(const CPostCommandRecord& record)
{
    if (CCAEView* view = GetActiveView())
        view->PostMessage(WM_COMMAND, MAKEWPARAM(record.nCommandId, 1), 0);
}

void CCmdManager::RequestPick(const CPickRequestRecord& request)
{
    if (m_pRunning != nullptr)
        PushCommand(std::exchange(m_pRunning, nullptr));
    CCAEView* view = GetActiveView();
    if (view == nullptr)
        return;
    m_pRunning = new CCmdCollSelection(view);
    view->ResetSelection(request);
}

void CCmdManager::EndSelection(CCmdRecord* record)
{
    DeleteRunning();
    CCmdColl* resumed = PopCommand();
    if (resumed == nullptr)
        return;
    m_pRunning = resumed;
    const auto* selection = static_cast<const CSelectionRecord*>(record);
    CCmdCollListener* listener = resumed;
    if (selection->bOk == 1)
        listener->OnSelectionOk(record);
    else if (selection->bCancel == 1)
        listener->OnSelectionCancel(record);
}

void CCmdManager::ForwardToRunning(CCmdRecord* record)
{
    if (m_pRunning == nullptr)
        return;
    switch (record->nCode)
    {
    case CCmdRecord::kDialogOk: m_pRunning->OnDialogOk(record); break;
    case CCmdRecord::kDialogCancel: m_pRunning->OnDialogCancel(record); break;
    default: m_pRunning->OnDialogNotify(record); break;
    }
}

void CCmdManager::CreateAndStart(const CreationEntry& entry, CCmdRecord* record)
{
    CCmdColl* command = CreateCommand(entry, *record);
    if (command == nullptr)
        return;
    DeleteRunning();
    m_pRunning = command;
    CCmdCollListener* listener = command;
    switch (entry.start)
    {
    case kStartApplyRecord: listener->OnApplyRecord(record); break;
    case kStartShowSheet: listener->OnShowSheet(record); break;
    case kStartOwnOperation:
        if (entry.startOwn != nullptr)
            entry.startOwn(command, record);
        break;
    default: command->Start(record); break;
    }
}

void CCmdManager::DeleteAll(std::vector<CCmdColl*>& commands)
{
    std::vector<CCmdColl*> dropped;
    dropped.swap(commands);
    for (CCmdColl* command : dropped)
        delete command;
}
