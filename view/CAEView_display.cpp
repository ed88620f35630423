// 3-D view: display modes, redraw, shrink and clipping, the element property tool, the view
// toolbars and the load-case combo box.
#include "platform/win/cmdtarget.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"
#include "view/CmdRecord.h"
#include "view/ModeCommand.h"
#include "view/ViewMainFrame.h"

#include <algorithm>

namespace
{
constexpr ModeCommand kModeCommands[] = {
    {ID_VIEW_WIREFRAME, "Wireframe", kWireframe},
    {ID_VIEW_RIDGELINE, "Ridgline", kRidgeLine},
    {ID_VIEW_SHADING, "Shading", kShading},
    {ID_VIEW_RIDGELINE_SHADING, "Ridlneshading", kRidgeLineShading},
    {ID_VIEW_HIDDENLINE, "HiddenLine", kHiddenLine},
};

struct BarCommand
{
    UINT id;
    const char* hideKey;
    const char* showKey;
};
constexpr BarCommand kBarCommands[] = {
    {ID_TOOLBAR_VIEW_MODE, "ToolbarsViewModeH", "ToolbarsViewModeS"},
    {ID_TOOLBAR_WORKSPACE, "ToolbarsWorkSpaceH", "ToolbarsWorkSpaceS"},
    {ID_TOOLBAR_DIRECTION, "ToolbarsDirH", "ToolbarsDirS"},
    {ID_TOOLBAR_SELECTION, "ToolbarsSelectionH", "ToolbarsSelectionS"},
    {ID_TOOLBAR_SELECTION_MODE, "ToolbarsSelectionmodeH", "ToolbarsSelectionmodeS"},
    {ID_TOOLBAR_TRIAD_POSITION, "ToolbarsTriadpositionH", "ToolbarsTriadpositionS"},
    {ID_TOOLBAR_DISPLAY_FILTER, "ToolbarsDisplayFiltersH", "ToolbarsDisplayFiltersS"},
    {ID_TOOLBAR_SELECTION_FILTER, "ToolbarsSelectionFiltersH", "ToolbarsSelectionFiltersS"},
    {ID_TOOLBAR_VIEW_SETTINGS, "ToolbarsViewsettingsH", "ToolbarsViewsettingsS"},
    {ID_TOOLBAR_ANIMATION, "ToolbarsAnimationH", "ToolbarsAnimationS"},
};

const BarCommand* FindBar(UINT id)
{
    for (const BarCommand& command : kBarCommands)
    {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

// Shading modes are offered only in the project's first view.
constexpr int kFirstViewKey = 1;
} // namespace

void CCAEView::OnDisplayMode(UINT commandId)
{
    const ModeCommand* command = FindModeCommand(kModeCommands, commandId);
    if (command == nullptr)
        return;
    ShowStatus(command->statusKey);
    EditScene().SetDisplayMode(command->mode);
    if (CAESettings* settings = GetSettings())
        settings->m_displayType = static_cast<int16_t>(command->mode);
    // Colours by element type bake no mode into the lists: they stay as they are.
    if (Scene().ColorMode() == kColorByProperty || Scene().ColorMode() == kColorByMaterial)
        m_AESet.RenderAll();
    InvalidateView();
}

void CCAEView::OnUpdateDisplayMode(CCmdUI* cmdUI)
{
    const ModeCommand* command = FindModeCommand(kModeCommands, cmdUI->m_nID);
    if (command == nullptr)
        return;
    cmdUI->SetCheck(Scene().DisplayMode() == command->mode ? 1 : 0);
    if (command->mode >= kShading)
        cmdUI->Enable(m_nFrameKey == kFirstViewKey);
}

void CCAEView::OnRedraw()
{
    ClearStoredIdMaps();
    m_AESet.RenderAll();
    InvalidateView();
    ShowStatus("Redraw");
}

void CCAEView::OnShrinkSetting()
{
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    SendCommand(end);
    ShowStatus("ShrinkSetting");
    if (m_pMainFrame)
        m_pMainFrame->RunShrinkSettingDialog(m_nFrameKey);
}

void CCAEView::OnClipping()
{
    SetOperationModeNoCapture(0);
    // The model box turned with the scene camera: its depth range becomes the camera's.
    const CViewVolume& scene = Camera(kSceneViewport);
    double m[16] = {};
    RotationMatrix(scene.m_rotation.x, scene.m_rotation.y, scene.m_rotation.z, m);
    double lowZ = 0.0;
    double highZ = 0.0;
    for (int i = 0; i < 8; ++i)
    {
        const CPoint3D c((i & 1) ? ClipBoxCorner(1).x : ClipBoxCorner(0).x,
                         (i & 2) ? ClipBoxCorner(1).y : ClipBoxCorner(0).y,
                         (i & 4) ? ClipBoxCorner(1).z : ClipBoxCorner(0).z);
        const double z = m[2] * c.x + m[6] * c.y + m[10] * c.z + m[14];
        lowZ = i == 0 ? z : std::min(lowZ, z);
        highZ = i == 0 ? z : std::max(highZ, z);
    }
    CViewVolume& camera = Camera(kSceneViewport);
    const double startZ = camera.m_volumeStart.z;
    const double endZ = camera.m_volumeEnd.z;
    camera.m_volumeStart.z = lowZ;
    camera.m_volumeEnd.z = highZ;
    InvalidateView();
    if (m_pMainFrame)
        m_pMainFrame->OpenClippingDialog(m_nFrameKey, startZ, endZ);
    InvalidateView();
}

void CCAEView::OnEditElementProperty()
{
    CCmdRecord start;
    start.nCode = CCmdRecord::kElementProperty;
    start.bKeepRunning = 0;
    SendCommand(start);
}

void CCAEView::OnLoadCaseChange()
{
    int resultId = -1;
    if (m_pMainFrame == nullptr || !m_pMainFrame->GetSelectedLoadCase(resultId))
        return;
    BeginWaitCursor();
    m_AESet.SetLCStep(0);
    m_AESet.UpdateAnimationFrame();
    // The bands keep their kind and colours and take the range of the chosen case: the result
    // display gives another case of the view its own range.
    DisplayResultView(resultId, m_AESet.ResultComponent(), GetDisplayAttr().m_nResultCategory,
                      FALSE);
    EndWaitCursor();
}

void CCAEView::OnToolbar(UINT commandId)
{
    const BarCommand* command = FindBar(commandId);
    BYTE* shown = m_pMainFrame ? m_pMainFrame->GetBarShownFlag(commandId) : nullptr;
    if (command == nullptr || shown == nullptr)
        return;
    const bool isShown = *shown == 1;
    m_pMainFrame->ShowBar(commandId, isShown ? FALSE : TRUE);
    *shown = isShown ? 0 : 1;
    ShowStatus(isShown ? command->hideKey : command->showKey);
}

// A bar the user closed with its own box loses its check mark; the Animation bar's flag
// follows its window both ways.
void CCAEView::OnUpdateToolbar(CCmdUI* cmdUI)
{
    BYTE* shown = m_pMainFrame ? m_pMainFrame->GetBarShownFlag(cmdUI->m_nID) : nullptr;
    if (shown == nullptr)
        return;
    const bool isVisible = m_pMainFrame->IsBarVisible(cmdUI->m_nID);
    if (cmdUI->m_nID == ID_TOOLBAR_ANIMATION)
        *shown = isVisible ? 1 : 0;
    else if (!isVisible)
        *shown = 0;
    cmdUI->SetCheck(*shown == 1 ? 1 : 0);
}

void CCAEView::SetOperationModeNoCapture(int mode)
{
    if (mode == 0)
        ::ReleaseCapture();
    g_nOperationMode = mode;
    PostMessage(WM_SETCURSOR, 0, 0);
}

CCAEView::EntrySpan CCAEView::DisplayEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::command_range<ID_VIEW_WIREFRAME, ID_VIEW_HIDDENLINE, &CCAEView::OnDisplayMode>(),
        fw::update_range<ID_VIEW_WIREFRAME, ID_VIEW_HIDDENLINE, &CCAEView::OnUpdateDisplayMode>(),
        fw::command<ID_VIEW_REDRAW, &CCAEView::OnRedraw>(),
        fw::command<ID_VIEW_SHRINK_SETTING, &CCAEView::OnShrinkSetting>(),
        fw::command<ID_VIEW_CLIPPING, &CCAEView::OnClipping>(),
        fw::command<ID_EDIT_ELEMENT_PROPERTY, &CCAEView::OnEditElementProperty>(),
        fw::control<CBN_SELCHANGE, ID_LOADCASE_COMBO, &CCAEView::OnLoadCaseChange>(),
        fw::command<ID_TOOLBAR_ANIMATION, &CCAEView::OnToolbar>(),
        fw::command_range<ID_TOOLBAR_SELECTION, ID_TOOLBAR_WORKSPACE, &CCAEView::OnToolbar>(),
        fw::command<ID_TOOLBAR_VIEW_MODE, &CCAEView::OnToolbar>(),
        fw::command<ID_TOOLBAR_SELECTION_FILTER, &CCAEView::OnToolbar>(),
        fw::command<ID_TOOLBAR_DISPLAY_FILTER, &CCAEView::OnToolbar>(),
        fw::update<ID_TOOLBAR_ANIMATION, &CCAEView::OnUpdateToolbar>(),
        fw::update_range<ID_TOOLBAR_SELECTION, ID_TOOLBAR_WORKSPACE, &CCAEView::OnUpdateToolbar>(),
        fw::update<ID_TOOLBAR_VIEW_MODE, &CCAEView::OnUpdateToolbar>(),
        fw::update<ID_TOOLBAR_SELECTION_FILTER, &CCAEView::OnUpdateToolbar>(),
        fw::update<ID_TOOLBAR_DISPLAY_FILTER, &CCAEView::OnUpdateToolbar>(),
    };
    return {kEntries, std::size(kEntries)};
}
