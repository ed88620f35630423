// OpenGL device: camera set-up, picking, projection, mouse navigation and clip planes. The
// camera is orthographic: zoom and pan change the view box, never a perspective.
#include "core/geometry/VectorMath.h"
#include "render/GLDevice.h"
#include "render/ViewVolume.h"

#include <GL/glu.h>
#include <algorithm>
#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// A pick buffer never grows past this many words (a quarter of a million hits).
constexpr size_t kMaxSelectWords = size_t(1) << 20;

// OpenGL's window y runs upwards from the viewport's bottom.
double FlipY(const GLint viewport[4], double y)
{
    return viewport[1] + viewport[3] - y;
}

bool IsAxisAngle(double angleDeg)
{
    return angleDeg == 0.0 || angleDeg == 90.0 || angleDeg == -90.0 || angleDeg == 180.0 ||
           angleDeg == 270.0;
}
} // namespace

void CGLDevice::SetViewport(const CViewVolume* volume)
{
    const int x1 = static_cast<int>(volume->m_viewportP1.x);
    const int y1 = static_cast<int>(volume->m_viewportP1.y);
    const int x2 = static_cast<int>(volume->m_viewportP2.x);
    const int y2 = static_cast<int>(volume->m_viewportP2.y);
    glViewport(x1, y1, x2 - x1, y2 - y1);
}

void CGLDevice::SetupModelView(const CViewVolume* volume)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    glPushMatrix();
    ApplyRotation(volume->m_rotation.x, volume->m_rotation.y, volume->m_rotation.z);
    glTranslated(volume->m_panPoint.x, volume->m_panPoint.y, volume->m_panPoint.z);
    glInitNames();
    glPushName(0);
}

void CGLDevice::BeginScene(const CViewVolume* volume)
{
    if (!volume)
        return;
    SetViewport(volume);
    const CPoint3D& start = volume->m_volumeStart;
    const CPoint3D& end = volume->m_volumeEnd;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(start.x, end.x, start.y, end.y, start.z, end.z);
    m_depthOffset = std::clamp((end.x - start.x) * 5e-6, kMinDepthOffset, kMaxDepthOffset);
    SetupModelView(volume);
}

void CGLDevice::EndScene()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopMatrix();
}

void CGLDevice::BeginPick(const CViewVolume* volume, CPoint3D windowPoint)
{
    m_nHits = 0;
    std::fill(m_selectBuffer.begin(), m_selectBuffer.end(), 0u);
    glSelectBuffer(static_cast<GLsizei>(m_selectBuffer.size()), m_selectBuffer.data());
    SetViewport(volume);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glRenderMode(GL_SELECT);
    glLoadIdentity();
    gluPickMatrix(windowPoint.x, FlipY(viewport, windowPoint.y), 10.0, 10.0, viewport);
}

void CGLDevice::SetupPickProjection(const CViewVolume* volume)
{
    SetViewport(volume);
    const CPoint3D& start = volume->m_volumeStart;
    const CPoint3D& end = volume->m_volumeEnd;
    glMatrixMode(GL_PROJECTION);
    glOrtho(start.x, end.x, start.y, end.y, start.z, end.z);
    SetupModelView(volume);
}

int CGLDevice::EndPick()
{
    m_nHits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopMatrix();
    return m_nHits;
}

int CGLDevice::RunSelectionPass(int x, int y, const CDWordArray& lists, const CViewVolume* volume)
{
    BeginPick(volume, CPoint3D(x, y, 0.0));
    SetupPickProjection(volume);
    for (const DWORD list : lists)
        CallList(list);
    return EndPick();
}

CPickHitList CGLDevice::Pick(int x, int y, const CDWordArray& lists, const CViewVolume* volume,
                             double tolerance)
{
    if (!volume)
        return CPickHitList();
    // An overflowing buffer reports -1 and loses every hit: pick again with more room.
    int hits = RunSelectionPass(x, y, lists, volume);
    while (hits < 0 && m_selectBuffer.size() < kMaxSelectWords)
    {
        m_selectBuffer.resize(m_selectBuffer.size() * 4);
        hits = RunSelectionPass(x, y, lists, volume);
    }
    return DecodeHits(hits, tolerance);
}

CPickHitList CGLDevice::DecodeHits(int hits, double tolerance) const
{
    CPickHitList list;
    if (hits < 1)
        return list;

    // Records are {name count, min depth, max depth, names...}; the innermost name counts.
    const size_t words = m_selectBuffer.size();
    size_t at = 0;
    float nearest = 0.0f;
    for (int hit = 0; hit < hits && at + 3 <= words; ++hit)
    {
        const GLuint nameCount = m_selectBuffer[at];
        const GLuint minDepth = m_selectBuffer[at + 1];
        const size_t next = at + 3 + nameCount;
        if (next > words)
            break;
        if (nameCount > 0)
        {
            const GLuint name = m_selectBuffer[next - 1];
            const float depth = static_cast<float>(minDepth / 2147483648.0);
            if (static_cast<int32_t>(name) > 0)
            {
                nearest = list.m_names.IsEmpty() ? depth : std::min(nearest, depth);
                list.m_names.Add(name);
                list.m_depths.Add(depth);
            }
        }
        at = next;
    }

    // Nearest first; ties keep buffer order.
    const INT_PTR count = list.m_names.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
    {
        for (INT_PTR j = i + 1; j < count; ++j)
        {
            if (list.m_depths[j] < list.m_depths[i])
            {
                std::swap(list.m_depths[i], list.m_depths[j]);
                std::swap(list.m_names[i], list.m_names[j]);
            }
        }
    }

    const float limit = static_cast<float>(nearest + tolerance);
    INT_PTR keep = 0;
    while (keep < count && list.m_depths[keep] <= limit)
        ++keep;
    if (keep < count)
    {
        list.m_names.RemoveAt(keep, count - keep);
        list.m_depths.RemoveAt(keep, count - keep);
    }
    return list;
}

void CGLDevice::SetZoomStep(int percent)
{
    m_nZoomStep = percent;
}

int CGLDevice::GetZoomStep()
{
    return m_nZoomStep;
}

CPoint3D CGLDevice::ProjectToWindow(const CPoint3D& modelPoint, const CViewVolume* volume)
{
    if (!volume)
        return CPoint3D();
    BeginScene(volume);
    GLdouble modelView[16] = {};
    GLdouble projection[16] = {};
    GLint viewport[4] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
    gluProject(modelPoint.x, modelPoint.y, modelPoint.z, modelView, projection, viewport, &wx, &wy,
               &wz);
    glFlush();
    EndScene();
    return CPoint3D(static_cast<int>(wx), FlipY(viewport, static_cast<int>(wy)), wz);
}

CPoint3D CGLDevice::UnprojectInScene(const CViewVolume* volume, const CPoint3D& windowPoint)
{
    if (!volume)
        return CPoint3D();
    BeginScene(volume);
    const CPoint3D point = Unproject(windowPoint);
    EndScene();
    return point;
}

CPoint3D CGLDevice::Unproject(const CPoint3D& windowPoint)
{
    GLdouble modelView[16] = {};
    GLdouble projection[16] = {};
    GLint viewport[4] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble x = 0.0, y = 0.0, z = 0.0;
    if (!gluUnProject(windowPoint.x, FlipY(viewport, windowPoint.y), windowPoint.z, modelView,
                      projection, viewport, &x, &y, &z))
        return CPoint3D();
    return CPoint3D(x, y, z);
}

void CGLDevice::ZoomIn(CViewVolume* volume, double factor)
{
    if (!volume)
        return;
    const double s = m_nZoomStep * 0.01;
    CPoint3D start = volume->m_volumeStart;
    CPoint3D end = volume->m_volumeEnd;
    const double dx = s * (end.x - start.x) * factor;
    const double dy = s * (end.y - start.y) * factor;
    start.x += dx;
    start.y += dy;
    end.x -= dx;
    end.y -= dy;
    volume->SetVolume(start, end);
    volume->m_copyStart = start;
    volume->m_copyEnd = end;
}

void CGLDevice::ZoomOut(CViewVolume* volume, double factor)
{
    ZoomIn(volume, -factor);
}

void CGLDevice::ZoomWindow(const CPoint3D& p1, const CPoint3D& p2, CViewVolume* volume)
{
    if (!volume)
        return;
    if (std::abs(static_cast<int>(p1.x - p2.x)) < 5 && std::abs(static_cast<int>(p1.y - p2.y)) < 5)
        return;
    const int viewportWidth = static_cast<int>(volume->m_viewportP2.x);
    const int viewportHeight = static_cast<int>(volume->m_viewportP2.y);
    if (viewportWidth <= 0 || viewportHeight <= 0)
        return;

    const CPoint3D a = Unproject(CPoint3D(p1.x, p1.y, 0.0));
    const CPoint3D b = Unproject(CPoint3D(p2.x, p2.y, 0.0));
    const CPoint3D lo(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
    const CPoint3D hi(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
    const double startZ = volume->m_volumeStart.z;
    const double endZ = volume->m_volumeEnd.z;

    // The rectangle grows to the viewport's aspect about its centre.
    const double aspect = static_cast<double>(viewportWidth) / viewportHeight;
    double w = std::fabs(hi.x - lo.x);
    double h = std::fabs(hi.y - lo.y);
    const double cx = lo.x + w / 2;
    const double cy = lo.y + h / 2;
    if (w >= aspect * h)
        h = w / aspect;
    else
        w = aspect * h;
    volume->SetVolume(CPoint3D(cx - w / 2, cy - h / 2, startZ),
                      CPoint3D(cx + w / 2, cy + h / 2, endZ));
    // Saved as zoom and pan save theirs: the next resize re-fits this box, not an empty one.
    volume->m_copyStart = volume->m_volumeStart;
    volume->m_copyEnd = volume->m_volumeEnd;
}

void CGLDevice::PanByPixels(const CPoint3D& point, int dx, int dy, CViewVolume* volume)
{
    Pan(point, CPoint3D(point.x + dx, point.y + dy, point.z), volume);
}

void CGLDevice::Pan(const CPoint3D& from, const CPoint3D& to, CViewVolume* volume)
{
    if (!volume)
        return;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const CPoint3D a = Unproject(CPoint3D(from.x, from.y, 0.0));
    const CPoint3D b = Unproject(CPoint3D(to.x, to.y, 0.0));
    glPopMatrix();
    CPoint3D start = volume->m_volumeStart;
    CPoint3D end = volume->m_volumeEnd;
    start.x += a.x - b.x;
    start.y += a.y - b.y;
    end.x += a.x - b.x;
    end.y += a.y - b.y;
    volume->SetVolume(start, end);
    volume->m_copyStart = start;
    volume->m_copyEnd = end;
}

void CGLDevice::RotateByDrag(const CPoint3D& from, const CPoint3D& to, CViewVolume* volume)
{
    RotateAboutScreenAxis(from, to, 1, volume);
    RotateAboutScreenAxis(from, to, 2, volume);
}

void CGLDevice::RotateAboutScreenAxis(const CPoint3D& from, const CPoint3D& to, int axisMode,
                                      CViewVolume* volume)
{
    if (!volume)
        return;
    const CPoint3D oldAngles = volume->m_rotation;
    const CPoint3D& start = volume->m_volumeStart;
    const CPoint3D& end = volume->m_volumeEnd;

    // The pivot in window pixels and as a model point, which must stay where it is.
    CPoint3D pivotWindow;
    CPoint3D pivotModel;
    if (volume->m_bRotateAboutViewportCentre)
    {
        pivotWindow = CPoint3D((volume->m_viewportP2.x - volume->m_viewportP1.x) / 2,
                               (volume->m_viewportP2.y - volume->m_viewportP1.y) / 2, 0.0);
        // The model point at the centre of the view box.
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        ApplyRotation(oldAngles.x, oldAngles.y, oldAngles.z);
        glTranslated(volume->m_panPoint.x, volume->m_panPoint.y, volume->m_panPoint.z);
        double m[16] = {};
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        glPopMatrix();
        const CPoint3D centre((start.x + end.x) / 2 - m[12], (start.y + end.y) / 2 - m[13],
                              (start.z + end.z) / 2 - m[14]);
        // The rotation is orthonormal: its inverse is its transpose.
        pivotModel = CPoint3D(m[0] * centre.x + m[1] * centre.y + m[2] * centre.z,
                              m[4] * centre.x + m[5] * centre.y + m[6] * centre.z,
                              m[8] * centre.x + m[9] * centre.y + m[10] * centre.z);
    }
    else
    {
        pivotModel = volume->m_rotationCentre;
        pivotWindow = ProjectToWindow(pivotModel, volume);
    }

    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double angle = 0.0; // radians
    CPoint3D axis(0.0, 0.0, 1.0);
    switch (axisMode)
    {
    case 1:
        axis = CPoint3D(1.0, 0.0, 0.0);
        angle = dy * kPi / 360.0;
        break;
    case 2:
        axis = CPoint3D(0.0, 1.0, 0.0);
        angle = -dx * kPi / 360.0;
        break;
    case 3:
    {
        const CPoint3D a(from.x - pivotWindow.x, from.y - pivotWindow.y, 0.0);
        const CPoint3D b(to.x - pivotWindow.x, to.y - pivotWindow.y, 0.0);
        // A point on the pivot has no direction: no turn rather than a quarter turn.
        if (Length(a) > 0.0 && Length(b) > 0.0)
        {
            angle = AngleBetween(a, b);
            if (CrossProduct(a, b).z < 0.0)
                angle = -angle;
        }
        break;
    }
    default: break;
    }

    // Angles on an axis make the decomposition degenerate: nudge them while composing.
    const auto nudge = [](double angleDeg)
    { return IsAxisAngle(angleDeg) ? angleDeg + 0.1 : angleDeg; };
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(static_cast<float>(angle * 180.0 / kPi), static_cast<float>(axis.x),
              static_cast<float>(axis.y), static_cast<float>(axis.z));
    ApplyRotation(nudge(oldAngles.x), nudge(oldAngles.y), nudge(oldAngles.z));
    double composed[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, composed);
    glLoadIdentity();
    ApplyRotation(oldAngles.x, oldAngles.y, oldAngles.z);
    double previous[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, previous);
    glPopMatrix();

    volume->m_rotation = RotationAnglesFromMatrix(composed);

    // Shift the box by how far the pivot moved, so it stays put on the screen.
    // The model-view is R * T(pan): the pivot sits at R * (p + pan) in the box.
    const CPoint3D p = pivotModel + volume->m_panPoint;
    const double movedX = (composed[0] - previous[0]) * p.x + (composed[4] - previous[4]) * p.y +
                          (composed[8] - previous[8]) * p.z;
    const double movedY = (composed[1] - previous[1]) * p.x + (composed[5] - previous[5]) * p.y +
                          (composed[9] - previous[9]) * p.z;
    CPoint3D newStart = start;
    CPoint3D newEnd = end;
    newStart.x += movedX;
    newStart.y += movedY;
    newEnd.x += movedX;
    newEnd.y += movedY;
    volume->SetVolume(newStart, newEnd);
}

int CGLDevice::EnableClipPlane(double a, double b, double c, double d, int index)
{
    GLint maxPlanes = 0;
    glGetIntegerv(GL_MAX_CLIP_PLANES, &maxPlanes);
    if (index < 0 || index >= maxPlanes)
        return -1;
    const GLdouble plane[4] = {a, b, c, d};
    glClipPlane(static_cast<GLenum>(GL_CLIP_PLANE0 + index), plane);
    glEnable(static_cast<GLenum>(GL_CLIP_PLANE0 + index));
    return index;
}

int CGLDevice::DisableClipPlane(int index)
{
    GLint maxPlanes = 0;
    glGetIntegerv(GL_MAX_CLIP_PLANES, &maxPlanes);
    if (index < 0 || index >= maxPlanes)
        return -1;
    glDisable(static_cast<GLenum>(GL_CLIP_PLANE0 + index));
    return index;
}
