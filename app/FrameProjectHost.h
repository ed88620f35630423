// CFrameProjectHost: the main frame as the open project sees it: the output log and status bar,
// the wait cursor, and the frame map of the project's views, each view through its project-file
// side. The main frame owns one and gives it to every project it opens.
#pragma once

#include "project/ProjectHost.h"

class CMainFrame;

class CFrameProjectHost : public CProjectHost
{
public:
    explicit CFrameProjectHost(CMainFrame& frame)
        : m_frame(frame)
    {
    }

    void AddOutputLine(const std::string& line) override;
    void ShowMessage(const char* section, const char* key, const char* file) override;
    void ShowMessageWithArg(const char* section, const char* key, const char* file,
                            const char* argument) override;
    void SetStatusText(const char* text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    std::vector<int> GetFrameIds() const override;
    int GetActiveFrameId() const override;
    CProjectView* GetFrameView(int frameId) override;
    CProjectView* CreateMainView(int displayMode, bool render, const char* suffix) override;
    void DestroyFrame(int frameId) override;
    void RemoveAllFrames() override;
    void FillLoadCaseCombo(int resultId) override;

private:
    CMainFrame& m_frame;
};
