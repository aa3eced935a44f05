#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>

class Event;

// A bounded ring of event copies for any number of posting threads and one reading thread.
// Posting never blocks and never allocates: a full ring drops the new event. Each slot carries a
// sequence number, so a writer claims a slot with one compare-and-swap and publishes it with one
// release store; the reader takes only slots whose sequence says they are complete.
class EventQueue
{
public:
    static constexpr int capacity = 500;

    EventQueue() noexcept;

    // Copies the event; false when the ring is full and the event was dropped.
    bool push (const Event& event, bool forward) noexcept;

    // Rebuilds the oldest event in the ring; null when it is empty. Reader thread only.
    std::unique_ptr<Event> pop (bool& forward);

private:
    struct Entry
    {
        int type = 0;
        int kind = 0;
        int value = 0;
        int value2 = 0;
        bool flag = false;
        bool forward = false;
        juce::String text;
    };

    struct Slot
    {
        std::atomic<size_t> sequence { 0 };
        Entry entry;
    };

    std::array<Slot, capacity> slots;
    std::atomic<size_t> writePosition { 0 };
    size_t readPosition = 0;
};
