#include "ScopeTraceSet.h"

#include <thread>

ScopeTraceSet::ScopeTraceSet (AudioNode& parentNode, const ParameterRecord* zoomRecord, float clearValue)
{
    for (auto& trace : traces)
        trace = std::make_unique<ScopeTrace> (parentNode, zoomRecord, clearValue);
}

void ScopeTraceSet::clearAll() noexcept
{
    for (auto& trace : traces)
        trace->clear();
}

void ScopeTraceSet::beginWrite() noexcept
{
    // Odd while writing; the fence keeps the column stores below from moving above it.
    sequence.store (sequence.load (std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    std::atomic_thread_fence (std::memory_order_release);
}

void ScopeTraceSet::endWrite() noexcept
{
    sequence.store (sequence.load (std::memory_order_relaxed) + 1, std::memory_order_release);
}

bool ScopeTraceSet::copySnapshot (Snapshot& snapshot) const noexcept
{
    for (int attempt = 0; attempt < maxCopyAttempts; ++attempt)
    {
        if (attempt > 0)
            std::this_thread::yield();   // lets a capture in progress finish

        const auto before = sequence.load (std::memory_order_acquire);

        if ((before & 1) != 0)
            continue;

        snapshot.columns = traces[0]->getColumns();

        for (size_t t = 0; t < (size_t) numTraces; ++t)
        {
            for (int column = 0; column < ScopeTrace::capacity; ++column)
            {
                snapshot.traces[t].minimum[(size_t) column] = traces[t]->minimum (column);
                snapshot.traces[t].maximum[(size_t) column] = traces[t]->maximum (column);
            }
        }

        // Keeps the column loads above from moving below the second look at the sequence.
        std::atomic_thread_fence (std::memory_order_acquire);

        if (sequence.load (std::memory_order_relaxed) == before)
            return true;
    }

    return false;
}
