// Storage for the millions of nodes and elements of a large model: objects of one size carved
// from large blocks and recycled through a free list, so that making and freeing a model costs
// a few heap calls instead of one per entity. The blocks go back to the heap when the last
// object of the pool is freed.
#pragma once

#include <atomic>
#include <cstddef>
#include <new>
#include <vector>

class CEntityPool
{
public:
    // objectSize and alignment of the one class the pool serves.
    CEntityPool(std::size_t objectSize, std::size_t alignment);
    CEntityPool(const CEntityPool&) = delete;
    CEntityPool& operator=(const CEntityPool&) = delete;
    ~CEntityPool();

    // Storage for one object of the pool's size; another size (a derived class) comes from the
    // heap. Throws std::bad_alloc.
    void* Allocate(std::size_t size);
    void Free(void* object, std::size_t size);

    // Objects alive, for tests.
    std::size_t GetLiveCount() const { return m_live; }

private:
    struct FreeSlot
    {
        FreeSlot* next;
    };
    // Guards the pool: entities are made and freed on the user-interface thread, but nothing
    // forbids a test or a tool from doing so elsewhere.
    class Lock
    {
    public:
        explicit Lock(std::atomic_flag& flag);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        std::atomic_flag& m_flag;
    };

    void AddBlock();
    void ReleaseBlocks();

    std::size_t m_slotSize;
    std::size_t m_alignment;
    std::size_t m_blockSlots = 256; // grows with the pool, up to kMaxBlockSlots
    std::vector<void*> m_blocks;    // owned
    FreeSlot* m_free = nullptr;
    char* m_next = nullptr; // unused part of the newest block
    char* m_end = nullptr;
    std::size_t m_live = 0;
    std::atomic_flag m_lock = ATOMIC_FLAG_INIT;
};
