// What the thread that reads a deck hands to the thread that files it: records, the ends of
// cards and work left for the filing thread (messages above all), in the order of the deck.
// Chunks of events pass between the two; the reading thread waits while a few are unfiled, so
// the queue stays small whatever the deck's size.
#pragma once

#include "io/bulk/BulkRecords.h"
#include "platform/base/lock.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class CBulkEventQueue : public CBulkRecordTarget
{
public:
    enum EKind : std::uint8_t
    {
        kGrid,
        kSystem,
        kElement,
        kAction,
        kCardEnd
    };

    struct SCardEnd
    {
        int lineNumber;
        int onStop; // index in stopActions of what to do instead of all that follows when the
                    // filing of this card stopped the read; -1: nothing
    };

    struct SChunk
    {
        std::vector<EKind> kinds; // one per event; the others are taken in turn
        std::vector<SBulkGrid> grids;
        std::vector<SBulkCoordSystem> systems;
        std::vector<SBulkElement> elements;
        std::vector<SCardEnd> cardEnds;
        std::vector<std::function<void()>> actions;
        std::vector<std::function<void()>> stopActions;

        void Clear();
    };

    CBulkEventQueue();
    CBulkEventQueue(const CBulkEventQueue&) = delete;
    CBulkEventQueue& operator=(const CBulkEventQueue&) = delete;

    // Both sides run on one thread, the reading side first: it never waits for the filing one.
    void HoldAll() { m_isBounded = false; }
    // The reading side reads no card (the receiver stopped an earlier read); what it does say
    // is still handed on.
    void StopReading() { m_isReadingStopped = true; }

    // The reading side.
    void AddGrid(const SBulkGrid& grid) override;
    void AddCoordSystem(const SBulkCoordSystem& system) override;
    void AddElement(const SBulkElement& element) override;
    bool IsReadStopped() const override
    {
        return m_isReadingStopped || m_isCancelled.load(std::memory_order_relaxed);
    }
    void Defer(std::function<void()> action);
    void EndCard(int lineNumber, std::function<void()> onStop);
    // The last events, and the error that ended the read early (null when none).
    void Close(std::exception_ptr error);

    // The filing side: the next chunk, null once the reading side closed and all was taken.
    std::unique_ptr<SChunk> Take();
    // Gives a filed chunk back for reuse.
    void Recycle(std::unique_ptr<SChunk> chunk);
    // The error the reading side closed with.
    std::exception_ptr Error() const { return m_error; }
    // No more events are wanted: the reading side stops at its next chunk.
    void Cancel();

private:
    void PushKind(EKind kind);
    void Publish();

    bool m_isBounded = true; // the reading side waits while kChunksInFlight are unfiled
    bool m_isReadingStopped = false;
    std::unique_ptr<SChunk> m_filling; // the reading side's
    fw::Mutex m_mutex;
    fw::ConditionVariable m_changed;
    std::deque<std::unique_ptr<SChunk>> m_ready;
    std::vector<std::unique_ptr<SChunk>> m_spare;
    bool m_isClosed = false;
    std::atomic<bool> m_isCancelled{false};
    std::exception_ptr m_error;
};
