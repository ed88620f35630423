// The frames of a deformation animation drawn without compiling lists: the model lists and the
// smooth contour of the shown result are kept as arrays of node indices, and each frame moves
// the nodes (stored position plus the frame's share of their displacement) and colours them
// by the frame's values. The draw pass calls the lists as always; the device asks this object
// first (CListSubstitute) and it draws the lists it holds from the arrays.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "render/GLDevice.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class CListBatch;

class CAnimatedFrames : public CListSubstitute
{
public:
    // Node i of the frames: its stored position, its displacement at deformation factor 1 and
    // its value before the frame's scaling.
    struct Node
    {
        double position[3];
        double displacement[3];
        double value;
    };
    // One kind's contour: triangles of node indices, drawn in the ramp colours of the values.
    struct ContourMesh
    {
        UINT list = 0;
        std::vector<uint32_t> triangles;
    };

    CAnimatedFrames();
    ~CAnimatedFrames() override;
    CAnimatedFrames(const CAnimatedFrames&) = delete;
    CAnimatedFrames& operator=(const CAnimatedFrames&) = delete;

    // The nodes, indexed as the lists and meshes will name them; a node's stored position is
    // how the lists' vertices are recognised.
    void SetNodes(std::vector<Node> nodes);
    // Takes a recorded model list; false when one of its vertices is at no node, or at nodes
    // that move apart, so that the frames cannot move it.
    bool AddList(UINT list, const CListBatch& batch);
    void AddContour(ContourMesh mesh);
    const std::vector<Node>& GetNodes() const { return m_nodes; }
    size_t GetListCount() const { return m_lists.size(); }

    // The frame: positions at the deformation factor, colours of the values each turned into
    // its frame value and colour by the caller's rule (false: no colour, black).
    template <class ColourOf>
    void SetFrame(double deformationFactor, ColourOf colourOf);

    // CListSubstitute: the lists it holds, drawn from the arrays on the device.
    bool DrawInsteadOfList(UINT list, CGLDevice& device) override;

private:
    // A group of a recorded list: its state as the batch keeps it, and its primitives as node
    // indices (normals per vertex where the batch had them).
    struct Group;
    struct List;

    // Positions of the vertices that indices name, into m_gathered.
    const std::vector<float>& Gather(const std::vector<uint32_t>& indices);
    void DrawGroup(const Group& group, CGLDevice& device);
    void DrawContour(const ContourMesh& mesh, CGLDevice& device);

    std::vector<Node> m_nodes;
    struct PositionHash
    {
        size_t operator()(const std::array<float, 3>& position) const;
    };
    // Stored position (as the lists store it, in floats) -> node index; coincident nodes that
    // move alike share one entry, UINT32_MAX marks nodes that move apart.
    std::unordered_map<std::array<float, 3>, uint32_t, PositionHash> m_nodeAt;
    std::map<UINT, std::unique_ptr<List>> m_lists;
    std::vector<ContourMesh> m_contours;
    std::vector<float> m_positions; // xyz per node, this frame
    std::vector<float> m_colours;   // rgb per node, this frame
    std::vector<float> m_gathered;  // xyz per vertex of the group being drawn
};

template <class ColourOf>
void CAnimatedFrames::SetFrame(double deformationFactor, ColourOf colourOf)
{
    m_positions.resize(m_nodes.size() * 3);
    m_colours.resize(m_nodes.size() * 3);
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        const Node& node = m_nodes[i];
        for (int k = 0; k < 3; ++k)
        {
            m_positions[i * 3 + k] =
                static_cast<float>(node.position[k] + node.displacement[k] * deformationFactor);
        }
        CColorRGBA colour;
        if (!colourOf(node.value, colour))
            colour = CColorRGBA();
        m_colours[i * 3] = colour.r;
        m_colours[i * 3 + 1] = colour.g;
        m_colours[i * 3 + 2] = colour.b;
    }
}
