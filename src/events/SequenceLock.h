#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <thread>

// Hands data written by one thread to readers on others without making the writer wait. The
// writer makes the sequence odd before it writes and even again after; a read counts only when
// it saw the same even sequence before and after. The data itself must be relaxed atomics, so
// the threads never race on it.
class SequenceLock
{
public:
    // Attempts of a read before it gives up on a writer that keeps writing.
    static constexpr int maxReadAttempts = 16;

    // Writer side: brackets every change of the data.
    void beginWrite() noexcept
    {
        // The fence keeps the data stores that follow from moving above the odd sequence.
        sequence.store (sequence.load (std::memory_order_relaxed) + 1, std::memory_order_relaxed);
        std::atomic_thread_fence (std::memory_order_release);
    }

    void endWrite() noexcept { sequence.store (sequence.load (std::memory_order_relaxed) + 1, std::memory_order_release); }

    // Runs copy (which loads the data) until one run saw no write; false, with the last run's
    // copy incomplete, when every attempt overlapped one.
    template <typename Copy>
    bool read (Copy&& copy) const
    {
        for (int attempt = 0; attempt < maxReadAttempts; ++attempt)
        {
            if (attempt > 0)
                std::this_thread::yield();   // lets a write in progress finish

            const auto before = sequence.load (std::memory_order_acquire);

            if ((before & 1) != 0)
                continue;

            copy();

            // Keeps the data loads above from moving below the second look at the sequence.
            std::atomic_thread_fence (std::memory_order_acquire);

            if (sequence.load (std::memory_order_relaxed) == before)
                return true;
        }

        return false;
    }

private:
    std::atomic<juce::uint32> sequence { 0 };
};
