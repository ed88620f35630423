// What a 3-D view asks of the main frame: the open project, the command manager and the frame
// map, the output bar, the wait cursor, the load-case combo box, the view toolbars and the
// settings dialogs it opens. The main frame implements it; tests use a frame of their own.
#pragma once

#include "platform/base/string.h"

#include <windows.h>

struct CCmdRecord;

class CCAEView;
class CCmdManager;
class CPoint3D;
class CProjectData;

// A view's deformation settings as the deformation dialog shows them.
struct CDeformationChoice
{
    double deformationScale = 1.0;
    double modelScalePercent = 100.0; // deformation per model size, per cent
    bool isEnabled = true;
    bool isByModelScale = false; // else by the deformation scale factor
    bool showsModel = false;     // the undeformed shape overlaid
    bool showsContour = true;
};

class CViewMainFrame
{
public:
    virtual ~CViewMainFrame() = default;

    // The open project, or null.
    virtual CProjectData* GetProject() = 0;
    virtual CCmdManager* GetCmdManager() = 0;
    // The active view of the child frame filed under the key, or null.
    virtual CCAEView* GetFrameView(int frameKey) = 0;
    virtual void RemoveFrame(int frameKey) = 0;

    // Looks the key up in the string file and appends the text to the output bar's history.
    virtual void ShowMessage(const char* section, const char* key, const char* file) = 0;
    virtual void AddOutputLine(const char* text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Every view of the frame map: lists rebuilt when asked, triad placed, redrawn.
    virtual void ApplySettingsToAllViews(BOOL render) = 0;
    virtual void RefreshGeometryNode() = 0;
    virtual void OnRecentProject(UINT commandId) = 0;

    // The load-case combo box of the Animation toolbar: filled with the cases of a result;
    // the packed id of the selected case, false when none is selected.
    virtual void FillLoadCaseCombo(int resultId) = 0;
    virtual void SelectLoadCaseCombo(int resultId) = 0;
    virtual bool GetSelectedLoadCase(int& resultId) = 0;
    // A document, child frame and 3-D view for the open project under the next frame key; the
    // new view, active now, or null.
    virtual CCAEView* CreateMainView(const CString& caption) = 0;

    // View toolbars, by their show/hide command id: the frame's "shown" flag, whether the bar
    // window is visible, and showing or hiding it.
    virtual BYTE* GetBarShownFlag(UINT commandId) = 0;
    virtual bool IsBarVisible(UINT commandId) = 0;
    virtual void ShowBar(UINT commandId, BOOL show) = 0;

    // Settings dialogs the view opens. The modal ones return true on OK.
    // Shrink: applies the view's shrink flag and factor itself.
    virtual bool RunShrinkSettingDialog(int frameKey) = 0;
    // Three angles (degrees) in and out, and the three texts the user typed.
    virtual bool RunViewAngleDialog(CPoint3D& angles, CString texts[3]) = 0;
    virtual bool RunViewVectorDialog(CPoint3D& direction) = 0;
    virtual bool RunDeformationDialog(CDeformationChoice& choice) = 0;
    // The number of animation frames in and out.
    virtual bool RunMaxLCStepDialog(int& frames) = 0;
    // Modeless: moves the two z limits of the view's scene camera.
    virtual void OpenClippingDialog(int frameKey, double startZ, double endZ) = 0;
    // Modeless, on the heap: edits the view's element filter.
    virtual void OpenElementFilterDialog(CCAEView* view) = 0;
};

// The main window as the views see it, or null when there is none or it is not a main frame.
CViewMainFrame* GetViewMainFrame();

// Hands a record to the main window's command manager for the view of frameKey, as a tool's
// command does; nothing happens without a main window.
void SendToCmdManager(CCmdRecord& record, int frameKey);
