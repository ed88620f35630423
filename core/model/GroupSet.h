// A named group of nodes and elements, filed by element kind, with its own bounding box; and
// the outer-face and feature-edge extraction the renderer builds its display lists from.
#pragma once

#include "core/geometry/Box3D.h"
#include "core/geometry/ColorRGBA.h"
#include "core/geometry/EntitySet.h"
#include "core/model/IdTable.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"

#include <cstdint>

class CFEElement;
class CFENode;
class CVisibilityView;

// Id-keyed member maps; the bucket of an id is (id >> 4) modulo the table size.
using CElementMap = CMap<UINT, UINT, CFEElement*, CFEElement*>;
using CNodeMap = CMap<UINT, UINT, CFENode*, CFENode*>;

// Feature-edge key: larger node id << 32 | smaller node id, so that every pair of 32-bit ids
// is unique. Its hash mixes both ids (a plain shift would keep only the smaller one).
struct CEdgeKey
{
    ULONGLONG value = 0;

    bool operator==(const CEdgeKey& other) const { return value == other.value; }
    bool operator!=(const CEdgeKey& other) const { return value != other.value; }
};

inline UINT HashKey(CEdgeKey key)
{
    const UINT larger = static_cast<UINT>(key.value >> 32);
    const UINT smaller = static_cast<UINT>(key.value);
    return (larger * 0x9E3779B1u) ^ smaller;
}

// Edge key -> edge value: element id << 7 | face index << 3 | edge position.
using CEdgeMap = CMap<CEdgeKey, CEdgeKey, ULONGLONG, ULONGLONG>;

inline CEdgeKey MakeEdgeKey(UINT nodeId1, UINT nodeId2)
{
    const UINT larger = nodeId1 > nodeId2 ? nodeId1 : nodeId2;
    const UINT smaller = nodeId1 > nodeId2 ? nodeId2 : nodeId1;
    return CEdgeKey{(static_cast<ULONGLONG>(larger) << 32) | smaller};
}

inline UINT EdgeKeyLargerNode(CEdgeKey key)
{
    return static_cast<UINT>(key.value >> 32);
}

inline UINT EdgeKeySmallerNode(CEdgeKey key)
{
    return static_cast<UINT>(key.value & 0xFFFFFFFFu);
}

inline ULONGLONG MakeEdgeValue(UINT elementId, UINT faceIndex, UINT edgePosition)
{
    return (static_cast<ULONGLONG>(elementId) << 7) | ((faceIndex & 15u) << 3) |
           (edgePosition & 7u);
}

inline UINT EdgeValueElementId(ULONGLONG value)
{
    return static_cast<UINT>(value >> 7);
}

inline UINT EdgeValueFaceIndex(ULONGLONG value)
{
    return static_cast<UINT>((value >> 3) & 15u);
}

// The edge's position in its face: j for faces of 3 or 4 nodes; for faces with mid-side nodes
// the position of the edge's mid-side node (1, 3, 5, 7).
inline UINT EdgeValuePosition(ULONGLONG value)
{
    return static_cast<UINT>(value & 7u);
}

class CGroupSet : public CEntitySet
{
public:
    CGroupSet();
    CGroupSet(const CGroupSet&) = delete;
    CGroupSet& operator=(const CGroupSet&) = delete;
    ~CGroupSet() override; // the members belong to the model; only the maps go

    // Entity-set slots.
    CFENode* GetNode(int id) const override;
    CPoint3D GetNodePoint(int id) const override;
    // False for null or an id already present; widens the box to the node.
    bool AddNode(CFENode* node) override;
    CFEElement* FindElement(int id) const override;
    // Files the element by its kind tag (replacing one with the same id); false for null or a
    // tag that is not an element kind.
    bool AddElement(CFEElement* element) override;

    bool RemoveElement(const CFEElement* element);
    bool RemoveNode(const CFENode* node);
    // Empties the two ridge-edge caches.
    void RemoveAll();
    // Deletes every node of the group and empties its node map: only the model, which owns the
    // nodes of its default group, calls this.
    void DeleteNodes();
    // Copies the elements of every kind (solids, shells, springs, beams, masses) into target.
    void CollectElements(CElementMap& target) const;

    // Recomputes the box from the nodes; with visibleOnly only from nodes the view shows an
    // element of (null view: with visibleOnly nothing counts).
    void UpdateBoundingBox(int visibleOnly, const CVisibilityView* view);
    CPoint3D GetCenter() const;
    const CBox3D& GetBoundingBox() const { return m_box; }
    void SetBoundingBox(const CBox3D& box) { m_box = box; }
    void ResetBoundingBox();

    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }

    // Marks the outer faces of the elements of elementMap that the view shows (the faces met
    // an odd number of times) and fills edgeMap with the boundary edges of that surface and
    // the edges where outer faces meet at 30 degrees or more. modelCount (the caller's element
    // count) is only a hint: the face table is sized from the faces visited. A view's lists
    // follow its own filter, so the view is the caller's; null visits nothing. A large set is
    // done on up to four threads, with the same result; the view is asked on the caller's
    // thread alone. Returns true.
    static bool ExtractOuterFaces(CEdgeMap& edgeMap, int modelCount, const CElementMap& elementMap,
                                  const CVisibilityView* view);

    const CElementMap& GetSolids() const { return m_solids; }
    const CElementMap& GetBeams() const { return m_beams; }
    const CElementMap& GetSprings() const { return m_springs; }
    const CElementMap& GetMasses() const { return m_masses; }
    const CElementMap& GetShells() const { return m_shells; }
    const CNodeMap& GetNodes() const { return m_nodes; }
    // Calls visit(node) for every node of the group, in ascending id order.
    template <typename Visit>
    void ForEachNode(Visit visit) const
    {
        m_nodeIndex.ForEachSet(visit);
    }
    CEdgeMap& GetSolidEdges() { return m_solidEdges; }
    CEdgeMap& GetShellEdges() { return m_shellEdges; }

    int m_id = 0;
    int m_isVisible = 1;
    int m_isActive = 1;
    CColorRGBA m_color;

private:
    CElementMap* MapForTag(int tag);
    static void RemoveFromMap(CElementMap& map, UINT id);

    CString m_name;
    CElementMap m_solids;
    CEdgeMap m_solidEdges; // ridge-edge caches: filled by the renderer, emptied here
    CElementMap m_beams;
    CElementMap m_springs;
    CElementMap m_masses;
    CElementMap m_shells;
    CEdgeMap m_shellEdges;
    CNodeMap m_nodes;
    // The same nodes by id: a lookup costs no walk along a bucket's chain (the map's hash puts
    // 16 consecutive ids in one bucket).
    CIdTable<CFENode*> m_nodeIndex;
    CBox3D m_box;
};
