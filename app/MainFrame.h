// The program's top-level window: a multiple-document frame that owns the open project, the
// frame map through which tools reach the views, the bars and the load-case combo box. It
// reports to the user through the output log and the status bar, starts the splash while it
// is made, and stores the recent projects when it closes.
#pragma once

#include "platform/base/coll_map.h"
#include "platform/docview/mdi.h"

class CChildFrame;
class COXHistoryCtrl;

// The frame id of a project's first view, whose frame stays open while the project is.
constexpr int kFirstFrameId = 1;

class CMainFrame : public CMDIFrameWnd
{
    FW_CLASS(CMainFrame, CMDIFrameWnd)

public:
    using FrameMap = CMap<int, int, CChildFrame*, CChildFrame*>;

    CMainFrame();
    ~CMainFrame() override;

    // Messages for the user: a text of a string file, or a raw line, appended to the output
    // log (and its log file); the status bar's message pane.
    void ShowMessage(const char* section, const char* key, const char* file);
    void ShowMessageWithArg(const char* section, const char* key, const char* file,
                            const char* argument);
    void AddOutputLine(const char* text);
    void SetStatusText(const char* text);
    // Where the output lines go (the output bar's history; borrowed, null: nowhere).
    void SetOutputLog(COXHistoryCtrl* history) { m_outputLog = history; }

    // The frame map: frame id to child frame.
    FrameMap& GetFrameMap() { return m_frameMap; }
    void RegisterFrame(int frameId, CChildFrame* frame);
    // The id under which frame is registered; 0 when it is not.
    int FindFrameId(const CChildFrame* frame) const;
    int GetFrameCounter() const { return m_frameCounter; }

    // Records a project file as the most recent one (the application keeps the list).
    void AddToRecentProjects(const CString& path);
    // True when the result name is one of the product INI's default results.
    BOOL IsDefaultResult(const CString& name) const;
    // A model file named on the command line; the project commands open it.
    void OpenStartUpFile(const CString& name, const CString& path);

    // Sorts values[low..high] ascending, partitioning round the first element.
    static void QuickSort(int* values, int low, int high);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnClose();

private:
    static int Partition(int* values, int low, int high);

    COXHistoryCtrl* m_outputLog = nullptr;
    FrameMap m_frameMap;
    int m_frameCounter = 0;
};
