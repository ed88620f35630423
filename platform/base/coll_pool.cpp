// Block pool for list and map nodes.
#include "platform/base/coll_pool.h"

#include "platform/base/memory.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace
{
constexpr size_t kAlign = alignof(std::max_align_t);
constexpr size_t kMaxBlockNodes = 65536;

size_t RoundUp(size_t size, size_t align = kAlign)
{
    return (size + align - 1) / align * align;
}
} // namespace

namespace fw
{
NodePool::NodePool(size_t nodeSize, INT_PTR blockSize, size_t alignment)
    : m_nodeSize(
          RoundUp(std::max(nodeSize, sizeof(FreeNode)), std::max(alignment, alignof(FreeNode))))
    , m_blockSize(blockSize > 0 ? static_cast<size_t>(blockSize) : 10)
{
}

void* NodePool::Allocate()
{
    if (!m_free)
        AddBlock();
    FreeNode* node = m_free;
    m_free = node->next;
    return node;
}

void NodePool::Free(void* node)
{
    FreeNode* freeNode = static_cast<FreeNode*>(node);
    freeNode->next = m_free;
    m_free = freeNode;
}

void NodePool::FreeAll()
{
    while (m_blocks)
    {
        Block* next = m_blocks->next;
        std::free(m_blocks);
        m_blocks = next;
    }
    m_free = nullptr;
    m_nodesAllocated = 0;
}

void NodePool::SetBlockSize(INT_PTR blockSize)
{
    if (blockSize > 0)
        m_blockSize = static_cast<size_t>(blockSize);
}

void NodePool::AddBlock()
{
    const size_t count = std::max(m_blockSize, std::min(m_nodesAllocated / 4, kMaxBlockNodes));
    const size_t header = RoundUp(sizeof(Block));
    char* memory = static_cast<char*>(std::malloc(header + count * m_nodeSize));
    if (!memory)
        throw std::bad_alloc();
    FaultInPages(memory, header + count * m_nodeSize);
    Block* block = reinterpret_cast<Block*>(memory);
    block->next = m_blocks;
    m_blocks = block;
    // Thread the new nodes onto the free list so that they are handed out in address order.
    for (size_t i = count; i-- > 0;)
        Free(memory + header + i * m_nodeSize);
    m_nodesAllocated += count;
}
} // namespace fw
