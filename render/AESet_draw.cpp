// Renderer: the draw pass. It sets device state and calls the lists in a fixed order chosen by
// the display mode, the display filter, the result state and the undeformed overlay.
#include "core/geometry/ColorConvert.h"
#include "render/AESet.h"
#include "render/GLMaterialDevice.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"

#include <GL/gl.h>

namespace
{
// Lines of a list drawn dotted: the undeformed shape under the deformed one.
constexpr int kDottedStipple = 2;

// One entity kind as the pass draws it: its filter bit, colour and size, and its lists.
struct KindLists
{
    int bit;
    int kind; // CSceneSettings::Kind
    UINT faces;
    UINT edges;
    UINT ridges;
    UINT contours;
    UINT vectors;
};
constexpr KindLists kSolid = {kKindSolid,
                              CSceneSettings::kSolid,
                              CAESet::kSolidFaceList,
                              CAESet::kSolidEdgeList,
                              CAESet::kSolidRidgeList,
                              CAESet::kSolidContourList,
                              CAESet::kSolidVectorList};
constexpr KindLists kShell = {kKindShell,
                              CSceneSettings::kShell,
                              CAESet::kShellFaceList,
                              CAESet::kShellEdgeList,
                              CAESet::kShellRidgeList,
                              CAESet::kShellContourList,
                              CAESet::kShellVectorList};
} // namespace

// Everything one draw pass reads, taken once at its start.
struct CAESet::PassState
{
    CSceneSettings settings;
    int filter = 0;
    bool isFullDetail = true;
    bool showsModel = false;
    bool showsResults = false; // the result lists are drawn
    bool showsContour = false; // and a contour is shown

    bool Shows(int bit) const { return (filter & bit) != 0; }
};

void CAESet::DrawScene()
{
    if (m_pView == nullptr)
        return;
    m_pView->MakeCurrent();
    if (m_pGroup == nullptr)
        return;
    if (RunPendingRenderAll())
        m_pView->MakeCurrent();
    PassState pass;
    if (!m_pView->GetSceneSettings(pass.settings))
        return;
    pass.filter = pass.settings.m_displayFilter;
    pass.showsModel = m_bShowModel != 0;
    // While the mouse drags, ridge lines stand in for faces, edges and results.
    pass.isFullDetail = !(m_pView->IsDragging() && pass.settings.m_rigidLineView);
    // The undeformed overlay alone shows no result.
    pass.showsResults =
        pass.isFullDetail && !(pass.showsModel && !m_bShowContour && m_nShowDeformation != 0);
    pass.showsContour = pass.showsResults && m_nContourResultId != -1;

    CGLDevice& device = m_pView->Device();
    if (m_bClipping)
        device.EnableClipPlane(m_ClipEquation[0], m_ClipEquation[1], m_ClipEquation[2],
                               m_ClipEquation[3], 0);
    device.SetPointSize(2);
    device.SetLineWidth(1.0f);
    const int mode = m_pView->Scene().DisplayMode();
    if (pass.isFullDetail && (mode == kShading || mode == kRidgeLineShading))
        DrawLitFaces(pass);
    if (pass.isFullDetail && mode == kHiddenLine)
    {
        DrawHiddenFaces(pass, kSolid.bit, CSceneSettings::kSolidMaterial, kSolid.kind, kSolid.faces,
                        kSolid.contours);
        DrawHiddenFaces(pass, kShell.bit, CSceneSettings::kShellMaterial, kShell.kind, kShell.faces,
                        kShell.contours);
    }
    device.SetRenderMode(kRenderLines);
    DrawPointKind(pass, kKindNode, CSceneSettings::kGrid, kNodeList);
    DrawPointKind(pass, kKindMass, CSceneSettings::kMass, kMassList);
    DrawBeams(pass);
    if (pass.isFullDetail && DrawsElementEdges(mode))
    {
        BuildPendingEdgeLists();
        DrawLineKind(pass, kSolid.bit, kSolid.kind, kSolid.edges, kSolid.faces);
        DrawLineKind(pass, kShell.bit, kShell.kind, kShell.edges, kShell.faces);
    }
    if (!pass.isFullDetail || mode == kRidgeLine || mode == kRidgeLineShading)
    {
        DrawLineKind(pass, kSolid.bit, kSolid.kind, kSolid.ridges, kSolid.ridges);
        DrawLineKind(pass, kShell.bit, kShell.kind, kShell.ridges, kShell.ridges);
    }
    device.SetColor(CColorRGBA(0.0f, 255.0f, 0.0f, 0.0f));
    device.SetLineWidth(3.0f);
    device.CallList(kDirectionArrowList);
    device.SetLineWidth(1.0f);
    DrawResults(pass);
    device.SetPointSize(2);
    device.SetLineWidth(1.0f);
    DrawElasticAndLabels(pass);
    if (m_bClipping)
    {
        device.DisableClipPlane(0);
        DrawClipPlane();
        if (pass.isFullDetail &&
            m_pView->Scene().DisplayAttr().m_nContourType != CResultDisplayAttr::kIsoSurface)
            DrawContoursOnPlane();
    }
}

void CAESet::CallDotted(UINT code)
{
    CGLDevice& device = m_pView->Device();
    device.SetLineStipple(kDottedStipple);
    device.CallList(ListName(code | kUndeformed));
    device.SetLineStipple(0);
}

void CAESet::DrawLitFaces(const PassState& pass)
{
    CGLDevice& device = m_pView->Device();
    const CSceneSettings& s = pass.settings;
    if (pass.Shows(kKindSolid) && !IsUnderCutContour(pass, kSolid.contours))
    {
        ApplyMaterial(s.m_materials[CSceneSettings::kSolidMaterial], &device, 0);
        device.SetRenderMode(kRenderLit);
        device.SetLineWidth(static_cast<float>(s.m_sizes[CSceneSettings::kSolid]));
        device.CallList(ListName(kSolidFaceList));
        if (pass.showsModel)
            CallDotted(kSolidFaceList);
    }
    if (pass.Shows(kKindShell) && !IsUnderCutContour(pass, kShell.contours))
    {
        const CGLMaterial& material = s.m_materials[CSceneSettings::kShellMaterial];
        device.SetLineWidth(static_cast<float>(s.m_sizes[CSceneSettings::kShell]));
        if (s.m_sameOnBothSide)
        {
            ApplyMaterial(material, &device, 0);
            device.SetRenderMode(kRenderLit);
        }
        else
        {
            // Back faces take face 1 of the material, front faces face 0, in one pass: with
            // two-sided lighting a second pass at equal depth would never show.
            ApplyMaterial(material, &device, 1);
            device.SetRenderMode(kRenderBackLit);
            ApplyMaterial(material, &device, 0);
            device.SetRenderMode(kRenderFrontLit);
        }
        device.CallList(ListName(kShellFaceList));
        if (pass.showsModel)
            CallDotted(kShellFaceList);
    }
}

void CAESet::DrawHiddenFaces(const PassState& pass, int bit, int material, int kind, UINT faces,
                             UINT contour)
{
    if (!pass.Shows(bit) || IsUnderCutContour(pass, contour))
        return;
    CGLDevice& device = m_pView->Device();
    device.SetRenderMode(kRenderFill);
    device.SetColor(COLORREFToColor(pass.settings.m_materials[material].m_ambient[0]));
    device.SetLineWidth(static_cast<float>(pass.settings.m_sizes[kind]));
    device.CallList(ListName(faces));
    if (pass.showsModel)
        CallDotted(faces);
}

// Faces under a contour list that memory cut short would fill, where the contour stops, what
// its rows leave out in the model's colour: a band that is not there. They are left out too.
bool CAESet::IsUnderCutContour(const PassState& pass, UINT contour) const
{
    return pass.showsContour && m_lists.IsCut(ListName(contour));
}

void CAESet::DrawPointKind(const PassState& pass, int bit, int kind, UINT list)
{
    if (!pass.Shows(bit))
        return;
    if (bit == kKindNode)
        BuildPendingNodeList();
    CGLDevice& device = m_pView->Device();
    device.SetColor(COLORREFToColor(pass.settings.m_colors[kind]));
    device.SetPointSize(pass.settings.m_sizes[kind]);
    device.CallList(ListName(list));
    if (pass.showsModel)
        CallDotted(list);
}

// Plain beams give way to the contour beams while a contour is shown in full detail.
void CAESet::DrawBeams(const PassState& pass)
{
    const bool isDeformed = m_nShowDeformation != 0;
    bool drawsPlain = true;
    bool drawsUndeformed = true;
    if (m_nContourResultId != -1 && pass.isFullDetail)
    {
        drawsPlain = isDeformed && pass.showsModel && !m_bShowContour;
        drawsUndeformed = isDeformed && pass.showsModel;
    }
    if (!pass.Shows(kKindBeam))
        return;
    CGLDevice& device = m_pView->Device();
    if (drawsPlain)
    {
        device.SetColor(COLORREFToColor(pass.settings.m_colors[CSceneSettings::kBeam]));
        device.SetLineWidth(static_cast<float>(pass.settings.m_sizes[CSceneSettings::kBeam]));
        device.CallList(ListName(kBeamList));
    }
    if (drawsUndeformed && pass.showsModel && isDeformed)
        CallDotted(kBeamList);
}

// Element edges or ridge lines of one kind; the undeformed overlay is the given list's.
void CAESet::DrawLineKind(const PassState& pass, int bit, int kind, UINT list, UINT overlay)
{
    if (!pass.Shows(bit))
        return;
    CGLDevice& device = m_pView->Device();
    device.SetColor(COLORREFToColor(pass.settings.m_colors[kind]));
    device.SetLineWidth(static_cast<float>(pass.settings.m_sizes[kind]));
    device.CallList(ListName(list));
    if (pass.showsModel)
        CallDotted(overlay);
}

void CAESet::DrawResults(const PassState& pass)
{
    if (!pass.showsResults)
        return;
    CGLDevice& device = m_pView->Device();
    // What an animation draws in place of the lists takes its faces' depth now.
    const CResultFacesInFront inFront(device);
    const CSceneSettings& s = pass.settings;
    struct ResultList
    {
        int bit;
        int kind;
        UINT contour;
        UINT vector;
    };
    static constexpr ResultList kOrder[] = {
        {kKindShell, CSceneSettings::kShell, kShellContourList, kShellVectorList},
        {kKindSolid, CSceneSettings::kSolid, kSolidContourList, kSolidVectorList},
        {kKindBeam, CSceneSettings::kBeam, kBeamContourList, kBeamVectorList}};
    for (const bool isContour : {true, false})
    {
        if ((isContour ? m_nContourResultId : m_nVectorResultId) == -1)
            continue;
        for (const ResultList& r : kOrder)
        {
            if (!pass.Shows(r.bit))
                continue;
            device.SetLineWidth(static_cast<float>(s.m_sizes[r.kind]));
            device.CallList(ListName(isContour ? r.contour : r.vector));
        }
    }
}

void CAESet::DrawElasticAndLabels(const PassState& pass)
{
    CGLDevice& device = m_pView->Device();
    const CSceneSettings& s = pass.settings;
    if (pass.Shows(kKindElass))
    {
        // Elastic elements are always drawn on top.
        device.SetLineWidth(static_cast<float>(s.m_sizes[CSceneSettings::kElass]));
        device.SetRenderMode(kRenderLines);
        glDisable(GL_DEPTH_TEST);
        device.SetColor(COLORREFToColor(s.m_colors[CSceneSettings::kElass]));
        device.CallList(ListName(kElassList));
        glEnable(GL_DEPTH_TEST);
    }
    if (m_pView->Scene().NodeIdMode() == 1)
    {
        glDisable(GL_DEPTH_TEST);
        device.SetColor(COLORREFToColor(s.m_nodeLabelColor));
        device.CallList(kNodeLabelList);
    }
    if (m_pView->Scene().ElementIdMode() == 1)
    {
        glDisable(GL_DEPTH_TEST);
        device.SetColor(COLORREFToColor(s.m_elementLabelColor));
        device.CallList(kElementLabelList);
    }
}
