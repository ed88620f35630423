// Node storage for the lists and maps: nodes are carved from blocks and recycled through a
// free list, so that a collection of millions of entries makes few heap allocations. The
// first block holds blockSize nodes; later blocks grow with the pool (up to 65536 nodes).
#pragma once

#include "platform/base/types.h"

#include <cstddef>

namespace fw
{
class NodePool
{
public:
    // Nodes are spaced by nodeSize rounded up to alignment: a map entry of a 32-bit key and a
    // pointer takes 24 bytes, not the 32 that the alignment of any type would give it.
    NodePool(size_t nodeSize, INT_PTR blockSize, size_t alignment = alignof(std::max_align_t));
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    ~NodePool() { FreeAll(); }

    // Raw storage for one node, aligned as the constructor was told; throws std::bad_alloc.
    void* Allocate();
    void Free(void* node);
    // Releases every block; all nodes must have been destroyed.
    void FreeAll();
    void SetBlockSize(INT_PTR blockSize);

private:
    struct Block
    {
        Block* next;
    };
    struct FreeNode
    {
        FreeNode* next;
    };

    void AddBlock();

    size_t m_nodeSize;
    size_t m_blockSize;
    size_t m_nodesAllocated = 0;
    Block* m_blocks = nullptr;  // owned chain
    FreeNode* m_free = nullptr; // nodes inside m_blocks
};
} // namespace fw
