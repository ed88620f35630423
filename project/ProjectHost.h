// What the project object needs of the main frame: the output log and status bar, the wait
// cursor, and the frame map of the project's views. The main frame implements it; tests use a
// fake. Reader messages arrive through the output-sink part (one line each).
#pragma once

#include "core/services/OutputSink.h"

#include <vector>

class CProjectView;

class CProjectHost : public COutputSink
{
public:
    // Looks the text up in the string file and appends it to the output log; the argument
    // follows the text without a separator.
    virtual void ShowMessage(const char* section, const char* key, const char* file) = 0;
    virtual void ShowMessageWithArg(const char* section, const char* key, const char* file,
                                    const char* argument) = 0;
    // Status-bar pane 0.
    virtual void SetStatusText(const char* text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Frame ids of the frame map, in the map's order.
    virtual std::vector<int> GetFrameIds() const = 0;
    // Frame id of the active child frame; 0 when none.
    virtual int GetActiveFrameId() const = 0;
    // The active view of the frame (borrowed); null when there is no such frame or it has no
    // active view.
    virtual CProjectView* GetFrameView(int frameId) = 0;
    // Creates a document, child frame and view for the open project under the next frame id
    // (the first view of a project gets 1); the new view (borrowed), or null when creation
    // failed.
    virtual CProjectView* CreateMainView(int displayMode, bool render, const char* suffix) = 0;
    // Destroys the frame window; its entry stays in the map until RemoveAllFrames.
    virtual void DestroyFrame(int frameId) = 0;
    virtual void RemoveAllFrames() = 0;
    // Fills the toolbar's load-case list for the result; an unknown id leaves it empty.
    virtual void FillLoadCaseCombo(int resultId) = 0;
};

// Shows the wait cursor for the guard's lifetime; a null host shows nothing.
class CWaitCursorGuard
{
public:
    explicit CWaitCursorGuard(CProjectHost* host)
        : m_host(host)
    {
        if (m_host != nullptr)
            m_host->BeginWaitCursor();
    }
    ~CWaitCursorGuard()
    {
        if (m_host != nullptr)
            m_host->EndWaitCursor();
    }
    CWaitCursorGuard(const CWaitCursorGuard&) = delete;
    CWaitCursorGuard& operator=(const CWaitCursorGuard&) = delete;

private:
    CProjectHost* m_host;
};
