// The document template's 3-D view: initial camera, the frame drawn in a fixed order, and the
// message table of every view handler.
#include "view/WendraView.h"

#include "core/geometry/ColorConvert.h"
#include "core/services/LogFile.h"
#include "core/services/StringFile.h"
#include "platform/base/exception.h"
#include "platform/base/memory.h"
#include "platform/base/progress.h"
#include "platform/docview/mdi.h"
#include "platform/win/dc.h"
#include "platform/win/glpresent.h"
#include "platform/win/platform_ids.h"
#include "project/ProjectData.h"
#include "render/OrderedBlocks.h"
#include "render/RenderLog.h"
#include "resources/ids/view_ids.h"
#include "view/ViewMainFrame.h"

#include <GL/gl.h>
#include <new>

namespace
{
void LogDrawFailure()
{
    CAELogFile log("Gravik");
    log.WriteLine(2, "CWendraView::OnDraw", "Exception occured in CWendraView::OnDraw");
}

// Runs a drawing step; a failure is logged and ends the step.
template <class Step>
bool RunDrawStep(Step&& step)
{
    try
    {
        step();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    LogDrawFailure();
    return false;
}

// The GL driver stalls rather than fails when memory runs out, and a frame of a large model
// takes it plenty: short of it, the model is left out of the picture.
bool HasDriverHeadroom()
{
    try
    {
        fw::EnsureHeadroom(ordered_blocks::kTakeHeadroomBytes);
        return true;
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}

// A list the renderer could not build for want of memory leaves part of the model out of the
// picture: said in the status bar and the output bar, once per shortage.
void TellMemoryShortage(CCAEView& view)
{
    try
    {
        CString text;
        LoadStringFromFile(CString("Message.str"), CString("MsgPane"), CString("NoMemoryToDraw"),
                           &text);
        if (CFrameWnd* frame = view.GetTopLevelFrame())
            frame->SetMessageText(text.GetString());
        if (view.MainFrame() != nullptr)
            view.MainFrame()->AddOutputLine(text.GetString());
    }
    catch (...)
    {
        LogDrawFailure();
    }
}

// A view behind the maximised child of its main window shows nothing: painting it while its
// lists wait would only compile them (seconds for a million elements). It is painted when it
// is activated.
bool IsBehindMaximizedChild(const CWnd& view)
{
    auto* child = dynamic_cast<CMDIChildWnd*>(view.GetParentFrame());
    CMDIFrameWnd* frame = child != nullptr ? child->GetMDIFrame() : nullptr;
    BOOL isMaximized = FALSE;
    const CMDIChildWnd* active = frame != nullptr ? frame->MDIGetActive(&isMaximized) : nullptr;
    return active != nullptr && isMaximized && active != child;
}
} // namespace

CWendraView::CWendraView()
{
    CViewVolume& scene = Camera(kSceneViewport);
    scene.SetRotationAngles(CPoint3D(0, 0, 0));
    scene.SetVolume(CPoint3D(-7, -7, -7), CPoint3D(4, 4, 4));
    scene.SetPanPoint(CPoint3D(0, 0, 0));
    scene.m_copyStart = scene.m_volumeStart;
    scene.m_copyEnd = scene.m_volumeEnd;
}

BOOL CWendraView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!Device().ReservedSlot30(reinterpret_cast<UINT_PTR>(&cs)))
        return FALSE;
    if (!CCAEView::PreCreateWindow(cs))
        return FALSE;
    // OpenGL keeps its pixel format on a window DC of its own and paints no other window.
    cs.lpszClass = fw::RegisterWndClass(CS_OWNDC | CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    return TRUE;
}

void CWendraView::OnDraw(CDC* dc)
{
    if (!IsPrinting() && Renderer().IsRenderAllPending() && IsBehindMaximizedChild(*this))
        return;
    const bool isDrawn = RunDrawStep(
        [this, dc]
        {
            if (!IsPrinting())
                MakeCurrent();
            DrawFrame(dc);
        });
    if (isDrawn && Device().GetClientDC() != nullptr)
        fw::PresentGLFrame(Device().GetClientDC()->GetSafeHdc());
    if (render_log::TakeMemoryShortage())
        TellMemoryShortage(*this);
}

void CWendraView::DrawForPrint(CDC* dc)
{
    RunDrawStep([this, dc] { DrawFrame(dc); });
}

void CWendraView::DrawFrame(CDC* dc)
{
    const CAESettings* settings = GetSettings();
    Device().SetColor(COLORREFToColor(settings ? settings->m_backgroundColor : RGB(0, 0, 0)));
    DrawAll(dc);
}

void CWendraView::DrawAll(CDC* dc)
{
    RunDrawStep(
        [this, dc]
        {
            Device().ClearBuffers();
            Device().Finish();
            Device().ClearBuffers();
            Device().BeginScene(&Camera(kSceneViewport));
            fw::NoteProgress();
            // Told once while the shortage lasts for this view.
            const bool hasHeadroom = HasDriverHeadroom();
            if (hasHeadroom)
                render_log::NoteMemoryAvailable();
            else if (m_isShortOfMemory)
                render_log::NoteMemoryStillShort();
            else
                render_log::NoteMemoryShortage();
            m_isShortOfMemory = !hasHeadroom;
            if (hasHeadroom)
            {
                Renderer().DrawScene();
                Renderer().DrawSelection();
            }
            Device().EndScene();
            const CAESettings* settings = GetSettings();
            if (settings && settings->m_showReferenceTriad)
                DrawTriad(Camera(kCornerTriadViewport));
            PlaceCentralTriad();
            if (settings && settings->m_showCentralTriad)
                DrawTriad(Camera(kCentralTriadViewport));
            if (Renderer().ContourResultId() != -1 || Renderer().VectorResultId() != -1)
                DrawLegend();
            if (ResultTitle().IsEmpty())
                BuildResultTitle();
            DrawGLText(dc);
            DrawRubberBand();
            Device().BeginScene(&Camera(kSceneViewport));
            Device().EndScene();
            Device().Finish();
        });
}

// The central triad sits on the model origin as the scene camera shows it.
void CWendraView::PlaceCentralTriad()
{
    CViewVolume& scene = Camera(kSceneViewport);
    const CPoint3D origin = Device().ProjectToWindow(CPoint3D(0, 0, 0), &scene);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double y = (viewport[1] + viewport[3]) - origin.y;
    const double s = 0.05 * scene.m_viewportP2.x;
    Camera(kCentralTriadViewport)
        .SetViewport(CPoint3D(origin.x - s, y - s, origin.z - s),
                     CPoint3D(origin.x + s, y + s, origin.z + s));
}
