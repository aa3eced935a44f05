#pragma once

#include "WaveTables.h"
#include "../events/SequenceLock.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>

// The curve of one wave as the editor draws it: a copy of level 0, rewritten on the audio thread
// whenever a rebuild is published, copied by the editor on the message thread.
//
// A sequence lock hands it over; the entries are relaxed atomics, so the two threads never race
// on them, and the writer never waits.
class DisplayTable
{
public:
    static constexpr int size = WaveTables::xSteps;
    using Values = std::array<float, size>;

    DisplayTable() noexcept { clear(); }

    // Writer side (the audio thread, or the idle tick under the callback lock).
    void write (const float* values) noexcept;
    void clear() noexcept;

    // One entry as it stands; a reader racing a write may see old and new entries side by side.
    float operator[] (int index) const noexcept { return entries[(size_t) index].load (std::memory_order_relaxed); }

    // Copies the whole table as one write left it. Returns false, leaving the copy incomplete,
    // when every attempt overlapped a write.
    bool copyTo (Values& copy) const noexcept;

private:
    std::array<std::atomic<float>, size> entries;
    SequenceLock lock;
};
