#include "DisplayTable.h"

#include <thread>

void DisplayTable::write (const float* values) noexcept
{
    beginWrite();

    for (size_t i = 0; i < (size_t) size; ++i)
        entries[i].store (values[i], std::memory_order_relaxed);

    endWrite();
}

void DisplayTable::clear() noexcept
{
    beginWrite();

    for (auto& entry : entries)
        entry.store (0.0f, std::memory_order_relaxed);

    endWrite();
}

void DisplayTable::beginWrite() noexcept
{
    // Odd while writing; the fence keeps the entry stores below from moving above it.
    sequence.store (sequence.load (std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    std::atomic_thread_fence (std::memory_order_release);
}

void DisplayTable::endWrite() noexcept
{
    sequence.store (sequence.load (std::memory_order_relaxed) + 1, std::memory_order_release);
}

bool DisplayTable::copyTo (Values& copy) const noexcept
{
    for (int attempt = 0; attempt < maxCopyAttempts; ++attempt)
    {
        if (attempt > 0)
            std::this_thread::yield();   // lets a write in progress finish

        const auto before = sequence.load (std::memory_order_acquire);

        if ((before & 1) != 0)
            continue;

        for (size_t i = 0; i < (size_t) size; ++i)
            copy[i] = entries[i].load (std::memory_order_relaxed);

        // Keeps the entry loads above from moving below the second look at the sequence.
        std::atomic_thread_fence (std::memory_order_acquire);

        if (sequence.load (std::memory_order_relaxed) == before)
            return true;
    }

    return false;
}
