// A drawing device that records what the list builders draw, grouped by the colour, material
// and render mode in force, and replays it into the display list being compiled as a few
// vertex-array draws per group. A model of a million elements then draws as a handful of
// arrays instead of a million primitives with a state change each. Shared edges of one group
// are drawn once: a line drawn twice in one colour shows the same pixels.
#pragma once

#include "render/DrawDevice.h"

class CEntitySet;

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class CListBatch : public CDrawDevice
{
public:
    CListBatch() = default;
    ~CListBatch() override = default;
    CListBatch(const CListBatch&) = delete;
    CListBatch& operator=(const CListBatch&) = delete;

    // Forgets everything recorded. Polygons drawn before any render mode is set are outlined
    // (an edge list drawn after a line mode) or filled (a face list).
    void Reset(bool outlinePolygons);
    // Draws every group on the target (normally inside the list being compiled): the group's
    // material, colour and render mode as they were set, then its primitives.
    void Replay(CDrawDevice* target) const;
    // Replay, freeing each array once it is drawn, then Reset: a list being compiled copies
    // what it is given, and a contour of millions of triangles need not be held twice.
    void ReplayAndReset(CDrawDevice* target);
    // While a list is compiled: every group's quads and triangles are drawn on the target as
    // soon as they fill a piece, instead of all at the replay; null records all (the default, and
    // Reset's). For lists whose pieces do not overlap, as the band facets of a contour: a
    // rough field's tens of millions of triangles are then never held beside the list.
    void StreamFacesTo(CDrawDevice* target) { m_streamTarget = target; }
    // Element edges by their node ids: an outline of count nodes in the current state, each
    // edge kept once per group however many faces share it, its ends read from points when
    // the edges are resolved (at the replay, or by ResolveNodeEdges). False, with nothing
    // recorded, unless the batch outlines polygons now; points must outlive the resolution.
    bool AddNodeOutline(const int* ids, int count, const CEntitySet* points);
    // Turns the edges recorded by node ids into line segments.
    void ResolveNodeEdges();
    // Hands what is recorded to take in pieces that replay in the same order, the edges by node
    // ids resolved a piece at a time, then Resets: a list compiled on another thread starts on
    // the first piece while the others resolve.
    void HandOverInPieces(const std::function<void(std::unique_ptr<CListBatch>)>& take);
    // Moves the other batch's edges by node ids into the groups of this one with the same
    // state, so that an edge both hold is drawn once.
    void TakeNodeEdges(CListBatch& other);
    // The colour and material a replay leaves set on its target, each only when a group sets
    // it: what a device is told of a batch replayed elsewhere.
    struct LastState
    {
        bool hasColor = false;
        bool hasMaterial = false;
        float color[3] = {};
        float material[4][4] = {}; // ambient, diffuse, specular, emission
        float shininess = 0.0f;
    };
    LastState GetLastState() const;
    bool IsEmpty() const;
    size_t GetGroupCount() const { return m_groups.size(); }
    // Counts over all groups, for tests and measurements.
    size_t GetTriangleCount() const;
    size_t GetQuadCount() const;
    size_t GetLineCount() const;
    size_t GetPointCount() const;
    // The vertices a replay hands the driver.
    size_t GetVertexCount() const;

    void SetColor(CColorRGBA color) override;
    CColorRGBA GetColor() override;
    void SetRenderMode(int mode) override;
    void SetMaterialAmbient(float r, float g, float b, float a) override;
    void SetMaterialDiffuse(float r, float g, float b, float a) override;
    void SetMaterialSpecular(float r, float g, float b, float a) override;
    void SetMaterialEmission(float r, float g, float b, float a) override;
    void SetShininess(float shininess) override;
    void LoadName(UINT) override {}

    void DrawQuadWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                            const CPoint3D& p3, const CPoint3D& normal, UINT name) override;
    void DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3,
                  UINT name) override;
    void DrawTriangleWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                const CPoint3D& normal, UINT name) override;
    void DrawTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                      UINT name) override;
    void DrawFan(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                 UINT_PTR unused) override;
    void DrawFan2(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                  UINT_PTR unused) override;
    void DrawPoint(const CPoint3D& point, UINT name) override;
    void DrawShrunkLine(double factor, CPoint3D a, CPoint3D b, UINT name) override;
    void DrawLine(const CPoint3D& a, const CPoint3D& b, UINT name) override;
    void DrawPolyline(const CPoint3D* points, int count, UINT name) override;
    void DrawPolygon(const CPoint3D* points, int count, UINT name) override;
    void DrawColoredPolygon(const CPoint3DArray* points, const CColorRGBA* colors) override;
    // A facet of the contour lists: a fan of triangles with its normal, or its outline.
    void DrawFacet(const CFacet* facet, UINT_PTR unused) override;
    void DrawShrunkCurve(const CPoint3DArray* curve, double factor, int curveParameter) override;

private:
    // The animation's frames draw the recorded groups with moving vertices.
    friend class CAnimatedFrames;

    // What a group is drawn with; unset parts are not sent.
    struct State
    {
        int hasColor = 0;
        int hasMode = 0;
        int hasMaterial = 0;
        int mode = 0;
        float color[3] = {};
        float material[4][4] = {}; // ambient, diffuse, specular, emission
        float shininess = 0.0f;

        bool UsesNormals() const;
        bool operator==(const State& other) const;
    };
    struct StateHash
    {
        size_t operator()(const State& state) const;
    };
    // Line segments of one group, each stored once whichever way round it was drawn.
    class LineSet
    {
    public:
        void Add(const float a[3], const float b[3]);
        // A segment added without looking for an equal one (the caller knows it is new).
        void AddUnique(const float a[3], const float b[3]);
        const std::vector<float>& Coordinates() const { return m_coords; }
        size_t GetCount() const { return m_coords.size() / 6; }

    private:
        void Grow();
        size_t Find(const float* segment, uint64_t hash) const;

        std::vector<float> m_coords;   // six per segment
        std::vector<uint32_t> m_slots; // segment index + 1, 0 empty; open addressing
    };
    struct Group
    {
        State state;
        std::vector<float> quads; // xyz per corner
        std::vector<float> quadNormals;
        std::vector<float> triangles;
        std::vector<float> triangleNormals;
        std::vector<float> points;
        LineSet lines;
        std::vector<uint64_t> nodeEdges; // smaller id << 32 | larger, until resolved
    };

    // Resolves the sorted node edges [first, end) into the lines.
    void ResolveInto(const std::vector<uint64_t>& edges, size_t first, size_t end,
                     LineSet& lines) const;
    // Sends the set parts of a group's state to the target.
    static void ApplyState(const State& state, CDrawDevice* target);
    // Draws xyz coordinates (and normals, when given) as primitives in pieces of moderate size.
    static void DrawVertices(unsigned int primitive, const std::vector<float>& coords,
                             const std::vector<float>* normals);
    Group& Current();
    bool IsOutlining() const;
    void AddTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                     const CPoint3D& normal);
    void AddQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3,
                 const CPoint3D& normal);
    void AddOutline(const CPoint3D* points, int count);
    void AddSegment(const CPoint3D& a, const CPoint3D& b);
    void StreamFaces(Group& group);

    std::vector<Group> m_groups; // in the order their state was first drawn with
    std::unordered_map<State, size_t, StateHash> m_groupIndex;
    State m_state;
    size_t m_current = SIZE_MAX; // group of m_state, SIZE_MAX until something is drawn
    size_t m_last = SIZE_MAX;    // group drawn into last
    bool m_outlineByDefault = false;
    CDrawDevice* m_streamTarget = nullptr;
    const CEntitySet* m_nodePoints = nullptr; // of the edges recorded by node ids
    CColorRGBA m_color;
    CPoint3D m_lastNormal{0.0, 0.0, 1.0};
};
