// The main frame's settings sheets, bar toggles and Window menu, and what the settings pages
// ask of the views.
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "dialogs/settings/ColorTablePage.h"
#include "dialogs/settings/ContourDefaultSettingsDlg.h"
#include "dialogs/settings/DialogTexts.h"
#include "dialogs/settings/DisplayAttSettingsDlg.h"
#include "dialogs/settings/MaterialSettingDlg.h"
#include "dialogs/settings/SettingFilePath.h"
#include "dialogs/settings/VectorDefaultSettingsDlg.h"
#include "dialogs/settings/ViewDefaultSettingDlg.h"
#include "project/ProjectData.h"
#include "resources/ids/app_ids.h"
#include "view/CAEView.h"

#include <GL/gl.h>

namespace
{
void AddPage(CPropertySheet& sheet, CSettingsPage& page, CSettingsHost* host, const char* section,
             const char* key)
{
    page.SetHost(host);
    page.SetTitle(LoadUiText("Dialog.str", section, key).GetString());
    page.m_psp.dwFlags |= PSP_USETITLE;
    sheet.AddPage(&page);
}

// Deletes a view's 256 font lists (a base of 0 has none) and makes them anew from font; a
// first failure is tried once more.
UINT RemakeFontLists(CGLDevice& device, UINT base, const LOGFONT& font)
{
    if (base > 0)
        glDeleteLists(base, 256);
    UINT made = device.CreateFontLists(&font);
    if (made == 0)
        made = device.CreateFontLists(&font);
    return made;
}

void RecolourOutOfRange(CResultDisplayAttr& attr, const CColorRGBA& color)
{
    attr.SetOutOfRangeColor(color);
    attr.SetRange(attr.m_dataMin, attr.m_dataMax, attr.m_viewMin, attr.m_viewMax, attr.m_nBands);
}
} // namespace

void CMainFrame::OnDisplaySettings()
{
    // Four of the pages edit the project.
    if (m_pProject == nullptr)
        return;
    CDisplayAttSettingsDlg display;
    CMaterialSettingDlg material;
    CViewDefaultSettingDlg viewDefaults;
    CSettingFilePath paths;
    CPropertyColorDlg propertyColors;
    CMaterialColorDlg materialColors;
    CPropertySheet sheet(LoadUiText("Dialog.str", "DisplaySetting", "DisplaySetting").GetString(),
                         this);
    AddPage(sheet, display, this, "Display", "Display Attribute");
    AddPage(sheet, material, this, "MaterialSetting", "Material Setting");
    AddPage(sheet, viewDefaults, this, "ViewDefaultSetting", "View Settings");
    AddPage(sheet, paths, this, "SettingFilePath", "File Settings");
    AddPage(sheet, propertyColors, this, "PropertyColor", "PropertyColor");
    AddPage(sheet, materialColors, this, "PropertyColor", "MaterialColor");
    ShowMessage("MsgPane", "SetngModel", "message.str");
    if (RunSettingsSheet(sheet) == IDOK)
        RebuildLabelFontLists();
    FlushPendingViewRefresh();
}

INT_PTR CMainFrame::RunSettingsSheet(CPropertySheet& sheet)
{
    m_isSettingsSheetShown = true;
    const INT_PTR result = sheet.DoModal();
    m_isSettingsSheetShown = false;
    return result;
}

void CMainFrame::OnResultSettings()
{
    if (m_pProject == nullptr)
        return;
    CContourDefaultSettingsDlg contour(&m_pProject->m_settings.m_contourDefaults);
    CPropertySheet sheet(LoadUiText("Dialog.str", "ResultSetting", "ResultSetting").GetString(),
                         this);
    CVectorDefaultSettingsDlg vector(&m_pProject->m_settings.m_vectorDefaults);
    AddPage(sheet, contour, this, "ResultSetting", "ContourSettings");
    AddPage(sheet, vector, this, "ResultSetting", "VectorSettings");
    RunSettingsSheet(sheet);
    FlushPendingViewRefresh();
}

void CMainFrame::OnSystemSettings()
{
    CSettingFilePath paths;
    CPropertySheet sheet(LoadUiText("Dialog.str", "SystemSetting", "SystemSetting").GetString(),
                         this);
    AddPage(sheet, paths, this, "SettingFilePath", "File Settings");
    ShowMessage("MsgPane", "SetngModel", "message.str");
    RunSettingsSheet(sheet);
    FlushPendingViewRefresh();
}

void CMainFrame::OnUpdateProjectSettings(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_pProject != nullptr);
}

void CMainFrame::RebuildLabelFontLists()
{
    for (const auto& [frameKey, frame] : fw::Assocs(m_frameMap))
    {
        auto* view = frame != nullptr ? dynamic_cast<CCAEView*>(frame->GetActiveView()) : nullptr;
        if (view == nullptr)
            continue;
        view->UpdateWindow();
        view->InvalidateView();
        if (m_pProject == nullptr)
            continue;
        // Lists belong to the context they were made in: each view's own.
        view->MakeCurrent();
        const CAESettings& settings = m_pProject->m_settings;
        const UINT nodeBase = RemakeFontLists(view->Device(), view->NodeLabelFontBase(),
                                              settings.m_nodeLabelFont.font);
        const UINT elementBase = RemakeFontLists(view->Device(), view->ElementLabelFontBase(),
                                                 settings.m_elementLabelFont.font);
        view->SetLabelFontBases(nodeBase, elementBase);
    }
}

void CMainFrame::ApplyBackgroundColor(COLORREF color)
{
    const CColorRGBA rgba(GetRValue(color) / 255.0f, GetGValue(color) / 255.0f,
                          GetBValue(color) / 255.0f, 0.0f);
    for (const auto& [frameKey, frame] : fw::Assocs(m_frameMap))
    {
        auto* view = frame != nullptr ? dynamic_cast<CCAEView*>(frame->GetActiveView()) : nullptr;
        if (view == nullptr || view->GetShownResultId() == -1)
            continue;
        // Vectors keep their bands with their plot; a contour's are the view's own.
        CAESet& renderer = view->Renderer();
        if (renderer.ContourResultId() == -1)
        {
            CResultDisplayAttr plotted = renderer.GetDisplayAttr();
            RecolourOutOfRange(plotted, rgba);
            renderer.CopyDisplayAttr(plotted);
        }
        RecolourOutOfRange(view->EditScene().EditDisplayAttr(), rgba);
    }
}

CCAEView* CMainFrame::ActiveChildView()
{
    CMDIChildWnd* child = GetActiveChildFrame();
    return child != nullptr ? dynamic_cast<CCAEView*>(child->GetActiveView()) : nullptr;
}

bool CMainFrame::GetActiveViewAngles(CPoint3D& anglesDeg)
{
    CCAEView* view = ActiveChildView();
    if (view == nullptr)
        return false;
    anglesDeg = view->Camera(CSceneView::kSceneViewport).m_rotation;
    return true;
}

void CMainFrame::SetActiveViewDisplayMode(int mode)
{
    if (CCAEView* view = ActiveChildView())
        view->EditScene().SetDisplayMode(mode);
}

void CMainFrame::OnViewOutputBar()
{
    ShowControlBar(&m_outputBar, !m_outputBar.IsWindowVisible(), FALSE);
}

void CMainFrame::OnViewWorkspace()
{
    ShowControlBar(&m_projectTreeBar, !m_projectTreeBar.IsWindowVisible(), FALSE);
    ShowMessage("MsgPane", "ShowWorkspc", "message.str");
}

void CMainFrame::OnViewStandardToolbar()
{
    COXCoolToolBar& bar = m_toolBars[kStandardBar];
    BYTE& shown = m_barShown[kStandardBar];
    if (shown == 1)
    {
        ShowControlBar(&bar, FALSE, FALSE);
        shown = 0;
        ShowMessage("MsgPane", "ToolbarsStandardH", "Message.str");
    }
    else
    {
        ShowControlBar(&bar, TRUE, FALSE);
        shown = 1;
        ShowMessage("MsgPane", "ToolbarsStandardS", "Message.str");
    }
}

void CMainFrame::OnUpdateViewOutputBar(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_outputBar.m_hWnd != nullptr && m_outputBar.IsWindowVisible());
}

void CMainFrame::OnUpdateViewWorkspace(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_projectTreeBar.m_hWnd != nullptr && m_projectTreeBar.IsWindowVisible());
}

void CMainFrame::OnUpdateViewStandardToolbar(CCmdUI* cmdUI)
{
    const COXCoolToolBar& bar = m_toolBars[kStandardBar];
    const bool isVisible = bar.m_hWnd != nullptr && bar.IsWindowVisible();
    cmdUI->SetCheck(isVisible);
    m_barShown[kStandardBar] = isVisible ? 1 : 0;
}

void CMainFrame::OnWindowTileHorz()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void CMainFrame::OnWindowTileVert()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void CMainFrame::OnWindowNext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMainFrame::OnWindowArrange()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}
