#pragma once

#include "MpscRing.h"

#include <juce_core/juce_core.h>

#include <memory>

class Event;

// Copies of events waiting for the GUI side: any number of posting threads, one reader. Posting
// never blocks and never allocates (a text is shared, not copied); a full queue drops the event.
class EventQueue
{
public:
    static constexpr int capacity = 500;

    // Copies the event; false when the queue is full and the event was dropped.
    bool push (const Event& event, bool forward) noexcept;

    // Rebuilds the oldest event; null when the queue is empty. Reader thread only.
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

    MpscRing<Entry, capacity> ring;
};
