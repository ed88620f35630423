// Renderer: the highlight of the picked entities (red) and of the one under the cursor (pink),
// and the fixed lists that commands fill for picked entities: element direction arrows and id
// labels.
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
struct CAESet::HighlightStyle
{
    double shrink;
    int curveDivisions;
    bool outlinesCurvedFaces; // wireframe and ridge lines: curved faces as open outlines
    CMassGlyph* glyph;
};

bool CAESet::HighlightKey::operator==(const HighlightKey& other) const
{
    return count == other.count && sum == other.sum && generation == other.generation &&
           shrink == other.shrink && curveDivisions == other.curveDivisions &&
           elassSize == other.elassSize && outlinesCurvedFaces == other.outlinesCurvedFaces;
}

void CAESet::DrawSelection()
{
    if (m_pView == nullptr)
        return;
    CSceneView& view = *m_pView;
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

void CAESet::DrawHighlights(bool showsThrough)
{
    CSceneView& view = *m_pView;
    CGLDevice& device = view.Device();
    const CSceneSettings settings = ReadSettings();
    const double shrink = view.Scene().IsShrunk() ? view.Scene().ShrinkFactor() : 1.0;
    CMassGlyph glyph;
    glyph.SetSize(settings.m_sizes[CSceneSettings::kElass]);
    HighlightStyle style = {shrink, settings.m_curveDivisions, showsThrough, &glyph};
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

void CAESet::DrawPicked(const HighlightStyle& style)
{
    for (const auto& [entity, batch] : fw::Assocs(m_pView->Selection().Picked()))
    {
        DrawHighlighted(entity, style);
    }
}

// Drawing a million entities one call at a time takes a second a frame; their list is called
// in a moment, and compiled again only when the picks, the positions or the style change.
void CAESet::CallPickedList(const HighlightStyle& style)
{
    HighlightKey key;
    key.count = m_pView->Selection().Picked().GetCount();
    for (const auto& [entity, batch] : fw::Assocs(m_pView->Selection().Picked()))
    {
        key.sum += reinterpret_cast<UINT_PTR>(entity);
    }
    key.generation = m_lists.Generation();
    key.shrink = style.shrink;
    key.curveDivisions = style.curveDivisions;
    key.elassSize = style.glyph->m_nSize;
    key.outlinesCurvedFaces = style.outlinesCurvedFaces;
    if (!m_isHighlightListed || !(key == m_highlightKey))
    {
        m_isHighlightListed = false;
        CSceneLists::Scope list(m_lists, m_pView->Device(), kHighlightList, false, false);
        DrawPicked(style);
        list.Close();
        m_highlightKey = key;
        m_isHighlightListed = true;
    }
    m_pView->Device().CallList(kHighlightList);
}

void CAESet::DrawHighlighted(CModelEntity* entity, const HighlightStyle& style)
{
    if (entity == nullptr)
        return;
    CSceneView& view = *m_pView;
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
    case kTagSpring: DrawElassElement(static_cast<CFEElement*>(entity), style.glyph); break;
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

void CAESet::CreateSelectionDisplayList(const CEntityArray& elements)
{
    if (m_pView == nullptr)
        return;
    m_arrowElementIds = IdsOf(elements, false);
    render_log::RunLogged(
        "CAESet::CreateSelectionDisplayList",
        [&]
        {
            m_pView->MakeCurrent();
            CGLDevice& device = m_pView->Device();
            const CModelSet* model = m_pView->GetModel();
            const double arrowLength = ArrowLengthOfModel();
            device.DeleteList(kDirectionArrowList);
            device.BeginList(kDirectionArrowList);
            for (CModelEntity* entity : elements)
            {
                if (entity == nullptr || !IsElementTag(entity->type))
                    continue;
                const CFEElement& element = *static_cast<CFEElement*>(entity);
                const INT_PTR faces = element.m_faces.GetSize();
                if (faces == 1)
                {
                    const CPoint3D start = ReferencePoint(element);
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
    m_pView->InvalidateView();
}

void CAESet::DrawFaceDirectionArrow(const CFEFace& face)
{
    const auto point = [&](int position)
    {
        return position < face.m_ids.GetSize() ? m_pView->GetNodePoint(face.m_ids[position])
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
void CAESet::DrawDirectionArrow(const CPoint3D& start, const CPoint3D& end, CColorRGBA color)
{
    CGLDevice& device = m_pView->Device();
    const CLineArrowObject arrow(CLineArrowObject::kStartsAtAnchor, Distance(start, end),
                                 kHeadShare * ArrowLengthOfModel());
    device.SetColor(color);
    arrow.DrawBetween(end, start, &device);
}

double CAESet::ArrowLengthOfModel() const
{
    const CModelSet* model = m_pView ? m_pView->GetModel() : nullptr;
    if (model == nullptr)
        return 0.0;
    const CBox3D box = model->GetBoundingBox();
    return kArrowShare * Distance(box.min, box.max);
}

void CAESet::CreateElementIdLabels(const CEntityArray& elements)
{
    CreateIdLabels(elements, false);
}

void CAESet::CreateNodeIdLabels(const CEntityArray& nodes)
{
    CreateIdLabels(nodes, true);
}

// Labels sit at stored positions: they name entities, and do not follow a deformed shape.
void CAESet::CreateIdLabels(const CEntityArray& entities, bool isNodes)
{
    if (m_pView == nullptr)
        return;
    (isNodes ? m_labelNodeIds : m_labelElementIds) = IdsOf(entities, isNodes);
    render_log::RunLogged(isNodes ? "CAESet::CreateNodeIdLabels" : "CAESet::CreateElementIdLabels",
                          [&]
                          {
                              m_pView->MakeCurrent();
                              CGLDevice& device = m_pView->Device();
                              device.SetFontListBase(isNodes ? m_pView->NodeLabelFontBase()
                                                             : m_pView->ElementLabelFontBase());
                              const UINT list = isNodes ? kNodeLabelList : kElementLabelList;
                              device.DeleteList(list);
                              device.BeginList(list);
                              for (CModelEntity* entity : entities)
                                  DrawIdLabel(entity, isNodes);
                              device.EndList();
                          });
}

void CAESet::DrawIdLabel(const CModelEntity* entity, bool isNodes)
{
    if (entity == nullptr)
        return;
    char text[16];
    if (isNodes && entity->type == kTagNode)
    {
        std::snprintf(text, sizeof text, "N%d", entity->m_id);
        m_pView->Device().DrawText3D(static_cast<const CFENode*>(entity)->m_coord, text);
    }
    else if (!isNodes && IsElementTag(entity->type))
    {
        std::snprintf(text, sizeof text, "E%d", entity->m_id);
        m_pView->Device().DrawText3D(ReferencePoint(*static_cast<const CFEElement*>(entity)), text);
    }
}
