#pragma once

#include <array>
#include <atomic>
#include <cstddef>

// A bounded first-in-first-out ring for any number of writing threads and one reading thread.
// Writing never blocks, never allocates and never waits for the reader: a full ring refuses the
// item. Each slot carries a sequence number, so a writer claims a slot with one compare-and-swap
// and publishes it with one release store; the reader takes only slots whose sequence says they
// are complete, and hands each back one lap ahead.
template <typename Item, int Capacity>
class MpscRing
{
public:
    static constexpr int capacity = Capacity;

    MpscRing() noexcept
    {
        for (size_t i = 0; i < slots.size(); ++i)
            slots[i].sequence.store (i, std::memory_order_relaxed);
    }

    // Calls fill (Item&) on a claimed slot; false, without calling it, when the ring is full.
    template <typename Fill>
    bool pushWith (Fill&& fill) noexcept
    {
        auto position = writePosition.load (std::memory_order_relaxed);

        for (;;)
        {
            auto& slot = slots[position % slots.size()];
            const auto lag = (std::ptrdiff_t) (slot.sequence.load (std::memory_order_acquire) - position);

            if (lag == 0)
            {
                if (writePosition.compare_exchange_weak (position, position + 1, std::memory_order_relaxed))
                {
                    fill (slot.item);
                    slot.sequence.store (position + 1, std::memory_order_release);
                    return true;
                }
            }
            else if (lag < 0)
            {
                return false; // the slot still holds an item from one lap ago
            }
            else
            {
                position = writePosition.load (std::memory_order_relaxed);
            }
        }
    }

    bool push (const Item& item) noexcept
    {
        return pushWith ([&item] (Item& slotItem) { slotItem = item; });
    }

    // Calls take (Item&) on the oldest item and releases its slot; false when the ring is empty.
    // Reader thread only.
    template <typename Take>
    bool popWith (Take&& take)
    {
        auto& slot = slots[readPosition % slots.size()];

        if (slot.sequence.load (std::memory_order_acquire) != readPosition + 1)
            return false;

        take (slot.item);
        slot.sequence.store (readPosition + slots.size(), std::memory_order_release);
        ++readPosition;
        return true;
    }

    bool pop (Item& item)
    {
        return popWith ([&item] (Item& slotItem) { item = slotItem; });
    }

    // How many items were ever claimed for writing, and ever taken: an item's position is the
    // take count at the moment it is popped.
    size_t pushCount() const noexcept { return writePosition.load(); }
    size_t popCount() const noexcept { return readPosition; }

    // Reader thread only.
    bool isEmpty() const noexcept
    {
        return slots[readPosition % slots.size()].sequence.load (std::memory_order_acquire) != readPosition + 1;
    }

private:
    struct Slot
    {
        std::atomic<size_t> sequence { 0 };
        Item item {};
    };

    std::array<Slot, (size_t) Capacity> slots;
    std::atomic<size_t> writePosition { 0 };
    size_t readPosition = 0;
};
