// Command objects: the bases of every interactive tool of the view. The command manager creates
// one for a command code, keeps it as its running command (or suspended while a selection
// runs) and deletes it when the tool ends. A command reaches the manager only by sending
// records; every operation that sends a code which can end the command (13, 10, 600 through
// the view, a replacing code) touches none of the command's members after the call.
#pragma once

#include <windows.h>

#include <cstddef>

class CCAEView;
struct CCmdRecord;

// What the command's dialog reports through the manager.
class CCmdBase
{
public:
    CCmdBase() = default;
    CCmdBase(const CCmdBase&) = delete;
    CCmdBase& operator=(const CCmdBase&) = delete;
    virtual ~CCmdBase() = default;

    virtual void OnDialogOk(CCmdRecord* record);     // code 700
    virtual void OnDialogCancel(CCmdRecord* record); // code 701
    virtual void OnDialogNotify(CCmdRecord* record); // code 702

    // A deleted command is filled with poison and held back for a while, as framework objects
    // are, so that a use after its deletion fails at once in the Windows build.
    static void* operator new(std::size_t size);
    static void operator delete(void* command, std::size_t size);
};

// Answers that arrive through the manager: the end of a selection the command asked for, and
// the entries through which the manager starts some commands.
class CCmdCollListener
{
public:
    CCmdCollListener() = default;
    CCmdCollListener(const CCmdCollListener&) = delete;
    CCmdCollListener& operator=(const CCmdCollListener&) = delete;
    virtual ~CCmdCollListener() = default;

    // The record is the CSelectionRecord of code 600.
    virtual void OnSelectionOk(CCmdRecord* record);
    virtual void OnSelectionCancel(CCmdRecord* record);
    virtual void OnListenerHook3(CCmdRecord* record);
    virtual void OnApplyRecord(CCmdRecord* record); // starts the command of code 606
    virtual void OnListenerHook5(CCmdRecord* record);
    virtual void OnShowSheet(CCmdRecord* record); // starts the command of code 612
};

// The class every concrete command derives from.
class CCmdColl : public CCmdBase, public CCmdCollListener
{
public:
    CCmdColl() = default;
    ~CCmdColl() override = default;

    // Begins with the record that made the manager create the command.
    virtual void Start(CCmdRecord* record);
    // Performs the command's action (also for redo) and takes it back.
    virtual void Do();
    virtual void Undo();
    // The view of the frame shows another result or case than before; the command may end in
    // the call. Nothing by default.
    virtual void OnShownResultChanged(int frameKey, CCAEView& view);

    BYTE m_bDone = 0;       // set by Do, cleared by Undo
    BYTE m_bUndoable = 0;   // kept for undo after Do; no command of the program sets it
    BYTE m_bDialogOpen = 0; // the command's modeless dialog window exists
};
