// A main frame that holds a project and nothing else: enough for a view object without the
// program around it (benchmarks, tests). Every other request does nothing.
#pragma once

#include "project/ProjectData.h"
#include "view/ViewMainFrame.h"

class CProjectOnlyMainFrame : public CViewMainFrame
{
public:
    CProjectData* GetProject() override { return &m_project; }
    CCmdManager* GetCmdManager() override { return nullptr; }
    CCAEView* GetFrameView(int) override { return nullptr; }
    void RemoveFrame(int) override {}
    void ShowMessage(const char*, const char*, const char*) override {}
    void AddOutputLine(const char*) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void ApplySettingsToAllViews(BOOL) override {}
    void RefreshGeometryNode() override {}
    void OnRecentProject(UINT) override {}
    void FillLoadCaseCombo(int) override {}
    void SelectLoadCaseCombo(int) override {}
    bool GetSelectedLoadCase(int&) override { return false; }
    CCAEView* CreateMainView(const CString&) override { return nullptr; }
    BYTE* GetBarShownFlag(UINT) override { return nullptr; }
    bool IsBarVisible(UINT) override { return false; }
    void ShowBar(UINT, BOOL) override {}
    bool RunShrinkSettingDialog(int) override { return false; }
    bool RunViewAngleDialog(CPoint3D&, CString*) override { return false; }
    bool RunViewVectorDialog(CPoint3D&) override { return false; }
    bool RunDeformationDialog(CDeformationChoice&) override { return false; }
    bool RunMaxLCStepDialog(int&) override { return false; }
    void OpenClippingDialog(int, double, double) override {}
    void OpenElementFilterDialog(CCAEView*) override {}

    CProjectData m_project;
};
