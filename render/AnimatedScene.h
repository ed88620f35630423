// The renderer's frames of a deformation animation drawn without compiling lists: a frame moves
// each node by its share of the displacement and scales the values; the lists the builders
// record stay as they are but for their vertices, and a smooth contour colours its vertices by
// their nodes' values. So the geometry is recorded once, at the first frame, as node indices.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

class CAESet;
class CAnimatedFrames;

class CAnimatedScene
{
public:
    explicit CAnimatedScene(CAESet& renderer);
    ~CAnimatedScene();
    CAnimatedScene(const CAnimatedScene&) = delete;
    CAnimatedScene& operator=(const CAnimatedScene&) = delete;

    // The renderer's frame shown by moving and colouring the recorded arrays (prepared at the
    // first frame). False when the lists cannot move in place, and the caller rebuilds them.
    bool ShowFrame();
    void End();
    bool IsActive() const { return m_frames != nullptr; }

private:
    // What the arrays reproduce: a smooth contour of node values on the faces of shells and
    // solids, with the model lists that the builders record.
    bool CanAnimateInPlace() const;
    bool Prepare();
    bool CaptureModelLists(CAnimatedFrames& frames);
    bool AddContourMeshes(CAnimatedFrames& frames,
                          const std::unordered_map<int, uint32_t>& nodeIndex);

    CAESet& m_renderer;
    std::unique_ptr<CAnimatedFrames> m_frames;
    int m_refusedId = -1; // the shown id whose lists could not move in place
    // The view's display and colour modes the recorded lists bake in.
    int m_displayMode = 0;
    int m_colorMode = 0;
};
