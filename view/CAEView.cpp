// 3-D view: construction, window life (context, fonts, viewports, destruction) and what the
// handlers share.
#include "view/CAEView.h"

#include "core/geometry/ColorConvert.h"
#include "platform/win/dc.h"
#include "platform/win/glpresent.h"
#include "project/ProjectData.h"
#include "resources/ids/view_ids.h"
#include "view/CmdManager.h"
#include "view/ViewMainFrame.h"

#include <vector>

int g_nOperationMode = 0;

namespace
{
// Corner triad: a square of a tenth of the client width in the given corner. Window y runs
// upwards in viewports.
void SetCornerViewport(CViewVolume& triad, int corner, double width, double height)
{
    const double f = 0.1 * width;
    switch (corner)
    {
    case CCAEView::kLeftTop:
        triad.SetViewport(CPoint3D(0, height - f, 0), CPoint3D(f, height, 0));
        break;
    case CCAEView::kRightTop:
        triad.SetViewport(CPoint3D(width - f, height - f, 0), CPoint3D(width, height, 0));
        break;
    case CCAEView::kRightBottom:
        triad.SetViewport(CPoint3D(width - f, 0, 0), CPoint3D(width, f, 0));
        break;
    default: triad.SetViewport(CPoint3D(0, 0, 0), CPoint3D(f, f, 0)); break;
    }
}
} // namespace

CCAEView::CCAEView()
    : m_pMainFrame(GetViewMainFrame())
{
    m_AESet.SetView(this);
    if (const CAESettings* settings = GetSettings())
        EditScene().SetDisplayMode(settings->m_displayType);
}

CCAEView::~CCAEView() = default;

CProjectData* CCAEView::GetProject() const
{
    return m_pMainFrame ? m_pMainFrame->GetProject() : nullptr;
}

CAESettings* CCAEView::GetSettings() const
{
    CProjectData* project = GetProject();
    return project ? &project->m_settings : nullptr;
}

CModelSet* CCAEView::GetModel() const
{
    CProjectData* project = GetProject();
    return project ? &project->m_model : nullptr;
}

bool CCAEView::GetSceneSettings(CSceneSettings& scene) const
{
    const CAESettings* settings = GetSettings();
    if (settings == nullptr)
        return false;
    scene.m_displayFilter = static_cast<int>(settings->m_displayFilter);
    for (int kind = 0; kind < CSceneSettings::kKindCount; ++kind)
    {
        scene.m_colors[kind] = settings->m_entityColors[kind];
        scene.m_sizes[kind] = settings->m_entitySizes[kind];
    }
    scene.m_materials[CSceneSettings::kSolidMaterial] =
        settings->m_materials[CAESettings::kSolidMaterial];
    scene.m_materials[CSceneSettings::kShellMaterial] =
        settings->m_materials[CAESettings::kShellMaterial];
    scene.m_sameOnBothSide = settings->m_sameOnBothSides;
    scene.m_rigidLineView = settings->m_rigidLineView;
    scene.m_curveDivisions = settings->m_curveDivisions;
    scene.m_nodeLabelColor = settings->m_nodeLabelFont.color;
    scene.m_elementLabelColor = settings->m_elementLabelFont.color;
    return true;
}

bool CCAEView::IsDragging() const
{
    return m_hWnd != nullptr && ::GetCapture() == m_hWnd;
}

void CCAEView::BeginWaitCursor()
{
    if (m_pMainFrame)
        m_pMainFrame->BeginWaitCursor();
}

void CCAEView::EndWaitCursor()
{
    if (m_pMainFrame)
        m_pMainFrame->EndWaitCursor();
}

void CCAEView::ShowStatus(const char* key) const
{
    if (m_pMainFrame)
        m_pMainFrame->ShowMessage("MsgPane", key, "Message.str");
}

void CCAEView::SendCommand(CCmdRecord& record) const
{
    CCmdManager* manager = m_pMainFrame ? m_pMainFrame->GetCmdManager() : nullptr;
    if (manager == nullptr)
        return;
    manager->m_nFrameKey = m_nFrameKey;
    manager->ExecuteCommand(&record);
}

int CCAEView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CView::OnCreate(cs) == -1)
        return -1;
    const CAESettings* settings = GetSettings();
    const CColorRGBA background =
        COLORREFToColor(settings ? settings->m_backgroundColor : RGB(0, 0, 0));
    Device().SetColor(background);
    Device().CreateRenderingContext(this, background);
    return 0;
}

void CCAEView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    const CAESettings* settings = GetSettings();
    if (settings == nullptr)
        return;
    MakeCurrent();
    m_nTextFontBase = Device().CreateFontLists(&settings->m_generalFont.font);
    const UINT elementBase = Device().CreateFontLists(&settings->m_elementLabelFont.font);
    SetLabelFontBases(Device().CreateFontLists(&settings->m_nodeLabelFont.font), elementBase);
}

void CCAEView::OnSize(UINT, int cx, int cy)
{
    Default();
    MakeCurrent();
    Camera(kSceneViewport).SetViewport(CPoint3D(0, 0, 0), CPoint3D(cx, cy, 0));
    m_AESet.FitViewVolumeToAspect(kSceneViewport);
    const CAESettings* settings = GetSettings();
    SetCornerViewport(Camera(kCornerTriadViewport),
                      settings ? settings->m_triadPosition : int{kLeftBottom}, cx, cy);
    // The central triad's square; every frame moves it to the projected origin.
    const double f = 0.1 * cx;
    Camera(kCentralTriadViewport)
        .SetViewport(CPoint3D(cx / 2 - f / 2, cy / 2 - f / 2, 0),
                     CPoint3D(cx / 2 + f / 2, cy / 2 + f / 2, 0));
    // The model and the legend move with the size: the whole frame is drawn again, also when
    // the window shrank and nothing of it was uncovered.
    fw::FitFrameCopy(m_hWnd);
    InvalidateRect(nullptr, FALSE);
}

BOOL CCAEView::OnEraseBkgnd(CDC*)
{
    return TRUE; // OpenGL paints the whole client area
}

void CCAEView::OnDestroy()
{
    m_AESet.DeleteLists();
    CView::OnDestroy();
    Device().DeleteRenderingContext();
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    SendCommand(end);
    if (m_pMainFrame)
        m_pMainFrame->RemoveFrame(m_nFrameKey);
}

void CCAEView::OnRecentProject(UINT commandId)
{
    if (m_pMainFrame)
        m_pMainFrame->OnRecentProject(commandId);
}

void CCAEView::OnSetFocus(CWnd*)
{
    Default();
    // A chosen operation mode waits for a drag in the view the user works in now.
    if (g_nOperationMode != kModeNone && ::GetCapture() != m_hWnd)
        SetCapture();
    if (m_pMainFrame == nullptr)
        return;
    const int shown =
        m_AESet.ContourResultId() != -1 ? m_AESet.ContourResultId() : m_AESet.VectorResultId();
    m_pMainFrame->FillLoadCaseCombo(shown);
}

void CCAEView::PlaceTriad(int corner)
{
    CRect client;
    GetClientRect(&client);
    SetCornerViewport(Camera(kCornerTriadViewport), corner, client.Width(), client.Height());
    InvalidateView();
}

CCAEView::EntrySpan CCAEView::WindowEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::on<WM_CREATE, &CCAEView::OnCreate>(),
        fw::on<WM_SIZE, &CCAEView::OnSize>(),
        fw::on<WM_ERASEBKGND, &CCAEView::OnEraseBkgnd>(),
        fw::on<WM_DESTROY, &CCAEView::OnDestroy>(),
        fw::on<WM_SETFOCUS, &CCAEView::OnSetFocus>(),
        fw::command_range<ID_RECENT_PROJECT_FIRST, ID_RECENT_PROJECT_LAST,
                          &CCAEView::OnRecentProject>(),
    };
    return {kEntries, std::size(kEntries)};
}

// Each handler file lists its own entries; they are joined in this order.
const fw::MsgTable* CCAEView::Table()
{
    static const std::vector<fw::MsgEntry> kEntries = []
    {
        std::vector<fw::MsgEntry> entries{fw::kTableStart};
        for (const EntrySpan& part :
             {WindowEntries(), DirectionEntries(), DisplayEntries(), ResultEntries(),
              AnimationEntries(), ExportEntries(), AviEntries(), PrintEntries(), FilterEntries(),
              ToolEntries(), SectionEntries(), SettingsEntries(), MouseEntries(),
              SelectionKeyEntries(), TimerEntries(), SelectBarEntries(), GroupEntries(),
              ViewSettingEntries()})
            entries.insert(entries.end(), part.first, part.first + part.second);
        return entries;
    }();
    static const fw::MsgTable kTable = {&CView::Table, kEntries.data(), kEntries.size()};
    return &kTable;
}

const fw::MsgTable* CCAEView::GetMessageTable() const
{
    return Table();
}
