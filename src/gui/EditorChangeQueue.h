#pragma once

#include "../events/MpscRing.h"
#include "../processor/ParameterChangeReceiver.h"
#include "../processor/ParameterLayout.h"

#include <array>
#include <atomic>
#include <cstdint>

// The editor's mirror of every parameter's last value and the queue of indices whose value
// changed since the last refresh tick.
//
// Changes are reported wherever the processor applies them: the audio thread's drain and the
// message thread's idle tick, which drains while the host does not process. So the queue takes any
// number of producers (a lock-free ring that never blocks or allocates), and each mirror entry
// is one atomic word holding both the kind and the value, so a reader never sees half of a write.
// The processor reports into this object, not into the editor: a member is whole from before the
// editor's constructor body until after its destructor body, while the editor's own type (and so
// its virtual table) changes as its derived classes are built and torn down.
class EditorChangeQueue final : public ParameterChangeReceiver
{
public:
    static constexpr int numParameters = ParameterLayout::numParameters;
    static constexpr int capacity = 2224;

    struct Entry
    {
        bool isStep = false;
        float value = 0.0f;   // when not a step
        int step = 0;         // when a step
    };

    // Writes the mirror only (the editor's own writes, which notify their controls at once).
    void storeValue (int index, float value) noexcept { store (index, packValue (value)); }
    void storeStep (int index, int step) noexcept { store (index, packStep (step)); }

    // Writes the mirror and queues the index; a full queue drops the index, not the value.
    // Any thread. False when the index was dropped.
    bool queueValue (int index, float value) noexcept { return store (index, packValue (value)) && push (index); }
    bool queueStep (int index, int step) noexcept { return store (index, packStep (step)) && push (index); }

    void queueParameterValue (int index, float value) override { queueValue (index, value); }
    void queueParameterStep (int index, int step) override { queueStep (index, step); }

    // The processor's first values: written and queued only where nothing was reported yet, so
    // a change applied while the editor opens is never overwritten by an older value.
    bool seedValue (int index, float value) noexcept { return storeFirst (index, packValue (value)); }
    bool seedStep (int index, int step) noexcept { return storeFirst (index, packStep (step)); }

    Entry entry (int index) const noexcept;

    // Takes the oldest queued index; false when none is left. Message thread only.
    bool pop (int& index) noexcept { return ring.pop (index); }

private:
    static constexpr std::uint64_t stepBit = std::uint64_t (1) << 32;
    static constexpr std::uint64_t writtenBit = std::uint64_t (1) << 33;

    static std::uint64_t packValue (float value) noexcept;
    static std::uint64_t packStep (int step) noexcept;
    static bool isValid (int index) noexcept { return index >= 0 && index < numParameters; }

    bool store (int index, std::uint64_t word) noexcept;
    bool storeFirst (int index, std::uint64_t word) noexcept;
    bool push (int index) noexcept { return ring.push (index); }

    std::array<std::atomic<std::uint64_t>, numParameters> mirror {};
    MpscRing<int, capacity> ring;
};
