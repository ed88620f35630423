// 3-D view: the rubber bands of window zoom and area selection, drawn in OpenGL over the frame
// (GDI drawing over the OpenGL window does not show everywhere), and the hover pick of an open
// selection, made at most once per interval so that a dense model keeps up with the mouse.
#include "platform/sys/services.h"
#include "resources/ids/view_ids.h"
#include "view/CAEView.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

namespace
{
constexpr UINT_PTR kHoverTimer = 0x4801;
// The interval between hover picks (ms): twice what the last pick took, within these bounds. A
// pick slower than kSlowHoverPick waits for the mouse to rest that long.
constexpr ULONGLONG kMinHoverInterval = 30;
constexpr ULONGLONG kMaxHoverInterval = 1000;
constexpr ULONGLONG kSlowHoverPick = 50;
constexpr int kEllipseSegments = 48;
constexpr GLushort kDotted = 0x5555;

// Window pixels, y downwards, at pixel centres.
void Vertex(double x, double y)
{
    glVertex2d(x + 0.5, y + 0.5);
}
} // namespace

void CCAEView::DrawRubberBand()
{
    const bool isPolygon = m_viewSelection.IsSelecting() && m_viewSelection.AreaShape() == 3 &&
                           m_viewSelection.PolygonPointCount() > 0;
    if (IsPrinting() || (m_nRubberBand == kNoBand && !isPolygon))
        return;
    const CViewVolume& scene = Camera(kSceneViewport);
    const int width = static_cast<int>(scene.m_viewportP2.x);
    const int height = static_cast<int>(scene.m_viewportP2.y);
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CLIP_PLANE0);
    // Inverted pixels show on any picture, as an XOR band does.
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_INVERT);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, kDotted);
    glLineWidth(1.0f);
    const CPoint3D& a = m_ptMouseDown;
    const CPoint3D& b = m_ptMouseLast;
    if (isPolygon)
    {
        glBegin(GL_LINE_STRIP);
        for (const POINT& p : m_viewSelection.Polygon())
            Vertex(p.x, p.y);
        Vertex(b.x, b.y);
        glEnd();
    }
    else if (m_nRubberBand == kBandEllipse)
    {
        const double cx = (a.x + b.x) / 2;
        const double cy = (a.y + b.y) / 2;
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < kEllipseSegments; ++i)
        {
            const double angle = 2.0 * 3.14159265358979323846 * i / kEllipseSegments;
            Vertex(cx + (b.x - a.x) / 2 * std::cos(angle), cy + (b.y - a.y) / 2 * std::sin(angle));
        }
        glEnd();
    }
    else
    {
        glBegin(GL_LINE_LOOP);
        Vertex(a.x, a.y);
        Vertex(b.x, a.y);
        Vertex(b.x, b.y);
        Vertex(a.x, b.y);
        glEnd();
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

// Fast picks follow the moving mouse, at most one per interval; a slow one (a dense model)
// waits until the mouse rests, so that moving across the model costs nothing.
void CCAEView::HoverAt(int x, int y)
{
    const ULONGLONG since = sys::Get().TickCount() - m_hoverTick;
    if (!m_bHoverPicked || (!m_bSlowHover && since >= m_hoverInterval))
    {
        PickHover(x, y);
        return;
    }
    if (m_hWnd == nullptr)
        return;
    if (m_bSlowHover || !m_bHoverPending)
    {
        const ULONGLONG wait = m_bSlowHover ? m_hoverInterval : m_hoverInterval - since;
        SetTimer(kHoverTimer, static_cast<UINT>(wait), nullptr); // restarts a running one
    }
    m_bHoverPending = true;
}

void CCAEView::PickHover(int x, int y)
{
    m_bHoverPending = false;
    const ULONGLONG start = sys::Get().TickCount();
    CEntityArray hits;
    PickAt(x, y, hits);
    CModelEntity* hover = hits.IsEmpty() ? nullptr : hits[0];
    m_hoverTick = sys::Get().TickCount();
    const ULONGLONG took = m_hoverTick - start;
    m_hoverInterval = std::clamp<ULONGLONG>(2 * took, kMinHoverInterval, kMaxHoverInterval);
    m_bSlowHover = took > kSlowHoverPick;
    m_bHoverPicked = true;
    if (hover != Selection().Hover())
    {
        EditSelection().SetHover(hover);
        InvalidateView();
    }
}

// The view's timers: the hover pick's here, the animation's with the animation.
void CCAEView::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer)
    {
        OnAnimationTimer(id);
        return;
    }
    KillTimer(kHoverTimer);
    if (m_bHoverPending && m_viewSelection.IsSelecting() && !m_viewSelection.IsDecisionPending())
        PickHover(static_cast<int>(m_ptMouseLast.x), static_cast<int>(m_ptMouseLast.y));
    m_bHoverPending = false;
}

CCAEView::EntrySpan CCAEView::TimerEntries()
{
    static constexpr fw::MsgEntry kEntries[] = {
        fw::on<WM_TIMER, &CCAEView::OnTimer>(),
    };
    return {kEntries, std::size(kEntries)};
}
