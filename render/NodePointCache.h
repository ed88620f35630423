// Displayed node positions of one coordinate source, computed once per list rebuild and looked
// up by node id in constant time: the list builders ask for every corner of every face, and a
// node is shared by up to eight of them.
#pragma once

#include "core/geometry/EntitySet.h"
#include "core/model/GroupSet.h"
#include "platform/base/memory.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class CNodePointCache : public CEntitySet
{
public:
    CNodePointCache() = default;
    ~CNodePointCache() override = default;
    CNodePointCache(const CNodePointCache&) = delete;
    CNodePointCache& operator=(const CNodePointCache&) = delete;

    // The source's point of every node of the map. Ids up to a few times the node count are
    // kept in an array, the others in a hash table.
    void Build(const CNodeMap& nodes, const CEntitySet& source);
    void Clear();

    // The cached point; a node outside the map is asked of the source.
    CPoint3D GetNodePoint(int id) const override;
    CFENode* GetNode(int id) const override;
    // Whether the node's point is held here (else it is asked of the source).
    bool Holds(int id) const
    {
        Xyz point;
        return Find(id, point);
    }
    // Mean point of the element's nodes, as the view computes an element's centre.
    CPoint3D GetCenter(const CFEElement& element) const;

private:
    struct Xyz
    {
        double x, y, z;
    };
    bool Find(int id, Xyz& point) const;

    const CEntitySet* m_pSource = nullptr;
    std::vector<Xyz, fw::PagedAllocator<Xyz>> m_dense; // by id, filled as soon as made
    std::vector<uint8_t> m_present;
    std::unordered_map<int, Xyz> m_sparse;
};
