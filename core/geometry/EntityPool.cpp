// Block storage for entities of one size.
#include "core/geometry/EntityPool.h"

#include "platform/base/memory.h"

#include <algorithm>

namespace
{
constexpr std::size_t kMaxBlockSlots = 16384;
} // namespace

CEntityPool::Lock::Lock(std::atomic_flag& flag)
    : m_flag(flag)
{
    while (m_flag.test_and_set(std::memory_order_acquire))
    {
    }
}

CEntityPool::Lock::~Lock()
{
    m_flag.clear(std::memory_order_release);
}

CEntityPool::CEntityPool(std::size_t objectSize, std::size_t alignment)
    : m_slotSize((std::max(objectSize, sizeof(FreeSlot)) + alignment - 1) / alignment * alignment)
    , m_alignment(alignment)
{
}

CEntityPool::~CEntityPool()
{
    ReleaseBlocks();
}

void* CEntityPool::Allocate(std::size_t size)
{
    if (size > m_slotSize || m_slotSize - size >= m_alignment)
        return ::operator new(size);
    const Lock lock(m_lock);
    void* slot = nullptr;
    if (m_free != nullptr)
    {
        slot = m_free;
        m_free = m_free->next;
    }
    else
    {
        if (m_next == m_end)
            AddBlock();
        slot = m_next;
        m_next += m_slotSize;
    }
    ++m_live;
    return slot;
}

void CEntityPool::Free(void* object, std::size_t size)
{
    if (object == nullptr)
        return;
    if (size > m_slotSize || m_slotSize - size >= m_alignment)
    {
        ::operator delete(object);
        return;
    }
    const Lock lock(m_lock);
    FreeSlot* slot = static_cast<FreeSlot*>(object);
    slot->next = m_free;
    m_free = slot;
    if (--m_live == 0)
        ReleaseBlocks();
}

void CEntityPool::AddBlock()
{
    m_blocks.reserve(m_blocks.size() + 1);
    char* block =
        static_cast<char*>(::operator new(m_blockSlots* m_slotSize, std::align_val_t(m_alignment)));
    fw::FaultInPages(block, m_blockSlots * m_slotSize);
    m_blocks.push_back(block);
    m_next = block;
    m_end = block + m_blockSlots * m_slotSize;
    m_blockSlots = std::min(m_blockSlots * 2, kMaxBlockSlots);
}

void CEntityPool::ReleaseBlocks()
{
    for (void* block : m_blocks)
        ::operator delete(block, std::align_val_t(m_alignment));
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_free = nullptr;
    m_next = m_end = nullptr;
    m_blockSlots = 256;
}
