// Renderer: the frames of a deformation animation without compiling lists. A frame moves each
// node by its share of the displacement and scales the values; the lists the builders record
// stay as they are but for their vertices, and a smooth contour colours its vertices by their
// nodes' values. So the geometry is recorded once, at the first frame, as node indices.
#include "core/model/FEElement.h"
#include "core/model/ResultData.h"
#include "render/AESet.h"
#include "render/AnimatedFrames.h"
#include "render/ContourCutter.h"
#include "render/ListBatch.h"
#include "render/RenderLog.h"
#include "render/SceneView.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kElementBlock = 8;

// The state that the recording changes for a while, put back when it ends.
class DeformationState
{
public:
    explicit DeformationState(CAESet& renderer)
        : m_renderer(renderer)
        , m_mode(renderer.ShowDeformation())
        , m_factor(renderer.DeformationFactor())
    {
    }
    ~DeformationState()
    {
        m_renderer.SetShowDeformation(m_mode);
        m_renderer.SetDeformationFactor(m_factor);
    }
    DeformationState(const DeformationState&) = delete;
    DeformationState& operator=(const DeformationState&) = delete;

    int16_t GetMode() const { return m_mode; }

private:
    CAESet& m_renderer;
    int16_t m_mode;
    double m_factor;
};

// Faces as the smooth contour draws them: straight-sided ones only.
bool IsStraightFace(const CFEFace& face)
{
    return face.m_cornerCount == 3 || face.m_cornerCount == 4;
}
} // namespace

bool CAESet::ShowAnimatedFrame()
{
    RunPendingRenderAll();
    // The lists bake the modes they were recorded in.
    if (m_animated != nullptr && m_pView != nullptr &&
        (m_pView->Scene().DisplayMode() != m_nAnimatedDisplayMode ||
         m_pView->Scene().ColorMode() != m_nAnimatedColorMode))
        EndAnimatedFrames();
    if (m_animated == nullptr && !PrepareAnimatedFrames())
        return false;
    const CResultDisplayAttr bands = GetDisplayAttr();
    const CContourCutter cutter(&bands);
    const bool isDeformed = m_nShowDeformation != kNoDeformation;
    m_animated->SetFrame(isDeformed ? m_dDeformationFactor : 0.0,
                         [&](double value, CColorRGBA& colour)
                         {
                             const double shown = isDeformed ? GetAnimatedValue(value) : value;
                             return cutter.SmoothColor(shown, CContourCutter::kFaceUpperTolerance,
                                                       colour);
                         });
    // Picking and the highlight compile their lists again from the positions of this frame.
    MarkPickListsStale(kKindAll);
    m_lists.NextGeneration();
    return true;
}

void CAESet::EndAnimatedFrames()
{
    if (m_animated == nullptr)
        return;
    if (m_pView != nullptr)
        m_pView->Device().SetListSubstitute(nullptr);
    m_animated.reset();
}

// What the arrays reproduce: a smooth contour of node values on the faces of shells and
// solids, with the model lists that the builders record. Anything else rebuilds its lists.
bool CAESet::CanAnimateInPlace() const
{
    if (m_pView == nullptr || m_pGroup == nullptr || m_nContourResultId == -1 ||
        m_nVectorResultId != -1 || m_pView->Scene().IsShrunk() ||
        m_pGroup->GetSprings().GetCount() > 0)
        return false;
    const CResultData* result = FindResult(m_nContourResultId);
    if (result == nullptr || result->GetStepKind() == CResultData::kFlagStepKind)
        return false;
    const CResultDisplayAttr bands = GetDisplayAttr();
    return bands.m_nContourType == CResultDisplayAttr::kBands && bands.m_nBandType == 2 &&
           bands.m_nResultCategory != 0 && (m_nResultComponent & kElementBlock) == 0;
}

bool CAESet::PrepareAnimatedFrames()
{
    if (!CanAnimateInPlace() || m_nContourResultId == m_nRefusedAnimation)
        return false;
    bool isPrepared = false;
    render_log::RunLogged(
        "CAESet::PrepareAnimatedFrames",
        [this, &isPrepared]
        {
            // Each node's stored position and value as read, and its displacement at factor 1.
            std::vector<CAnimatedFrames::Node> nodes;
            std::unordered_map<int, uint32_t> nodeIndex;
            nodeIndex.reserve(static_cast<size_t>(m_pGroup->GetNodes().GetCount()));
            {
                DeformationState saved(*this);
                const CNodeMap& groupNodes = m_pGroup->GetNodes();
                nodes.reserve(static_cast<size_t>(groupNodes.GetCount()));
                for (const UINT id : groupNodes.SortedKeys())
                {
                    const int nodeId = static_cast<int>(id);
                    m_nShowDeformation = kNoDeformation;
                    const CPoint3D stored = m_pView->GetNodePoint(nodeId);
                    const double value = m_pView->GetResultValue(nodeId, 0);
                    m_nShowDeformation = kAbsoluteScale;
                    m_dDeformationFactor = 1.0;
                    const CPoint3D moved = m_pView->GetNodePoint(nodeId);
                    nodeIndex.emplace(nodeId, static_cast<uint32_t>(nodes.size()));
                    nodes.push_back({{stored.x, stored.y, stored.z},
                                     {moved.x - stored.x, moved.y - stored.y, moved.z - stored.z},
                                     value});
                }
            }
            auto frames = std::make_unique<CAnimatedFrames>();
            frames->SetNodes(std::move(nodes));
            if (!CaptureModelLists(*frames) || !AddContourMeshes(*frames, nodeIndex))
                return;
            m_animated = std::move(frames);
            m_nAnimatedDisplayMode = m_pView->Scene().DisplayMode();
            m_nAnimatedColorMode = m_pView->Scene().ColorMode();
            m_pView->Device().SetListSubstitute(m_animated.get());
            isPrepared = true;
        });
    if (!isPrepared)
        m_nRefusedAnimation = m_nContourResultId;
    return isPrepared;
}

// The model lists recorded at the stored positions, by the builders that RenderAll runs.
bool CAESet::CaptureModelLists(CAnimatedFrames& frames)
{
    CSceneLists::CCapture captured;
    {
        DeformationState saved(*this);
        m_nShowDeformation = kNoDeformation;
        m_lists.BeginCapture(captured);
        m_lists.HoldPoints(true);
        try
        {
            CreateModelLists();
        }
        catch (...)
        {
            m_lists.RefuseCapture();
        }
        m_lists.HoldPoints(false);
        ReleasePoints();
        m_lists.EndCapture();
    }
    if (m_lists.IsCaptureRefused())
        return false;
    for (const auto& [list, batch] : captured)
    {
        if (!frames.AddList(list, *batch))
            return false;
    }
    return true;
}

// The faces of the contour list builder, each a fan from its first corner as the device draws a
// coloured polygon; a face without a value at every corner is left out as there.
bool CAESet::AddContourMeshes(CAnimatedFrames& frames,
                              const std::unordered_map<int, uint32_t>& nodeIndex)
{
    const auto isShown = [this](const CFEElement* element)
    { return element != nullptr && element->m_display && m_pView->IsEntityVisible(element) == 1; };
    for (const auto& [id, beam] : fw::Assocs(m_pGroup->GetBeams()))
    {
        if (beam != nullptr && m_pView->IsEntityVisible(beam) == 1)
            return false; // beams are contoured along their lines
    }
    const std::vector<CAnimatedFrames::Node>& nodes = frames.GetNodes();
    for (const auto& [code, elements] : {std::make_pair(kShellContourList, &m_pGroup->GetShells()),
                                         std::make_pair(kSolidContourList, &m_pGroup->GetSolids())})
    {
        CAnimatedFrames::ContourMesh mesh;
        mesh.list = ListName(code);
        for (const auto& [id, element] : fw::Assocs(*elements))
        {
            if (!isShown(element))
                continue;
            const int faceCount =
                std::min({std::max(0, static_cast<int>(element->m_faceCount)),
                          static_cast<int>(element->m_faces.GetSize()), CFEElement::kMaxFaceFlags});
            for (int i = 0; i < faceCount; ++i)
            {
                const CFEFace& face = element->m_faces[i];
                if (!element->m_outerFace[i])
                    continue;
                if (!IsStraightFace(face))
                    return false;
                const int count = std::min(static_cast<int>(face.m_cornerCount),
                                           static_cast<int>(face.m_ids.GetSize()));
                std::vector<uint32_t> corners;
                bool hasValues = count >= 3;
                for (int k = 0; k < count && hasValues; ++k)
                {
                    const auto found = nodeIndex.find(face.m_ids[k]);
                    if (found == nodeIndex.end())
                        return false;
                    corners.push_back(found->second);
                    hasValues = !std::isnan(nodes[found->second].value);
                }
                if (!hasValues)
                    continue;
                for (int k = 1; k + 1 < count; ++k)
                    mesh.triangles.insert(mesh.triangles.end(),
                                          {corners[0], corners[static_cast<size_t>(k)],
                                           corners[static_cast<size_t>(k) + 1]});
            }
        }
        frames.AddContour(std::move(mesh));
    }
    return true;
}
