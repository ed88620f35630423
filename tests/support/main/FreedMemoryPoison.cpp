// The Windows test build poisons every block its programs free, not only framework objects:
// each freed block is filled with 0xDD and held back for a while before the heap gets it
// back, so that a use after free reads poison instead of a new object's bytes (mingw has no
// address sanitizer). Built into every test program; active with GRAVIK_POISON_FREED.
#if defined(_WIN32) && defined(GRAVIK_POISON_FREED)

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

namespace
{
// Blocks held back: a ring bounded in count and bytes, so that a test of a large model frees
// its memory for real soon enough.
constexpr std::size_t kHeldBlocks = 1024;
constexpr std::size_t kHeldBytes = 32u << 20;
constexpr std::size_t kLargestHeld = 1u << 20;

struct Held
{
    void* block;
    std::size_t size;
};

// Plain statics (zero-initialised, no constructor): delete runs before and after main.
Held g_queue[kHeldBlocks]; // oldest first from g_first, g_count of them
std::size_t g_first = 0;
std::size_t g_count = 0;
std::size_t g_heldBytes = 0;
std::atomic_flag g_lock = ATOMIC_FLAG_INIT;

class SpinGuard
{
public:
    SpinGuard()
    {
        while (g_lock.test_and_set(std::memory_order_acquire))
        {
        }
    }
    ~SpinGuard() { g_lock.clear(std::memory_order_release); }
    SpinGuard(const SpinGuard&) = delete;
    SpinGuard& operator=(const SpinGuard&) = delete;
};

void PoisonAndHold(void* block)
{
    if (block == nullptr)
        return;
    const std::size_t size = _msize(block);
    std::memset(block, 0xDD, size);
    if (size > kLargestHeld)
    {
        std::free(block);
        return;
    }
    void* evicted[kHeldBlocks];
    std::size_t evictedCount = 0;
    {
        const SpinGuard guard;
        // Room for this block: the oldest blocks go back to the heap first.
        while (g_count > 0 && (g_count == kHeldBlocks || g_heldBytes + size > kHeldBytes))
        {
            g_heldBytes -= g_queue[g_first].size;
            evicted[evictedCount++] = g_queue[g_first].block;
            g_first = (g_first + 1) % kHeldBlocks;
            --g_count;
        }
        g_queue[(g_first + g_count) % kHeldBlocks] = Held{block, size};
        ++g_count;
        g_heldBytes += size;
    }
    for (std::size_t i = 0; i < evictedCount; ++i)
        std::free(evicted[i]);
}
} // namespace

// Allocation stays with malloc, as the runtime's own operator new does, so that _msize knows
// every block; deletion poisons.
void* operator new(std::size_t size)
{
    for (;;)
    {
        if (void* block = std::malloc(size == 0 ? 1 : size))
            return block;
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
            throw std::bad_alloc();
        handler();
    }
}

void operator delete(void* block) noexcept
{
    PoisonAndHold(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    PoisonAndHold(block);
}

#endif
