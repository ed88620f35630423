// The renderer's frames of a deformation animation drawn from recorded arrays.
#include "render/AnimatedScene.h"

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

CAnimatedScene::CAnimatedScene(CAESet& renderer)
    : m_renderer(renderer)
{
}

CAnimatedScene::~CAnimatedScene()
{
    End();
}

bool CAnimatedScene::ShowFrame()
{
    // The lists bake the modes they were recorded in.
    if (m_frames != nullptr && m_renderer.View() != nullptr &&
        (m_renderer.View()->Scene().DisplayMode() != m_displayMode ||
         m_renderer.View()->Scene().ColorMode() != m_colorMode))
        End();
    if (m_frames == nullptr && !Prepare())
        return false;
    const CResultDisplayAttr bands = m_renderer.GetDisplayAttr();
    const CContourCutter cutter(&bands);
    const bool isDeformed = m_renderer.ShowDeformation() != CAESet::kNoDeformation;
    m_frames->SetFrame(
        isDeformed ? m_renderer.DeformationFactor() : 0.0,
        [&](double value, CColorRGBA& colour)
        {
            const double shown = isDeformed ? m_renderer.GetAnimatedValue(value) : value;
            return cutter.SmoothColor(shown, CContourCutter::kFaceUpperTolerance, colour);
        });
    return true;
}

void CAnimatedScene::End()
{
    if (m_frames == nullptr)
        return;
    if (m_renderer.View() != nullptr)
        m_renderer.View()->Device().SetListSubstitute(nullptr);
    m_frames.reset();
}

// What the arrays reproduce: a smooth contour of node values on the faces of shells and
// solids, with the model lists that the builders record. Anything else rebuilds its lists.
bool CAnimatedScene::CanAnimateInPlace() const
{
    if (m_renderer.View() == nullptr || m_renderer.Group() == nullptr ||
        m_renderer.ContourResultId() == -1 || m_renderer.VectorResultId() != -1 ||
        m_renderer.View()->Scene().IsShrunk() || m_renderer.Group()->GetSprings().GetCount() > 0)
        return false;
    const CResultData* result = m_renderer.FindResult(m_renderer.ContourResultId());
    if (result == nullptr || result->GetStepKind() == CResultData::kFlagStepKind)
        return false;
    const CResultDisplayAttr bands = m_renderer.GetDisplayAttr();
    return bands.m_nContourType == CResultDisplayAttr::kBands && bands.m_nBandType == 2 &&
           bands.m_nResultCategory != 0 && (m_renderer.ResultComponent() & kElementBlock) == 0;
}

bool CAnimatedScene::Prepare()
{
    if (!CanAnimateInPlace() || m_renderer.ContourResultId() == m_refusedId)
        return false;
    bool isPrepared = false;
    render_log::RunLogged(
        "CAESet::PrepareAnimatedFrames",
        [this, &isPrepared]
        {
            // Each node's stored position and value as read, and its displacement at factor 1.
            std::vector<CAnimatedFrames::Node> nodes;
            std::unordered_map<int, uint32_t> nodeIndex;
            nodeIndex.reserve(static_cast<size_t>(m_renderer.Group()->GetNodes().GetCount()));
            {
                DeformationState saved(m_renderer);
                const CNodeMap& groupNodes = m_renderer.Group()->GetNodes();
                nodes.reserve(static_cast<size_t>(groupNodes.GetCount()));
                for (const UINT id : groupNodes.SortedKeys())
                {
                    const int nodeId = static_cast<int>(id);
                    m_renderer.SetShowDeformation(CAESet::kNoDeformation);
                    const CPoint3D stored = m_renderer.View()->GetNodePoint(nodeId);
                    const double value = m_renderer.View()->GetResultValue(nodeId, 0);
                    m_renderer.SetShowDeformation(CAESet::kAbsoluteScale);
                    m_renderer.SetDeformationFactor(1.0);
                    const CPoint3D moved = m_renderer.View()->GetNodePoint(nodeId);
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
            m_frames = std::move(frames);
            m_displayMode = m_renderer.View()->Scene().DisplayMode();
            m_colorMode = m_renderer.View()->Scene().ColorMode();
            m_renderer.View()->Device().SetListSubstitute(m_frames.get());
            isPrepared = true;
        });
    if (!isPrepared)
        m_refusedId = m_renderer.ContourResultId();
    return isPrepared;
}

// The model lists recorded at the stored positions, by the builders that RenderAll runs.
bool CAnimatedScene::CaptureModelLists(CAnimatedFrames& frames)
{
    CSceneLists::CCapture captured;
    {
        DeformationState saved(m_renderer);
        m_renderer.SetShowDeformation(CAESet::kNoDeformation);
        m_renderer.Lists().BeginCapture(captured);
        m_renderer.Lists().HoldPoints(true);
        try
        {
            m_renderer.CreateModelLists();
        }
        catch (...)
        {
            m_renderer.Lists().RefuseCapture();
        }
        m_renderer.Lists().HoldPoints(false);
        m_renderer.ReleasePoints();
        m_renderer.Lists().EndCapture();
    }
    if (m_renderer.Lists().IsCaptureRefused())
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
bool CAnimatedScene::AddContourMeshes(CAnimatedFrames& frames,
                                      const std::unordered_map<int, uint32_t>& nodeIndex)
{
    const auto isShown = [this](const CFEElement* element)
    {
        return element != nullptr && element->m_display &&
               m_renderer.View()->IsEntityVisible(element) == 1;
    };
    for (const auto& [id, beam] : fw::Assocs(m_renderer.Group()->GetBeams()))
    {
        if (beam != nullptr && m_renderer.View()->IsEntityVisible(beam) == 1)
            return false; // beams are contoured along their lines
    }
    const std::vector<CAnimatedFrames::Node>& nodes = frames.GetNodes();
    for (const auto& [code, elements] :
         {std::make_pair(CAESet::kShellContourList, &m_renderer.Group()->GetShells()),
          std::make_pair(CAESet::kSolidContourList, &m_renderer.Group()->GetSolids())})
    {
        CAnimatedFrames::ContourMesh mesh;
        mesh.list = m_renderer.ListName(code);
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
