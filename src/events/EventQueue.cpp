#include "EventQueue.h"

#include "ActionEvent.h"
#include "IntEvent.h"
#include "StringEvent.h"

EventQueue::EventQueue() noexcept
{
    for (size_t i = 0; i < slots.size(); ++i)
        slots[i].sequence.store (i, std::memory_order_relaxed);
}

bool EventQueue::push (const Event& event, bool forward) noexcept
{
    auto position = writePosition.load (std::memory_order_relaxed);
    Slot* slot = nullptr;

    for (;;)
    {
        slot = &slots[position % slots.size()];
        const auto sequence = slot->sequence.load (std::memory_order_acquire);
        const auto lag = (std::ptrdiff_t) (sequence - position);

        if (lag == 0)
        {
            if (writePosition.compare_exchange_weak (position, position + 1, std::memory_order_relaxed))
                break;
        }
        else if (lag < 0)
        {
            return false; // the slot still holds an event from one lap ago: full
        }
        else
        {
            position = writePosition.load (std::memory_order_relaxed);
        }
    }

    auto& entry = slot->entry;
    entry.type = event.getType();
    entry.kind = event.getKind();
    entry.value = event.getInt();
    entry.value2 = event.getInt2();
    entry.flag = event.getBool();
    entry.forward = forward;
    entry.text = event.getString(); // the slot's text is empty here, so nothing is freed
    slot->sequence.store (position + 1, std::memory_order_release);
    return true;
}

std::unique_ptr<Event> EventQueue::pop (bool& forward)
{
    auto& slot = slots[readPosition % slots.size()];

    if (slot.sequence.load (std::memory_order_acquire) != readPosition + 1)
        return nullptr;

    auto& entry = slot.entry;
    std::unique_ptr<Event> event;

    if (entry.type == Event::intType)
        event = std::make_unique<IntEvent> (entry.kind, entry.value, entry.value2, entry.flag);
    else if (entry.type == Event::stringType)
        event = std::make_unique<StringEvent> (entry.kind, std::move (entry.text));
    else
        event = std::make_unique<ActionEvent> (entry.kind);

    forward = entry.forward;
    entry.text = {}; // the text is released here, on the reading thread, not by a later writer
    slot.sequence.store (readPosition + slots.size(), std::memory_order_release);
    ++readPosition;
    return event;
}
