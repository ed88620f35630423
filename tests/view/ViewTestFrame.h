// A main frame for the view tests: the test MDI frame with what the 3-D view asks of the main
// frame (project, command manager, frame map, output lines, load-case combo, toolbars and
// scripted settings dialogs), and a fixture that opens 3-D views in it.
#pragma once

#include "platform/test/mainframe.h"
#include "project/ProjectData.h"
#include "view/CmdManager.h"
#include "view/ViewMainFrame.h"
#include "view/WendraView.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace view_window_test
{
// Records every command record it is given.
class RecordingCmdManager : public CCmdManager
{
public:
    struct Entry
    {
        int code;
        int keepRunning;
        int frameKey;
    };

    explicit RecordingCmdManager(CViewMainFrame* frame)
        : CCmdManager(frame)
    {
    }
    void ExecuteCommand(CCmdRecord* record) override;

    std::vector<Entry> m_entries;
    // Makes the command of a creating code when set; the program's own otherwise.
    std::function<CCmdColl*(const CCmdRecord&)> m_create;

protected:
    CCmdColl* CreateCommand(const CreationEntry& entry, const CCmdRecord& record) override;
};

class CViewTestFrame : public fw::test::CTestMainFrame, public CViewMainFrame
{
    FW_CREATABLE(CViewTestFrame, fw::test::CTestMainFrame)

public:
    CViewTestFrame();
    ~CViewTestFrame() override;

    // The main-frame services.
    CProjectData* GetProject() override { return m_project.get(); }
    CCmdManager* GetCmdManager() override { return &m_manager; }
    CCAEView* GetFrameView(int frameKey) override;
    void RemoveFrame(int frameKey) override { m_frames.erase(frameKey); }
    void ShowMessage(const char* section, const char* key, const char* file) override;
    void AddOutputLine(const char* text) override { m_outputLines.push_back(text); }
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }
    void ApplySettingsToAllViews(BOOL render) override;
    void RefreshGeometryNode() override { ++m_geometryRefreshes; }
    void OnRecentProject(UINT commandId) override { m_recentProjects.push_back(commandId); }
    void FillLoadCaseCombo(int resultId) override { m_comboResults.push_back(resultId); }
    void SelectLoadCaseCombo(int resultId) override { m_selectedInCombo = resultId; }
    CCAEView* CreateMainView(const CString& caption) override;
    bool GetSelectedLoadCase(int& resultId) override;
    BYTE* GetBarShownFlag(UINT commandId) override;
    bool IsBarVisible(UINT commandId) override { return m_barVisible[commandId]; }
    void ShowBar(UINT commandId, BOOL show) override { m_barVisible[commandId] = show != 0; }
    bool RunShrinkSettingDialog(int frameKey) override;
    bool RunViewAngleDialog(CPoint3D& angles, CString texts[3]) override;
    bool RunViewVectorDialog(CPoint3D& direction) override;
    bool RunDeformationDialog(CDeformationChoice& choice) override;
    bool RunMaxLCStepDialog(int& frames) override;
    void OpenClippingDialog(int frameKey, double startZ, double endZ) override;
    void OpenElementFilterDialog(CCAEView* view) override { m_filterDialogViews.push_back(view); }

    // Files the active child frame under the next key and gives its view the key and the
    // project's model.
    CWendraView* RegisterActiveView();

    std::unique_ptr<CProjectData> m_project;
    RecordingCmdManager m_manager;
    std::map<int, CMDIChildWnd*> m_frames;
    int m_viewCounter = 0;
    std::vector<std::string> m_statusKeys;
    std::vector<std::string> m_outputLines;
    int m_waitDepth = 0;
    int m_geometryRefreshes = 0;
    int m_settingsApplied = 0;
    std::vector<UINT> m_recentProjects;
    std::vector<int> m_comboResults;
    int m_selectedLoadCase = -1;
    int m_selectedInCombo = -1;
    CDocTemplate* m_pTemplate = nullptr; // makes new views
    std::map<UINT, BYTE> m_barShown;
    std::map<UINT, bool> m_barVisible;
    std::vector<int> m_shrinkDialogKeys;
    // Scripted dialogs: each entry answers one opening; an empty queue cancels.
    std::deque<CPoint3D> m_angleAnswers;
    std::deque<CPoint3D> m_vectorAnswers;
    std::deque<CDeformationChoice> m_deformationAnswers;
    std::deque<int> m_maxStepAnswers;
    // What the deformation and frame dialogs were opened with.
    std::vector<CDeformationChoice> m_deformationShown;
    std::vector<int> m_maxStepShown;
    std::vector<CPoint3D> m_clippingCalls; // (frame key, start z, end z)
    std::vector<CCAEView*> m_filterDialogViews;
};

// Settings that draw everything in known colours: shells green, solids cyan, beams yellow,
// nodes off, black background, opaque materials, no central triad.
void UseTestSettings(CAESettings& settings);

class ViewFixture : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override;

    CViewTestFrame& Frame() { return *static_cast<CViewTestFrame*>(m_frame); }
    CModelSet& Model() { return Frame().m_project->m_model; }
    // A new document with its 3-D view, registered in the frame map and sized as asked.
    CWendraView* OpenView(int width = 300, int height = 300);
    // Sends a menu command to the view (through its message table).
    static void Command(CWnd* view, UINT id);
    // Draws a frame and leaves it in the back buffer (no swap).
    static void DrawFrame(CWendraView* view);
};

// A pixel of the current context's back buffer, window y downwards in a window of that height.
std::array<int, 3> ReadPixel(int x, int y, int height);
// Pixels of the rectangle (window coordinates) that differ from the colour.
int CountDiffering(int left, int top, int right, int bottom, int height, std::array<int, 3> colour);

// Records what update handlers do with an item.
class ProbeCmdUI : public CCmdUI
{
public:
    explicit ProbeCmdUI(UINT id) { m_nID = id; }
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }

    int enabled = -1; // -1: not set
    int checked = -1;
};
// Runs the view's update handler of the command.
ProbeCmdUI QueryUpdate(CCmdTarget* target, UINT id);
} // namespace view_window_test
