// Events of a deck passed from the reading thread to the filing thread.
#include "io/bulk/BulkEventQueue.h"

#include <utility>

namespace
{
// Enough events that handing a chunk over costs little beside reading it; few enough chunks
// in flight that the queue holds a few megabytes at most.
constexpr std::size_t kChunkEvents = 4096;
constexpr std::size_t kChunksInFlight = 8;
} // namespace

void CBulkEventQueue::SChunk::Clear()
{
    kinds.clear();
    grids.clear();
    systems.clear();
    elements.clear();
    cardEnds.clear();
    actions.clear();
    stopActions.clear();
}

CBulkEventQueue::CBulkEventQueue()
    : m_filling(std::make_unique<SChunk>())
{
}

void CBulkEventQueue::AddGrid(const SBulkGrid& grid)
{
    m_filling->grids.push_back(grid);
    PushKind(kGrid);
}

void CBulkEventQueue::AddCoordSystem(const SBulkCoordSystem& system)
{
    m_filling->systems.push_back(system);
    PushKind(kSystem);
}

void CBulkEventQueue::AddElement(const SBulkElement& element)
{
    m_filling->elements.push_back(element);
    PushKind(kElement);
}

void CBulkEventQueue::Defer(std::function<void()> action)
{
    m_filling->actions.push_back(std::move(action));
    PushKind(kAction);
}

void CBulkEventQueue::EndCard(int lineNumber, std::function<void()> onStop)
{
    int onStopIndex = -1;
    if (onStop)
    {
        onStopIndex = static_cast<int>(m_filling->stopActions.size());
        m_filling->stopActions.push_back(std::move(onStop));
    }
    m_filling->cardEnds.push_back({lineNumber, onStopIndex});
    PushKind(kCardEnd);
}

void CBulkEventQueue::PushKind(EKind kind)
{
    m_filling->kinds.push_back(kind);
    // A chunk ends after a card, so that the filing side sees whole cards.
    if (kind == kCardEnd && m_filling->kinds.size() >= kChunkEvents)
        Publish();
}

void CBulkEventQueue::Publish()
{
    std::unique_lock<fw::Mutex> lock(m_mutex);
    if (m_isBounded)
    {
        m_changed.wait(lock,
                       [this] { return m_ready.size() < kChunksInFlight || m_isCancelled.load(); });
    }
    if (m_isCancelled.load())
    {
        m_filling->Clear();
        return;
    }
    m_ready.push_back(std::move(m_filling));
    if (!m_spare.empty())
    {
        m_filling = std::move(m_spare.back());
        m_spare.pop_back();
    }
    else
        m_filling = std::make_unique<SChunk>();
    lock.unlock();
    m_changed.notify_all();
}

// Never throws: the filing side waits for it.
void CBulkEventQueue::Close(std::exception_ptr error)
{
    try
    {
        if (!m_filling->kinds.empty())
            Publish();
    }
    catch (...) // memory: the error ends the read where it happened
    {
        if (!error)
            error = std::current_exception();
    }
    {
        const std::lock_guard<fw::Mutex> lock(m_mutex);
        m_isClosed = true;
        m_error = std::move(error);
    }
    m_changed.notify_all();
}

std::unique_ptr<CBulkEventQueue::SChunk> CBulkEventQueue::Take()
{
    std::unique_lock<fw::Mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_isClosed; });
    if (m_ready.empty())
        return nullptr;
    std::unique_ptr<SChunk> chunk = std::move(m_ready.front());
    m_ready.pop_front();
    lock.unlock();
    m_changed.notify_all();
    return chunk;
}

void CBulkEventQueue::Recycle(std::unique_ptr<SChunk> chunk)
{
    chunk->Clear();
    const std::lock_guard<fw::Mutex> lock(m_mutex);
    m_spare.push_back(std::move(chunk));
}

void CBulkEventQueue::Cancel()
{
    {
        const std::lock_guard<fw::Mutex> lock(m_mutex);
        m_isCancelled.store(true);
    }
    m_changed.notify_all();
}
