// Fresh memory is mapped by the system page by page at its first write. On some machines each such
// fault costs several microseconds, so a model of a million elements, filled on one thread, spends
// most of its reading waiting on them; faults on several threads at once overlap.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace fw
{
// Maps in every page of a block that nothing lives in yet (just allocated, not constructed), on
// a few threads when the block is large: the writes to come then meet mapped pages. Writes a
// zero byte to each page; small blocks are left to fault as they are written.
void FaultInPages(void* block, std::size_t bytes);

// Throws std::bad_alloc when a block of that many bytes cannot be had now. Work handed to a
// library that does not fail cleanly when memory runs out (the GL driver stalls) asks first, and
// fails while it still can. Nothing is written: the block costs no pages.
void EnsureHeadroom(std::size_t bytes);
// For tests: what EnsureHeadroom asks instead of the system (true when the block can be had),
// as a machine short of memory answers; null puts the system back.
using HeadroomProbe = bool (*)(std::size_t bytes);
void SetHeadroomProbe(HeadroomProbe probe);

// An allocator whose blocks come with their pages mapped in (above): for the arrays of a large
// model that are filled right after they grow.
template <typename T>
struct PagedAllocator
{
    using value_type = T;

    PagedAllocator() = default;
    template <typename U>
    PagedAllocator(const PagedAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        T* block = std::allocator<T>().allocate(count);
        FaultInPages(block, count * sizeof(T));
        return block;
    }
    void deallocate(T* block, std::size_t count) noexcept
    {
        std::allocator<T>().deallocate(block, count);
    }

    template <typename U>
    bool operator==(const PagedAllocator<U>&) const noexcept
    {
        return true;
    }
    template <typename U>
    bool operator!=(const PagedAllocator<U>&) const noexcept
    {
        return false;
    }
};
} // namespace fw
