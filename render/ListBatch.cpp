// Recording device of the list builders.
#include "render/ListBatch.h"

#include "core/geometry/EntitySet.h"
#include "core/geometry/VectorMath.h"
#include "core/model/CurveInterpolation.h"
#include "render/Facet.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>

namespace
{
// Vertices per draw call: a multiple of 2, 3 and 4 that keeps each compiled piece moderate.
constexpr GLsizei kChunkVertices = 12 * 16384;

void AppendPoint(std::vector<float>& target, const CPoint3D& p)
{
    target.push_back(static_cast<float>(p.x));
    target.push_back(static_cast<float>(p.y));
    target.push_back(static_cast<float>(p.z));
}

void AppendRepeated(std::vector<float>& target, const CPoint3D& v, int times)
{
    for (int i = 0; i < times; ++i)
        AppendPoint(target, v);
}

uint64_t MixBits(uint64_t h, uint32_t word)
{
    h ^= word;
    h *= 0x100000001B3ull;
    return h ^ (h >> 29);
}

uint64_t HashSegment(const float* segment)
{
    uint64_t h = 0xCBF29CE484222325ull;
    for (int i = 0; i < 6; ++i)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, segment + i, sizeof bits);
        h = MixBits(h, bits);
    }
    return h;
}

// Sorts the keys and drops repeats: a least-significant-digit radix sort in 16-bit digits, a
// digit that every key shares skipped (node ids rarely use the high ones).
void SortUnique(std::vector<uint64_t>& keys)
{
    std::vector<uint64_t> scratch(keys.size());
    std::vector<size_t> counts(65536 + 1);
    for (int shift = 0; shift < 64; shift += 16)
    {
        std::fill(counts.begin(), counts.end(), 0);
        for (const uint64_t key : keys)
            ++counts[((key >> shift) & 0xFFFF) + 1];
        if (counts[((keys.front() >> shift) & 0xFFFF) + 1] == keys.size())
            continue;
        for (size_t i = 1; i < counts.size(); ++i)
            counts[i] += counts[i - 1];
        for (const uint64_t key : keys)
            scratch[counts[(key >> shift) & 0xFFFF]++] = key;
        keys.swap(scratch);
    }
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
}

bool LessPoint(const float a[3], const float b[3])
{
    return std::lexicographical_compare(a, a + 3, b, b + 3);
}

// Draws an array in pieces: with normals when given (quads and triangles).
void DrawArray(GLenum primitive, const std::vector<float>& coords,
               const std::vector<float>* normals)
{
    const GLsizei total = static_cast<GLsizei>(coords.size() / 3);
    if (total == 0)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    if (normals)
        glEnableClientState(GL_NORMAL_ARRAY);
    for (GLsizei first = 0; first < total; first += kChunkVertices)
    {
        const GLsizei count = std::min(kChunkVertices, total - first);
        glVertexPointer(3, GL_FLOAT, 0, coords.data() + 3 * static_cast<size_t>(first));
        if (normals)
            glNormalPointer(GL_FLOAT, 0, normals->data() + 3 * static_cast<size_t>(first));
        glDrawArrays(primitive, 0, count);
    }
    if (normals)
        glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
} // namespace

// Faces of an unlit mode ignore their normals: the list need not store them.
bool CListBatch::State::UsesNormals() const
{
    return !hasMode || mode == kRenderBackLit || mode == kRenderFrontLit || mode == kRenderLit ||
           mode == kRenderLitFront;
}

bool CListBatch::State::operator==(const State& other) const
{
    return std::memcmp(this, &other, sizeof(State)) == 0;
}

size_t CListBatch::StateHash::operator()(const State& state) const
{
    uint64_t h = 0xCBF29CE484222325ull;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&state);
    for (size_t i = 0; i < sizeof(State); ++i)
        h = (h ^ bytes[i]) * 0x100000001B3ull;
    return static_cast<size_t>(h);
}

void CListBatch::LineSet::Add(const float a[3], const float b[3])
{
    float segment[6];
    const bool isOrdered = !LessPoint(b, a);
    std::memcpy(segment, isOrdered ? a : b, 3 * sizeof(float));
    std::memcpy(segment + 3, isOrdered ? b : a, 3 * sizeof(float));
    if ((GetCount() + 1) * 2 > m_slots.size())
        Grow();
    const uint64_t hash = HashSegment(segment);
    const size_t slot = Find(segment, hash);
    if (m_slots[slot] != 0)
        return; // drawn already
    m_coords.insert(m_coords.end(), segment, segment + 6);
    m_slots[slot] = static_cast<uint32_t>(GetCount());
}

void CListBatch::LineSet::AddUnique(const float a[3], const float b[3])
{
    const bool isOrdered = !LessPoint(b, a);
    m_coords.insert(m_coords.end(), isOrdered ? a : b, (isOrdered ? a : b) + 3);
    m_coords.insert(m_coords.end(), isOrdered ? b : a, (isOrdered ? b : a) + 3);
    // Segments added later are compared with this one too.
    if (!m_slots.empty())
    {
        if (GetCount() * 2 > m_slots.size())
        {
            Grow();
            return;
        }
        const float* segment = m_coords.data() + m_coords.size() - 6;
        m_slots[Find(segment, HashSegment(segment))] = static_cast<uint32_t>(GetCount());
    }
}

size_t CListBatch::LineSet::Find(const float* segment, uint64_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = static_cast<size_t>(hash) & mask;
    while (m_slots[slot] != 0)
    {
        const float* stored = m_coords.data() + 6 * static_cast<size_t>(m_slots[slot] - 1);
        if (std::memcmp(stored, segment, 6 * sizeof(float)) == 0)
            return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CListBatch::LineSet::Grow()
{
    const size_t size = std::max<size_t>(1024, m_slots.size() * 2);
    m_slots.assign(size, 0);
    for (size_t i = 0; i < GetCount(); ++i)
    {
        const float* segment = m_coords.data() + 6 * i;
        m_slots[Find(segment, HashSegment(segment))] = static_cast<uint32_t>(i + 1);
    }
}

bool CListBatch::AddNodeOutline(const int* ids, int count, const CEntitySet* points)
{
    if (!IsOutlining() || points == nullptr || (m_nodePoints != nullptr && m_nodePoints != points))
        return false;
    m_nodePoints = points;
    std::vector<uint64_t>& edges = Current().nodeEdges;
    for (int i = 0; i < count; ++i)
    {
        const uint32_t a = static_cast<uint32_t>(ids[i]);
        const uint32_t b = static_cast<uint32_t>(ids[(i + 1) % count]);
        edges.push_back(a < b ? uint64_t{a} << 32 | b : uint64_t{b} << 32 | a);
    }
    return true;
}

void CListBatch::TakeNodeEdges(CListBatch& other)
{
    if (other.m_nodePoints == nullptr ||
        (m_nodePoints != nullptr && m_nodePoints != other.m_nodePoints))
        return;
    m_nodePoints = other.m_nodePoints;
    const State state = m_state;
    for (Group& group : other.m_groups)
    {
        if (group.nodeEdges.empty())
            continue;
        m_state = group.state;
        m_current = SIZE_MAX;
        std::vector<uint64_t>& edges = Current().nodeEdges;
        edges.insert(edges.end(), group.nodeEdges.begin(), group.nodeEdges.end());
        std::vector<uint64_t>().swap(group.nodeEdges);
    }
    other.m_nodePoints = nullptr;
    m_state = state;
    m_current = SIZE_MAX;
}

void CListBatch::ResolveNodeEdges()
{
    for (Group& group : m_groups)
    {
        if (group.nodeEdges.empty())
            continue;
        SortUnique(group.nodeEdges);
        ResolveInto(group.nodeEdges, 0, group.nodeEdges.size(), group.lines);
        std::vector<uint64_t>().swap(group.nodeEdges);
    }
    m_nodePoints = nullptr;
}

void CListBatch::ResolveInto(const std::vector<uint64_t>& edges, size_t first, size_t end,
                             LineSet& lines) const
{
    for (size_t i = first; i < end; ++i)
    {
        const uint64_t key = edges[i];
        const CPoint3D a = m_nodePoints->GetNodePoint(static_cast<int>(key >> 32));
        const CPoint3D b = m_nodePoints->GetNodePoint(static_cast<int>(key & 0xFFFFFFFFu));
        const float fa[3] = {static_cast<float>(a.x), static_cast<float>(a.y),
                             static_cast<float>(a.z)};
        const float fb[3] = {static_cast<float>(b.x), static_cast<float>(b.y),
                             static_cast<float>(b.z)};
        lines.AddUnique(fa, fb);
    }
}

void CListBatch::HandOverInPieces(const std::function<void(std::unique_ptr<CListBatch>)>& take)
{
    // A group replays its faces, its lines and then its points: its edges by node ids, the last
    // of its lines, go in pieces of their own between them.
    const auto piece = [this](const State& state)
    {
        auto made = std::make_unique<CListBatch>();
        made->m_outlineByDefault = m_outlineByDefault;
        made->m_groups.emplace_back();
        made->m_groups.back().state = state;
        return made;
    };
    constexpr size_t kEdgesPerPiece = kChunkVertices / 2;
    for (Group& group : m_groups)
    {
        std::vector<uint64_t> edges;
        edges.swap(group.nodeEdges);
        std::unique_ptr<CListBatch> first = piece(group.state);
        Group& body = first->m_groups.back();
        body.quads.swap(group.quads);
        body.quadNormals.swap(group.quadNormals);
        body.triangles.swap(group.triangles);
        body.triangleNormals.swap(group.triangleNormals);
        body.lines = std::move(group.lines);
        if (!edges.empty())
        {
            SortUnique(edges);
            ResolveInto(edges, 0, std::min(edges.size(), kEdgesPerPiece), body.lines);
        }
        take(std::move(first));
        for (size_t next = kEdgesPerPiece; next < edges.size(); next += kEdgesPerPiece)
        {
            std::unique_ptr<CListBatch> more = piece(group.state);
            ResolveInto(edges, next, std::min(edges.size(), next + kEdgesPerPiece),
                        more->m_groups.back().lines);
            take(std::move(more));
        }
        if (!group.points.empty())
        {
            std::unique_ptr<CListBatch> last = piece(group.state);
            last->m_groups.back().points.swap(group.points);
            take(std::move(last));
        }
    }
    Reset(false);
}

void CListBatch::Reset(bool outlinePolygons)
{
    m_groups.clear();
    m_groupIndex.clear();
    m_state = State();
    m_current = SIZE_MAX;
    m_last = SIZE_MAX;
    m_outlineByDefault = outlinePolygons;
    m_lastNormal = CPoint3D(0.0, 0.0, 1.0);
    m_streamTarget = nullptr;
    m_nodePoints = nullptr;
}

void CListBatch::DrawVertices(unsigned int primitive, const std::vector<float>& coords,
                              const std::vector<float>* normals)
{
    DrawArray(primitive, coords, normals);
}

void CListBatch::ApplyState(const State& s, CDrawDevice* target)
{
    if (s.hasMaterial)
    {
        target->SetMaterialAmbient(s.material[0][0], s.material[0][1], s.material[0][2],
                                   s.material[0][3]);
        target->SetMaterialDiffuse(s.material[1][0], s.material[1][1], s.material[1][2],
                                   s.material[1][3]);
        target->SetMaterialSpecular(s.material[2][0], s.material[2][1], s.material[2][2],
                                    s.material[2][3]);
        target->SetMaterialEmission(s.material[3][0], s.material[3][1], s.material[3][2],
                                    s.material[3][3]);
        target->SetShininess(s.shininess);
    }
    if (s.hasColor)
        target->SetColor(CColorRGBA(s.color[0], s.color[1], s.color[2], 0.0f));
    if (s.hasMode)
        target->SetRenderMode(s.mode);
}

void CListBatch::Replay(CDrawDevice* target) const
{
    if (!target)
        return;
    for (const Group& group : m_groups)
    {
        ApplyState(group.state, target);
        const bool hasNormals = group.state.UsesNormals();
        DrawArray(GL_QUADS, group.quads, hasNormals ? &group.quadNormals : nullptr);
        DrawArray(GL_TRIANGLES, group.triangles, hasNormals ? &group.triangleNormals : nullptr);
        DrawArray(GL_LINES, group.lines.Coordinates(), nullptr);
        DrawArray(GL_POINTS, group.points, nullptr);
    }
}

void CListBatch::ReplayAndReset(CDrawDevice* target)
{
    ResolveNodeEdges();
    if (target)
    {
        for (Group& group : m_groups)
        {
            ApplyState(group.state, target);
            const bool hasNormals = group.state.UsesNormals();
            DrawArray(GL_QUADS, group.quads, hasNormals ? &group.quadNormals : nullptr);
            std::vector<float>().swap(group.quads);
            std::vector<float>().swap(group.quadNormals);
            DrawArray(GL_TRIANGLES, group.triangles, hasNormals ? &group.triangleNormals : nullptr);
            std::vector<float>().swap(group.triangles);
            std::vector<float>().swap(group.triangleNormals);
            DrawArray(GL_LINES, group.lines.Coordinates(), nullptr);
            group.lines = LineSet();
            DrawArray(GL_POINTS, group.points, nullptr);
            std::vector<float>().swap(group.points);
        }
    }
    Reset(false);
}

CListBatch::LastState CListBatch::GetLastState() const
{
    LastState last;
    for (const Group& group : m_groups)
    {
        const State& s = group.state;
        if (s.hasColor)
        {
            last.hasColor = true;
            std::memcpy(last.color, s.color, sizeof last.color);
        }
        if (s.hasMaterial)
        {
            last.hasMaterial = true;
            std::memcpy(last.material, s.material, sizeof last.material);
            last.shininess = s.shininess;
        }
    }
    return last;
}

bool CListBatch::IsEmpty() const
{
    return GetQuadCount() + GetTriangleCount() + GetLineCount() + GetPointCount() == 0;
}

size_t CListBatch::GetTriangleCount() const
{
    size_t count = 0;
    for (const Group& group : m_groups)
        count += group.triangles.size() / 9;
    return count;
}

size_t CListBatch::GetQuadCount() const
{
    size_t count = 0;
    for (const Group& group : m_groups)
        count += group.quads.size() / 12;
    return count;
}

size_t CListBatch::GetLineCount() const
{
    size_t count = 0;
    for (const Group& group : m_groups)
        count += group.lines.GetCount();
    return count;
}

size_t CListBatch::GetPointCount() const
{
    size_t count = 0;
    for (const Group& group : m_groups)
        count += group.points.size() / 3;
    return count;
}

size_t CListBatch::GetVertexCount() const
{
    return 4 * GetQuadCount() + 3 * GetTriangleCount() + 2 * GetLineCount() + GetPointCount();
}

void CListBatch::SetColor(CColorRGBA color)
{
    m_color = color;
    m_state.hasColor = 1;
    m_state.color[0] = color.r;
    m_state.color[1] = color.g;
    m_state.color[2] = color.b;
    m_current = SIZE_MAX;
}

CColorRGBA CListBatch::GetColor()
{
    return m_color;
}

void CListBatch::SetRenderMode(int mode)
{
    m_state.hasMode = 1;
    m_state.mode = mode;
    m_current = SIZE_MAX;
}

void CListBatch::SetMaterialAmbient(float r, float g, float b, float a)
{
    const float values[4] = {r, g, b, a};
    std::memcpy(m_state.material[0], values, sizeof values);
    m_state.hasMaterial = 1;
    m_current = SIZE_MAX;
}

void CListBatch::SetMaterialDiffuse(float r, float g, float b, float a)
{
    const float values[4] = {r, g, b, a};
    std::memcpy(m_state.material[1], values, sizeof values);
    m_state.hasMaterial = 1;
    m_current = SIZE_MAX;
}

void CListBatch::SetMaterialSpecular(float r, float g, float b, float a)
{
    const float values[4] = {r, g, b, a};
    std::memcpy(m_state.material[2], values, sizeof values);
    m_state.hasMaterial = 1;
    m_current = SIZE_MAX;
}

void CListBatch::SetMaterialEmission(float r, float g, float b, float a)
{
    const float values[4] = {r, g, b, a};
    std::memcpy(m_state.material[3], values, sizeof values);
    m_state.hasMaterial = 1;
    m_current = SIZE_MAX;
}

void CListBatch::SetShininess(float shininess)
{
    m_state.shininess = shininess;
    m_state.hasMaterial = 1;
    m_current = SIZE_MAX;
}

CListBatch::Group& CListBatch::Current()
{
    if (m_current == SIZE_MAX)
    {
        // Builders set the same colour and material element after element: the group drawn
        // last is found without hashing the state.
        if (m_last < m_groups.size() && m_groups[m_last].state == m_state)
        {
            m_current = m_last;
            return m_groups[m_current];
        }
        const auto found = m_groupIndex.find(m_state);
        if (found != m_groupIndex.end())
        {
            m_current = found->second;
        }
        else
        {
            m_current = m_groups.size();
            m_groups.emplace_back();
            m_groups.back().state = m_state;
            m_groupIndex.emplace(m_state, m_current);
        }
        m_last = m_current;
    }
    return m_groups[m_current];
}

// As the OpenGL device's render modes: lines and unknown modes outline polygons, the others
// fill them.
bool CListBatch::IsOutlining() const
{
    if (!m_state.hasMode)
        return m_outlineByDefault;
    return m_state.mode < kRenderFrontFill || m_state.mode > kRenderFillAbove;
}

void CListBatch::AddTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                             const CPoint3D& normal)
{
    Group& group = Current();
    AppendPoint(group.triangles, p0);
    AppendPoint(group.triangles, p1);
    AppendPoint(group.triangles, p2);
    // An unlit group is replayed without normals: a rough contour of millions of triangles
    // need not hold them.
    if (group.state.UsesNormals())
        AppendRepeated(group.triangleNormals, normal, 3);
    m_lastNormal = normal;
    if (m_streamTarget != nullptr && group.triangles.size() >= 3 * size_t{kChunkVertices})
        StreamFaces(group);
}

void CListBatch::StreamFaces(Group& group)
{
    ApplyState(group.state, m_streamTarget);
    const bool hasNormals = group.state.UsesNormals();
    DrawArray(GL_QUADS, group.quads, hasNormals ? &group.quadNormals : nullptr);
    DrawArray(GL_TRIANGLES, group.triangles, hasNormals ? &group.triangleNormals : nullptr);
    // The capacity stays for the group's next piece.
    group.quads.clear();
    group.quadNormals.clear();
    group.triangles.clear();
    group.triangleNormals.clear();
}

void CListBatch::AddOutline(const CPoint3D* points, int count)
{
    for (int i = 0; i < count; ++i)
        AddSegment(points[i], points[(i + 1) % count]);
}

void CListBatch::AddSegment(const CPoint3D& a, const CPoint3D& b)
{
    const float fa[3] = {static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(a.z)};
    const float fb[3] = {static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z)};
    Current().lines.Add(fa, fb);
}

void CListBatch::DrawQuadWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                    const CPoint3D& p3, const CPoint3D& normal, UINT)
{
    if (IsOutlining())
    {
        const CPoint3D corners[4] = {p0, p1, p2, p3};
        AddOutline(corners, 4);
        return;
    }
    AddQuad(p0, p1, p2, p3, normal);
}

void CListBatch::AddQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                         const CPoint3D& p3, const CPoint3D& normal)
{
    Group& group = Current();
    AppendPoint(group.quads, p0);
    AppendPoint(group.quads, p1);
    AppendPoint(group.quads, p2);
    AppendPoint(group.quads, p3);
    if (group.state.UsesNormals())
        AppendRepeated(group.quadNormals, normal, 4);
    m_lastNormal = normal;
    if (m_streamTarget != nullptr && group.quads.size() >= 3 * size_t{kChunkVertices})
        StreamFaces(group);
}

void CListBatch::DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                          const CPoint3D& p3, UINT name)
{
    DrawQuadWithNormal(p0, p1, p2, p3, m_lastNormal, name);
}

void CListBatch::DrawTriangleWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                        const CPoint3D& normal, UINT)
{
    if (IsOutlining())
    {
        const CPoint3D corners[3] = {p0, p1, p2};
        AddOutline(corners, 3);
        return;
    }
    AddTriangle(p0, p1, p2, normal);
}

void CListBatch::DrawTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, UINT name)
{
    DrawTriangleWithNormal(p0, p1, p2, m_lastNormal, name);
}

void CListBatch::DrawFan(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill, UINT_PTR)
{
    if (!ring)
        return;
    const int n = static_cast<int>(ring->GetSize());
    if (!fill)
    {
        DrawPolyline(ring->GetData(), n, 0);
        return;
    }
    // One triangle per ring step with its own normal, as the OpenGL device draws a fan.
    for (int i = 0; i < n; ++i)
    {
        const CPoint3D triangle[3] = {centre, (*ring)[i], (*ring)[(i + 1) % n]};
        CPoint3D normal;
        TriangleUnitNormal(triangle, normal);
        DrawTriangleWithNormal(triangle[0], triangle[1], triangle[2], normal, 0);
    }
}

void CListBatch::DrawFan2(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                          UINT_PTR unused)
{
    DrawFan(ring, centre, fill, unused);
}

void CListBatch::DrawPoint(const CPoint3D& point, UINT)
{
    AppendPoint(Current().points, point);
}

void CListBatch::DrawShrunkLine(double factor, CPoint3D a, CPoint3D b, UINT)
{
    const CPoint3D mid = (a + b) * 0.5;
    AddSegment(mid + (a - mid) * factor, mid + (b - mid) * factor);
}

void CListBatch::DrawLine(const CPoint3D& a, const CPoint3D& b, UINT)
{
    AddSegment(a, b);
}

void CListBatch::DrawPolyline(const CPoint3D* points, int count, UINT)
{
    for (int i = 0; points && i + 1 < count; ++i)
        AddSegment(points[i], points[i + 1]);
}

void CListBatch::DrawPolygon(const CPoint3D* points, int count, UINT)
{
    if (!points || count < 3)
        return;
    if (IsOutlining())
    {
        AddOutline(points, count);
        return;
    }
    for (int i = 1; i + 1 < count; ++i)
        AddTriangle(points[0], points[i], points[i + 1], m_lastNormal);
}

void CListBatch::DrawColoredPolygon(const CPoint3DArray* points, const CColorRGBA*)
{
    if (points)
        DrawPolygon(points->GetData(), static_cast<int>(points->GetSize()), 0);
}

void CListBatch::DrawFacet(const CFacet* facet, UINT_PTR)
{
    if (!facet || facet->GetVertexCount() < 3)
        return;
    const CPoint3D* const* vertices = facet->m_vertices.GetData();
    const int count = static_cast<int>(facet->GetVertexCount());
    if (IsOutlining())
    {
        for (int i = 0; i < count; ++i)
            AddSegment(*vertices[i], *vertices[(i + 1) % count]);
        return;
    }
    for (int i = 1; i + 1 < count; ++i)
        AddTriangle(*vertices[0], *vertices[i], *vertices[i + 1], facet->m_normal);
}

void CListBatch::DrawShrunkCurve(const CPoint3DArray* curve, double factor, int curveParameter)
{
    if (!curve || curve->GetSize() < 3)
        return;
    const CPoint3D points[3] = {(*curve)[0], (*curve)[1], (*curve)[2]};
    CPoint3DArray sampled;
    BuildShrunkCurve(points, factor, curveParameter, sampled);
    DrawPolyline(sampled.GetData(), static_cast<int>(sampled.GetSize()), 0);
}
