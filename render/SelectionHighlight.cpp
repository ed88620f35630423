// The renderer's highlight of the picked entities (red) and of the one under the cursor (pink),
// and the fixed lists that commands fill for picked entities: element direction arrows and id
// labels.
#include "render/SelectionHighlight.h"

#include "core/geometry/ColorConvert.h"
#include "core/geometry/FENode.h"
#include "core/geometry/VectorMath.h"
#include "core/model/FEElement.h"
#include "core/model/FaceMeasures.h"
#include "core/model/ModelSet.h"
#include "render/AESet.h"
#include "render/BeamLine.h"
#include "render/FaceDrawObject.h"
#include "render/LineArrowObject.h"
#include "render/MassGlyph.h"
#include "render/RenderLog.h"
#include "render/SceneSettings.h"
#include "render/SceneView.h"

#include <GL/gl.h>
#include <cstdio>

namespace
{
const CColorRGBA kPickedColor(1.0f, 0.0f, 0.0f, 1.0f);
const CColorRGBA kGreen(0.0f, 1.0f, 0.0f, 1.0f);
const CColorRGBA kBlue(0.0f, 0.0f, 1.0f, 1.0f);
constexpr COLORREF kHoverColor = RGB(255, 128, 255);
constexpr int kHoverCurveDivisions = 4;
// From this many picked entities on, their highlight is kept in a display list.
constexpr INT_PTR kListedHighlight = 2000;
constexpr double kArrowShare = 0.1; // of the model box diagonal
constexpr double kHeadShare = 0.25; // of the arrow length of the box

bool IsElementTag(int tag)
{
    return tag == kTagBeam || tag == kTagSolid || tag == kTagSpring || tag == kTagMass ||
           tag == kTagShell;
}

CPoint3D Midpoint(const CPoint3D& a, const CPoint3D& b)
{
    return (a + b) * 0.5;
}
} // namespace

// How one pass of the highlight draws.
struct CSelectionHighlight::Style
{
    double shrink;
    int curveDivisions;
    bool outlinesCurvedFaces; // wireframe and ridge lines: curved faces as open outlines
    CMassGlyph* glyph;
};

bool CSelectionHighlight::Key::operator==(const Key& other) const
{
    return count == other.count && sum == other.sum && generation == other.generation &&
           shrink == other.shrink && curveDivisions == other.curveDivisions &&
           elassSize == other.elassSize && outlinesCurvedFaces == other.outlinesCurvedFaces;
}

void CSelectionHighlight::Draw()
{
    if (m_renderer.View() == nullptr)
        return;
    CSceneView& view = *m_renderer.View();
    if (view.Selection().Hover() == nullptr && view.Selection().Picked().IsEmpty())
        return;
    render_log::RunLogged("CAESet::DrawSelection",
                          [&]
                          {
                              CGLDevice& device = view.Device();
                              device.SetColor(kPickedColor);
                              device.SetLineWidth(3.0f);
                              device.SetPointSize(9);
                              const bool showsThrough = view.Scene().DisplayMode() == kWireframe ||
                                                        view.Scene().DisplayMode() == kRidgeLine;
                              if (showsThrough)
                              {
                                  device.SetRenderMode(kRenderLines);
                                  glDisable(GL_DEPTH_TEST);
                              }
                              else
                              {
                                  device.SetRenderMode(kRenderFillFront);
                              }
                              DrawHighlights(showsThrough);
                              device.SetLineWidth(1.0f);
                          });
}

void CSelectionHighlight::DrawHighlights(bool showsThrough)
{
    CSceneView& view = *m_renderer.View();
    CGLDevice& device = view.Device();
    const CSceneSettings settings = m_renderer.ReadSettings();
    const double shrink = view.Scene().IsShrunk() ? view.Scene().ShrinkFactor() : 1.0;
    CMassGlyph glyph;
    glyph.SetSize(settings.m_sizes[CSceneSettings::kElass]);
    Style style = {shrink, settings.m_curveDivisions, showsThrough, &glyph};
    if (view.Selection().Picked().GetCount() >= kListedHighlight)
        CallPickedList(style);
    else
        DrawPicked(style);
    if (view.Selection().Hover() != nullptr)
    {
        device.SetColor(COLORREFToColor(kHoverColor));
        device.SetPointSize(10);
        style.curveDivisions = kHoverCurveDivisions;
        DrawHighlighted(view.Selection().Hover(), style);
    }
}

void CSelectionHighlight::DrawPicked(const Style& style)
{
    for (const auto& [entity, batch] : fw::Assocs(m_renderer.View()->Selection().Picked()))
    {
        DrawHighlighted(entity, style);
    }
}

// Drawing a million entities one call at a time takes a second a frame; their list is called
// in a moment, and compiled again only when the picks, the positions or the style change.
void CSelectionHighlight::CallPickedList(const Style& style)
{
    Key key;
    key.count = m_renderer.View()->Selection().Picked().GetCount();
    for (const auto& [entity, batch] : fw::Assocs(m_renderer.View()->Selection().Picked()))
    {
        key.sum += reinterpret_cast<UINT_PTR>(entity);
    }
    key.generation = m_renderer.Lists().Generation();
    key.shrink = style.shrink;
    key.curveDivisions = style.curveDivisions;
    key.elassSize = style.glyph->m_nSize;
    key.outlinesCurvedFaces = style.outlinesCurvedFaces;
    if (!m_isListed || !(key == m_key))
    {
        m_isListed = false;
        CSceneLists::Scope list(m_renderer.Lists(), m_renderer.View()->Device(),
                                CAESet::kHighlightList, false, false);
        DrawPicked(style);
        list.Close();
        m_key = key;
        m_isListed = true;
    }
    m_renderer.View()->Device().CallList(CAESet::kHighlightList);
}

void CSelectionHighlight::DrawHighlighted(CModelEntity* entity, const Style& style)
{
    if (entity == nullptr)
        return;
    CSceneView& view = *m_renderer.View();
    CGLDevice& device = view.Device();
    switch (entity->type)
    {
    case kTagNode: device.DrawPoint(view.GetNodePoint(entity->m_id), 0); break;
    case kTagBeam:
    {
        CBeamLine beam(&view, style.shrink, style.curveDivisions);
        beam.SetElement(static_cast<CFEElement*>(entity));
        beam.Draw(&device);
        break;
    }
    case kTagSolid:
    case kTagShell:
    {
        CFEElement* element = static_cast<CFEElement*>(entity);
        const CPoint3D centre = view.GetElementCenter(element);
        const bool isOutline = style.outlinesCurvedFaces && element->IsParabolicElement();
        for (CFEFace& face : element->m_faces)
        {
            CFaceDrawObject drawer(&face, &view, style.shrink, centre);
            if (isOutline)
                drawer.DrawOutline(&device);
            else
                drawer.DrawFilled(&device);
        }
        break;
    }
    case kTagSpring:
        m_renderer.DrawElassElement(static_cast<CFEElement*>(entity), style.glyph);
        break;
    case kTagMass:
    {
        // A mass on a node the model lacks has no place to be shown.
        const CFEElement* mass = static_cast<CFEElement*>(entity);
        const CModelSet* model = view.GetModel();
        const CFENode* node =
            model && mass->m_ids.GetSize() > 0 ? model->GetNode(mass->m_ids[0]) : nullptr;
        if (node != nullptr)
            device.DrawPoint(view.GetNodePoint(node->m_id), 0);
        break;
    }
    default: break;
    }
}

void CSelectionHighlight::CreateDirectionArrows(const CEntityArray& elements)
{
    if (m_renderer.View() == nullptr)
        return;
    m_arrowElementIds = IdsOf(elements, false);
    render_log::RunLogged(
        "CAESet::CreateSelectionDisplayList",
        [&]
        {
            m_renderer.View()->MakeCurrent();
            CGLDevice& device = m_renderer.View()->Device();
            const CModelSet* model = m_renderer.View()->GetModel();
            const double arrowLength = ArrowLengthOfModel();
            device.DeleteList(CAESet::kDirectionArrowList);
            device.BeginList(CAESet::kDirectionArrowList);
            for (CModelEntity* entity : elements)
            {
                if (entity == nullptr || !IsElementTag(entity->type))
                    continue;
                const CFEElement& element = *static_cast<CFEElement*>(entity);
                const INT_PTR faces = element.m_faces.GetSize();
                if (faces == 1)
                {
                    const CPoint3D start = CAESet::ReferencePoint(element);
                    const CPoint3D end = start + element.m_faces[0].m_normal * arrowLength;
                    DrawDirectionArrow(start, end, kGreen);
                }
                else if (faces > 1 && model != nullptr)
                {
                    DrawDirectionArrow(FaceCentroid(element.m_faces[0], *model),
                                       FaceCentroid(element.m_faces[1], *model), kGreen);
                    DrawFaceDirectionArrow(element.m_faces[0]);
                }
            }
            device.EndList();
        });
    m_renderer.View()->InvalidateView();
}

void CSelectionHighlight::DrawFaceDirectionArrow(const CFEFace& face)
{
    const auto point = [&](int position)
    {
        return position < face.m_ids.GetSize()
                   ? m_renderer.View()->GetNodePoint(face.m_ids[position])
                   : CPoint3D();
    };
    switch (face.m_cornerCount)
    {
    case 3: DrawDirectionArrow(Midpoint(point(0), point(1)), point(2), kBlue); break;
    case 4:
        DrawDirectionArrow(Midpoint(point(0), point(1)), Midpoint(point(2), point(3)), kBlue);
        break;
    case 6: DrawDirectionArrow(Midpoint(point(0), point(2)), point(4), kBlue); break;
    case 8:
        DrawDirectionArrow(Midpoint(point(0), point(2)), Midpoint(point(4), point(6)), kBlue);
        break;
    default: break;
    }
}

// An arrow from start to end with its head at the end; heads are sized by the model, not by
// the arrow.
void CSelectionHighlight::DrawDirectionArrow(const CPoint3D& start, const CPoint3D& end,
                                             CColorRGBA color)
{
    CGLDevice& device = m_renderer.View()->Device();
    const CLineArrowObject arrow(CLineArrowObject::kStartsAtAnchor, Distance(start, end),
                                 kHeadShare * ArrowLengthOfModel());
    device.SetColor(color);
    arrow.DrawBetween(end, start, &device);
}

double CSelectionHighlight::ArrowLengthOfModel() const
{
    const CModelSet* model = m_renderer.View() ? m_renderer.View()->GetModel() : nullptr;
    if (model == nullptr)
        return 0.0;
    const CBox3D box = model->GetBoundingBox();
    return kArrowShare * Distance(box.min, box.max);
}

// Labels sit at stored positions: they name entities, and do not follow a deformed shape.
void CSelectionHighlight::CreateIdLabels(const CEntityArray& entities, bool isNodes)
{
    if (m_renderer.View() == nullptr)
        return;
    (isNodes ? m_labelNodeIds : m_labelElementIds) = IdsOf(entities, isNodes);
    render_log::RunLogged(
        isNodes ? "CAESet::CreateNodeIdLabels" : "CAESet::CreateElementIdLabels",
        [&]
        {
            m_renderer.View()->MakeCurrent();
            CGLDevice& device = m_renderer.View()->Device();
            device.SetFontListBase(isNodes ? m_renderer.View()->NodeLabelFontBase()
                                           : m_renderer.View()->ElementLabelFontBase());
            const UINT list = isNodes ? CAESet::kNodeLabelList : CAESet::kElementLabelList;
            device.DeleteList(list);
            device.BeginList(list);
            for (CModelEntity* entity : entities)
                DrawIdLabel(entity, isNodes);
            device.EndList();
        });
}

void CSelectionHighlight::DrawIdLabel(const CModelEntity* entity, bool isNodes)
{
    if (entity == nullptr)
        return;
    char text[16];
    if (isNodes && entity->type == kTagNode)
    {
        std::snprintf(text, sizeof text, "N%d", entity->m_id);
        m_renderer.View()->Device().DrawText3D(static_cast<const CFENode*>(entity)->m_coord, text);
    }
    else if (!isNodes && IsElementTag(entity->type))
    {
        std::snprintf(text, sizeof text, "E%d", entity->m_id);
        m_renderer.View()->Device().DrawText3D(
            CAESet::ReferencePoint(*static_cast<const CFEElement*>(entity)), text);
    }
}

// The fixed lists of picked entities are built again from the ids they were last built for, in
// whichever context is current: a printout has a context of its own, and ids, unlike the
// entities' addresses, are safe to look up again.
std::vector<int> CSelectionHighlight::IdsOf(const CEntityArray& entities, bool isNodes)
{
    std::vector<int> ids;
    for (CModelEntity* entity : entities)
    {
        const bool isNode = dynamic_cast<const CFENode*>(entity) != nullptr;
        const bool isElement = dynamic_cast<const CFEElement*>(entity) != nullptr;
        if (isNodes ? isNode : isElement)
            ids.push_back(entity->m_id);
    }
    return ids;
}

void CSelectionHighlight::RebuildPickedLists()
{
    CGroupSet* group = m_renderer.Group();
    if (m_renderer.View() == nullptr || group == nullptr)
        return;
    const auto entitiesOf = [group](const std::vector<int>& ids, bool isNodes)
    {
        CEntityArray entities;
        for (const int id : ids)
        {
            CModelEntity* entity = isNodes ? static_cast<CModelEntity*>(group->GetNode(id))
                                           : static_cast<CModelEntity*>(group->FindElement(id));
            if (entity != nullptr)
                entities.Add(entity);
        }
        return entities;
    };
    // Each list only when it was built: a list never built is not called into being.
    if (m_arrowElementIds)
        CreateDirectionArrows(entitiesOf(*m_arrowElementIds, false));
    if (m_labelElementIds)
        CreateIdLabels(entitiesOf(*m_labelElementIds, false), false);
    if (m_labelNodeIds)
        CreateIdLabels(entitiesOf(*m_labelNodeIds, true), true);
}
