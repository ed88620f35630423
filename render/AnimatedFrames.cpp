// Animation frames from arrays: recorded lists turned into node indices, and the frame's
// positions and colours drawn through them.
#include "render/AnimatedFrames.h"

#include "render/ListBatch.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>

namespace
{
constexpr uint32_t kMovesApart = UINT32_MAX;
// Indices per draw call: a multiple of 2, 3 and 4 that keeps each call moderate.
constexpr size_t kChunkIndices = 12 * 16384;

std::array<float, 3> KeyOf(const float* xyz)
{
    return {xyz[0], xyz[1], xyz[2]};
}
} // namespace

struct CAnimatedFrames::Group
{
    CListBatch::State state;
    std::vector<uint32_t> quadTriangles; // each quad as two triangles
    std::vector<float> quadTriangleNormals;
    std::vector<uint32_t> triangles;
    std::vector<float> triangleNormals;
    std::vector<uint32_t> lines;
    std::vector<uint32_t> points;
};

struct CAnimatedFrames::List
{
    std::vector<Group> groups;
};

size_t CAnimatedFrames::PositionHash::operator()(const std::array<float, 3>& position) const
{
    uint64_t h = 0xCBF29CE484222325ull;
    for (const float coordinate : position)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &coordinate, sizeof bits);
        h = (h ^ bits) * 0x100000001B3ull;
    }
    return static_cast<size_t>(h ^ (h >> 32));
}

CAnimatedFrames::CAnimatedFrames() = default;

CAnimatedFrames::~CAnimatedFrames() = default;

void CAnimatedFrames::SetNodes(std::vector<Node> nodes)
{
    m_nodes = std::move(nodes);
    m_nodeAt.clear();
    m_nodeAt.reserve(m_nodes.size());
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        const Node& node = m_nodes[i];
        const std::array<float, 3> key = {static_cast<float>(node.position[0]),
                                          static_cast<float>(node.position[1]),
                                          static_cast<float>(node.position[2])};
        const auto inserted = m_nodeAt.emplace(key, static_cast<uint32_t>(i));
        if (inserted.second || inserted.first->second == kMovesApart)
            continue;
        // Coincident nodes: one vertex stands for both only while they move alike.
        const Node& other = m_nodes[inserted.first->second];
        if (!std::equal(node.displacement, node.displacement + 3, other.displacement))
            inserted.first->second = kMovesApart;
    }
}

bool CAnimatedFrames::AddList(UINT list, const CListBatch& batch)
{
    const auto toIndices = [this](const std::vector<float>& coords, std::vector<uint32_t>& out)
    {
        out.reserve(coords.size() / 3);
        for (size_t i = 0; i + 2 < coords.size(); i += 3)
        {
            const auto found = m_nodeAt.find(KeyOf(&coords[i]));
            if (found == m_nodeAt.end() || found->second == kMovesApart)
                return false;
            out.push_back(found->second);
        }
        return true;
    };
    auto converted = std::make_unique<List>();
    std::vector<uint32_t> quads;
    for (const CListBatch::Group& recorded : batch.m_groups)
    {
        Group group;
        group.state = recorded.state;
        group.triangleNormals = recorded.triangleNormals;
        quads.clear();
        if (!toIndices(recorded.quads, quads) || !toIndices(recorded.triangles, group.triangles) ||
            !toIndices(recorded.lines.Coordinates(), group.lines) ||
            !toIndices(recorded.points, group.points))
            return false;
        // A quad goes as the two triangles that a compiled list makes of it (corners 0 1 3 and
        // 1 2 3), so that a bent quad and a surface at the same depth settle as in the list.
        for (size_t q = 0; q + 3 < quads.size(); q += 4)
        {
            for (const size_t corner : {q, q + 1, q + 3, q + 1, q + 2, q + 3})
            {
                group.quadTriangles.push_back(quads[corner]);
                if (recorded.quadNormals.empty())
                    continue; // unlit
                const float* normal = &recorded.quadNormals[corner * 3];
                group.quadTriangleNormals.insert(group.quadTriangleNormals.end(), normal,
                                                 normal + 3);
            }
        }
        converted->groups.push_back(std::move(group));
    }
    m_lists[list] = std::move(converted);
    return true;
}

void CAnimatedFrames::AddContour(ContourMesh mesh)
{
    m_contours.push_back(std::move(mesh));
}

bool CAnimatedFrames::DrawInsteadOfList(UINT list, CGLDevice& device)
{
    const auto found = m_lists.find(list);
    if (found != m_lists.end())
    {
        for (const Group& group : found->second->groups)
            DrawGroup(group, device);
        return true;
    }
    for (const ContourMesh& mesh : m_contours)
    {
        if (mesh.list == list)
        {
            DrawContour(mesh, device);
            return true;
        }
    }
    return false;
}

const std::vector<float>& CAnimatedFrames::Gather(const std::vector<uint32_t>& indices)
{
    m_gathered.resize(indices.size() * 3);
    for (size_t i = 0; i < indices.size(); ++i)
        std::copy_n(&m_positions[static_cast<size_t>(indices[i]) * 3], 3, &m_gathered[i * 3]);
    return m_gathered;
}

// The group as the list would draw it: its state, then quads, triangles, lines and points.
void CAnimatedFrames::DrawGroup(const Group& group, CGLDevice& device)
{
    CListBatch::ApplyState(group.state, &device);
    // Unlit groups were recorded without normals.
    const bool hasNormals = group.state.UsesNormals();
    CListBatch::DrawVertices(GL_TRIANGLES, Gather(group.quadTriangles),
                             hasNormals ? &group.quadTriangleNormals : nullptr);
    CListBatch::DrawVertices(GL_TRIANGLES, Gather(group.triangles),
                             hasNormals ? &group.triangleNormals : nullptr);
    CListBatch::DrawVertices(GL_LINES, Gather(group.lines), nullptr);
    CListBatch::DrawVertices(GL_POINTS, Gather(group.points), nullptr);
}

// As the smooth contour list draws it: filled, unlit, a colour per vertex.
void CAnimatedFrames::DrawContour(const ContourMesh& mesh, CGLDevice& device)
{
    device.SetRenderMode(kRenderFill);
    if (mesh.triangles.empty() || m_positions.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, m_positions.data());
    glColorPointer(3, GL_FLOAT, 0, m_colours.data());
    for (size_t first = 0; first < mesh.triangles.size(); first += kChunkIndices)
    {
        const size_t count = std::min(kChunkIndices, mesh.triangles.size() - first);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count), GL_UNSIGNED_INT,
                       mesh.triangles.data() + first);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
