// Renderer: the clip plane's frame inside the model box and the contours on the plane.
#include "core/geometry/Box3D.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "platform/base/exception.h"
#include "render/AESet.h"
#include "render/ContourSource.h"
#include "render/PlaneContourObject.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"
#include "render/SectionPlane.h"
#include "render/Segment3D.h"

#include <algorithm>
#include <memory>

namespace
{
constexpr int kElementBlock = 8;
constexpr int kNodal = 2;
constexpr int kElemental = 0;

// The plane-contour drawable for the component shown and the category; null for a category
// that is neither nodal nor elemental.
std::unique_ptr<CPlaneContourObject> MakePlaneContour(int component, int category,
                                                      CEntitySet& source, const CClipPlane& plane,
                                                      CResultDisplayAttr& attr,
                                                      const CResultData& result)
{
    const int kind = component & ~kElementBlock;
    if (component & kElementBlock)
    {
        const int axis = kind == 1 ? -1 : kind - 2;
        return std::make_unique<CElementPlaneContourObject>(&source, &plane, &attr, &result, axis);
    }
    if (category != kNodal && category != kElemental)
        return nullptr;
    const bool isNodal = category == kNodal;
    if (kind == 1)
    {
        const ValueBlock block = isNodal ? ValueBlock::NodeScalars : ValueBlock::ElementScalars;
        return std::make_unique<CPlaneContourObject>(&source, &plane, &attr, &result, block, 0);
    }
    const ValueBlock block = isNodal ? ValueBlock::NodeVectors : ValueBlock::ElementVectors;
    return std::make_unique<CPlaneContourObject>(&source, &plane, &attr, &result, block, kind - 2);
}
} // namespace

void CAESet::ClipPlaneCorners(const double e[4], const CBox3D& box, CPoint3D corners[4])
{
    const CPoint3D& lo = box.min;
    const CPoint3D& hi = box.max;
    const double a = e[0], b = e[1], c = e[2], d = e[3];
    for (int i = 0; i < 4; ++i)
        corners[i] = CPoint3D(); // a plane without a normal collapses to the origin
    if (c != 0.0)
    {
        const double xy[4][2] = {{lo.x, lo.y}, {lo.x, hi.y}, {hi.x, hi.y}, {hi.x, lo.y}};
        for (int i = 0; i < 4; ++i)
            corners[i] = CPoint3D(xy[i][0], xy[i][1], (-d - a * xy[i][0] - b * xy[i][1]) / c);
    }
    else if (b != 0.0)
    {
        const double xz[4][2] = {{lo.x, lo.z}, {hi.x, lo.z}, {hi.x, hi.z}, {lo.x, hi.z}};
        for (int i = 0; i < 4; ++i)
            corners[i] = CPoint3D(xz[i][0], (-d - a * xz[i][0] - c * xz[i][1]) / b, xz[i][1]);
    }
    else if (a != 0.0)
    {
        const double yz[4][2] = {{lo.y, lo.z}, {hi.y, lo.z}, {hi.y, hi.z}, {lo.y, hi.z}};
        for (int i = 0; i < 4; ++i)
            corners[i] = CPoint3D((-d - b * yz[i][0] - c * yz[i][1]) / a, yz[i][0], yz[i][1]);
    }
}

void CAESet::DrawClipPlane()
{
    const CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    if (model == nullptr)
        return;
    CPoint3D corners[4];
    ClipPlaneCorners(m_ClipEquation, model->GetBoundingBox(), corners);
    CDrawDevice& device = m_pView->Device();
    device.SetColor(CColorRGBA(1.0f, 1.0f, 0.0f, 0.0f));
    device.SetRenderMode(kRenderLines);
    device.DrawQuad(corners[0], corners[1], corners[2], corners[3], 0);
}

void CAESet::DrawContoursOnPlane()
{
    try
    {
        if (m_pView == nullptr || m_pGroup == nullptr)
            return;
        m_pView->MakeCurrent();
        const CResultData* result = FindResult(m_nContourResultId);
        if (result == nullptr)
            return;
        CResultDisplayAttr attr = GetDisplayAttr();
        // Section facets get a white outline in wireframe only.
        attr.m_nOutline = m_pView->Scene().DisplayMode();
        CContourSource source(*m_pView, *m_pView);
        const std::unique_ptr<CPlaneContourObject> object = MakePlaneContour(
            m_nResultComponent, attr.m_nResultCategory, source, m_ClipPlane, attr, *result);
        if (!object)
            return;
        if (m_pView->Scene().IsShrunk())
            object->m_shrinkFactor = m_pView->Scene().ShrinkFactor();
        CDrawDevice& device = m_pView->Device();
        device.SetRenderMode(attr.m_nContourType == CResultDisplayAttr::kLines ? kRenderLines
                                                                               : kRenderFill);
        const CElementMap& solids = m_pGroup->GetSolids();
        for (POSITION pos = solids.GetStartPosition(); pos;)
        {
            UINT id = 0;
            CFEElement* element = nullptr;
            solids.GetNextAssoc(pos, id, element);
            if (element != nullptr && m_pView->IsEntityVisible(element) == 1)
                object->DrawOnPlanes(*element, &device);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        render_log::Write(render_log::kError, "DrawContoursOnPlane", " Exception");
    }
    catch (...)
    {
        render_log::Write(render_log::kError, "DrawContoursOnPlane", " Exception");
    }
}

void CAESet::SetClipEquation(const double equation[4])
{
    std::copy(equation, equation + 4, m_ClipEquation);
}

int CAESet::PlaceSectionFromPoints()
{
    section_plane::PlaneFromPoints(m_sectionPoints, m_ClipEquation);
    const CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    if (model != nullptr)
        section_plane::PlaneRange(m_ClipEquation, model->GetBoundingBox(), m_sectionRange[0],
                                  m_sectionRange[1]);
    const double low = m_sectionRange[0];
    const double high = m_sectionRange[1];
    m_ClipEquation[3] = std::clamp(m_ClipEquation[3], std::min(low, high), std::max(low, high));
    m_ClipPlane.m_stepOffsets[0] = 0.0;
    return section_plane::PercentOf(m_ClipEquation[3], low, high);
}

void CAESet::MoveSection(int percent)
{
    m_ClipEquation[3] = section_plane::ConstantAt(percent, m_sectionRange[0], m_sectionRange[1]);
    // The cut is drawn where the record's distances equal the offset: the moved plane's
    // distance from the record's own plane.
    const CPoint3D q = section_plane::PointOnPlane(m_ClipEquation);
    const CClipPlane& r = m_ClipPlane;
    m_ClipPlane.m_stepOffsets[0] = r.m_a * q.x + r.m_b * q.y + r.m_c * q.z + r.m_d;
}

void CAESet::PrepareSectionCut()
{
    CSegment3D segment;
    segment.m_start = m_sectionPoints[0];
    segment.m_end = CPoint3D(m_ClipEquation[0], m_ClipEquation[1], m_ClipEquation[2]);
    m_ClipPlane.SetPlane(segment, 0.0, 1);
    const CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    const CGroupSet* group = model ? model->GetDefaultGroup() : nullptr;
    if (group != nullptr)
        m_ClipPlane.ComputeNodeDistances(group->GetNodes(), model->GetNodeCount(),
                                         model->GetElements(), model->GetElementCount());
}
