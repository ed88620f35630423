// Renderer: the contour lists of shells, solids and beams.
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "render/AESet.h"
#include "render/BeamLine.h"
#include "render/ContourObject.h"
#include "render/ContourSource.h"
#include "render/ListBatch.h"
#include "render/NodePointCache.h"
#include "render/OrderedBlocks.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

namespace
{
constexpr int kElementBlock = 8;
// Band contours of many elements are cut on up to kCuttingThreads threads, in blocks.
size_t g_parallelContourElements = CAESet::kDefaultParallelContourElements;
size_t g_contourBlock = CAESet::kDefaultContourBlock;
constexpr size_t kCuttingThreads = 4;

void SetContourMode(CDrawDevice* device, int contourType)
{
    if (contourType == CResultDisplayAttr::kBands || contourType == CResultDisplayAttr::kIsoSurface)
        device->SetRenderMode(kRenderFill);
    else if (contourType == CResultDisplayAttr::kLines)
        device->SetRenderMode(kRenderLines);
}

std::unique_ptr<CContourObject> MakeContourObject(int kind, CResultDisplayAttr& attr,
                                                  CEntitySet& source, int curveDivisions)
{
    if (kind & kElementBlock)
        return std::make_unique<CElementContourObject>(&attr, &source);
    return std::make_unique<CContourObject>(&attr, &source, curveDivisions);
}

// Smooth faces carry a colour per vertex, which the batch does not keep; everything else of a
// contour list is recorded by colour and drawn as a few arrays.
bool IsBatched(const CResultDisplayAttr& attr)
{
    return !(attr.m_nContourType == CResultDisplayAttr::kBands && attr.m_nBandType == 2);
}

bool HasElementRecord(const CResultData& result, UINT id)
{
    return static_cast<int>(id) < result.GetComponentSetCount() &&
           result.GetComponentSet(static_cast<int>(id)) != nullptr;
}
} // namespace

void CAESet::CreateDisplayListForContourResult()
{
    render_log::RunLogged("CAESet::CreateDisplayListForContourResult",
                          [this]
                          {
                              // The three lists share one computation of the positions.
                              m_lists.HoldPoints(true);
                              CreateContourResultDisplayListForShell();
                              CreateContourResultDisplayListForSolid();
                              CreateContourResultDisplayListForBeam();
                          });
    m_lists.HoldPoints(false);
    ReleasePoints();
}

void CAESet::CreateContourResultDisplayListForShell()
{
    render_log::RunLogged("CAESet::CreateContourResultDisplayListForShell",
                          [this]
                          {
                              const CResultData* result = FindResult(m_nContourResultId);
                              if (m_pGroup == nullptr || result == nullptr)
                                  return; // the old list stays
                              m_pView->MakeCurrent();
                              BuildContourList(kShellContourList, m_pGroup->GetShells(), result);
                          });
}

void CAESet::CreateContourResultDisplayListForSolid()
{
    render_log::RunLogged("CAESet::CreateContourResultDisplayListForSolid",
                          [this]
                          {
                              const CResultData* result = FindResult(m_nContourResultId);
                              if (m_pGroup == nullptr || result == nullptr)
                                  return;
                              m_pView->MakeCurrent();
                              BuildContourList(kSolidContourList, m_pGroup->GetSolids(), result);
                          });
}

void CAESet::CreateContourResultDisplayListForBeam()
{
    render_log::RunLogged("CAESet::CreateContourResultDisplayListForBeam",
                          [this]
                          {
                              const CResultData* result = FindResult(m_nContourResultId);
                              if (m_pGroup == nullptr || result == nullptr)
                                  return;
                              m_pView->MakeCurrent();
                              BuildBeamContourList(m_pGroup->GetBeams(), result);
                          });
}

void CAESet::BuildContourList(UINT code, const CElementMap& elements, const CResultData* result)
{
    CResultDisplayAttr attr = GetDisplayAttr();
    if (attr.m_nResultCategory == 0)
    {
        // One colour per element: recorded by colour and drawn as a few arrays.
        CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(code), true, false);
        DrawElementConstantContours(elements, result);
        list.Close();
        return;
    }
    const int kind = m_nResultComponent;
    CContourSource source(AcquirePoints(nullptr), *m_pView);
    if ((kind & kElementBlock) == 0 && elements.GetCount() > 0)
        source.CacheNodeValues(m_pGroup->GetNodes());
    const std::unique_ptr<CContourObject> object =
        MakeContourObject(kind, attr, source, ReadSettings().m_curveDivisions);
    if (m_pView->Scene().IsShrunk())
        object->m_shrinkFactor = m_pView->Scene().ShrinkFactor();
    // Band facets and contour lines do not overlap: the triangles go into the list as they
    // come.
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(code), IsBatched(attr), false,
                            true);
    if ((kind & kElementBlock) == 0 && !m_lists.IsCapturing() && IsBatched(attr) &&
        CutBandsInParallel(elements, attr, source, AcquirePoints(nullptr)))
    {
        list.Close();
        return;
    }
    CDrawDevice* device = Target();
    SetContourMode(device, attr.m_nContourType);
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        if (element == nullptr || !element->m_display || m_pView->IsEntityVisible(element) != 1)
            continue;
        // Values of the element block live in the element's own record: an element without
        // one has no value and is left out rather than coloured as 0.
        if ((kind & kElementBlock) && !HasElementRecord(*result, id))
            continue;
        object->DrawEntity(element, device);
    }
    list.Close();
}

bool CAESet::CutBandsInParallel(const CElementMap& elements, CResultDisplayAttr& attr,
                                CContourSource& source, const CNodePointCache& points)
{
    const size_t threads = std::min<size_t>(kCuttingThreads, std::thread::hardware_concurrency());
    if (threads < 2 || static_cast<size_t>(elements.GetCount()) < g_parallelContourElements ||
        attr.m_nContourType != CResultDisplayAttr::kBands)
        return false;
    // Chosen here, on the view's thread: the elements shown, and those whose nodes the caches
    // hold; the others are cut here at the end, asking the view.
    std::vector<const CFEElement*> cut;
    std::vector<const CFEElement*> asking;
    cut.reserve(static_cast<size_t>(elements.GetCount()));
    for (const auto& [id, element] : fw::Assocs(elements))
    {
        if (element == nullptr || !element->m_display || m_pView->IsEntityVisible(element) != 1)
            continue;
        bool isHeld = true;
        for (INT_PTR i = 0; i < element->m_ids.GetSize() && isHeld; ++i)
            isHeld = points.Holds(element->m_ids[i]) && source.HoldsNodeValue(element->m_ids[i]);
        (isHeld ? cut : asking).push_back(element);
    }
    const int curveDivisions = ReadSettings().m_curveDivisions;
    const double shrink = m_pView->Scene().IsShrunk() ? m_pView->Scene().ShrinkFactor() : 0.0;
    const size_t blockCount = (cut.size() + g_contourBlock - 1) / g_contourBlock;
    CDrawDevice& device = m_pView->Device();
    ordered_blocks::Run(
        blockCount, threads,
        [&](size_t block, CListBatch& batch)
        {
            CResultDisplayAttr bands = attr;
            batch.Reset(false);
            SetContourMode(&batch, bands.m_nContourType);
            // A fresh drawable: it remembers the colour it last set on its device.
            const std::unique_ptr<CContourObject> object =
                MakeContourObject(0, bands, source, curveDivisions);
            if (shrink != 0.0)
                object->m_shrinkFactor = shrink;
            const size_t end = std::min(cut.size(), (block + 1) * g_contourBlock);
            for (size_t i = block * g_contourBlock; i < end; ++i)
                object->DrawEntity(cut[i], &batch);
        },
        [&](CListBatch& batch) { batch.ReplayAndReset(&device); });
    if (!asking.empty())
    {
        CDrawDevice* target = Target();
        SetContourMode(target, attr.m_nContourType);
        const std::unique_ptr<CContourObject> object =
            MakeContourObject(0, attr, source, curveDivisions);
        if (shrink != 0.0)
            object->m_shrinkFactor = shrink;
        for (const CFEElement* element : asking)
            object->DrawEntity(element, target);
    }
    return true;
}

void CAESet::SetParallelContourElements(size_t count, size_t blockElements)
{
    g_parallelContourElements = count;
    g_contourBlock = std::max<size_t>(1, blockElements);
}

void CAESet::BuildBeamContourList(const CElementMap& beams, const CResultData* result)
{
    CResultDisplayAttr attr = GetDisplayAttr();
    CNodePointCache& points = AcquirePoints(nullptr);
    const double factor = m_pView->Scene().IsShrunk() ? m_pView->Scene().ShrinkFactor() : 1.0;
    if (attr.m_nResultCategory == 0)
    {
        CBeamLine beam(&points, factor, ReadSettings().m_curveDivisions);
        CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(kBeamContourList), true,
                                false);
        CDrawDevice* target = Target();
        for (const auto& [id, element] : fw::Assocs(beams))
        {
            if (element == nullptr || m_pView->IsEntityVisible(element) != 1)
                continue;
            int band = 0;
            if (!FindElementBand(attr, result, static_cast<int>(id), band))
                continue;
            target->SetColor(attr.m_bandColors[band]);
            beam.SetElement(element);
            target->LoadName(NameOf(element));
            beam.Draw(target);
        }
        list.Close();
        return;
    }
    const int kind = m_nResultComponent;
    CContourSource source(points, *m_pView);
    const std::unique_ptr<CContourObject> object =
        MakeContourObject(kind, attr, source, ReadSettings().m_curveDivisions);
    if (m_pView->Scene().IsShrunk())
        object->m_shrinkFactor = m_pView->Scene().ShrinkFactor();
    CSceneLists::Scope list(m_lists, m_pView->Device(), ListName(kBeamContourList), true, false);
    CDrawDevice* device = Target();
    SetContourMode(device, attr.m_nContourType);
    if (kind != kElementBlock)
    {
        for (const auto& [id, element] : fw::Assocs(beams))
        {
            if (element != nullptr && m_pView->IsEntityVisible(element) == 1)
                object->DrawEntity(element, device);
        }
        list.Close();
        return;
    }
    // The result's element records in id order, each looked up among the beams.
    const int records = result->GetComponentSetCount();
    for (int id = 0; id < records; ++id)
    {
        CFEElement* element = nullptr;
        if (result->GetComponentSet(id) == nullptr ||
            !beams.Lookup(static_cast<UINT>(id), element) || element == nullptr ||
            !element->m_display || m_pView->IsEntityVisible(element) != 1)
            continue;
        object->DrawEntity(element, device);
    }
    list.Close();
}
