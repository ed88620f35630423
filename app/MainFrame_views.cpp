// The main frame as the views see it: the frame map, new views, settings applied to every
// view, the toolbars' shown bytes, the wait cursor and the views' small settings dialogs.
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/WendraApp.h"
#include "app/WendraDoc.h"
#include "core/services/StringFile.h"
#include "core/services/TextFormat.h"
#include "dialogs/settings/ChangeViewAngleDlg.h"
#include "dialogs/settings/DeformationSettingsDlg.h"
#include "dialogs/settings/MaxLCStepDlg.h"
#include "dialogs/settings/SetViewVectorDlg.h"
#include "dialogs/settings/ShrinkSettingDlg.h"
#include "dialogs/tools/ClippingDlg.h"
#include "dialogs/tools/PidMidFilterDlg.h"
#include "dialogs/tools/ToolDlg.h"
#include "platform/docview/doctempl.h"
#include "platform/win/app.h"
#include "project/ProjectData.h"
#include "view/WendraView.h"

#include <algorithm>

namespace
{
constexpr int kRecommendedOpenViews = 8;
} // namespace

void CMainFrame::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

void CMainFrame::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

CCAEView* CMainFrame::GetFrameView(int frameKey)
{
    CChildFrame* frame = nullptr;
    if (!m_frameMap.Lookup(frameKey, frame) || frame == nullptr)
        return nullptr;
    return dynamic_cast<CCAEView*>(frame->GetActiveView());
}

CModelSet* CMainFrame::GetProjectModel()
{
    return m_pProject != nullptr ? &m_pProject->m_model : nullptr;
}

bool CMainFrame::HasActiveView()
{
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr && dynamic_cast<CCAEView*>(child->GetActiveView()) != nullptr;
}

void CMainFrame::DisplayResultView(int resultId, int mode, int component, BOOL flag)
{
    CMDIChildWnd* child = MDIGetActive();
    if (auto* view = child != nullptr ? dynamic_cast<CCAEView*>(child->GetActiveView()) : nullptr)
        view->DisplayResultView(resultId, mode, component, flag);
}

void CMainFrame::RemoveFrame(int frameKey)
{
    m_frameMap.RemoveKey(frameKey);
    // The key comes back with the next project's views: no dialog may outlive its view.
    CToolDlg::CloseViewDialogs(frameKey);
}

CCAEView* CMainFrame::CreateMainView(const CString& caption)
{
    if (m_pProject == nullptr)
        return nullptr;
    return CreateMainView(m_pProject->m_settings.m_displayType, false,
                          caption.IsEmpty() ? nullptr : caption.GetString());
}

CCAEView* CMainFrame::CreateMainView(int displayMode, bool render, const char* suffix)
{
    auto* app = dynamic_cast<CWendraApp*>(AfxGetApp());
    if (m_pProject == nullptr || app == nullptr || app->GetDocTemplate() == nullptr)
        return nullptr;
    ShowMessage("MsgPane", "CreateMainView", "message.str");
    return MakeMainView(displayMode, render, suffix);
}

CCAEView* CMainFrame::MakeMainView(int displayMode, bool render, const char* suffix)
{
    auto* app = dynamic_cast<CWendraApp*>(AfxGetApp());
    CMultiDocTemplate* docTemplate = app != nullptr ? app->GetDocTemplate() : nullptr;
    if (m_pProject == nullptr || docTemplate == nullptr)
        return nullptr;
    CString title = m_pProject->m_name;
    if (suffix != nullptr && *suffix != '\0')
        title += CString(": ") + suffix;
    auto* document = new CWendraDoc; // goes with its last view
    document->SetTitle(title);
    docTemplate->AddDocument(document);
    ++m_frameCounter;
    CFrameWnd* frame = docTemplate->CreateNewFrame(document, nullptr);
    auto* child = dynamic_cast<CChildFrame*>(frame);
    if (child == nullptr)
    {
        // No frame means no view: the document has nothing to anchor.
        document->OnCloseDocument();
        return nullptr;
    }
    docTemplate->InitialUpdateFrame(frame, document, TRUE);
    auto* view = dynamic_cast<CCAEView*>(child->GetActiveView());
    if (view == nullptr)
        return nullptr;
    view->SetFrameKey(m_frameCounter);
    RegisterFrame(m_frameCounter, child);
    if (m_frameMap.GetCount() > kRecommendedOpenViews)
    {
        std::string text;
        LoadStringFromFile("message.str", "MsgPane", "RecommendedOpenViews", &text);
        AddOutputLine(FormatText(text, {kRecommendedOpenViews}).c_str());
    }
    child->MDIMaximize();

    CModelSet& model = m_pProject->m_model;
    view->EditScene().SetDisplayMode(displayMode);
    view->SetCurrentGroup(model.GetDefaultGroup());
    view->LoadElementFilter(&model);
    if (render)
        view->Renderer().RenderAll();
    view->Renderer().AutoScale(view);
    view->Camera(0).SetRotationAngles(m_pProject->m_settings.m_viewAngles);
    view->Camera(0).m_rotationCentre = model.GetCenter();
    view->InvalidateView();
    return view;
}

void CMainFrame::ApplySettingsToAllViews(BOOL render)
{
    if (!m_isSettingsSheetShown)
    {
        RefreshAllViews(render);
        return;
    }
    // Every modified page applies in turn: the views are refreshed once they all have.
    if (m_pendingViewRefresh < 0)
        PostMessage(kPendingViewRefreshMessage);
    m_pendingViewRefresh = std::max(m_pendingViewRefresh, render ? 1 : 0);
}

void CMainFrame::FlushPendingViewRefresh()
{
    const int pending = m_pendingViewRefresh;
    m_pendingViewRefresh = -1;
    if (pending >= 0)
        RefreshAllViews(pending == 1);
}

LRESULT CMainFrame::OnPendingViewRefresh(WPARAM, LPARAM)
{
    FlushPendingViewRefresh();
    return 0;
}

void CMainFrame::RefreshAllViews(BOOL render)
{
    ++m_viewRefreshCount;
    for (const auto& [frameKey, frame] : fw::Assocs(m_frameMap))
    {
        auto* view = frame != nullptr ? dynamic_cast<CCAEView*>(frame->GetActiveView()) : nullptr;
        if (view == nullptr)
            continue;
        if (render)
            view->Renderer().RenderAll();
        if (m_pProject != nullptr)
            view->PlaceTriad(m_pProject->m_settings.m_triadPosition);
        view->Invalidate(TRUE);
    }
}

void CMainFrame::RefreshGeometryNode()
{
    m_projectTreeBar.GetTreePage().RefreshGeometryNode();
}

BYTE* CMainFrame::GetBarShownFlag(UINT commandId)
{
    const ToolBarSlot slot = SlotOfCommand(commandId);
    return slot == kToolBarCount ? nullptr : &m_barShown[slot];
}

bool CMainFrame::IsBarVisible(UINT commandId)
{
    const ToolBarSlot slot = SlotOfCommand(commandId);
    return slot != kToolBarCount && m_toolBars[slot].m_hWnd != nullptr &&
           m_toolBars[slot].IsWindowVisible();
}

void CMainFrame::ShowBar(UINT commandId, BOOL show)
{
    const ToolBarSlot slot = SlotOfCommand(commandId);
    if (slot != kToolBarCount && m_toolBars[slot].m_hWnd != nullptr)
        ShowControlBar(&m_toolBars[slot], show, FALSE);
}

bool CMainFrame::RunShrinkSettingDialog(int frameKey)
{
    CShrinkSettingDlg dialog;
    dialog.m_frameKey = frameKey;
    return dialog.DoModal() == IDOK;
}

bool CMainFrame::RunViewAngleDialog(CPoint3D& angles, CString texts[3])
{
    CChangeViewAngleDlg dialog;
    dialog.m_values = angles;
    if (dialog.DoModal() != IDOK)
        return false;
    angles = dialog.m_values;
    for (int i = 0; i < 3; ++i)
        texts[i] = dialog.m_texts[i];
    return true;
}

bool CMainFrame::RunViewVectorDialog(CPoint3D& direction)
{
    CSetViewVectorDlg dialog;
    dialog.m_values = direction;
    if (dialog.DoModal() != IDOK)
        return false;
    direction = dialog.m_values;
    return true;
}

bool CMainFrame::RunDeformationDialog(CDeformationChoice& choice)
{
    CDeformationSettingsDlg dialog;
    dialog.m_deformationScale = choice.deformationScale;
    dialog.m_modelScale = choice.modelScalePercent;
    dialog.m_enableDeformation = choice.isEnabled ? TRUE : FALSE;
    dialog.m_scaleChoice = choice.isByModelScale ? CDeformationSettingsDlg::kByModelScale
                                                 : CDeformationSettingsDlg::kByDeformationScale;
    dialog.m_showModel = choice.showsModel ? TRUE : FALSE;
    dialog.m_showContour = choice.showsContour ? TRUE : FALSE;
    if (dialog.DoModal() != IDOK)
        return false;
    choice.deformationScale = dialog.m_deformationScale;
    choice.modelScalePercent = dialog.m_modelScale;
    choice.isEnabled = dialog.m_enableDeformation != FALSE;
    choice.isByModelScale = dialog.m_scaleChoice == CDeformationSettingsDlg::kByModelScale;
    choice.showsModel = dialog.m_showModel != FALSE;
    choice.showsContour = dialog.m_showContour != FALSE;
    return true;
}

bool CMainFrame::RunMaxLCStepDialog(int& frames)
{
    CMaxLCStepDlg dialog;
    dialog.m_maxStep = frames;
    if (dialog.DoModal() != IDOK)
        return false;
    frames = dialog.m_maxStep;
    return true;
}

void CMainFrame::OpenClippingDialog(int frameKey, double startZ, double endZ)
{
    CClippingDlg::Open(frameKey, startZ, endZ);
}

void CMainFrame::OpenElementFilterDialog(CCAEView* view)
{
    if (view != nullptr)
        CPidMidFilterDlg::Open(view->FrameKey());
}
