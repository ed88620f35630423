// Renderer: the builders of the model lists, one per element kind, and the drawing of one solid
// or shell element with its colour and render mode.
#include "core/geometry/ColorConvert.h"
#include "core/geometry/FENode.h"
#include "core/geometry/MapCopy.h"
#include "core/model/CurveInterpolation.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "render/AESet.h"
#include "render/BeamLine.h"
#include "render/ElementMapWalk.h"
#include "render/FaceDrawObject.h"
#include "render/GLMaterialDevice.h"
#include "render/ListBatch.h"
#include "render/ListCompiler.h"
#include "render/MassGlyph.h"
#include "render/NodePointCache.h"
#include "render/OrderedBlocks.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"
#include "render/Segment3D.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace
{
// Edge maps are sized for this many elements when a group has none of the kind.
constexpr int kDefaultEdgeElements = 20000;
// Threads that record one face or edge list, a block of elements at a time.
constexpr size_t kRecordingThreads = 4;
size_t g_parallelListElements = CAESet::kDefaultParallelListElements;
size_t g_faceBlock = CAESet::kDefaultFaceBlock;
size_t g_listWorkers = CListCompiler::kDefaultWorkers;

UINT SourceCode(UINT code, const CEntitySet* source)
{
    return source ? code | CAESet::kUndeformed : code;
}

// The node of a face position, or 0 when the face holds fewer ids.
int FaceNode(const CFEFace& face, int position)
{
    return position >= 0 && position < face.m_ids.GetSize() ? face.m_ids[position] : 0;
}
} // namespace

void CAESet::CreateDisplayListForSolid(CEntitySet* source)
{
    render_log::RunLogged("CAESet::CreateDisplayListForSolid",
                          [&] { BuildFaceLists(source, true); });
}

void CAESet::CreateDisplayListForShell(CEntitySet* source)
{
    render_log::RunLogged("CAESet::CreateDisplayListForShell",
                          [&] { BuildFaceLists(source, false); });
}

void CAESet::BuildFaceLists(CEntitySet* source, bool isSolid)
{
    if (m_pGroup == nullptr || m_pView == nullptr)
        return;
    m_pView->MakeCurrent();
    PrepareRidgeEdges(isSolid);
    const CSceneSettings settings = ReadSettings();
    CNodePointCache& points = AcquirePoints(source);
    BuildRidgeList(source, isSolid, points, settings.m_curveDivisions);
    PassElements gathered;
    BuildFacePassList(source, isSolid, kFacePass, points, settings.m_curveDivisions, &gathered);
    // The view's element edges wait for a mode that draws them: the ridge-line modes, the
    // shaded one a view starts in among them, show only the ridges.
    const int kind = isSolid ? kKindSolid : kKindShell;
    if (source == nullptr && !m_lists.IsCapturing() &&
        !DrawsElementEdges(m_pView->Scene().DisplayMode()))
    {
        m_pendingEdgeKinds |= kind;
    }
    else
    {
        BuildFacePassList(source, isSolid, kEdgePass, points, settings.m_curveDivisions, &gathered);
        if (source == nullptr)
            m_pendingEdgeKinds &= ~kind;
    }
    ReleasePoints();
    if (source == nullptr)
        MarkPickListsStale(isSolid ? kKindSolid : kKindShell);
}

bool CAESet::DrawsElementEdges(int displayMode)
{
    return displayMode == kWireframe || displayMode == kShading || displayMode == kHiddenLine;
}

void CAESet::BuildPendingEdgeLists()
{
    if (m_pendingEdgeKinds == 0 || m_pGroup == nullptr || m_pView == nullptr)
        return;
    render_log::RunLogged("CAESet::BuildPendingEdgeLists",
                          [this]
                          {
                              // On a worker the edges resolve while the pieces before compile.
                              CSceneLists::Compiling compiling(m_lists, ListCompiler());
                              const int curveDivisions = ReadSettings().m_curveDivisions;
                              for (const bool isSolid : {true, false})
                              {
                                  const int kind = isSolid ? kKindSolid : kKindShell;
                                  if ((m_pendingEdgeKinds & kind) == 0)
                                      continue;
                                  m_pView->MakeCurrent();
                                  CNodePointCache& points = AcquirePoints(nullptr);
                                  BuildFacePassList(nullptr, isSolid, kEdgePass, points,
                                                    curveDivisions);
                                  ReleasePoints();
                                  m_pendingEdgeKinds &= ~kind;
                              }
                              compiling.Finish();
                          });
}

// The view's ridge edges are extracted once and kept while not empty; the group keeps a copy.
void CAESet::PrepareRidgeEdges(bool isSolid)
{
    const CElementMap& elements = isSolid ? m_pGroup->GetSolids() : m_pGroup->GetShells();
    CEdgeMap& viewEdges = isSolid ? m_pView->SolidRidgeEdges() : m_pView->ShellRidgeEdges();
    CEdgeMap& groupEdges = isSolid ? m_pGroup->GetSolidEdges() : m_pGroup->GetShellEdges();
    int count = static_cast<int>(elements.GetCount());
    if (count < 1)
        count = kDefaultEdgeElements;
    const UINT buckets = static_cast<UINT>(3 * count);
    if (viewEdges.IsEmpty())
    {
        if (viewEdges.GetHashTableSize() < static_cast<UINT>(count))
            viewEdges.InitHashTable(buckets);
        CGroupSet::ExtractOuterFaces(viewEdges, count, elements, m_pView);
    }
    if (groupEdges.IsEmpty())
    {
        groupEdges.InitHashTable(buckets);
        CopyMap(viewEdges, groupEdges);
    }
}

void CAESet::BuildRidgeList(CEntitySet* source, bool isSolid, CNodePointCache& points,
                            int curveDivisions)
{
    const CElementMap& elements = isSolid ? m_pGroup->GetSolids() : m_pGroup->GetShells();
    const CEdgeMap& edges = isSolid ? m_pView->SolidRidgeEdges() : m_pView->ShellRidgeEdges();
    const UINT code = isSolid ? kSolidRidgeList : kShellRidgeList;
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(SourceCode(code, source)), true,
                            false);
    CDrawDevice* device = Target();
    for (const auto& [key, value] : fw::Assocs(edges))
    {
        CFEElement* element = nullptr;
        if (!elements.Lookup(EdgeValueElementId(value), element) || element == nullptr)
            continue;
        const int faceIndex = static_cast<int>(EdgeValueFaceIndex(value));
        if (faceIndex >= element->m_faces.GetSize())
            continue;
        const CFEFace& face = element->m_faces[faceIndex];
        const int n = face.m_cornerCount;
        const int e = static_cast<int>(EdgeValuePosition(value));
        if (face.m_ids.GetSize() < n)
            continue;
        if (n == 3 || n == 4)
        {
            device->DrawLine(points.GetNodePoint(FaceNode(face, e)),
                             points.GetNodePoint(FaceNode(face, (e + 1) % n)), 0);
        }
        else if ((n == 6 || n == 8) && e >= 1)
        {
            CPoint3DArray curve;
            curve.Add(points.GetNodePoint(FaceNode(face, e - 1)));
            curve.Add(points.GetNodePoint(FaceNode(face, e)));
            curve.Add(points.GetNodePoint(FaceNode(face, (e + 1) % n)));
            device->DrawShrunkCurve(&curve, 1.0, curveDivisions);
        }
    }
    list.Close();
}

void CAESet::BuildFacePassList(CEntitySet* source, bool isSolid, int pass, CNodePointCache& points,
                               int curveDivisions, PassElements* gathered)
{
    const CElementMap& elements = isSolid ? m_pGroup->GetSolids() : m_pGroup->GetShells();
    const UINT code = pass == kFacePass ? (isSolid ? kSolidFaceList : kShellFaceList)
                                        : (isSolid ? kSolidEdgeList : kShellEdgeList);
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(SourceCode(code, source)), true,
                            pass == kEdgePass);
    if (!m_lists.IsCapturing() &&
        RecordFacePassInParallel(elements, pass, points, curveDivisions, gathered))
    {
        list.Close();
        return;
    }
    ElementColorMemo memo;
    ForEachElement(elements,
                   [&](CFEElement* element)
                   {
                       if (!element->m_hasOuterFace || m_pView->IsEntityVisible(element) != 1)
                           return;
                       // Curved faces are tessellated once per rebuild, before their faces.
                       if (pass == kFacePass && element->IsParabolicElement())
                           TessellateElementFaces(*element, points, curveDivisions);
                       DrawFaceElement(element, &points, pass, &memo);
                   });
    list.Close();
}

void CAESet::SetParallelListElements(size_t count, size_t blockElements)
{
    g_parallelListElements = count;
    g_faceBlock = std::max<size_t>(1, blockElements);
}

void CAESet::SetListCompileWorkers(size_t workers)
{
    g_listWorkers = workers;
}

CListCompiler* CAESet::ListCompiler()
{
    // The workers share their lists with the view's context; a printout draws in the bitmap's.
    if (m_pGroup == nullptr || m_pView == nullptr || m_pView->IsPrinting() ||
        std::thread::hardware_concurrency() < 2)
        return nullptr;
    const size_t count = static_cast<size_t>(m_pGroup->GetNodes().GetCount()) +
                         static_cast<size_t>(m_pGroup->GetShells().GetCount()) +
                         static_cast<size_t>(m_pGroup->GetSolids().GetCount());
    return count < g_parallelListElements ? nullptr
                                          : m_pView->Device().GetListCompiler(g_listWorkers);
}

void CAESet::GatherPassElements(const CElementMap& elements, int pass, CNodePointCache& points,
                                int curveDivisions, PassElements& gathered)
{
    const int colorMode = m_pView->Scene().ColorMode();
    const bool isColored = colorMode == kColorByProperty || colorMode == kColorByMaterial;
    std::vector<CFEElement*>& drawn = gathered.drawn;
    std::vector<CFEElement*>& asking = gathered.asking;
    drawn.clear();
    asking.clear();
    drawn.reserve(static_cast<size_t>(elements.GetCount()));
    ElementColorMemo known;
    ForEachElement(elements,
                   [&](CFEElement* element)
                   {
                       if (!element->m_hasOuterFace || m_pView->IsEntityVisible(element) != 1)
                           return;
                       if (pass == kFacePass && element->IsParabolicElement())
                           TessellateElementFaces(*element, points, curveDivisions);
                       const int id = colorMode == kColorByProperty ? element->m_propertyId
                                                                    : element->m_materialId;
                       if (isColored && (!known.isSet || known.id != id))
                       {
                           COLORREF color = 0;
                           GetElementColor(element, color);
                           known = {true, id};
                       }
                       // A node the positions lack is asked of the view, here at the end.
                       bool isHeld = true;
                       for (INT_PTR i = 0; i < element->m_ids.GetSize() && isHeld; ++i)
                           isHeld = points.Holds(element->m_ids[i]);
                       (isHeld ? drawn : asking).push_back(element);
                   });
    gathered.isGathered = true;
}

bool CAESet::RecordFacePassInParallel(const CElementMap& elements, int pass,
                                      CNodePointCache& points, int curveDivisions,
                                      PassElements* gathered)
{
    const size_t parts = std::min<size_t>(kRecordingThreads, std::thread::hardware_concurrency());
    // Shrunk faces ask the view for element centres: they are recorded here, on its thread.
    if (parts < 2 || static_cast<size_t>(elements.GetCount()) < g_parallelListElements ||
        m_pView->Scene().IsShrunk())
        return false;
    // What the view and the model answer is gathered here, on the thread that owns them, once
    // for a build's face and edge passes; a face pass gathers afresh, tessellating as it goes.
    PassElements own;
    PassElements& chosen = gathered != nullptr ? *gathered : own;
    if (!chosen.isGathered || pass == kFacePass)
        GatherPassElements(elements, pass, points, curveDivisions, chosen);
    const std::vector<CFEElement*>& drawn = chosen.drawn;
    const std::vector<CFEElement*>& asking = chosen.asking;
    // Blocks of elements recorded on the threads go into the list in order as each is done;
    // edges shared across blocks are kept once: the list's own batch takes every block's.
    CListBatch* const listBatch = m_lists.Batch();
    CGLDevice& device = m_pView->Device();
    const size_t blockCount = (drawn.size() + g_faceBlock - 1) / g_faceBlock;
    ordered_blocks::RunHandingOver(
        blockCount, parts,
        [&](size_t block, CListBatch& batch)
        {
            batch.Reset(pass == kEdgePass);
            ElementColorMemo memo;
            memo.addsRecords = false;
            const size_t end = std::min(drawn.size(), (block + 1) * g_faceBlock);
            for (size_t i = block * g_faceBlock; i < end; ++i)
                DrawFaceElementOn(&batch, &batch, drawn[i], &points, pass, &memo);
        },
        [&](std::unique_ptr<CListBatch> batch)
        {
            if (listBatch != nullptr)
                listBatch->TakeNodeEdges(*batch);
            m_lists.CompileBlock(std::move(batch), device);
        });
    ElementColorMemo memo;
    for (CFEElement* element : asking)
        DrawFaceElement(element, &points, pass, &memo);
    return true;
}

void CAESet::DrawFaceElement(CFEElement* element, CEntitySet* source, int pass,
                             ElementColorMemo* memo)
{
    DrawFaceElementOn(Target(), m_lists.Batch(), element, source, pass, memo);
}

void CAESet::DrawFaceElementOn(CDrawDevice* device, CListBatch* batch, CFEElement* element,
                               CEntitySet* source, int pass, ElementColorMemo* memo)
{
    if (element == nullptr || device == nullptr || m_pView == nullptr)
        return;
    const int colorMode = m_pView->Scene().ColorMode();
    const int displayMode = m_pView->Scene().DisplayMode();
    const bool isColored = colorMode == kColorByProperty || colorMode == kColorByMaterial;
    const int colorId =
        colorMode == kColorByProperty ? element->m_propertyId : element->m_materialId;
    // The element before had the same colour record: the device's state is already this one.
    if (isColored && memo != nullptr && memo->isSet && memo->id == colorId)
    {
        DrawElementFacesOn(device, batch, element, source, pass);
        return;
    }
    COLORREF color = 0;
    const bool hasColor =
        isColored && GetElementColor(element, color, memo == nullptr || memo->addsRecords);
    if (memo != nullptr)
    {
        memo->isSet = isColored;
        memo->id = colorId;
    }
    if (hasColor)
    {
        const CColorRGBA c = COLORREFToColor(color);
        if (pass == kFacePass && (displayMode == kShading || displayMode == kRidgeLineShading ||
                                  displayMode == kHiddenLine))
        {
            CGLMaterial material;
            SetMaterialColor(
                material, device,
                CColorRGBA(GetRValue(color), GetGValue(color), GetBValue(color), 0.0f));
            device->SetColor(c);
            device->SetRenderMode(displayMode == kHiddenLine ? kRenderFill : kRenderLit);
        }
        else if (pass == kEdgePass && (displayMode == kWireframe || displayMode == kShading ||
                                       displayMode == kHiddenLine))
        {
            device->SetColor(c);
            device->SetRenderMode(kRenderLines);
            if (displayMode == kHiddenLine)
                device->SetColor(CColorRGBA(255.0f, 255.0f, 255.0f, 0.0f));
        }
    }
    DrawElementFacesOn(device, batch, element, source, pass);
}

void CAESet::DrawElementFaces(CFEElement* element, CEntitySet* source, int pass)
{
    DrawElementFacesOn(Target(), m_lists.Batch(), element, source, pass);
}

void CAESet::DrawElementFacesOn(CDrawDevice* device, CListBatch* batch, CFEElement* element,
                                CEntitySet* source, int pass)
{
    if (element == nullptr || device == nullptr || m_pView == nullptr)
        return;
    const double factor = m_pView->Scene().IsShrunk() ? m_pView->Scene().ShrinkFactor() : 1.0;
    CEntitySet* points = source ? source : static_cast<CEntitySet*>(m_pView);
    CPoint3D centre;
    if (factor != 1.0)
        centre = m_lists.ViewPoints() ? m_lists.ViewPoints()->GetCenter(*element)
                                      : m_pView->GetElementCenter(element);
    const bool isSolid = element->type == kTagSolid;
    const bool drawsOutline = pass == kEdgePass && element->IsParabolicElement();
    // Straight edges at the nodes' own positions go to the batch by node ids: an edge that
    // faces share is then found once by sorting, not by hashing every segment drawn.
    const bool outlinesByIds = pass == kEdgePass && !element->IsParabolicElement() &&
                               factor == 1.0 && batch != nullptr && source != nullptr;
    const int faceCount = static_cast<int>(element->m_faces.GetSize());
    for (int i = 0; i < faceCount; ++i)
    {
        if (isSolid && (i >= CFEElement::kMaxFaceFlags || !element->m_outerFace[i]))
            continue;
        const CFEFace& drawn = element->m_faces[i];
        const int corners = drawn.m_cornerCount;
        if (outlinesByIds && (corners == 3 || corners == 4) && drawn.m_ids.GetSize() >= corners)
        {
            int ids[4];
            for (int k = 0; k < corners; ++k)
                ids[k] = drawn.m_ids[k];
            if (batch->AddNodeOutline(ids, corners, source))
                continue;
        }
        CFaceDrawObject face(&element->m_faces[i], points, factor, centre);
        if (drawsOutline)
            face.DrawOutline(device);
        else
            face.DrawFilled(device);
    }
}

void CAESet::CreateDisplayListForBeam(CEntitySet* source)
{
    render_log::RunLogged("CAESet::CreateDisplayListForBeam",
                          [&]
                          {
                              if (m_pGroup == nullptr || m_pView == nullptr)
                                  return;
                              m_pView->MakeCurrent();
                              BuildBeamList(source);
                          });
}

void CAESet::BuildBeamList(CEntitySet* source)
{
    const CSceneSettings settings = ReadSettings();
    CNodePointCache& points = AcquirePoints(source);
    const double factor = m_pView->Scene().IsShrunk() ? m_pView->Scene().ShrinkFactor() : 1.0;
    CBeamLine beam(&points, factor, settings.m_curveDivisions);
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(SourceCode(kBeamList, source)),
                            true, false);
    CDrawDevice* device = Target();
    ForEachElement(m_pGroup->GetBeams(),
                   [&](CFEElement* element)
                   {
                       if (m_pView->IsEntityVisible(element) == 0)
                           return;
                       SetElementColor(device, element);
                       beam.SetElement(element);
                       beam.Draw(device);
                   });
    list.Close();
    ReleasePoints();
    if (source == nullptr)
        MarkPickListsStale(kKindBeam);
}

// Elastic elements are few, and their markers are drawn directly, so this list keeps one
// selection name per element and serves picking as it is.
void CAESet::CreateDisplayListForElass(CEntitySet* source)
{
    if (m_pGroup == nullptr || m_pView == nullptr)
        return;
    m_pView->MakeCurrent();
    CNodePointCache& points = AcquirePoints(source);
    CMassGlyph glyph;
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(SourceCode(kElassList, source)),
                            false, false);
    CDrawDevice* device = Target();
    ForEachElement(m_pGroup->GetSprings(),
                   [&](CFEElement* element)
                   {
                       if (m_pView->IsEntityVisible(element) == 0)
                           return;
                       SetElementColor(device, element);
                       device->LoadName(NameOf(element));
                       DrawElassMarker(element, glyph, points);
                   });
    list.Close();
    ReleasePoints();
}

void CAESet::DrawElassElement(CFEElement* element, CMassGlyph* glyph)
{
    if (element == nullptr || glyph == nullptr || m_pView == nullptr)
        return;
    DrawElassMarker(element, *glyph, *m_pView);
}

void CAESet::DrawElassMarker(const CFEElement* element, const CMassGlyph& glyph,
                             const CEntitySet& points)
{
    const CArray<int>& ids = element->m_ids;
    CSegment3D segment;
    segment.m_start = points.GetNodePoint(ids.GetSize() > 0 ? ids[0] : 0);
    segment.m_end = points.GetNodePoint(ids.GetSize() > 1 ? ids[1] : 0);
    glyph.Draw(&segment);
}

void CAESet::CreateDisplayListForMass(CEntitySet* source)
{
    if (m_pGroup == nullptr || m_pView == nullptr)
        return;
    m_pView->MakeCurrent();
    CNodePointCache& points = AcquirePoints(source);
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(SourceCode(kMassList, source)),
                            true, false);
    CDrawDevice* device = Target();
    ForEachElement(m_pGroup->GetMasses(),
                   [&](CFEElement* element)
                   {
                       const int first = element->m_ids.GetSize() > 0 ? element->m_ids[0] : 0;
                       device->DrawPoint(points.GetNodePoint(first), 0);
                   });
    list.Close();
    ReleasePoints();
    if (source == nullptr)
        MarkPickListsStale(kKindMass);
}

void CAESet::CreateDisplayListForGrid(CEntitySet* source)
{
    render_log::RunLogged("CAESet::CreateDisplayListForGrid",
                          [&]
                          {
                              if (m_pGroup == nullptr || m_pView == nullptr)
                                  return;
                              m_pView->MakeCurrent();
                              BuildGridList(source);
                          });
}

void CAESet::BuildGridList(CEntitySet* source)
{
    // The view's node markers wait for a pass that shows nodes: a result view hides them, and
    // a million points take a fifth of a second to compile.
    if (source == nullptr && !m_lists.IsCapturing() &&
        (ReadSettings().m_displayFilter & kKindNode) == 0)
    {
        m_pView->Device().DeleteList(ListName(kNodeList));
        m_isNodeListPending = true;
        MarkPickListsStale(kKindNode);
        return;
    }
    if (source == nullptr)
        m_isNodeListPending = false;
    CNodePointCache& points = AcquirePoints(source);
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(SourceCode(kNodeList, source)),
                            true, false);
    CDrawDevice* device = Target();
    const CNodeMap& nodes = m_pGroup->GetNodes();
    for (const auto& [id, node] : fw::Assocs(nodes))
    {
        device->DrawPoint(points.GetNodePoint(static_cast<int>(id)), 0);
    }
    list.Close();
    ReleasePoints();
    if (source == nullptr)
        MarkPickListsStale(kKindNode);
}

void CAESet::BuildPendingNodeList()
{
    if (!m_isNodeListPending || m_pGroup == nullptr || m_pView == nullptr)
        return;
    render_log::RunLogged("CAESet::BuildPendingNodeList",
                          [this]
                          {
                              m_pView->MakeCurrent();
                              BuildGridList(nullptr);
                          });
}

void CAESet::SetElementColor(CDrawDevice* device, const CFEElement* element)
{
    const int colorMode = m_pView->Scene().ColorMode();
    COLORREF color = 0;
    if ((colorMode == kColorByProperty || colorMode == kColorByMaterial) &&
        GetElementColor(element, color))
        device->SetColor(COLORREFToColor(color));
}

// The colour record of the element's property or material. An id without a record gets one,
// made once and kept, so that its random colour stays the same from one rebuild to the next.
bool CAESet::GetElementColor(const CFEElement* element, COLORREF& color, bool addsRecord) const
{
    CModelSet* model = m_pView->GetModel();
    if (model == nullptr)
        return false;
    if (m_pView->Scene().ColorMode() == kColorByProperty)
    {
        const CPropertyColor* record = model->LookupPropertyColor(element->m_propertyId);
        if (record == nullptr && addsRecord && model->AddPropertyColor(element->m_propertyId))
            record = model->LookupPropertyColor(element->m_propertyId);
        if (record == nullptr)
            return false;
        color = static_cast<COLORREF>(record->color);
        return true;
    }
    const CMaterialColor* record = model->LookupMaterialColor(element->m_materialId);
    if (record == nullptr && addsRecord && model->AddMaterialColor(element->m_materialId))
        record = model->LookupMaterialColor(element->m_materialId);
    if (record == nullptr)
        return false;
    color = static_cast<COLORREF>(record->color);
    return true;
}
