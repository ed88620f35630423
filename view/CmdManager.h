// The command manager of the main frame: the one entry point of the command records. It owns
// the running command, the commands suspended while a selection runs, and the undo and redo
// lists; it creates, starts, forwards to and deletes the command objects. ExecuteCommand is
// re-entered from the commands it calls: each step finishes its work on the manager before it
// calls a command and touches no command afterwards.
#pragma once

#include "view/CmdRecord.h"

#include <vector>

class CCAEView;
class CCmdColl;
class CViewMainFrame;

class CCmdManager
{
public:
    // How a created command is started.
    enum StartKind
    {
        kStartWithRecord,  // CCmdColl::Start
        kStartApplyRecord, // CCmdCollListener::OnApplyRecord
        kStartShowSheet,   // CCmdCollListener::OnShowSheet
        kStartOwnOperation // the command's own start operation with the record
    };
    // What a creating code makes. The program's commands for these codes fill in make (which
    // also seeds the command from the view) and, for kStartOwnOperation, startOwn; a code whose
    // command is not part of the program has neither and starts nothing.
    struct CreationEntry
    {
        int32_t code;
        const char* className;
        StartKind start;
        CCmdColl* (*make)(const CCmdRecord& record, int frameKey, CCAEView* view);
        void (*startOwn)(CCmdColl* command, CCmdRecord* record);
    };

    explicit CCmdManager(CViewMainFrame* frame);
    // Deletes the running, suspended, undoable and redoable commands.
    virtual ~CCmdManager();
    CCmdManager(const CCmdManager&) = delete;
    CCmdManager& operator=(const CCmdManager&) = delete;

    virtual void ExecuteCommand(CCmdRecord* record);
    // The view of the frame key shows another result or case than before: the running command
    // follows it (a contour settings dialog takes the new result's settings).
    void OnShownResultChanged(int frameKey);

    CCmdColl* GetRunningCommand() const { return m_pRunning; }
    size_t GetSuspendedCount() const { return m_suspended.size(); }
    bool CanUndo() const { return !m_undoList.empty(); }
    bool CanRedo() const { return !m_redoList.empty(); }
    // The entry of a creating code, or null.
    static const CreationEntry* FindCreationEntry(int32_t code);

    // Key of the child frame whose view sent the last record; views store theirs here
    // before each record.
    int m_nFrameKey = 0;

protected:
    // The view of the frame m_nFrameKey designates, or null.
    CCAEView* GetActiveView() const;
    // The command of a creating code, seeded; null when it cannot be made.
    virtual CCmdColl* CreateCommand(const CreationEntry& entry, const CCmdRecord& record);

    void Undo();
    void Redo();
    // Performs the command's action and keeps it for undo when it is undoable, else deletes it.
    void AddToHistory(CCmdColl* command);
    void PushCommand(CCmdColl* command);
    // The last suspended command, or null.
    CCmdColl* PopCommand();

    CViewMainFrame* m_pFrame; // the owner

private:
    void EndAllCommands();
    void DeleteRunning();
    void ClearActiveSelection();
    void ApplyContour(const CContourSettingRecord& record);
    // The record's bands, with the range and levels of the result the view shows when the record
    // was made for another result or case (an animation's frames keep the range they have).
    static CResultDisplayAttr BandsForShownResult(const CContourSettingRecord& record,
                                                  CCAEView& view);
    void ApplyVector(const CVectorSettingRecord& record);
    void PostToActiveView(const CPostCommandRecord& record);
    void RequestPick(const CPickRequestRecord& request);
    void EndSelection(CCmdRecord* record);
    void ForwardToRunning(CCmdRecord* record);
    void CreateAndStart(const CreationEntry& entry, CCmdRecord* record);
    static void DeleteAll(std::vector<CCmdColl*>& commands);

    CCmdColl* m_pRunning = nullptr;     // owned
    std::vector<CCmdColl*> m_suspended; // owned, most recent last
    std::vector<CCmdColl*> m_undoList;  // owned, most recent last
    std::vector<CCmdColl*> m_redoList;  // owned, most recent last
};
