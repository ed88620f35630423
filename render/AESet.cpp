// Renderer object: construction, the model box and the camera fit.
#include "render/AESet.h"

#include "core/model/ModelSet.h"
#include "render/NodePointCache.h"
#include "render/SceneView.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kMinExtent = 0.01; // no axis of the view volume is empty
constexpr double kMarginPerExtent = 0.05;

// The eight corners of a box given by its minimum and maximum.
void BoxCorners(const CPoint3D& a, const CPoint3D& b, CPoint3D corners[8])
{
    for (int i = 0; i < 8; ++i)
    {
        corners[i] = CPoint3D((i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z);
    }
}

// (width, height) grown to the viewport's aspect ax / ay; unchanged for a flat viewport.
void FitToAspect(double ax, double ay, double& width, double& height)
{
    if (!(ax > 0.0 && ay > 0.0))
        return;
    const double r = ax / ay;
    if (r * height > width)
        width = r * height;
    else
        height = width / r;
}
} // namespace

CAESet::CAESet() = default;

CAESet::~CAESet()
{
    EndAnimatedFrames();
}

void CAESet::AutoScale(CSceneView* view)
{
    if (view != nullptr)
        m_pView = view;
    if (m_pView == nullptr)
        return;
    CViewVolume& scene = m_pView->Camera(CSceneView::kSceneViewport);
    UpdateModelBox();
    FitRotatedBox(scene.m_rotation.x, scene.m_rotation.y, scene.m_rotation.z,
                  CSceneView::kSceneViewport);
    scene.SetPanPoint(m_pView->ModelCenter() * -1.0);
    scene.SetVolume(m_pView->ModelBoxCorner(0), m_pView->ModelBoxCorner(1));
    scene.m_copyStart = m_pView->ModelBoxCorner(0);
    scene.m_copyEnd = m_pView->ModelBoxCorner(1);
}

void CAESet::FitViewVolumeToAspect(int viewport)
{
    if (m_pView == nullptr || viewport < 0 || viewport >= CSceneView::kViewportCount)
        return;
    CViewVolume& volume = m_pView->Camera(viewport);
    CPoint3D start = volume.m_copyStart;
    CPoint3D end = volume.m_copyEnd;
    const double width = end.x - start.x;
    const double height = end.y - start.y;
    double newWidth = width;
    double newHeight = height;
    FitToAspect(volume.m_viewportP2.x, volume.m_viewportP2.y, newWidth, newHeight);
    start.x -= (newWidth - width) / 2;
    end.x += (newWidth - width) / 2;
    start.y -= (newHeight - height) / 2;
    end.y += (newHeight - height) / 2;
    m_pView->SetModelBox(start, end);
    volume.m_volumeStart = start;
    volume.m_volumeEnd = end;
}

void CAESet::UpdateModelBox()
{
    CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    if (model == nullptr)
        return;
    // The view's own filter decides which elements count, whichever view is active.
    model->UpdateBoundingBox(m_pView->IsElementFilterActive(), m_pView);
    const CBox3D box = model->GetBoundingBox();
    SetModelBox(box.min, box.max);
}

void CAESet::SetModelBox(CPoint3D minCorner, CPoint3D maxCorner)
{
    if (m_pView == nullptr)
        return;
    const CPoint3D& a = minCorner;
    const CPoint3D& b = maxCorner;
    m_pView->SetModelCenter(CPoint3D((a.x + b.x) * 0.5, (a.y + b.y) * 0.5, (a.z + b.z) * 0.5));
    const auto extent = [](double from, double to)
    {
        const double e = std::fabs(to - from);
        return e > kMinExtent ? e : kMinExtent;
    };
    const double ex = extent(a.x, b.x);
    const double ey = extent(a.y, b.y);
    const double ez = extent(a.z, b.z);
    const double margin = kMarginPerExtent * std::max({ex, ey, ez});
    CPoint3D low(-(ex + margin) / 2, -(ey + margin) / 2, -(ez + margin) / 2);
    CPoint3D high((ex + margin) / 2, (ey + margin) / 2, (ez + margin) / 2);
    if (a.IsEqual(b))
    {
        // A single node is shown in the unit box.
        low = CPoint3D(-1.0, -1.0, -1.0);
        high = CPoint3D(1.0, 1.0, 1.0);
    }
    m_pView->SetModelBox(low, high);
    m_pView->SetClipBox(low, high);
}

void CAESet::FitRotatedBox(double xDeg, double yDeg, double zDeg, int viewport)
{
    if (m_pView == nullptr || viewport < 0 || viewport >= CSceneView::kViewportCount)
        return;
    double m[16] = {};
    RotationMatrix(xDeg, yDeg, zDeg, m);
    CPoint3D corners[8];
    BoxCorners(m_pView->ModelBoxCorner(0), m_pView->ModelBoxCorner(1), corners);
    CPoint3D low;
    CPoint3D high;
    for (int i = 0; i < 8; ++i)
    {
        const CPoint3D& c = corners[i];
        const CPoint3D t(m[0] * c.x + m[4] * c.y + m[8] * c.z + m[12],
                         m[1] * c.x + m[5] * c.y + m[9] * c.z + m[13],
                         m[2] * c.x + m[6] * c.y + m[10] * c.z + m[14]);
        if (i == 0)
        {
            low = t;
            high = t;
            continue;
        }
        low = CPoint3D(std::min(low.x, t.x), std::min(low.y, t.y), std::min(low.z, t.z));
        high = CPoint3D(std::max(high.x, t.x), std::max(high.y, t.y), std::max(high.z, t.z));
    }
    const double width = std::fabs(high.x - low.x);
    const double height = std::fabs(high.y - low.y);
    double w = width;
    double h = height;
    const CViewVolume& volume = m_pView->Camera(viewport);
    FitToAspect(volume.m_viewportP2.x, volume.m_viewportP2.y, w, h);
    low.x -= (w - width) / 2;
    high.x += (w - width) / 2;
    low.y -= (h - height) / 2;
    high.y += (h - height) / 2;
    const double depth = w > h ? w : h;
    low.z -= depth;
    high.z += depth;
    m_pView->SetModelBox(low, high);
}

UINT CAESet::ListName(UINT code) const
{
    return CSceneLists::ListName(m_pGroup ? m_pGroup->m_id : 0, code);
}
