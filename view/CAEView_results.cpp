// 3-D view: what the result display asks of its view (the project's defaults and font, new
// views, the element filter, the load-case combo, the frame).
#include "platform/docview/doc.h"
#include "platform/docview/frame.h"
#include "project/ProjectData.h"
#include "view/CAEView.h"
#include "view/CmdManager.h"
#include "view/ViewMainFrame.h"

const CResultDisplayAttr* CCAEView::ContourDefaults()
{
    const CAESettings* settings = GetSettings();
    return settings ? &settings->m_contourDefaults : nullptr;
}

const CVectorDisplayAttr* CCAEView::VectorDefaults()
{
    const CAESettings* settings = GetSettings();
    return settings ? &settings->m_vectorDefaults : nullptr;
}

bool CCAEView::GetGeneralFont(LOGFONT& font, COLORREF& color)
{
    const CAESettings* settings = GetSettings();
    if (settings == nullptr)
        return false;
    font = settings->m_generalFont.font;
    color = settings->m_generalFont.color;
    return true;
}

// The title line without a result: the first solver file of the project, else its name.
CString CCAEView::GetProjectTitle()
{
    const CProjectData* project = GetProject();
    if (project == nullptr)
        return CString();
    if (project->m_settings.m_inputFileCount > 0)
        return project->m_settings.m_inputFiles[0];
    return project->m_name;
}

CResultDisplay* CCAEView::OpenResultView(const CString& caption)
{
    return m_pMainFrame ? m_pMainFrame->CreateMainView(caption) : nullptr;
}

void CCAEView::CopyElementFilterTo(CResultDisplay& target)
{
    auto* view = dynamic_cast<CCAEView*>(&target);
    if (view == nullptr || view == this)
        return;
    const auto copy = [](const CMap<UINT, UINT, int, int>& from, CMap<UINT, UINT, int, int>& to)
    {
        to.RemoveAll();
        to.InitHashTable(static_cast<UINT>(from.GetCount() + 10));
        for (const auto& [id, value] : fw::Assocs(from))
        {
            to.SetAt(id, value);
        }
    };
    copy(m_elementFilter.Properties(), view->ElementFilter().Properties());
    copy(m_elementFilter.Materials(), view->ElementFilter().Materials());
    copy(m_elementFilter.Groups(), view->ElementFilter().Groups());
    copy(m_elementFilter.VisibleElementIds(), view->ElementFilter().VisibleElementIds());
    view->ElementFilter().SetMode(m_elementFilter.Mode());
}

void CCAEView::HideNodes()
{
    CAESettings* settings = GetSettings();
    if (settings == nullptr)
        return;
    settings->m_displayFilter &= ~static_cast<DWORD>(kKindNode);
    if (m_pMainFrame)
        m_pMainFrame->RefreshGeometryNode();
}

void CCAEView::SelectLoadCaseCombo(int resultId)
{
    if (m_pMainFrame)
        m_pMainFrame->SelectLoadCaseCombo(resultId);
}

void CCAEView::SetDocumentTitle(const CString& title)
{
    if (CDocument* document = GetDocument())
        document->SetTitle(title.GetString());
}

void CCAEView::ActivateAndUpdate()
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->ActivateFrame();
    UpdateWindow();
}

void CCAEView::OnShownResultChanged()
{
    if (CCmdManager* manager = m_pMainFrame ? m_pMainFrame->GetCmdManager() : nullptr)
        manager->OnShownResultChanged(m_nFrameKey);
}
